// Images that drawing makes from the game's images and keeps from frame to
// frame: sprites turned to a heading, damage flashes by size and colour,
// chain links by length and slope, explosion frames by size, and images in the display's layout.
// Turning or recolouring an image costs more than blitting a dozen, and the same copies are asked
// for frame after frame; a kept copy is made once. These are the desktop canvas's copies, made
// with SDL_gfx (render/softcopies.h makes our canvas's own).
//
// Headings and slopes are kept in the steps of render/copysteps.h. The kept
// copies are bounded in memory (the least recently drawn go first when the
// bound is met) and go with the level, when the sources may be freed.
#pragma once

#include "render/copysteps.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>

namespace tether {

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

// An explosion frame scaled by zoom (smoothed). Explosions of one size show
// the same ten frames over and over, and scaling a frame costs more than
// drawing a whole ship; the frames are loaded once at start-up and kept for
// the run, so a scaled copy stays right as long as its frame does. Up to a
// hundred copies (ten sizes of explosion) are kept, by exact zoom.
SDL_Surface* scaledFrame(SDL_Surface* frame, double zoom);
// The sizes come from the level's things: its end lets the copies go.
void forgetScaledExplosions();

// Frees every kept copy: a level's end, or a source image replaced.
void forgetKeptImages();

// Bytes of pixels kept now, and copies made since the start (to measure).
size_t keptImageBytes();
uint64_t keptImagesMade();

} // namespace tether
