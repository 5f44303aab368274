// Panel, digits and radar. Everything here sits at fixed pixels of the
// 800 by 600 screen; nothing depends on the camera.
#include "render/hud.h"
#include "content/worldinuse.h"

#include "content/assets.h"
#include "render/coords.h"
#include "render/sdlcanvas.h"
#include "world/object.h"
#include "world/panel.h"
#include "world/world.h"

#include <cmath>
#include <cstdint>

namespace tether {

namespace {

constexpr int panelX = panelLeft, panelY = panelTop;
constexpr int enemiesX = 445, enemiesY = 545;
constexpr int healthX = 445, healthY = 420;
constexpr int radarX = 595, radarY = 395; // top-left of the radar image

constexpr Uint32 radarGreen = 0x00ff00ff;
constexpr Uint32 radarRed = 0xff0000ff;
constexpr Uint32 radarYellow = 0xffff00ff;
constexpr Sint16 rimMarkRadius = 5; // an enemy beyond the radar's range

void blitAt(SDL_Surface* image, Canvas& canvas, int x, int y)
{
    canvas.blit(pictureOf(image), static_cast<Sint16>(x), static_cast<Sint16>(y));
}

// The health shown: truncated toward zero; a value no int can hold shows 0.
int shownHealth(const Object& ship)
{
    // The explosion's health is its clock; a ship lost in a black hole
    // keeps its health in the rules, but it is gone.
    if (ship.type == typeExploding || world().gameOver)
        return 0;
    if (!(ship.health > INT_MIN && ship.health < INT_MAX))
        return 0;
    return static_cast<int>(ship.health);
}

} // namespace

void drawNumber(Canvas& canvas, int x, int y, int n)
{
    // The place value of the first digit; 64 bits so that the step past
    // the largest int cannot overflow.
    int64_t place = 1;
    while (place <= n)
        place *= 10;
    if (n != 0)
        place /= 10;
    for (; place > 0; place /= 10) {
        SDL_Surface* digit = digits[(n / place) % 10];
        if (!digit)
            continue; // a missing digit image takes no room
        blitAt(digit, canvas, x, y);
        x += digit->w;
    }
}

#ifndef TETHER_NO_SDL_GFX
void drawNumber(SDL_Surface* screen, int x, int y, int n)
{
    SdlCanvas canvas(screen);
    drawNumber(canvas, x, y, n);
}
#endif

void drawRadarMark(Canvas& canvas, const Object& object, float shipX, float shipY)
{
    Uint32 colour;
    Sint16 size;
    bool filled = true;
    switch (object.type) {
    case typeBlackHole: colour = radarGreen, size = 3, filled = false; break;
    case typePlanet:
    case typeSun: colour = radarGreen, size = 3; break;
    case typeEnemy: colour = radarRed, size = 3; break;
    case typeRopeNode:
    case typeMine: colour = radarYellow, size = 1; break;
    case typeBullet:
    case typeLightning:
    case typeShredder:
    case typeRail:
    case typeBfg: colour = radarRed, size = 1; break;
    default: // the ship, its hooks, turrets, and everything not alive
        return;
    }

    // The world wrap keeps everything within half a world of the ship, so
    // plain differences are the short way.
    const float x = object.x, y = object.y;
    const float dx = x - shipX, dy = y - shipY;
    const float dist = std::sqrt((shipX - x) * (shipX - x) + (shipY - y) * (shipY - y));
    if (dist < radarRange) {
        const Sint16 mx = toSint16(radarCentreX + dx / radarScale);
        const Sint16 my = toSint16(radarCentreY + dy / radarScale);
        if (filled)
            canvas.disc(mx, my, size, colour);
        else
            canvas.ring(mx, my, size, colour);
        return;
    }
    // Enemies out of range stay on the rim, on their bearing from the ship.
    if (object.type != typeEnemy)
        return;
    const double bearing = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
    canvas.disc(toSint16(radarCentreX + radarRadius * std::cos(bearing)),
        toSint16(radarCentreY + radarRadius * std::sin(bearing)), rimMarkRadius, colour);
}

#ifndef TETHER_NO_SDL_GFX
void drawRadarMark(SDL_Surface* screen, const Object& object, float shipX, float shipY)
{
    SdlCanvas canvas(screen);
    drawRadarMark(canvas, object, shipX, shipY);
}
#endif

void drawHud(Canvas& canvas)
{
    World& world = tether::world();
    if (!world.ship)
        return;
    blitAt(hudImage, canvas, panelX, panelY);
    drawNumber(canvas, enemiesX, enemiesY, world.numEnemies);
    drawNumber(canvas, healthX, healthY, shownHealth(*world.ship));
    blitAt(radarImage, canvas, radarX, radarY);
    // Black holes and rope nodes first, so that what lives and shoots is
    // marked over them.
    for (RadarMark pass : {RadarMark::under, RadarMark::over}) {
        for (Object* object : world.drawables) {
            if (traitsOf(object->type).radar == pass)
                drawRadarMark(canvas, *object, world.ship->x, world.ship->y);
        }
    }
}

#ifndef TETHER_NO_SDL_GFX
void drawHud(SDL_Surface* screen)
{
    SdlCanvas canvas(screen);
    drawHud(canvas);
}
#endif

} // namespace tether
