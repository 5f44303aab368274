#include "content/assets.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "render/presentation.h"
#include "screens/frame.h"
#include "screens/session.h"
#include "support/world_fixture.h"
#include "world/angles.h"
#include "world/hash.h"
#include "world/spring.h"
#include "world/validate.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace tether;

// A busy little world run through the whole step sequence, frame by frame,
// with the player at the controls: the same start and inputs must always
// give the same world, bit for bit, whether or not frames are drawn; the
// seed alone changes what the rules draw.
class WholeWorld : public WorldTest {
protected:
    float savedThrust[enemyClassCount] = {};
    std::vector<std::pair<float*, float>> savedTuning;
    std::vector<std::pair<SDL_Surface**, SDL_Surface*>> savedImages;
    SDL_Surface* look = nullptr;

    void SetUp() override
    {
        WorldTest::SetUp();
        std::copy(std::begin(writableTuning().enMaxThrust), std::end(writableTuning().enMaxThrust),
            savedThrust);
        for (int i = 0; i < enemyClassCount; ++i)
            writableTuning().enMaxThrust[i] = 0.05f + 0.01f * i;
        for (auto [value, tuned] : std::vector<std::pair<float*, float>> {
                 {&writableTuning().shipMaxSpeed, 0.6f}, {&writableTuning().shipMaxThrust, 0.05f},
                 {&writableTuning().shipRotationSpeed, 0.004f}, {&writableTuning().grapSpeed, 3},
                 {&writableTuning().grapMaxDistance, 450}, {&writableTuning().nodeRadius, 10}})
            savedTuning.push_back({value, std::exchange(*value, tuned)});
        // Something to draw wherever drawing once wrote back: the flash,
        // the flame, the explosion clock.
        look = SDL_CreateRGBSurface(SDL_SWSURFACE, 24, 24, 32, 0xff000000, 0xff0000, 0xff00, 0xff);
        SDL_FillRect(look, nullptr, 0x80c0ffff);
        for (SDL_Surface** image : {&flames[0], &flames[1], &flames[2], &shieldSprite,
                 &explosions[0], &explosions[5], &explosions[9]})
            savedImages.push_back({image, std::exchange(*image, look)});
        savedImages.push_back({&screen, std::exchange(screen, SDL_GetVideoSurface())});
    }
    void TearDown() override
    {
        std::copy(std::begin(savedThrust), std::end(savedThrust), writableTuning().enMaxThrust);
        for (auto [value, saved] : savedTuning)
            *value = saved;
        for (auto [image, saved] : savedImages)
            *image = saved;
        SDL_FreeSurface(look);
        WorldTest::TearDown();
    }

    Object* add(int type, float x, float y, float radius, float mass, float health,
        std::initializer_list<std::list<Object*>*> lists)
    {
        Object* o = new Object(mass, radius, x, y, 0, 0, 0, 0, look, type, 500, health);
        for (auto* list : lists)
            list->push_back(o);
        return o;
    }

