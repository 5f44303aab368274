#include "ai/ai_fixture.h"
#include "content/worldinuse.h"
#include "render/looks.h"
#include "screens/session.h"
#include "world/connector.h"
#include "world/random.h"
#include "world/world.h"

#include <cmath>
#include <set>

using namespace tether;

namespace {
constexpr double pi = 3.14159265358979323846;
}

// The shooter sits 500 units from the target at the origin, heading a and
// drifting, so every muzzle velocity carries the ship's own velocity too.
class AIVolley : public AITest {
protected:
    const float a = 0.7f;
    const float ex = 300, ey = 400, evx = 0.2f, evy = -0.1f;
    const float svx = evx + std::cos(a), svy = evy + std::sin(a);

    Object* shooter(int kind)
    {
        Object* e = enemy(kind, ex, ey, a);
        e->vx = evx;
        e->vy = evy;
        return e;
    }

    void expectShot(const Object* shot, const Object* e, int type, float x, float y, float vx,
        float vy, float angle, float health)
    {
        SCOPED_TRACE(testing::Message() << "shot of type " << type);
        EXPECT_EQ(shot->type, type);
        EXPECT_NEAR(shot->x, x, 1e-3);
        EXPECT_NEAR(shot->y, y, 1e-3);
        EXPECT_NEAR(shot->vx, vx, 1e-3);
        EXPECT_NEAR(shot->vy, vy, 1e-3);
        EXPECT_NEAR(shot->angle, angle, 1e-5);
        EXPECT_FLOAT_EQ(shot->health, health);
        EXPECT_FLOAT_EQ(shot->mass, 1.0f);
        EXPECT_EQ(shot->reloadTime, 0);
        EXPECT_EQ(shot->owner, e);
        const bool disc = type == typeShredder, ball = type == typeBfg;
        EXPECT_FLOAT_EQ(shot->radius, disc ? 15.0f : ball ? 40.0f : 3.0f);
        EXPECT_EQ(lookOf(*shot),
            disc       ? shredder
                : ball ? bfgshot
                       : nullSprite); // drawn as its kind
    }

    // Whether the volley raised this sound, heard from the shooter's place
    // relative to the target.
    bool heard(Sound sound) const
    {
        const auto found = raised(sound);
        if (found.empty())
            return false;
        for (const WorldEvent& e : found) {
            if (sound != Sound::crackle) {
                EXPECT_FLOAT_EQ(e.dist, std::hypot(e.dx, e.dy));
            }
        }
        return true;
    }
};

TEST_F(AIVolley, TheWeaponWaitsLoadedUntilTheTargetIsNearerThanAThousand)
{
    Object* e = enemy(1, 2999, 0);
    for (float x : {2999.0f, 1500.0f, 1000.0f}) {
        e->x = x;
        EXPECT_TRUE(step(e).empty()) << x;
        EXPECT_TRUE(e->loaded) << x;
        EXPECT_NEAR(e->fx, -0.0005 * (x - 250), 1e-3) << x; // pulled all the same, to 250 off
    }
    e->x = 999.9f;
    EXPECT_EQ(step(e).size(), 1u);
    EXPECT_FALSE(e->loaded);
    EXPECT_TRUE(step(e).empty()); // not again until reloaded
    EXPECT_TRUE(heard(Sound::gunshot));
}

TEST_F(AIVolley, ClassesOneAndElevenFireOneBulletAlongTheHeading)
{
    for (int kind : {1, 11}) {
        Object* e = shooter(kind);
        const auto shots = step(e);
        ASSERT_EQ(shots.size(), 1u);
        expectShot(shots[0], e, typeBullet, ex, ey, svx, svy, a, 1000);
        EXPECT_FLOAT_EQ(shots[0]->spin, 0);
        EXPECT_TRUE(heard(Sound::gunshot));
        clearEvents(world());
    }
}

