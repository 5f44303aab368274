// The ship's course followed forward under the bodies' pull: a copy of the
// motion's gravity law (world/motion.cpp) on a coarser step, for the eye.
// Square roots only (exact in IEEE arithmetic), so that the simulator's
// measure of the warnings is the same on every machine.
#include "ai/hazards.h"

#include "world/kinds.h"
#include "world/motion.h"
#include "world/object.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>

namespace tether {

namespace {

constexpr int courseStepMs = 10;

bool isHazard(const Object& body)
{
    return body.type == typeSun || body.type == typeBlackHole;
}

} // namespace

HazardView foreseeHazards(const World& world)
{
    HazardView view;
    const Object* ship = world.ship;
    if (!ship || ship->type != typeShip)
        return view;
    const std::vector<const Object*> bodies(
        world.attractingMasses.begin(), world.attractingMasses.end());

    // The course: positions relative to the ship's start, so that each
    // body's offset is the plain difference the world wrap keeps small.
    double x = 0, y = 0, vx = ship->vx, vy = ship->vy;
    const double maxSpeed = world.tuning.shipMaxSpeed;
    for (int t = courseStepMs; t <= hazardLookaheadMs && !view.contactBody; t += courseStepMs) {
        double ax = 0, ay = 0;
        for (const Object* body : bodies) {
            const double dx = body->x - ship->x - x, dy = body->y - ship->y - y;
            const double r2 = dx * dx + dy * dy;
            if (r2 == 0.0)
                continue;
            const double r = std::sqrt(r2);
            const double pull = static_cast<double>(body->mass) * gravityConstant
                / std::max(r2, static_cast<double>(body->radius) * body->radius);
            ax += dx / r * pull;
            ay += dy / r * pull;
        }
        vx += ax * courseStepMs;
        vy += ay * courseStepMs;
        const double speed = std::sqrt(vx * vx + vy * vy);
        if (speed > maxSpeed && maxSpeed > 0) {
            vx *= maxSpeed / speed;
            vy *= maxSpeed / speed;
        }
        x += vx * courseStepMs;
        y += vy * courseStepMs;
        for (const Object* body : bodies) {
            if (!isHazard(*body))
                continue;
            const double dx = body->x - ship->x - x, dy = body->y - ship->y - y;
            if (std::sqrt(dx * dx + dy * dy) < body->radius + ship->radius + hazardGraze) {
                view.contactMs = t;
                view.contactBody = body;
                break;
            }
        }
    }
    for (const Object* body : bodies) {
        if (!isHazard(*body))
            continue;
        const float dx = body->x - ship->x, dy = body->y - ship->y;
        const float gap = std::sqrt(dx * dx + dy * dy) - body->radius - ship->radius;
        if (gap < view.closestGap) {
            view.closestGap = gap;
            view.closestBody = body;
        }
        const bool onCourse = body == view.contactBody;
        if (gap < hazardReach || onCourse)
            view.inReach.push_back({body, dx, dy, gap, onCourse ? view.contactMs : -1});
    }
    return view;
}

} // namespace tether
