// The event queue.
#include "world/events.h"

#include "world/stats.h"
#include "world/world.h"

namespace tether {

void raiseEvent(World& world, const WorldEvent& event)
{
    if (world.worldEvents.count >= eventCapacity) {
        ++world.worldEvents.dropped;
        return;
    }
    world.worldEvents.events[world.worldEvents.count++] = event;
}

void raiseSound(World& world, Sound sound, float dx, float dy, float dist, float amount)
{
    WorldEvent event {};
    event.kind = EventKind::sound;
    event.step = world.levelStats.gameTime;
    event.sound = sound;
    event.amount = amount;
    event.dx = dx;
    event.dy = dy;
    event.dist = dist;
    raiseEvent(world, event);
}

void clearEvents(World& world)
{
    world.worldEvents.count = 0;
    world.worldEvents.dropped = 0;
}

} // namespace tether