    // Planets, a sun, a black hole, an enemy of every class (class 9 in
    // range of the ship), mines, shots of every kind and three ropes, around
    // a moving ship with its flame and hooks.
    void build(uint64_t seed = 7)
    {
        world().worldW = world().worldH = 3000;
        const auto mover = {&world().objects, &world().drawables, &world().dynamicMasses};
        world().ship = add(typeShip, 1500, 1500, 18, 100, 1000, mover);
        world().ship->vx = 0.05f;
        world().turret = new Object(1, 1, 0, 0, 0, 0, 0, 0, nullptr, typeTurret, 0, 1);
        world().ship->addChild(world(), world().turret, 0, 0, 0, true, true, true, false);
        world().ship->flame = new Object(1, 0, 0, 0, 0, 0, 0, 0, nullptr, typeFlame, 1, 1);
        world().ship->addChild(
            world(), world().ship->flame, 45, piFloat, piFloat, true, false, false, false);
        world().drawables.push_back(world().ship->flame);
        world().leftGrapHook = add(typeLeftHook, 0, 0, 8, 1, 1, mover);
        world().rightGrapHook = add(typeRightHook, 0, 0, 8, 1, 1, mover);
        world().leftHookConnector = world().turret->addChild(
            world(), world().leftGrapHook, 0, 0, 0, false, false, false, false);
        world().rightHookConnector = world().turret->addChild(
            world(), world().rightGrapHook, 0, 0, 0, false, false, false, false);

        const auto source = {&world().objects, &world().drawables, &world().attractingMasses};
        add(typePlanet, 1900, 1300, 90, 8e10f, 1e6f, source);
        add(typePlanet, 700, 2300, 60, 4e10f, 1e6f, source);
        add(typeSun, 600, 700, 110, 2e11f, 1e6f, source);
        add(typeBlackHole, 2450, 2350, 40, 2e11f, 1e6f, source);

        std::vector<Object*> hulls;
        for (int i = 0; i < 12; ++i) {
            Object* enemy = add(typeEnemy, 300 + 210.0f * i, 400 + 190.0f * ((i * 7) % 12), 20, 100,
                100,
                {&world().objects, &world().drawables, &world().dynamicMasses, &world().enemies});
            enemy->kind = i + 1;
            enemy->vx = 0.02f * ((i % 5) - 2);
            enemy->vy = 0.015f * ((i % 3) - 1);
            hulls.push_back(enemy);
            ++world().numEnemies;
        }
        for (int i = 0; i < 6; ++i)
            add(typeMine, 1200 + 120.0f * i, 1950 - 80.0f * i, 24, 40, 60,
                {&world().objects, &world().drawables, &world().dynamicMasses, &world().enemies});
        for (int i = 0; i < 30; ++i) {
            Object* shooter = hulls[i % hulls.size()];
            Object* shot
                = add(typeBullet + i % 5, shooter->x, shooter->y, 4, 1, 400.0f + 50 * i, mover);
            shot->vx = 0.3f * ((i % 7) - 3);
            shot->vy = 0.25f * ((i % 4) - 1.5f);
            shot->owner = shooter;
        }
        Object* node = add(typeRopeNode, 1450, 1600, 10, 100, 1000, mover);
        world().springs = {new Spring(world(), world().turret, hulls[6], 1, 3),
            new Spring(world(), node, hulls[7], 1, 3), new Spring(world(), node, hulls[2], 1, 3)};
        resetLevel(world(), seed);
        world().leftHookGrappling = true; // the rope on the mount is the left hook's
        world().chosenShip = 1; // the second ship: its flame is drawn
    }

    // The player's part: thrust this way and that, a hook fired now and
    // then, a tie-off, the pointer sweeping round the ship.
    static FrameInput inputOf(int frame)
    {
        FrameInput input;
        const unsigned moves[] = {actionUp, actionUp | actionRight, 0, actionDown | actionLeft};
        input.actions = moves[(frame / 20) % 4];
        input.pointerX = world().ship->x + 300 * std::cos(0.05f * frame);
        input.pointerY = world().ship->y + 300 * std::sin(0.05f * frame);
        if (frame % 40 == 5)
            input.clicks.push_back(Click::fireHook);
        if (frame % 90 == 60)
            input.clicks.push_back(Click::tieOff);
        return input;
    }

    // Frames of 1 to 23 steps up to `steps` in all, each ending with the
    // removal of the dead; drawn and sounded as the window does when
    // `present` is set.
    static void run(int steps, bool present = false)
    {
        enterFrameLoop(0);
        for (int frame = 0; steps > 0; ++frame) {
            const int n = std::min(steps, 1 + (frame * 7) % 23);
            steps -= n;
            const LevelState state = simulateFrame(world(), inputOf(frame), n);
            if (present)
                presentFrame(state);
        }
    }
};

