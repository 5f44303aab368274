#include "screens/hints.h"
#include "content/worldinuse.h"

#include "render/canvas.h"
#include "render/coords.h"
#include "render/damage.h"
#include "render/overlay.h"
#include "world/kinds.h"
#include "world/object.h"
#include "world/stats.h"
#include "world/world.h"

#include <cmath>

namespace tether {

namespace {

// What a map teaches beyond its goal, and whether the sun is its weapon.
struct Lesson {
    const char* map;
    const char* how;
    const char* again; // after half a minute with no enemy dead
};
constexpr Lesson lessons[] = {
    {"first_contact", "Hook a drone (left button), then swing it into the sun",
        "The sun is your weapon: hook a drone and swing it in"},
};
constexpr const char* goal = "Destroy every enemy ship";

bool shown = false;
const Lesson* lesson = nullptr;

constexpr int goalY = 190, howY = 206; // above the ship, clear of the top's notices
constexpr Uint32 arrowColour = 0xffd860ff, arrowOutline = 0x000000ff;
constexpr float arrowFromShip = 44.0f; // pixels from the ship's centre to the arrow's base
constexpr float arrowLength = 30.0f, arrowHalfWidth = 10.0f;

int alphaAt(long long ms, long long shownMs)
{
    if (ms <= shownMs)
        return 255;
    if (ms >= shownMs + goalFadeMs)
        return 0;
    return static_cast<int>(255 * (shownMs + goalFadeMs - ms) / goalFadeMs);
}

int enemiesDestroyed()
{
    int count = 0;
    for (int n : world().levelStats.enemiesDestroyed)
        count += n;
    return count;
}

const Object* nearestSun(const Object& ship)
{
    const Object* nearest = nullptr;
    float best = 0;
    for (const Object* body : world().attractingMasses) {
        if (body->type != typeSun)
            continue;
        const float d = std::hypot(body->x - ship.x, body->y - ship.y);
        if (!nearest || d < best) {
            nearest = body;
            best = d;
        }
    }
    return nearest;
}

// An arrow beside the ship pointing at the sun, and one at the screen's
// edge while the sun is off screen.
void pointAtSun(Canvas& canvas, const Object& ship, const Object& sun, int cameraX, int cameraY)
{
    const float dx = sun.x - ship.x, dy = sun.y - ship.y;
    const float d = std::hypot(dx, dy);
    if (!(d > sun.radius + arrowFromShip + arrowLength))
        return;
    const float ux = dx / d, uy = dy / d;
    const float sx = ship.x - static_cast<float>(cameraX),
                sy = ship.y - static_cast<float>(cameraY);
    const float baseX = sx + ux * arrowFromShip, baseY = sy + uy * arrowFromShip;
    const float tipX = baseX + ux * arrowLength, tipY = baseY + uy * arrowLength;
    const int x2 = toSint16(baseX - uy * arrowHalfWidth),
              y2 = toSint16(baseY + ux * arrowHalfWidth);
    const int x3 = toSint16(baseX + uy * arrowHalfWidth),
              y3 = toSint16(baseY - ux * arrowHalfWidth);
    canvas.filledTriangle(toSint16(tipX), toSint16(tipY), x2, y2, x3, y3, arrowColour);
    canvas.triangle(toSint16(tipX), toSint16(tipY), x2, y2, x3, y3, arrowOutline);
    const float onScreenX = sun.x - static_cast<float>(cameraX);
    const float onScreenY = sun.y - static_cast<float>(cameraY);
    if (onScreenX + sun.radius < 0 || onScreenY + sun.radius < 0
        || onScreenX - sun.radius >= static_cast<float>(canvas.width())
        || onScreenY - sun.radius >= static_cast<float>(canvas.height()))
        drawEdgeArrow(canvas, sx, sy, ux, uy, 1.5f, arrowColour, arrowOutline);
}

} // namespace

void prepareHints(const std::string& map, bool wonBefore)
{
    shown = !wonBefore;
    lesson = nullptr;
    for (const Lesson& l : lessons)
        if (map == l.map)
            lesson = &l;
}

void withholdHints()
{
    shown = false;
}

void drawHints(Canvas& canvas, int cameraX, int cameraY)
{
    const Object* ship = world().ship;
    if (!shown || !ship || ship->type != typeShip)
        return;
    const long long now = world().levelStats.gameTime;
    if (const int alpha = alphaAt(now, goalShownMs); alpha > 0) {
        drawHint(canvas, goal, goalY, static_cast<Uint8>(alpha));
        if (lesson)
            drawHint(canvas, lesson->how, howY, static_cast<Uint8>(alpha));
        return;
    }
    if (!lesson || now < weaponHintFromMs || enemiesDestroyed() > 0)
        return;
    const int alpha = alphaAt(now - weaponHintFromMs, weaponHintShownMs);
    if (alpha <= 0)
        return;
    drawHint(canvas, lesson->again, goalY, static_cast<Uint8>(alpha));
    if (const Object* sun = nearestSun(*ship); sun && alpha == 255)
        pointAtSun(canvas, *ship, *sun, cameraX, cameraY);
}

} // namespace tether