TEST_F(AIVolley, ClassTwoFiresFromEachGunOrFromItselfWhereAGunIsMissing)
{
    Object* e = shooter(2);
    Object* gun1 = make(typeTurret);
    Object* gun2 = make(typeTurret);
    e->turret1 = e->addChild(world(), gun1, 12, 1, 0, true, false, false, false);
    e->turret2 = e->addChild(world(), gun2, 12, -1, 0, true, false, false, false);
    gun1->x = 310; // where the mounts were last placed
    gun1->y = 405;
    gun2->x = 290;
    gun2->y = 396;
    auto shots = step(e);
    ASSERT_EQ(shots.size(), 2u);
    expectShot(shots[0], e, typeBullet, 310, 405, svx, svy, a, 1000);
    expectShot(shots[1], e, typeBullet, 290, 396, svx, svy, a, 1000);
    EXPECT_TRUE(heard(Sound::gunshot));

    e->turret1 = nullptr;
    e->turret2->child = nullptr;
    e->loaded = true;
    shots = step(e);
    ASSERT_EQ(shots.size(), 2u);
    expectShot(shots[0], e, typeBullet, ex, ey, svx, svy, a, 1000);
    expectShot(shots[1], e, typeBullet, ex, ey, svx, svy, a, 1000);
    e->turret2->child = gun2; // the enemy's own to free
}

TEST_F(AIVolley, UnarmedClassesAndMinesSpendTheirShotOnNothing)
{
    for (int kind : {3, 10, 0, 13, -1}) {
        Object* e = kind == -1 ? enemy(-1, ex, ey, a, 100, typeMine) : shooter(kind);
        // An enemy of a class no row has is a fault in whoever made it: a
        // debug build stops on it, a release build has it fire nothing.
        if (kind == 0 || kind == 13) {
            EXPECT_DEBUG_DEATH(step(e), "assumption failed") << kind;
#ifndef NDEBUG
            continue;
#endif
        }
        EXPECT_TRUE(step(e).empty()) << kind;
        EXPECT_FALSE(e->loaded) << kind;
    }
    EXPECT_EQ(world().worldEvents.count, 0);
}

TEST_F(AIVolley, ClassFourFiresFourShortBulletsSquareToTheirOffsets)
{
    Object* e = shooter(4);
    const auto shots = step(e);
    ASSERT_EQ(shots.size(), 4u);
    const float c = std::cos(a), s = std::sin(a);
    expectShot(shots[0], e, typeBullet, ex - 30 * s, ey + 30 * c, svx, svy, a, 600);
    expectShot(shots[1], e, typeBullet, ex + 30 * s, ey - 30 * c, -svx, -svy, a + pi / 2, 600);
    expectShot(shots[2], e, typeBullet, ex - 30 * c, ey - 30 * s, -svy, svx, a + pi, 600);
    expectShot(shots[3], e, typeBullet, ex + 30 * c, ey + 30 * s, svy, -svx, a + 3 * pi / 2, 600);
    EXPECT_FLOAT_EQ(e->spin, 0.006f);
    EXPECT_TRUE(heard(Sound::gunshot));
}

TEST_F(AIVolley, ClassFiveFiresTwoFastBoltsFromAheadOfItself)
{
    Object* e = shooter(5);
    const auto shots = step(e);
    ASSERT_EQ(shots.size(), 2u);
    for (Object* bolt : shots)
        expectShot(bolt, e, typeLightning, ex + 100 * std::cos(a), ey + 100 * std::sin(a), 50 * svx,
            50 * svy, a, 7);
    EXPECT_EQ(raised(Sound::crackle).size(), 1u);
    EXPECT_FALSE(heard(Sound::gunshot));
}

TEST_F(AIVolley, ClassSixFiresOneShredderThatTurnsInItsFirstStep)
{
    Object* e = shooter(6);
    const auto shots = step(e);
    ASSERT_EQ(shots.size(), 1u);
    expectShot(shots[0], e, typeShredder, ex, ey, svx, svy, a, 800);
    EXPECT_FLOAT_EQ(shots[0]->spin, -0.03f);
    EXPECT_EQ(world().worldEvents.count, 0);
}

