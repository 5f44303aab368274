#include "render/overlay.h"

#include "render/sdlcanvas.h"

#include <algorithm>
#include <utility>

namespace tether {

namespace {

constexpr int pictureWidth = 800, pictureHeight = 600;
constexpr Uint32 textColour = 0xcfefffff; // the title's label colour
constexpr Uint32 headingColour = 0x7fe6ffff; // the title's cyan
constexpr Uint32 pausedColour = 0xffffffff;
constexpr Uint8 veilAlpha = 170; // how dark the pause screen dims the level
constexpr int lineHeight = 13;
constexpr int hudLeft = 395; // the HUD panel's left edge at the bottom

int textWidth(const std::string& text)
{
    return glyphSize * static_cast<int>(text.size());
}

constexpr Uint32 veilColour = 0x02040a00; // alpha apart

void darkBox(Canvas& canvas, int x0, int y0, int x1, int y1, Uint8 alpha)
{
    canvas.box(static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Sint16>(x1),
        static_cast<Sint16>(y1), veilColour | alpha);
}

void text(Canvas& canvas, int x, int y, const std::string& line, Uint32 colour)
{
    canvas.text(static_cast<Sint16>(x), static_cast<Sint16>(y), line.c_str(), colour);
}

// The radar's marks as the HUD draws them (render/hud.cpp): green for the
// bodies (a ring for a black hole), red for enemies and their shots,
// yellow for mines and rope nodes, small for the small things.
struct LegendEntry {
    bool ring;
    int radius;
    Uint32 colour;
    const char* label;
};
constexpr LegendEntry legend[] = {
    {false, 3, 0x00ff00ff, "sun, planet"},
    {true, 3, 0x00ff00ff, "black hole"},
    {false, 3, 0xff0000ff, "enemy"},
    {false, 1, 0xff0000ff, "shot"},
    {false, 1, 0xffff00ff, "mine, rope node"},
};
constexpr int legendMark = 12, legendGap = 20; // pixels: mark and label, entry to entry

void drawRadarLegend(Canvas& canvas, int y)
{
    int width = -legendGap;
    for (const LegendEntry& entry : legend)
        width += legendMark + textWidth(entry.label) + legendGap;
    int x = (pictureWidth - width) / 2;
    for (const LegendEntry& entry : legend) {
        const Sint16 cx = static_cast<Sint16>(x + 4), cy = static_cast<Sint16>(y + 3);
        if (entry.ring)
            canvas.ring(cx, cy, static_cast<Sint16>(entry.radius), entry.colour);
        else
            canvas.disc(cx, cy, static_cast<Sint16>(entry.radius), entry.colour);
        text(canvas, x + legendMark, y, entry.label, textColour);
        x += legendMark + textWidth(entry.label) + legendGap;
    }
}

} // namespace

void drawHint(Canvas& canvas, const std::string& line, int y, Uint8 alpha)
{
    if (alpha == 0)
        return;
    const int x = (pictureWidth - textWidth(line)) / 2;
    darkBox(canvas, x - 8, y - 5, x + textWidth(line) + 7, y + glyphSize + 4,
        static_cast<Uint8>(alpha * 3 / 5));
    text(canvas, x, y, line, (textColour & 0xffffff00u) | alpha);
}

#ifndef TETHER_NO_SDL_GFX
void drawHint(SDL_Surface* screen, const std::string& line, int y, Uint8 alpha)
{
    SdlCanvas canvas(screen);
    drawHint(canvas, line, y, alpha);
}
#endif

void drawLargeText(
    Canvas& canvas, const std::string& line, int cx, int y, int factor, Uint32 colour)
{
    // Each lit pixel of the font's glyphs is drawn as a block: twice, the
    // shadow first.
    const int width = std::max(1, textWidth(line));
    const int left = cx - width * factor / 2;
    const int shadow = std::max(1, factor / 2);
    for (const auto& [ink, offset] : {std::pair<Uint32, int> {0x000000c0u, shadow}, {colour, 0}})
        for (int row = 0; row < glyphSize; ++row)
            for (int column = 0; column < textWidth(line); ++column) {
                const unsigned char* glyph
                    = canvas.glyph(static_cast<unsigned char>(line[column / glyphSize]));
                if (!(glyph[row] & (0x80 >> (column % glyphSize))))
                    continue;
                const int x = left + column * factor + offset, top = y + row * factor + offset;
                canvas.box(static_cast<Sint16>(x), static_cast<Sint16>(top),
                    static_cast<Sint16>(x + factor - 1), static_cast<Sint16>(top + factor - 1),
                    ink);
            }
}

#ifndef TETHER_NO_SDL_GFX
void drawLargeText(
    SDL_Surface* screen, const std::string& line, int cx, int y, int factor, Uint32 colour)
{
    SdlCanvas canvas(screen);
    drawLargeText(canvas, line, cx, y, factor, colour);
}
#endif

void drawPauseScreen(
    Canvas& canvas, const Picture& lastFrame, const std::vector<std::string>& lines)
{
    canvas.blit(lastFrame, 0, 0);
    darkBox(canvas, 0, 0, pictureWidth - 1, pictureHeight - 1, veilAlpha);
    drawLargeText(canvas, "PAUSED", pictureWidth / 2, 90, 6, pausedColour);
    int y = 170;
    for (const std::string& line : lines) {
        if (line == radarLegend) {
            drawRadarLegend(canvas, y);
            y += lineHeight;
            continue;
        }
        const bool heading = !line.empty() && line[0] == '#';
        const std::string shown = heading ? line.substr(1) : line;
        if (heading)
            y += lineHeight / 2;
        text(canvas, (pictureWidth - textWidth(shown)) / 2, y, shown,
            heading ? headingColour : textColour);
        y += lineHeight;
    }
}

#ifndef TETHER_NO_SDL_GFX
void drawPauseScreen(
    SDL_Surface* screen, SDL_Surface* lastFrame, const std::vector<std::string>& lines)
{
    SdlCanvas canvas(screen);
    drawPauseScreen(canvas, pictureOf(lastFrame), lines);
}
#endif

void drawCornerNote(Canvas& canvas, const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    const int count = static_cast<int>(lines.size());
    const int top = pictureHeight - 12 - count * lineHeight;
    darkBox(canvas, 8, top - 8, hudLeft - 12, pictureHeight - 8, 190);
    for (int i = 0; i < count; ++i)
        text(canvas, 16, top + i * lineHeight,
            lines[static_cast<size_t>(i)].substr(0, cornerNoteWidth), textColour);
}

#ifndef TETHER_NO_SDL_GFX
void drawCornerNote(SDL_Surface* screen, const std::vector<std::string>& lines)
{
    SdlCanvas canvas(screen);
    drawCornerNote(canvas, lines);
}
#endif

} // namespace tether
