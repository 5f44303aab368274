// A level stepped from plain C++, as the headless simulator, a bot and
// replays do: what the world counts and tells of a little scripted scene,
// and a whole level that unfolds the same without a window as in one.
#include "content/assets.h"
#include "content/maps.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/audio.h"
#include "screens/frame.h"
#include "screens/session.h"
#include "support/child.h"
#include "support/world_fixture.h"
#include "world/connector.h"
#include "world/hash.h"
#include "world/spring.h"
#include "world/world.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using namespace tether;

// The ship of the second kind at rest at (1000, 1000) with its mount 22
// behind it, a sun, and enemies that do not steer (they are in no AI list),
// so that only the script moves things.
class LevelRecord : public WorldTest {
protected:
    std::vector<std::pair<float*, float>> saved;
    Object* sun = nullptr;

    void SetUp() override
    {
        WorldTest::SetUp();
        for (auto [value, tuned] : std::vector<std::pair<float*, float>> {
                 {&writableTuning().shipMass, 100}, {&writableTuning().shipRadius, 18},
                 {&writableTuning().shipMaxSpeed, 1}, {&writableTuning().shipMaxThrust, 0.05f},
                 {&writableTuning().grapMass, 1}, {&writableTuning().grapRadius, 8},
                 {&writableTuning().grapSpeed, 3}, {&writableTuning().grapMaxDistance, 450},
                 {&writableTuning().nodeRadius, 10}, {&world().spawnX, 1000},
                 {&world().spawnY, 1000}, {&world().spawnVX, 0}, {&world().spawnVY, 0}})
            saved.push_back({value, std::exchange(*value, tuned)});
        world().worldW = world().worldH = 4000;
        world().chosenShip = 1;
        assembleShip();
        resetLevel(world(), 3);
        sun = add(typeSun, 3000, 3000, 50, 1);
        world().attractingMasses.push_back(sun);
    }
    void TearDown() override
    {
        for (auto [value, old] : saved)
            *value = old;
        WorldTest::TearDown();
    }

    Object* add(int type, float x, float y, float radius, float mass = 100)
    {
        Object* o = new Object(mass, radius, x, y, 0, 0, 0, 0, nullptr, type, 0, 100);
        world().objects.push_back(o);
        if (type != typeSun)
            world().dynamicMasses.push_back(o);
        if (type == typeEnemy) {
            o->kind = 10; // every enemy has a class
            ++world().numEnemies;
        }
        return o;
    }

    static FrameInput pointingAt(const Object* target, std::vector<Click> clicks = {})
    {
        FrameInput input;
        input.pointerX = target->x;
        input.pointerY = target->y;
        input.clicks = std::move(clicks);
        return input;
    }

    // Aims at target for a frame (an idle hook follows the pointer during
    // steps), fires, and runs frames until it is caught.
    void hookAndCatch(Object* target)
    {
        simulateFrame(world(), pointingAt(target), 1);
        simulateFrame(world(), pointingAt(target, {Click::fireHook}), 10);
        EXPECT_EQ(raised(Sound::leftHookLaunch).size() + raised(Sound::rightHookLaunch).size(), 1u);
        for (int frame = 0; frame < 50 && !target->hooked; ++frame)
            simulateFrame(world(), pointingAt(target), 10);
        ASSERT_TRUE(target->hooked);
    }

    // Runs one frame of steps and returns its ship-hit events.
    static std::vector<WorldEvent> frameHits(int steps)
    {
        simulateFrame(world(), FrameInput {}, steps);
        return shipHits();
    }
};

