// The ghost's looks: a pale, see-through copy of its ship's image, made
// once per ship, turned like the ship; faint lines for what it holds.
#include "render/ghost.h"

#include "render/canvas.h"
#include "render/coords.h"
#include "render/sdlpicture.h"
#include "world/object.h"
#include "world/spring.h"
#include "world/world.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

namespace tether {

namespace {

constexpr int shipCount = 3;
// The ghost is the ship's shape washed halfway to a pale blue, at 45% of
// its opacity: seen, never taken for a thing that can hit.
constexpr Uint8 ghostRed = 0x90, ghostGreen = 0xd8, ghostBlue = 0xff;
constexpr int ghostOpacityPercent = 45;
constexpr uint32_t ghostLineColour = 0x90d8ff60; // hooks and ropes
constexpr uint32_t raceTextColour = 0x90d8ffff;
constexpr int hookRingRadius = 4;
constexpr int panelTop = 395; // the HUD panel's top edge
constexpr int textRight = 795;

SDL_Surface* ghostLooks[shipCount] = {};
bool ghostLookTried[shipCount] = {};

Uint8 washed(Uint8 value, Uint8 tint)
{
    return static_cast<Uint8>((value + tint) / 2);
}

// The ghost's copy of sprites/ship<ship>.png, made the first time it is
// asked for; null when the image cannot be read. The image is read as
// drawing reads any (its colour key and alpha folded in), and the copy is
// written byte by byte in the order red, green, blue, alpha, which the
// browser's SDL keeps whatever masks it is given, locked while written so
// that the browser's SDL takes the pixels.
SDL_Surface* ghostLook(int ship)
{
    if (ship < 1 || ship > shipCount)
        return nullptr;
    if (ghostLookTried[ship - 1])
        return ghostLooks[ship - 1];
    ghostLookTried[ship - 1] = true;
    char path[32];
    std::snprintf(path, sizeof path, "sprites/ship%d.png", ship);
    SDL_Surface* loaded = IMG_Load(path);
    PixelImage pixels;
    const bool read = loaded && readPicture(pictureOf(loaded), pixels);
    SDL_FreeSurface(loaded);
    if (!read)
        return nullptr;
    SDL_Surface* look = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, pixels.w, pixels.h, 32,
        0x000000ff, 0x0000ff00, 0x00ff0000, 0xff000000);
    if (!look || SDL_LockSurface(look) != 0) {
        SDL_FreeSurface(look);
        return nullptr;
    }
    for (int y = 0; y < pixels.h; ++y) {
        Uint8* out = static_cast<Uint8*>(look->pixels) + y * look->pitch;
        for (int x = 0; x < pixels.w; ++x, out += 4) {
            const uint32_t argb = pixels.argb[static_cast<size_t>(y) * pixels.w + x];
            out[0] = washed(static_cast<Uint8>(argb >> 16), ghostRed);
            out[1] = washed(static_cast<Uint8>(argb >> 8), ghostGreen);
            out[2] = washed(static_cast<Uint8>(argb), ghostBlue);
            out[3] = static_cast<Uint8>((argb >> 24) * ghostOpacityPercent / 100);
        }
    }
    SDL_UnlockSurface(look);
    ghostLooks[ship - 1] = look;
    return look;
}

} // namespace

void drawGhost(Canvas& canvas, const World& ghost, int ship, float nearX, float nearY, int cameraX,
    int cameraY)
{
    const Object* hull = ghost.ship;
    if (!hull || hull->type != typeShip)
        return;
    // Every object of the ghost's world lies within half a world of its
    // ship: one shift puts them all by the player's ship.
    float shiftX = 0, shiftY = 0;
    if (hull->x - nearX > ghost.worldW / 2)
        shiftX = -ghost.worldW;
    else if (hull->x - nearX < -ghost.worldW / 2)
        shiftX = ghost.worldW;
    if (hull->y - nearY > ghost.worldH / 2)
        shiftY = -ghost.worldH;
    else if (hull->y - nearY < -ghost.worldH / 2)
        shiftY = ghost.worldH;
    const float dx = shiftX - static_cast<float>(cameraX),
                dy = shiftY - static_cast<float>(cameraY);
    auto sx = [&](const Object* o) { return static_cast<int>(toSint16(o->x + dx)); };
    auto sy = [&](const Object* o) { return static_cast<int>(toSint16(o->y + dy)); };

    for (const Spring* rope : ghost.springs)
        canvas.line(
            sx(rope->endA), sy(rope->endA), sx(rope->endB), sy(rope->endB), ghostLineColour);
    for (const Object* hook : {ghost.leftGrapHook, ghost.rightGrapHook}) {
        if (!hook || !ghost.turret)
            continue;
        const int hx = sx(hook), hy = sy(hook);
        if (hx != sx(ghost.turret) || hy != sy(ghost.turret))
            canvas.line(sx(ghost.turret), sy(ghost.turret), hx, hy, ghostLineColour);
        canvas.ring(hx, hy, hookRingRadius, ghostLineColour);
    }

    const SDL_Surface* look = ghostLook(ship);
    if (!look)
        return;
    const Picture image = hull->angle != 0.0f ? canvas.turned(pictureOf(look), hull->angle)
                                              : canvas.display(pictureOf(look));
    if (image)
        canvas.blit(image, sx(hull) - image.w / 2, sy(hull) - image.h / 2);
}

void drawRaceLine(Canvas& canvas, const std::string& text)
{
    constexpr int cell = 8;
    const int x = textRight - cell * static_cast<int>(text.size());
    canvas.text(x, panelTop - cell - 4, text.c_str(), raceTextColour);
}

} // namespace tether
