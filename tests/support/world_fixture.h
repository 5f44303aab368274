// A fixture that gives every test an empty world and leaves one behind.
#pragma once

#include "content/tuning.h"
#include "content/worldinuse.h"
#include "world/events.h"
#include "world/object.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

class WorldTest : public ::testing::Test {
protected:
    void TearDown() override { tether::clearWorld(*fresh); }

    // Empties the test's world and puts it back to its defaults.
    void resetWorld()
    {
        tether::clearWorld(*fresh);
        fresh.emplace(tether::gameTuning());
    }

    // Every test plays in a world of its own, at its defaults and with the
    // game's tuning (as the test has set it); the objects it
    // made are freed when it ends.
    std::optional<tether::World> fresh {std::in_place, tether::gameTuning()};
    tether::WorldInUse inUse {*fresh};

    // Whether the rules have stamped a hit on o.
    static bool wasHit(const tether::Object* o) { return o->lastHitStep >= 0; }

    // The events of one kind (a sound, or every ship hit) raised since the
    // queue was last cleared.
    static std::vector<tether::WorldEvent> raised(tether::Sound sound)
    {
        std::vector<tether::WorldEvent> found;
        const tether::EventQueue& queue = tether::world().worldEvents;
        for (int i = 0; i < queue.count; ++i)
            if (queue.events[i].kind == tether::EventKind::sound && queue.events[i].sound == sound)
                found.push_back(queue.events[i]);
        return found;
    }
    static std::vector<tether::WorldEvent> shipHits()
    {
        std::vector<tether::WorldEvent> found;
        const tether::EventQueue& queue = tether::world().worldEvents;
        for (int i = 0; i < queue.count; ++i)
            if (queue.events[i].kind == tether::EventKind::shipHit)
                found.push_back(queue.events[i]);
        return found;
    }

    // A plain object with the given type at (x, y), listed nowhere.
    static tether::Object* make(
        int type, float x = 0, float y = 0, float radius = 10, float mass = 1)
    {
        return new tether::Object(mass, radius, x, y, 0, 0, 0, 0, nullptr, type, 0, 100);
    }
};