TEST_F(LevelRecord, AScriptedSceneIsCountedAndToldAsItHappened)
{
    Object* shooter = add(typeEnemy, 1000, 1600, 20);
    shooter->kind = 10;
    Object* first = add(typeEnemy, 1200, 1000, 20);
    Object* second = add(typeEnemy, 1000, 1250, 20);
    Object* third = add(typeEnemy, 800, 1000, 20);

    // Both hooks catch, a tie-off lets both go, and the first is then
    // pushed into the sun: slung, though no longer on our rope.
    hookAndCatch(first);
    hookAndCatch(second);
    EXPECT_TRUE(world().leftHookGrappling && world().rightHookGrappling);
    simulateFrame(world(), FrameInput {{}, 0, 0, {Click::tieOff}}, 1);
    EXPECT_FALSE(first->hooked || second->hooked);
    sun->x = first->x + 60;
    sun->y = first->y;
    simulateFrame(world(), FrameInput {}, 5);
    EXPECT_EQ(first->type, typeExploding);
    const auto boom = raised(Sound::explosion);
    ASSERT_EQ(boom.size(), 1u);
    EXPECT_NEAR(boom[0].dx, first->x - world().ship->x, 1.0f);
    EXPECT_EQ(world().levelStats.enemiesDestroyed[causeSun], 1);
    EXPECT_EQ(world().levelStats.slings, 1);

    // The second dies to a shot more than three seconds after it was let
    // go: not a sling.
    for (int frame = 0; frame < 31; ++frame)
        simulateFrame(world(), FrameInput {}, 100);
    Object* rail = add(typeRail, second->x + 10, second->y, 3, 1);
    rail->health = 50;
    rail->owner = shooter;
    simulateFrame(world(), FrameInput {}, 2);
    EXPECT_EQ(second->type, typeExploding);
    EXPECT_EQ(world().levelStats.enemiesDestroyed[causeShot], 1);
    EXPECT_EQ(world().levelStats.slings, 1);

    // The third burns while on our rope.
    hookAndCatch(third);
    sun->x = third->x - 60;
    sun->y = third->y;
    simulateFrame(world(), FrameInput {}, 3);
    EXPECT_EQ(third->type, typeExploding);
    EXPECT_EQ(world().levelStats.enemiesDestroyed[causeSun], 2);
    EXPECT_EQ(world().levelStats.slings, 2);
    EXPECT_EQ(world().levelStats.hooksFired, 3);
    EXPECT_EQ(world().levelStats.catches, 3);
    sun->x = sun->y = 3000;
    for (int frame = 0; frame < 10; ++frame) // the wreck and its rope go
        simulateFrame(world(), FrameInput {}, 100);

    // A bullet of the shooter's strikes the ship from below.
    world().ship->vx = world().ship->vy = 0;
    const float sx = world().ship->x, sy = world().ship->y;
    Object* bullet = add(typeBullet, sx, sy + 30, 3, 1);
    bullet->health = 100;
    bullet->vy = -0.5f;
    bullet->owner = shooter;
    auto hits = frameHits(30);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].cause, causeShot);
    EXPECT_EQ(hits[0].amount, 10);
    EXPECT_NEAR(hits[0].contactX, 0, 0.01f); // on the rim, toward the bullet
    EXPECT_NEAR(hits[0].contactY, 18, 0.01f);
    EXPECT_NEAR(hits[0].dx, shooter->x - sx, 0.5f); // the arrow points at the shooter
    EXPECT_NEAR(hits[0].dy, shooter->y - sy, 0.5f);

    // A mine beside it, then an enemy crashing into it.
    add(typeMine, world().ship->x - 30, world().ship->y, 15, 40);
    hits = frameHits(1);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].cause, causeMine);
    EXPECT_EQ(hits[0].amount, 200);
    EXPECT_NEAR(hits[0].dx, -30, 0.5f);
    world().ship->vx = world().ship->vy = 0;
    Object* rammer = add(typeEnemy, world().ship->x + 40, world().ship->y, 10);
    rammer->health = 10000; // lives on
    rammer->vx = -0.3f;
    hits = frameHits(60);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].cause, causeCrash);
    EXPECT_GT(hits[0].amount, 50);
    ASSERT_EQ(raised(Sound::crash).size(), 1u);
    EXPECT_EQ(raised(Sound::crash)[0].amount, hits[0].amount);

    EXPECT_EQ(world().levelStats.damageTaken[causeShot], 10);
    EXPECT_EQ(world().levelStats.damageTaken[causeMine], 200);
    EXPECT_FLOAT_EQ(static_cast<float>(world().levelStats.damageTaken[causeCrash]), hits[0].amount);
    EXPECT_FLOAT_EQ(world().ship->health, 1000 - 210 - hits[0].amount);
    EXPECT_EQ(world().levelStats.enemiesDestroyed[causeCrash]
            + world().levelStats.enemiesDestroyed[causeOther],
        0);
    EXPECT_EQ(world().numEnemies, 2);
}

