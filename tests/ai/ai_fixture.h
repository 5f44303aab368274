// An empty world with a target ship, distinct shot images and a thrust for
// every enemy class, for running AIUpdate in isolation.
#pragma once

#include "ai/ai.h"
#include "content/assets.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "support/world_fixture.h"
#include "world/world.h"

#include <algorithm>
#include <iterator>
#include <vector>

class AITest : public WorldTest {
protected:
    tether::Object* target = nullptr;

    void SetUp() override
    {
        WorldTest::SetUp();
        target = make(tether::typeShip, 0, 0);
        tether::world().objects.push_back(target);
        saved = {tether::nullSprite, tether::shredder, tether::bfgshot};
        tether::nullSprite = SDL_CreateRGBSurface(0, 4, 4, 32, 0, 0, 0, 0);
        tether::shredder = SDL_CreateRGBSurface(0, 30, 30, 32, 0, 0, 0, 0);
        tether::bfgshot = SDL_CreateRGBSurface(0, 80, 80, 32, 0, 0, 0, 0);
        std::copy(std::begin(tether::writableTuning().enMaxThrust),
            std::end(tether::writableTuning().enMaxThrust), savedThrust);
        std::copy(std::begin(tether::writableTuning().enMaxSpeed),
            std::end(tether::writableTuning().enMaxSpeed), savedSpeed);
        for (int i = 0; i < tether::enemyClassCount; ++i) {
            tether::writableTuning().enMaxThrust[i] = 10.0f * (i + 1);
            tether::writableTuning().enMaxSpeed[i] = 0; // no top speed
        }
    }
    void TearDown() override
    {
        SDL_FreeSurface(tether::nullSprite);
        SDL_FreeSurface(tether::shredder);
        SDL_FreeSurface(tether::bfgshot);
        tether::nullSprite = saved[0];
        tether::shredder = saved[1];
        tether::bfgshot = saved[2];
        std::copy(
            std::begin(savedThrust), std::end(savedThrust), tether::writableTuning().enMaxThrust);
        std::copy(
            std::begin(savedSpeed), std::end(savedSpeed), tether::writableTuning().enMaxSpeed);
        WorldTest::TearDown();
    }

    // An enemy of class kind (or a mine, for typeMine), listed as the map
    // loader lists it.
    tether::Object* enemy(
        int kind, float x, float y, float angle = 0, float mass = 100, int type = tether::typeEnemy)
    {
        auto* e = new tether::Object(mass, 20, x, y, 0, 0, angle, 0, nullptr, type, 300, 100);
        e->kind = kind;
        for (auto* list : {&tether::world().objects, &tether::world().dynamicMasses,
                 &tether::world().drawables, &tether::world().enemies})
            list->push_back(e);
        return e;
    }

    // Runs one step of e and returns the shots it appended, after checking
    // that they stand at the end of the three shot registries in the same
    // order and that enemies did not grow.
    std::vector<tether::Object*> step(tether::Object* e)
    {
        const size_t moving = tether::world().dynamicMasses.size(),
                     drawn = tether::world().drawables.size();
        const size_t owned = tether::world().objects.size(),
                     hostile = tether::world().enemies.size();
        tether::AIUpdate(tether::world(), e, target);
        std::vector<tether::Object*> shots(
            std::next(tether::world().objects.begin(), long(owned)), tether::world().objects.end());
        EXPECT_EQ(tail(tether::world().dynamicMasses, moving), shots);
        EXPECT_EQ(tail(tether::world().drawables, drawn), shots);
        EXPECT_EQ(tether::world().enemies.size(), hostile);
        return shots;
    }

    static std::vector<tether::Object*> tail(const std::list<tether::Object*>& list, size_t from)
    {
        return {std::next(list.begin(), long(from)), list.end()};
    }

private:
    std::vector<SDL_Surface*> saved;
    float savedThrust[tether::enemyClassCount] = {};
    float savedSpeed[tether::enemyClassCount] = {};
};