TEST_F(AIVolley, ClassSevenFiresAShredderEitherSide)
{
    Object* e = shooter(7);
    const auto shots = step(e);
    ASSERT_EQ(shots.size(), 2u);
    expectShot(shots[0], e, typeShredder, ex + 25 * std::cos(a + pi / 2),
        ey + 25 * std::sin(a + pi / 2), svx, svy, a, 800);
    expectShot(shots[1], e, typeShredder, ex + 25 * std::cos(a - pi / 2),
        ey + 25 * std::sin(a - pi / 2), svx, svy, a, 800);
    EXPECT_FLOAT_EQ(shots[0]->spin, 0);
    EXPECT_EQ(world().worldEvents.count, 0);
}

TEST_F(AIVolley, ClassEightFiresThreeIdenticalRails)
{
    Object* e = shooter(8);
    const auto shots = step(e);
    ASSERT_EQ(shots.size(), 3u);
    for (Object* rail : shots)
        expectShot(rail, e, typeRail, ex, ey, 100 * svx, 100 * svy, a, 7);
    EXPECT_NE(shots[0], shots[1]);
    EXPECT_NE(shots[1], shots[2]);
    EXPECT_EQ(world().worldEvents.count, 0);
}

TEST_F(AIVolley, ClassNineFiresTheShotItDrawsFromTheRandomSource)
{
    std::set<int> seen;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        clearEvents(world());
        Object* e = shooter(9);
        world().ruleRandom.reseed(seed);
        const auto shots = step(e);
        world().ruleRandom.reseed(seed);
        const int pick = world().ruleRandom.next15() % 4 + 1;
        seen.insert(pick);
        SCOPED_TRACE(testing::Message() << "seed " << seed << " pick " << pick);
        ASSERT_EQ(shots.size(), 1u);
        if (pick == 1)
            expectShot(shots[0], e, typeBullet, ex, ey, svx, svy, a, 1000);
        else if (pick == 2)
            expectShot(shots[0], e, typeLightning, ex, ey, 100 * svx, 100 * svy, a, 7);
        else if (pick == 3)
            expectShot(shots[0], e, typeShredder, ex, ey, svx, svy, a, 500);
        else
            expectShot(shots[0], e, typeRail, ex, ey, 100 * svx, 100 * svy, a, 1);
        EXPECT_FLOAT_EQ(shots[0]->spin, 0);
        EXPECT_EQ(heard(Sound::gunshot), pick == 1);
        EXPECT_EQ(heard(Sound::crackle), pick == 2);
    }
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(AIVolley, ClassTwelveFiresABfgBallWithItsOwnSound)
{
    Object* e = shooter(12);
    const auto shots = step(e);
    ASSERT_EQ(shots.size(), 1u);
    expectShot(shots[0], e, typeBfg, ex, ey, svx, svy, a, 2000);
    EXPECT_TRUE(heard(Sound::bfgShot));
    EXPECT_FALSE(heard(Sound::gunshot));
}

TEST_F(AIVolley, ADyingEnemyStillSteersAndFires)
{
    Object* e = shooter(7);
    e->type = typeExploding;
    e->health = 3; // its explosion clock
    EXPECT_EQ(step(e).size(), 2u);
    EXPECT_FALSE(e->loaded);
    EXPECT_FLOAT_EQ(e->spin, -0.03f); // heading 0.7, bearing about -2.21
    EXPECT_NE(e->fx, 0);
}

TEST_F(AIVolley, ThePhysicsStepRunsEveryEnemyAgainstTheShipInListOrder)
{
    world().ship = target;
    world().dynamicMasses.push_back(world().ship);
    Object* first = shooter(1);
    Object* second = shooter(11);
    second->x = -300;
    physicsStep(world(), FrameInput {});
    std::vector<Object*> bullets;
    for (Object* o : world().dynamicMasses)
        if (o->type == typeBullet)
            bullets.push_back(o);
    ASSERT_EQ(bullets.size(), 2u);
    EXPECT_EQ(bullets[0]->owner, first);
    EXPECT_EQ(bullets[1]->owner, second);
    EXPECT_EQ(world().enemies.size(), 2u);
}