TEST_F(LevelRecord, LettingGoOfASwungEnemyLeavesItOnANodeThatNeverStrikesTheShip)
{
    // An enemy swung round on the rope, coming back past the ship fast, is
    // let go: it stays tied to a node dropped at the ship's rim, and the
    // tie's pull drags that node across the ship, which passes through it.
    Object* swung = add(typeEnemy, 1200, 1000, 20);
    hookAndCatch(swung);
    world().ship->vx = world().ship->vy = 0;
    swung->x = world().ship->x + 200;
    swung->y = world().ship->y;
    swung->vx = -3.0f;
    swung->vy = 1.0f;
    const float before = world().ship->health;
    simulateFrame(world(), FrameInput {{}, 0, 0, {Click::tieOff}}, 1);
    ASSERT_EQ(world().springs.size(), 1u);
    const Spring* tie = world().springs.front();
    const Object* node = tie->endA == swung ? tie->endB : tie->endA;
    EXPECT_EQ(node->type, typeRopeNode);
    float closest = 1e9f;
    for (int frame = 0; frame < 100; ++frame) {
        simulateFrame(world(), FrameInput {}, 10);
        closest
            = std::min(closest, std::hypot(node->x - world().ship->x, node->y - world().ship->y));
    }
    EXPECT_LT(closest, world().ship->radius); // it did cross the ship
    EXPECT_EQ(world().ship->health, before);
    EXPECT_EQ(world().levelStats.damageTaken[causeCrash], 0);
}

TEST_F(LevelRecord, AShipHeldAgainstAPlanetIsHurtWhenItStrikesNotAllTheWhileItStays)
{
    // A taut rope from the hook mount draws the ship onto a planet just
    // clear of it and holds it there; then the ship grinds along it.
    Object* planet = add(typePlanet, 1000, 1129, 110, 1e11f);
    world().ship->vx = world().ship->vy = 0;
    Spring* rope = new Spring(world(), world().turret, planet, 1, 3);
    rope->restLength = rope->lastLength - 20;
    world().springs.push_back(rope);
    simulateFrame(world(), FrameInput {}, 20); // the strike
    const float struck = world().ship->health;
    EXPECT_LT(struck, 1000);
    size_t hits = 0;
    for (int frame = 0; frame < 130; ++frame) {
        simulateFrame(world(), FrameInput {frame < 30 ? 0u : actionRight, 0, 0, {}}, 16);
        hits += shipHits().size();
        EXPECT_LT(std::hypot(world().ship->x - planet->x, world().ship->y - planet->y),
            110 + 18 + 20); // at it
    }
    EXPECT_GT(world().ship->health, struck - 10);
    EXPECT_LT(hits, 10u);
}

TEST_F(LevelRecord, AHookThatHoldsSomethingCatchesNothingMoreSoATieOffLetsAllGo)
{
    // The left hook holds one enemy and rests at the mount; the right one
    // is out on a shot when a second enemy drifts onto the mount.
    Object* held = add(typeEnemy, 1200, 1000, 20);
    Object* drifter = add(typeEnemy, 600, 600, 20);
    hookAndCatch(held);
    simulateFrame(world(), pointingAt(drifter), 1);
    simulateFrame(world(), pointingAt(drifter, {Click::fireHook}), 60); // well on its way
    ASSERT_TRUE(world().rightHookExtended && !world().rightHookGrappling);
    drifter->x = world().turret->x;
    drifter->y = world().turret->y + 25;
    simulateFrame(world(), FrameInput {}, 5);
    EXPECT_FALSE(drifter->hooked);
    // Let go: the held one goes free, and every rope left on the mount is
    // one a hook still holds (the free left hook may catch the drifter now).
    simulateFrame(world(), FrameInput {{}, 0, 0, {Click::tieOff}}, 1);
    simulateFrame(world(), FrameInput {}, 5);
    EXPECT_FALSE(held->hooked);
    int onMount = 0;
    for (const Spring* rope : world().springs)
        onMount += rope->endA == world().turret || rope->endB == world().turret;
    EXPECT_EQ(onMount, int(world().leftHookGrappling) + int(world().rightHookGrappling));
}