TEST_F(WholeWorld, TheSameStartGivesTheSameWorldAfter4000Steps)
{
    build();
    const uint64_t start = worldHash(world());
    run(4000);
    const uint64_t first = worldHash(world());
    const size_t survivors = world().objects.size();
    for (const Object* o : world().objects) {
        ASSERT_TRUE(std::isfinite(o->x) && std::isfinite(o->vx)) << o->type;
        EXPECT_LE(std::abs(o->y - world().ship->y), world().worldH / 2) << o->type;
    }

    resetWorld();
    build();
    ASSERT_EQ(worldHash(world()), start);
    run(4000);
    EXPECT_EQ(worldHash(world()), first);
    EXPECT_EQ(world().objects.size(), survivors);
    // And the world did live: things moved, and enemies died.
    EXPECT_NE(first, start);
    EXPECT_LT(world().numEnemies, 12);
}

TEST_F(WholeWorld, DrawingAndSoundingTheFramesChangesNothing)
{
    build();
    run(3000);
    const uint64_t unseen = worldHash(world());

    resetWorld();
    build();
    run(3000, true);
    EXPECT_EQ(worldHash(world()), unseen);
    EXPECT_GT(drawnStep, 2900); // frames were drawn, up to the end
    SDL_Surface* shown = SDL_GetVideoSurface();
    int lit = 0;
    for (int y = 0; y < shown->h; y += 4)
        for (int x = 0; x < shown->w; x += 4)
            lit += static_cast<const Uint32*>(shown->pixels)[y * (shown->pitch / 4) + x] != 0;
    EXPECT_GT(lit, 100);
}

TEST_F(WholeWorld, TheSeedAloneDecidesWhatTheRulesDraw)
{
    build(11);
    run(3000);
    const uint64_t first = worldHash(world());

    resetWorld();
    build(11);
    run(3000);
    EXPECT_EQ(worldHash(world()), first);

    resetWorld();
    build(12); // class 9 picks other weapons
    run(3000);
    EXPECT_NE(worldHash(world()), first);
}

// The world's own bookkeeping holds frame after frame of a busy level
// (catches, tie-offs, deaths, the swallowed), and each way of breaking it
// is found and named; a debug build stops the frame that meets it.
TEST_F(WholeWorld, ItsBookkeepingHoldsEveryFrameAndEachCorruptionIsNamed)
{
    build();
    for (int frame = 0; frame < 250; ++frame) {
        simulateFrame(world(), inputOf(frame), 16);
        ASSERT_EQ(validateWorld(world()), std::vector<std::string> {}) << "frame " << frame;
    }
    const auto foundAs = [](const char* words) {
        for (const std::string& line : validateWorld(world()))
            if (line.find(words) != std::string::npos)
                return true;
        return false;
    };
    Object* enemy = *std::find_if(world().enemies.begin(), world().enemies.end(),
        [](const Object* o) { return o->type == typeEnemy; });
    Object stranger(1, 10, 0, 0, 0, 0, 0, 0, nullptr, typeMine, 0, 1);

    world().drawables.push_back(enemy);
    EXPECT_TRUE(foundAs("drawables lists an object twice"));
    world().drawables.pop_back();

    world().enemies.push_back(&stranger);
    EXPECT_TRUE(foundAs("enemies lists an object the world does not own"));
    world().enemies.pop_back();

    enemy->type = typeDead;
    EXPECT_TRUE(foundAs("dynamicMasses still lists a dead object"));
    enemy->type = 42;
    EXPECT_TRUE(foundAs("kind 42, which no kind has"));
    enemy->type = typeEnemy;

    Spring* rope = world().springs.front();
    Object* tied = std::exchange(rope->endB, &stranger);
    EXPECT_TRUE(foundAs("a rope is tied to something the world does not own"));
    rope->endB = tied;

    const auto [low, high] = std::minmax<const Object*>(enemy, world().ship, std::less<>());
    world().contacts.contacts.push_back({low, high, world().levelStats.gameTime});
    EXPECT_TRUE(foundAs("the contacts' index and list differ"));
    world().contacts.contacts.pop_back();
    EXPECT_EQ(validateWorld(world()), std::vector<std::string> {});

    const int kind = std::exchange(enemy->kind, 13);
    EXPECT_TRUE(foundAs("an enemy of class 13, which no class has"));
    EXPECT_DEBUG_DEATH(
        simulateFrame(world(), FrameInput {}, 1), "assumption failed|world is broken");
    enemy->kind = kind;
}
