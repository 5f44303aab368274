// The event queue.
#include "world/events.h"

#include "world/stats.h"

namespace tether {

EventQueue worldEvents;

void raiseEvent(const WorldEvent& event)
{
    if (worldEvents.count >= eventCapacity) {
        ++worldEvents.dropped;
        return;
    }
    worldEvents.events[worldEvents.count++] = event;
}

void raiseSound(Sound sound, float dx, float dy, float dist, float amount)
{
    WorldEvent event {};
    event.kind = EventKind::sound;
    event.step = levelStats.gameTime;
    event.sound = sound;
    event.amount = amount;
    event.dx = dx;
    event.dy = dy;
    event.dist = dist;
    raiseEvent(event);
}

void clearEvents()
{
    worldEvents.count = 0;
    worldEvents.dropped = 0;
}

} // namespace tether