TEST_F(LevelRecord, WhatIsLetGoBehindTheShipStaysLetGo)
{
    // This ship's hooks rest at its mount, 22 units behind its centre; a
    // node dropped toward an enemy behind lands on them. The resting hooks
    // must not catch it back onto the ship.
    Object* enemy = add(typeEnemy, 800, 1000, 20);
    hookAndCatch(enemy);
    world().ship->vx = world().ship->vy = 0;
    enemy->vx = enemy->vy = 0;
    simulateFrame(world(), FrameInput {{}, 0, 0, {Click::tieOff}}, 1);
    for (int frame = 0; frame < 20; ++frame)
        simulateFrame(world(), FrameInput {}, 10);
    EXPECT_FALSE(world().leftHookGrappling || world().rightHookGrappling);
    EXPECT_EQ(world().levelStats.catches, 1);
    ASSERT_EQ(world().springs.size(), 1u); // the enemy on its node, and nothing more
    EXPECT_NE(world().springs.front()->endA->type, typeTurret);
    EXPECT_NE(world().springs.front()->endB->type, typeTurret);
}

namespace {

// A little bot: holds a course for a while, points at the first enemy left,
// fires now and then and ties off what it holds.
FrameInput botInput(int frame)
{
    FrameInput input;
    const unsigned courses[] = {actionUp, actionRight, actionDown | actionLeft, 0};
    input.actions = courses[(frame / 50) % 4];
    for (const Object* o : world().enemies) {
        if (o->type == typeEnemy) {
            input.pointerX = o->x;
            input.pointerY = o->y;
            break;
        }
    }
    if (frame % 30 == 3)
        input.clicks.push_back(Click::fireHook);
    if (frame % 75 == 70)
        input.clicks.push_back(Click::tieOff);
    return input;
}

// Plays a map with the bot in frames of 1 to 29 steps, drawn and sounded
// when present is set; tells how it ended and what was counted.
std::string playWithBot(const char* map, bool present)
{
    readDataFile("data");
    if (!startLevel(map, 1, 2024))
        return "no map";
    enterFrameLoop(0);
    LevelState state = LevelState::ongoing;
    for (int frame = 0; frame < 3000 && state == LevelState::ongoing; ++frame) {
        state = simulateFrame(world(), botInput(frame), 1 + (frame * 11) % 29);
        if (present)
            presentFrame(state);
    }
    int destroyed = 0;
    for (int n : world().levelStats.enemiesDestroyed)
        destroyed += n;
    char line[160];
    std::snprintf(line, sizeof line, "%016llx state %d time %lld destroyed %d catches %d",
        static_cast<unsigned long long>(worldHash(world())), static_cast<int>(state),
        static_cast<long long>(world().levelStats.gameTime), destroyed, world().levelStats.catches);
    stopLevel();
    return line;
}

} // namespace

TEST(HeadlessLevel, PlaysAsInTheWindowWithNoVideoAndNoSound)
{
    // A close fight of its own: every kind of body, guns, a rammer and a
    // mine within reach from the start, whatever the campaign's maps hold.
    const std::string dir = makeTempDir();
    const std::string map = dir + "/brawl";
    writeFile(map,
        "world 3000 3000\nspawn 1500 1500 0 0\nsun 2600 1500 2e11 120\n"
        "planet 1500 400 1e11 100\nblackhole 400 2600 3e11 40\n"
        "enemy1 1500 1900 0 0 0\nenemy10 1100 1500 0 0 0\nenemy11 1900 1900 0 0 0\n"
        "enemy6 1100 1100 0 0 0\nmine 2400 2400\n");

    // The simulator's case: no video at all (the data file's images are
    // still read, as software surfaces), and not one mixer call.
    const ChildResult headless = runInChild(
        [&] {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            std::fputs(playWithBot(map.c_str(), false).c_str(), stdout);
        },
        TETHER_GAME_DIR);
    ASSERT_EQ(headless.status, 0);

    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(TETHER_GAME_DIR), 0);
    screen = SDL_GetVideoSurface();
    setUpChannels();
    loadSounds();
    loadImages();
    const std::string windowed = playWithBot(map.c_str(), true);
    ASSERT_EQ(chdir(cwd), 0);
    removeTree(dir);
    EXPECT_EQ(headless.output, windowed);
    EXPECT_GT(world().levelStats.catches, 0) << windowed;
    EXPECT_GT(world().levelStats.gameTime, 3000) << windowed;
}
