#include "render/overlay.h"

#include <SDL_gfxPrimitives.h>

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

void darkBox(SDL_Surface* screen, int x0, int y0, int x1, int y1, Uint8 alpha)
{
    boxRGBA(screen, static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Sint16>(x1),
        static_cast<Sint16>(y1), 2, 4, 10, alpha);
}

void text(SDL_Surface* screen, int x, int y, const std::string& line, Uint32 colour)
{
    stringColor(screen, static_cast<Sint16>(x), static_cast<Sint16>(y), line.c_str(), colour);
}

} // namespace

void drawHint(SDL_Surface* screen, const std::string& line, int y, Uint8 alpha)
{
    if (alpha == 0)
        return;
    const int x = (pictureWidth - textWidth(line)) / 2;
    darkBox(screen, x - 8, y - 5, x + textWidth(line) + 7, y + glyphSize + 4,
        static_cast<Uint8>(alpha * 3 / 5));
    text(screen, x, y, line, (textColour & 0xffffff00u) | alpha);
}

void drawLargeText(
    SDL_Surface* screen, const std::string& line, int cx, int y, int factor, Uint32 colour)
{
    // The text is written once at its own size, then each of its lit pixels
    // is drawn as a block: twice, the shadow first.
    SDL_Surface* small = SDL_CreateRGBSurface(
        SDL_SWSURFACE, std::max(1, textWidth(line)), glyphSize, 32, 0xff0000, 0xff00, 0xff, 0);
    if (!small)
        return;
    SDL_FillRect(small, nullptr, 0);
    text(small, 0, 0, line, 0xffffffff);
    const int left = cx - small->w * factor / 2;
    const int shadow = std::max(1, factor / 2);
    for (const auto& [ink, offset] : {std::pair<Uint32, int> {0x000000c0u, shadow}, {colour, 0}})
        for (int row = 0; row < small->h; ++row)
            for (int column = 0; column < small->w; ++column) {
                const Uint32* pixels = static_cast<const Uint32*>(small->pixels);
                if (pixels[row * small->pitch / 4 + column] == 0)
                    continue;
                const int x = left + column * factor + offset, top = y + row * factor + offset;
                boxColor(screen, static_cast<Sint16>(x), static_cast<Sint16>(top),
                    static_cast<Sint16>(x + factor - 1), static_cast<Sint16>(top + factor - 1),
                    ink);
            }
    SDL_FreeSurface(small);
}

void drawPauseScreen(
    SDL_Surface* screen, SDL_Surface* lastFrame, const std::vector<std::string>& lines)
{
    if (lastFrame)
        SDL_BlitSurface(lastFrame, nullptr, screen, nullptr);
    darkBox(screen, 0, 0, pictureWidth - 1, pictureHeight - 1, veilAlpha);
    drawLargeText(screen, "PAUSED", pictureWidth / 2, 90, 6, pausedColour);
    int y = 190;
    for (const std::string& line : lines) {
        const bool heading = !line.empty() && line[0] == '#';
        const std::string shown = heading ? line.substr(1) : line;
        if (heading)
            y += lineHeight / 2;
        text(screen, (pictureWidth - textWidth(shown)) / 2, y, shown,
            heading ? headingColour : textColour);
        y += lineHeight;
    }
}

void drawCornerNote(SDL_Surface* screen, const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    const int count = static_cast<int>(lines.size());
    const int top = pictureHeight - 12 - count * lineHeight;
    darkBox(screen, 8, top - 8, hudLeft - 12, pictureHeight - 8, 190);
    for (int i = 0; i < count; ++i)
        text(screen, 16, top + i * lineHeight,
            lines[static_cast<size_t>(i)].substr(0, cornerNoteWidth), textColour);
}

} // namespace tether
