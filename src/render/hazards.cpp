// The hazard markers and the warning ring.
#include "render/hazards.h"
#include "content/worldinuse.h"

#include "render/canvas.h"
#include "render/coords.h"
#include "render/damage.h"
#include "world/kinds.h"
#include "world/object.h"
#include "world/panel.h"
#include "world/stats.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>

namespace tether {

namespace {

// Hot for a sun, violet-red for a black hole: both read as danger, and
// apart from the damage arrows' colours of the same causes.
constexpr Uint32 sunDanger = 0xff5020ff;
constexpr Uint32 blackHoleDanger = 0xe030ffff;
constexpr Uint32 dangerOutline = 0x000000ff;

Uint32 dangerColour(const Object& body)
{
    return body.type == typeSun ? sunDanger : blackHoleDanger;
}

// No part of the body shows: beyond the screen's edges, or hidden under
// the HUD panel.
bool offScreen(float x, float y, float radius, int width, int height)
{
    if (x + radius < 0 || y + radius < 0 || x - radius >= static_cast<float>(width)
        || y - radius >= static_cast<float>(height))
        return true;
    return underPanel(x - radius, y - radius);
}

// From the size of a damage arrow at the edge of reach to more than twice
// that as the rims meet; a course that touches within the warning's horizon
// shows it at its largest.
float markerSize(const HazardSight& sight)
{
    const float near = 1.0f - std::clamp(sight.rimGap / hazardReach, 0.0f, 1.0f);
    float size = 1.0f + 1.4f * near;
    if (sight.contactMs >= 0 && sight.contactMs <= hazardWarningMs)
        size = std::max(size, 2.4f);
    return size;
}

constexpr int ringGap = 14; // pixels beyond the ship's rim
constexpr int flashMs = 250; // the ring flashes at 2 Hz of game time

void drawWarningRing(Canvas& canvas, const HazardView& view, float shipX, float shipY)
{
    const Object& ship = *world().ship;
    const Object& body = *view.warnedBy();
    const bool bright = view.onCourseSoon() && (world().levelStats.gameTime / flashMs) % 2 == 0;
    const Uint32 colour = (dangerColour(body) & 0xffffff00u) | (bright ? 0xffu : 0x90u);
    const int r = static_cast<int>(ship.radius) + ringGap;
    for (int w = 0; w < 3; ++w)
        canvas.ring(toSint16(shipX), toSint16(shipY), toSint16(r + w), colour);
    // A notch on the ring toward the body.
    const float dx = body.x - ship.x, dy = body.y - ship.y;
    const float d = std::hypot(dx, dy);
    if (!(d > 0))
        return;
    const float ux = dx / d, uy = dy / d;
    const float out = static_cast<float>(r + 14), in = static_cast<float>(r + 2);
    canvas.filledTriangle(toSint16(shipX + ux * out), toSint16(shipY + uy * out),
        toSint16(shipX + ux * in - uy * 7), toSint16(shipY + uy * in + ux * 7),
        toSint16(shipX + ux * in + uy * 7), toSint16(shipY + uy * in - ux * 7), colour);
}

} // namespace

void drawHazards(Canvas& canvas, const HazardView& view, int cameraX, int cameraY)
{
    const Object* ship = world().ship;
    if (!ship || ship->type != typeShip)
        return;
    const float shipX = ship->x - static_cast<float>(cameraX);
    const float shipY = ship->y - static_cast<float>(cameraY);
    for (const HazardSight& sight : view.inReach) {
        const float x = shipX + sight.dx, y = shipY + sight.dy;
        const float d = std::hypot(sight.dx, sight.dy);
        if (!(d > 0) || !offScreen(x, y, sight.body->radius, canvas.width(), canvas.height()))
            continue;
        drawEdgeArrow(canvas, shipX, shipY, sight.dx / d, sight.dy / d, markerSize(sight),
            dangerColour(*sight.body), dangerOutline);
    }
    if (view.warn())
        drawWarningRing(canvas, view, shipX, shipY);
}

} // namespace tether
