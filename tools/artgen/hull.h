// Shared ways of painting hulls, so the player's ships and the enemy's
// read as one family of machines lit from the same side.
#pragma once

#include "canvas.h"
#include "shape.h"

#include <vector>

// A closed outline from its upper half (y <= 0), listed from the nose
// backwards; the lower half is its reflection. Ships are symmetric about
// their heading.
Shape symmetric(const std::vector<Vec>& upper);

// Plate: a dark rim, then a body shaded from light (top) to dark (bottom).
void paintHull(Canvas& c, const View& v, const Shape& s, Rgba base);
// Glass: a lit dome of the colour with a small highlight.
void paintGlass(Canvas& c, const View& v, Vec centre, float rx, float ry, Rgba colour);
// A glowing light: a halo of the colour and a white-hot centre.
void paintLight(Canvas& c, const View& v, Vec at, float radius, Rgba colour);
