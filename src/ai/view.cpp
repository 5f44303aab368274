// Building the player's view from the world: what the screen and the HUD
// show of it this frame.
#include "ai/view.h"

#include "world/object.h"
#include "world/panel.h"
#include "world/simmath.h"
#include "world/spring.h"
#include "world/stats.h"
#include "world/world.h"

#include <cmath>

namespace tether {

namespace {

// What the radar marks: bodies, rope nodes, enemies, mines and shots (the
// ship, its hooks, gun turrets and wrecks have no mark).
bool onRadar(int type)
{
    return traitsOf(type).radar != RadarMark::none;
}

// A radar mark sits on the pixel the offset truncates to; the eye reads
// the middle of that pixel.
float radarRead(float offset)
{
    return (std::floor(offset / radarPixel) + 0.5f) * radarPixel;
}

bool isOurRope(const World& world, const Spring* s)
{
    return world.turret && (s->endA == world.turret || s->endB == world.turret);
}

bool ropeTouches(const World& world, const Object* o, bool ours)
{
    for (const Spring* s : world.springs) {
        if ((s->endA == o || s->endB == o) && isOurRope(world, s) == ours)
            return true;
    }
    return false;
}

} // namespace

PilotView seePilotView(const World& world)
{
    PilotView view;
    view.time = world.levelStats.gameTime;
    view.shipChoice = world.chosenShip;
    view.shipX = world.ship->x;
    view.shipY = world.ship->y;
    view.shipVX = world.ship->vx;
    view.shipVY = world.ship->vy;
    view.shipAngle = world.ship->angle;
    view.shipRadius = world.ship->radius;
    view.mountX = world.turret ? world.turret->x : world.ship->x;
    view.mountY = world.turret ? world.turret->y : world.ship->y;
    view.cameraX = static_cast<int>(world.ship->x - screenHalfWidth);
    view.cameraY = static_cast<int>(world.ship->y - screenHalfHeight);
    view.health = world.ship->type == typeExploding ? 0 : static_cast<int>(world.ship->health);
    view.enemiesLeft = world.numEnemies;
    view.hooksHome = (world.leftHookExtended || world.leftHookGrappling ? 0 : 1)
        + (world.rightHookExtended || world.rightHookGrappling ? 0 : 1);
    for (const Spring* s : world.springs)
        view.ropesHeld += isOurRope(world, s) ? 1 : 0;

    for (const Object* o : world.drawables) {
        // The ship, its mount, flame and hooks, gun turrets and wrecks are
        // no news to anyone.
        if (o == world.ship || !traitsOf(o->type).newsToPilot)
            continue;
        const float dx = o->x - world.ship->x, dy = o->y - world.ship->y;
        // Seen on the screen when some of it shows beside the HUD panel.
        const bool onScreen = std::fabs(dx) < screenHalfWidth + o->radius
            && std::fabs(dy) < screenHalfHeight + o->radius
            && !underPanel(screenHalfWidth + dx - o->radius, screenHalfHeight + dy - o->radius);
        const bool inReach = std::sqrt(dx * dx + dy * dy) < radarReach;
        if (!onScreen && !(onRadar(o->type) && inReach)) {
            if (o->type == typeEnemy && !inReach)
                view.farEnemyBearings.push_back(simAtan2(world.levelMath, dy, dx));
            continue;
        }
        Sighting seen;
        seen.id = reinterpret_cast<uintptr_t>(o);
        seen.type = o->type;
        seen.kind = o->type == typeEnemy ? o->kind : -1;
        seen.x = world.ship->x + (onScreen ? dx : radarRead(dx));
        seen.y = world.ship->y + (onScreen ? dy : radarRead(dy));
        seen.vx = o->vx;
        seen.vy = o->vy;
        seen.radius = o->radius;
        seen.onScreen = onScreen;
        seen.onOurRope = ropeTouches(world, o, true);
        seen.tied = ropeTouches(world, o, false);
        view.things.push_back(seen);
    }
    return view;
}

} // namespace tether
