// Vector shapes as signed distance functions, and the painting of them.
// A shape answers "how far is this point outside me" (negative inside), in
// the shape's own units. Painting turns that distance, measured in pixels,
// into coverage: every edge is anti-aliased without supersampling, and the
// same distance gives outlines and soft glows for free.
#pragma once

#include "canvas.h"
#include "geometry.h"

#include <functional>
#include <vector>

struct Shape {
    std::function<float(Vec)> distance;
    Box bounds; // everything inside lies in here
};

Shape circle(Vec centre, float radius);
Shape ellipse(Vec centre, float rx, float ry);
// A rectangle of half-sizes hx, hy with corners rounded by r.
Shape rect(Vec centre, float hx, float hy, float r = 0);
// A closed polygon, either winding.
Shape polygon(std::vector<Vec> points);
// A stroke of half-width hw from a to b with round ends.
Shape capsule(Vec a, Vec b, float hw);
// A ring of the given radius and width.
Shape ring(Vec centre, float radius, float width);
// A part of a ring from angle a0 to a1 (radians, a0 < a1).
Shape arc(Vec centre, float radius, float width, float a0, float a1);

Shape unite(const Shape& a, const Shape& b);
Shape unite(const std::vector<Shape>& parts);
Shape subtract(const Shape& a, const Shape& cut);
Shape intersect(const Shape& a, const Shape& b);
Shape grow(const Shape& s, float d); // outwards by d (inwards if negative)
Shape outline(const Shape& s, float width); // a band of that width on the edge
Shape moved(const Shape& s, Vec by);
Shape turned(const Shape& s, float angle); // about the origin
Shape mirrorY(const Shape& s); // adds its reflection in the x axis
// n copies turned evenly about the origin.
Shape radial(const Shape& s, int n);

// Colour as a function of the point in shape units.
using Paint = std::function<Rgba(Vec)>;
Paint solid(Rgba c);
Paint linear(Vec p0, Rgba c0, Vec p1, Rgba c1);
Paint radialGradient(Vec centre, float radius, Rgba inner, Rgba outer);

// Where shape units land on the canvas: pixel = origin + turn(angle)(p * scale).
struct View {
    Vec origin;
    float scale = 1;
    float angle = 0;
};

void fill(Canvas& c, const View& v, const Shape& s, const Paint& p, Blend b = Blend::over);
void fill(Canvas& c, const View& v, const Shape& s, Rgba colour, Blend b = Blend::over);
// Added light that is full inside the shape and falls off over radius (shape
// units) outside it.
void glow(Canvas& c, const View& v, const Shape& s, Rgba colour, float radius);
