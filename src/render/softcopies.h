// The copies our canvas makes of its pictures' pixels and keeps from frame
// to frame, with no SDL_gfx and no SDL surface: sprites turned to a
// heading, explosion frames scaled, damage flashes by size and colour, chain
// links by length and slope. They come out as the desktop's (render/kept.h)
// do, pixel for pixel before blending: the same sizes, centres, smoothing
// and steps (render/copysteps.h).
//
// Copies are kept by the picture they are made from (its source) and what
// they are made for, within keptImageBudget bytes of pixels: the least
// recently drawn go first when the bound is met. They go with the level,
// and with their source when it is forgotten (forgetSoftPicture).
#pragma once

#include "render/canvas.h"

#include <cstddef>
#include <cstdint>

namespace tether {

// Each returns the copy of image (the pixels of source), or null when it
// cannot be made; valid until the next copy is asked for.
const PixelImage* softTurned(const void* source, const PixelImage& sprite, float angle);
const PixelImage* softScaled(const void* source, const PixelImage& frame, double zoom);
const PixelImage* softFlash(
    const void* source, const PixelImage& field, float diameter, float radius, uint32_t colour);
const PixelImage* softChainLink(
    const void* source, const PixelImage& link, float stretch, float slope);

// The copies made from source go (it is freed, or replaced); or all of them.
void forgetSoftCopiesOf(const void* source);
void forgetSoftCopies();

// Bytes of pixels kept now, and copies made since the start (to measure).
size_t softCopyBytes();
uint64_t softCopiesMade();

} // namespace tether
