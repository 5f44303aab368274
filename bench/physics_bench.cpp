// Cost of one 1-ms physics step over worlds of growing size: enemies, mines
// and shots spread over a 20000 x 20000 world around the ship, pulled by ten
// gravity sources. A step must stay far below a millisecond of real time.
#include "content/worldinuse.h"
#include "screens/session.h"
#include "world/connector.h"
#include "world/events.h"
#include "world/object.h"
#include "world/world.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <random>
#include <vector>

using namespace tether;

namespace {

Object* add(int type, float x, float y, float radius, float mass, float health,
    std::initializer_list<std::list<Object*>*> lists)
{
    Object* o = new Object(mass, radius, x, y, 0, 0, 0, 0, nullptr, type, 500, health);
    for (auto* list : lists)
        list->push_back(o);
    return o;
}

void buildWorld(int movers)
{
    clearWorld(world());
    world().numEnemies = 0;
    world().gameOver = false;
    world().worldW = world().worldH = 20000;
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> place(0, 20000);
    std::uniform_real_distribution<float> speed(-0.1f, 0.1f);

    world().ship = add(typeShip, 10000, 10000, 18, 100, 1e9f,
        {&world().objects, &world().drawables, &world().dynamicMasses});
    world().turret = new Object(1, 1, 0, 0, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
    world().ship->addChild(world(), world().turret, 0, 0, 0, true, true, true, false);
    world().leftGrapHook = add(typeLeftHook, 0, 0, 8, 1, 1,
        {&world().objects, &world().drawables, &world().dynamicMasses});
    world().rightGrapHook = add(typeRightHook, 0, 0, 8, 1, 1,
        {&world().objects, &world().drawables, &world().dynamicMasses});
    world().leftHookConnector = world().turret->addChild(
        world(), world().leftGrapHook, 0, 0, 0, false, false, false, false);
    world().rightHookConnector = world().turret->addChild(
        world(), world().rightGrapHook, 0, 0, 0, false, false, false, false);

    for (int i = 0; i < 10; ++i) {
        const int type = i < 6 ? typePlanet : i < 8 ? typeSun : typeBlackHole;
        add(type, place(random), place(random), 60 + 10.0f * i, 5e10f, 1e6f,
            {&world().objects, &world().drawables, &world().attractingMasses});
    }
    std::vector<Object*> shooters;
    for (int i = 0; i < movers; ++i) {
        Object* o;
        switch (i % 3) {
        case 0:
            o = add(typeEnemy, place(random), place(random), 20, 100, 100,
                {&world().objects, &world().drawables, &world().dynamicMasses, &world().enemies});
            shooters.push_back(o);
            ++world().numEnemies;
            break;
        case 1:
            o = add(typeMine, place(random), place(random), 24, 40, 60,
                {&world().objects, &world().drawables, &world().dynamicMasses, &world().enemies});
            break;
        default:
            o = add(typeBullet, place(random), place(random), 4, 1, 1e9f,
                {&world().objects, &world().drawables, &world().dynamicMasses});
            o->owner = shooters.back();
            break;
        }
        o->vx = speed(random);
        o->vy = speed(random);
    }
}

void physicsStepBench(benchmark::State& state)
{
    const int movers = static_cast<int>(state.range(0));
    buildWorld(movers);
    const FrameInput input;
    int step = 0;
    for (auto _ : state) {
        physicsStep(world(), input);
        if (++step % 16 == 0) // the frame drains the events
            clearEvents(world());
    }
    state.SetComplexityN(movers);
    clearWorld(world());
}

} // namespace

BENCHMARK(physicsStepBench)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oNLogN);
