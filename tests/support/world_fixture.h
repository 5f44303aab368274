// A fixture that gives every test an empty world and leaves one behind.
#pragma once

#include "world/object.h"
#include "world/world.h"

#include <gtest/gtest.h>

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override { resetWorld(); }
    void TearDown() override { resetWorld(); }

    static void resetWorld()
    {
        tether::clearWorld();
        tether::numEnemies = 0;
        tether::gameOver = false;
        tether::difficulty = 0;
        tether::worldW = tether::worldH = 2000.0f;
        tether::backx = tether::backy = 0.0f;
        tether::leftHookExtended = tether::rightHookExtended = false;
        tether::leftHookGrappling = tether::rightHookGrappling = false;
    }

    // A plain object with the given type at (x, y), listed nowhere.
    static tether::Object* make(
        int type, float x = 0, float y = 0, float radius = 10, float mass = 1)
    {
        return new tether::Object(mass, radius, x, y, 0, 0, 0, 0, nullptr, type, 0, 100);
    }
};
