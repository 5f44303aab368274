#include "content/tuning.h"
#include "main/frame.h"
#include "support/world_fixture.h"
#include "world/spring.h"
#include "world/wrap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace tether;

// A busy little world run through the whole step sequence: the same start
// must always give the same world, bit for bit.
class WholeWorld : public WorldTest {
protected:
    std::vector<Uint8> keys = std::vector<Uint8>(SDLK_LAST, 0);
    float savedThrust[enemyClassCount] = {};
    float savedMaxSpeed = 0;

    void SetUp() override
    {
        WorldTest::SetUp();
        std::copy(std::begin(enMaxThrust), std::end(enMaxThrust), savedThrust);
        for (int i = 0; i < enemyClassCount; ++i)
            enMaxThrust[i] = 0.05f + 0.01f * i;
        savedMaxSpeed = shipMaxSpeed;
        shipMaxSpeed = 0.6f;
    }
    void TearDown() override
    {
        std::copy(std::begin(savedThrust), std::end(savedThrust), enMaxThrust);
        shipMaxSpeed = savedMaxSpeed;
        WorldTest::TearDown();
    }

    static Object* add(int type, float x, float y, float radius, float mass, float health,
        std::initializer_list<std::list<Object*>*> lists)
    {
        Object* o = new Object(mass, radius, x, y, 0, 0, 0, 0, nullptr, type, 500, health);
        for (auto* list : lists)
            list->push_back(o);
        return o;
    }

    // Planets, a sun, a black hole, an enemy of every class, mines, shots of
    // every kind and three ropes, around a moving ship with its hooks.
    static void build()
    {
        std::srand(7);
        worldW = worldH = 3000;
        const auto mover = {&objects, &drawables, &dynamicMasses};
        ship = add(typeShip, 1500, 1500, 18, 100, 1000, mover);
        ship->vx = 0.05f;
        turret = new Object(1, 1, 0, 0, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
        ship->addChild(turret, 0, 0, 0, true, true, true, false);
        leftGrapHook = add(typeLeftHook, 0, 0, 8, 1, 1, mover);
        rightGrapHook = add(typeRightHook, 0, 0, 8, 1, 1, mover);
        leftHookConnector = turret->addChild(leftGrapHook, 0, 0, 0, false, false, false, false);
        rightHookConnector = turret->addChild(rightGrapHook, 0, 0, 0, false, false, false, false);

        const auto source = {&objects, &drawables, &attractingMasses};
        add(typePlanet, 1900, 1300, 90, 8e10f, 1e6f, source);
        add(typePlanet, 700, 2300, 60, 4e10f, 1e6f, source);
        add(typeSun, 600, 700, 110, 2e11f, 1e6f, source);
        add(typeBlackHole, 2450, 2350, 40, 2e11f, 1e6f, source);

        std::vector<Object*> enemies;
        for (int i = 0; i < 12; ++i) {
            Object* enemy = add(typeEnemy, 300 + 210.0f * i, 400 + 190.0f * ((i * 7) % 12), 20, 100,
                100, {&objects, &drawables, &dynamicMasses, &ennemies});
            enemy->kind = i + 1;
            enemy->vx = 0.02f * ((i % 5) - 2);
            enemy->vy = 0.015f * ((i % 3) - 1);
            enemies.push_back(enemy);
            ++numEnemies;
        }
        for (int i = 0; i < 6; ++i)
            add(typeMine, 1200 + 120.0f * i, 1950 - 80.0f * i, 24, 40, 60,
                {&objects, &drawables, &dynamicMasses, &ennemies});
        for (int i = 0; i < 30; ++i) {
            Object* shooter = enemies[i % enemies.size()];
            Object* shot
                = add(typeBullet + i % 5, shooter->x, shooter->y, 4, 1, 400.0f + 50 * i, mover);
            shot->vx = 0.3f * ((i % 7) - 3);
            shot->vy = 0.25f * ((i % 4) - 1.5f);
            shot->owner = shooter;
        }
        Object* node = add(typeRopeNode, 1450, 1600, 10, 100, 1000, mover);
        springs = {new Spring(turret, enemies[6], 1, 3), new Spring(node, enemies[7], 1, 3),
            new Spring(node, enemies[2], 1, 3)};
        leftHookGrappling = true;
    }

    // Runs 1-ms steps, removing the dead every 16 as frames do.
    void run(int steps)
    {
        for (int step = 1; step <= steps; ++step) {
            physicsStep(keys.data(), 0, 0);
            if (step % 16 == 0) {
                cleanupSprings();
                cleanup(&dynamicMasses);
                cleanup(&drawables);
                cleanup(&ennemies);
                cleanup(&objects);
            }
        }
    }

    static void mix(uint64_t& hash, const void* data, size_t size)
    {
        for (size_t i = 0; i < size; ++i)
            hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211ull;
    }

    static uint64_t worldHash()
    {
        uint64_t hash = 14695981039346656037ull;
        for (const Object* o : objects) {
            const float values[] = {o->x, o->y, o->vx, o->vy, o->angle, o->health};
            const int ints[] = {o->type, o->kind, o->reloadTimer, o->loaded, o->hooked, o->hit};
            mix(hash, values, sizeof values);
            mix(hash, ints, sizeof ints);
        }
        for (const Spring* rope : springs)
            mix(hash, &rope->restLength, sizeof rope->restLength);
        const int level[] = {numEnemies, gameOver, leftHookGrappling, rightHookGrappling};
        mix(hash, level, sizeof level);
        mix(hash, &backx, sizeof backx);
        mix(hash, &backy, sizeof backy);
        return hash;
    }
};

TEST_F(WholeWorld, TheSameStartGivesTheSameWorldAfter4000Steps)
{
    build();
    const uint64_t start = worldHash();
    run(4000);
    const uint64_t first = worldHash();
    const size_t survivors = objects.size();
    for (const Object* o : objects) {
        ASSERT_TRUE(std::isfinite(o->x) && std::isfinite(o->vx)) << o->type;
        EXPECT_LE(std::abs(o->y - ship->y), worldH / 2) << o->type;
    }

    resetWorld();
    build();
    ASSERT_EQ(worldHash(), start);
    run(4000);
    EXPECT_EQ(worldHash(), first);
    EXPECT_EQ(objects.size(), survivors);
    // And the world did live: things moved, and enemies died.
    EXPECT_NE(first, start);
    EXPECT_LT(numEnemies, 12);
}
