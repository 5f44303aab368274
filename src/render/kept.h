// Images that drawing makes from the game's images and keeps from frame to
// frame: sprites turned to a heading, damage flashes by size and colour,
// chain links by length and slope, and images in the display's layout. Turning or recolouring an
// image costs more than blitting a dozen, and the same copies are asked for frame after frame; a
// kept copy is made once.
//
// Headings are taken in steps of a 720th of a turn (half a degree: at the
// rim of a 180-pixel planet the step moves a pixel by 0.4 at most), chain
// links by whole pixels of length and quarter degrees of slope. The kept
// copies are bounded in memory (the least recently drawn go first when the
// bound is met) and go with the level, when the sources may be freed.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

namespace tether {

constexpr int turnSteps = 720; // headings a sprite is kept at, a full turn
constexpr int slopeSteps = 720; // slopes a chain link is kept at, half a turn
constexpr size_t keptImageBudget = 48u * 1024 * 1024; // bytes of pixels

// With keeping off, every copy is made anew for each call (and freed at the
// next), exactly as asked: the picture the kept copies are compared with.
extern bool keepImages;

// sprite turned clockwise on screen by angle radians (smoothed), or null
// when it cannot be made. Valid until the next call of this file's makers.
SDL_Surface* turnedImage(SDL_Surface* sprite, float angle);

// The force field scaled to diameter pixels, recoloured by a disc of the
// given radius in colour (0xRRGGBBAA) at its middle.
SDL_Surface* flashImage(SDL_Surface* field, float diameter, float radius, Uint32 colour);

// link stretched by stretch along its length (smoothed), then turned to
// the slope (radians, counter-clockwise on screen, within a half turn).
SDL_Surface* chainLinkImage(SDL_Surface* link, float stretch, float slope);

// image as it is, in the display's layout: the images that are blitted
// unchanged but loaded as they are (shots, the BFG ball's flames).
// image itself without a display, or while keeping is off.
SDL_Surface* displayImage(SDL_Surface* image);

// Frees every kept copy: a level's end, or a source image replaced.
void forgetKeptImages();

// Bytes of pixels kept now, and copies made since the start (to measure).
size_t keptImageBytes();
uint64_t keptImagesMade();

} // namespace tether
