// Words the game writes over its own picture, in the canvas's 8 by 8 font: the hint and notices at
// the top of a level, the pause screen with the controls, and a won map's summary at the bottom of
// the victory screen. Each keeps clear of what it is drawn over: the HUD and radar in the
// bottom-right corner, and the end screens' word across the middle.
#pragma once

#include "render/canvas.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace tether {

constexpr int glyphSize = 8; // the built-in font's cell, in pixels

// One line centred on the picture at y, on a dark band the width of the
// text; both faded by alpha (255: solid).
void drawHint(Canvas& canvas, const std::string& text, int y, Uint8 alpha);
void drawHint(SDL_Surface* screen, const std::string& text, int y, Uint8 alpha);
// text in the built-in font magnified factor times (each glyph pixel a
// factor by factor block), centred on x = cx with its top at y, with a
// dark shadow.
void drawLargeText(
    Canvas& canvas, const std::string& text, int cx, int y, int factor, Uint32 colour);
void drawLargeText(
    SDL_Surface* screen, const std::string& text, int cx, int y, int factor, Uint32 colour);
// The pause screen: lastFrame (the frame the level stopped on) dimmed,
// "PAUSED" large, and the lines below it, centred; a line that starts
// with '#' is a heading, drawn brighter without its '#', and the line
// radarLegend is the radar's marks, each drawn as the radar draws it
// beside what it stands for.
constexpr const char* radarLegend = "*radar legend";
void drawPauseScreen(
    Canvas& canvas, const Picture& lastFrame, const std::vector<std::string>& lines);
void drawPauseScreen(
    SDL_Surface* screen, SDL_Surface* lastFrame, const std::vector<std::string>& lines);
// The lines at the bottom-left of the picture on a dark plate, left of the
// HUD (lines wider than that are cut).
void drawCornerNote(Canvas& canvas, const std::vector<std::string>& lines);
void drawCornerNote(SDL_Surface* screen, const std::vector<std::string>& lines);
// How many glyphs fit on a line of the corner note.
constexpr int cornerNoteWidth = 46;

} // namespace tether
