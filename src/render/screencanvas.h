// The canvas every screen of the game draws its frame on, chosen once per
// run: the desktop draws with SDL and SDL_gfx straight onto the window's
// picture; the software canvas draws into a plain 800 by 600 buffer of
// 0x00RRGGBB pixels that is shown once per frame (platform/window.h), which is
// the only way in a build without SDL_gfx (the browser's).
#pragma once

#include "render/canvas.h"

#include <cstdint>
#include <vector>

namespace tether {

constexpr int softScreenWidth = 800, softScreenHeight = 600;

enum class Drawing { desktop, software };

// Chosen at start-up, before the first frame is drawn. Without SDL_gfx
// the software canvas is the only choice.
void chooseDrawing(Drawing how);
Drawing drawing();
// The drawing named by a developer's switch (TETHER_DRAWING=software
// chooses ours; anything else, or nothing, the desktop's).
Drawing drawingNamed(const char* name);

// The canvas of this frame, on the current picture (`screen`,
// content/assets.h, which a switch to full screen replaces).
Canvas& screenCanvas();
// The software canvas's pixels, rows of softScreenWidth; null when the
// desktop draws.
const uint32_t* softScreenPixels();

// A copy of everything the canvas shows, and that copy put back: the
// pause screen keeps the frame the level stopped on this way. A canvas
// that cannot lend its pixels gives an empty copy, which puts back nothing.
std::vector<uint32_t> copyCanvasPixels(Canvas& canvas);
void putCanvasPixels(Canvas& canvas, const std::vector<uint32_t>& copy);

// Forgets every turned, scaled or read copy of an image that either canvas
// keeps: a level's end, or an image freed that another may take the place
// of (copies are kept by the image's address).
void forgetImageCopies();

} // namespace tether
