// The world the program plays now: maps are built into it, the screens step
// it, drawing reads it. The rules themselves never reach for it: each is
// given the world it acts on (world/world.h), so several worlds can live side
// by side. Which world is in use is kept per thread: a test steps two levels
// in turn, a worker thread of the simulator plays its runs in its own.
#pragma once

#include "world/world.h"

namespace tether {

// None until the program (or a test, a tool, a worker thread) puts one in
// use. (Constant-initialised where it is declared, so that reaching it costs
// no check of whether this thread has initialised it yet.)
inline World*& worldInUse()
{
    static thread_local World* inUse = nullptr;
    return inUse;
}
inline World& world()
{
    return *worldInUse();
}
// The numbers the world in use plays by.
inline const Tuning& tuning()
{
    return world().tuning;
}

// Puts a world in use on this thread for its own lifetime, then the one
// before it back.
class WorldInUse {
public:
    explicit WorldInUse(World& w)
        : before(worldInUse())
    {
        worldInUse() = &w;
    }
    ~WorldInUse() { worldInUse() = before; }
    WorldInUse(const WorldInUse&) = delete;
    WorldInUse& operator=(const WorldInUse&) = delete;

private:
    World* before;
};

} // namespace tether
