// A fixture that gives every test an empty world and leaves one behind.
#pragma once

#include "world/events.h"
#include "world/object.h"
#include "world/simmath.h"
#include "world/stats.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <vector>

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override { resetWorld(); }
    void TearDown() override { resetWorld(); }

    static void resetWorld()
    {
        tether::clearWorld();
        tether::numEnemies = 0;
        tether::gameOver = false;
        tether::chosenShip = 0;
        tether::worldW = tether::worldH = 2000.0f;
        tether::backx = tether::backy = 0.0f;
        tether::leftHookExtended = tether::rightHookExtended = false;
        tether::leftHookGrappling = tether::rightHookGrappling = false;
        tether::leftHookRetracting = tether::rightHookRetracting = false;
        tether::levelStats = tether::LevelStats {};
        tether::levelMath = tether::MathFlavour::own;
        tether::clearEvents();
    }

    // Whether the rules have stamped a hit on o.
    static bool wasHit(const tether::Object* o) { return o->lastHitStep >= 0; }

    // The events of one kind (a sound, or every ship hit) raised since the
    // queue was last cleared.
    static std::vector<tether::WorldEvent> raised(tether::Sound sound)
    {
        std::vector<tether::WorldEvent> found;
        for (int i = 0; i < tether::worldEvents.count; ++i)
            if (tether::worldEvents.events[i].kind == tether::EventKind::sound
                && tether::worldEvents.events[i].sound == sound)
                found.push_back(tether::worldEvents.events[i]);
        return found;
    }
    static std::vector<tether::WorldEvent> shipHits()
    {
        std::vector<tether::WorldEvent> found;
        for (int i = 0; i < tether::worldEvents.count; ++i)
            if (tether::worldEvents.events[i].kind == tether::EventKind::shipHit)
                found.push_back(tether::worldEvents.events[i]);
        return found;
    }

    // A plain object with the given type at (x, y), listed nowhere.
    static tether::Object* make(
        int type, float x = 0, float y = 0, float radius = 10, float mass = 1)
    {
        return new tether::Object(mass, radius, x, y, 0, 0, 0, 0, nullptr, type, 0, 100);
    }
};
