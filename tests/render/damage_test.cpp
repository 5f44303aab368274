// The damage display, fed by the rules' own record of damage: hits tallied
// per source over a short window, specks of resting contact left out, and
// what is on show drawn around the ship with an arrow toward a source off
// screen.
#include "content/worldinuse.h"
#include "render/damage.h"
#include "render_fixture.h"
#include "world/panel.h"
#include "world/world.h"

using namespace tether;

class DamageDisplay : public RenderTest {
protected:
    Object* planet = nullptr;
    Object* shooter = nullptr;
    Object* mine = nullptr;
    Object* bullet = nullptr;

    void SetUp() override
    {
        RenderTest::SetUp();
        world().ship = keepObject(typeShip, 1000, 1000, 18);
        planet = keepObject(typePlanet, 1000, 1118, 100);
        shooter = keepObject(typeEnemy, 2500, 1000, 20); // far off to the right
        mine = keepObject(typeMine, 1000 - 33, 1000, 15);
        bullet = keepObject(typeBullet, 1000 + 21, 1000, 3);
    }

    Object* keepObject(int type, float x, float y, float radius)
    {
        Object* o = make(type, x, y, radius);
        world().objects.push_back(o);
        return o;
    }

    // Runs steps ms of game time in frames of 16, the rules recording the
    // damage that hit(step) deals at each step, the display taking each
    // frame's events.
    template <class Hit> void play(int steps, Hit hit)
    {
        for (int step = 0; step < steps; ++step) {
            ++world().levelStats.gameTime;
            hit(step);
            if (world().levelStats.gameTime % 16 == 0 || step == steps - 1) {
                takeShipHits(world().worldEvents);
                clearEvents(world());
            }
        }
    }
};

TEST_F(DamageDisplay, HitsAreTalliedPerSourceAndShownWhereTheyCameFrom)
{
    // A second resting against a planet: a speck of damage every step.
    play(1000,
        [&](int) { recordDamage(world(), *world().ship, 1e-4f, causeCrash, *planet, *planet); });
    EXPECT_TRUE(damageOnShow(world().levelStats.gameTime).empty());

    // Three bullets of one shooter, 400 ms apart, and a mine between them.
    play(801, [&](int step) {
        if (step % 400 == 0)
            recordDamage(world(), *world().ship, 10, causeShot, *bullet, *shooter);
        if (step == 500)
            recordDamage(world(), *world().ship, 200, causeMine, *mine, *mine);
    });
    auto shown = damageOnShow(world().levelStats.gameTime);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].cause, causeShot);
    EXPECT_FLOAT_EQ(shown[0].amount, 30);
    EXPECT_FLOAT_EQ(shown[0].contactX, 18); // on the rim, toward the bullet
    EXPECT_FLOAT_EQ(shown[0].sourceX, 1500); // the shooter, not the bullet
    EXPECT_EQ(shown[1].cause, causeMine);
    EXPECT_FLOAT_EQ(shown[1].amount, 200);

    // Drawn around the ship in the middle of the screen: the mark of the
    // last bullet on the right rim, the number beyond it, and the arrow at
    // the right edge toward the shooter; the mine's mark on the left.
    drawDamage(canvas, 1000 - 400, 1000 - 300);
    const Uint32 shotRed = 0xff4848, minePink = 0xff60e0;
    EXPECT_EQ(rgb(canvas, 400 + 18, 300), shotRed);
    EXPECT_EQ(rgb(canvas, 800 - 20, 300), shotRed); // the arrow's tip
    EXPECT_EQ(rgb(canvas, 400 - 18, 300), minePink);
    int numberPixels = 0;
    for (int y = 280; y < 300; ++y)
        for (int x = 440; x < 480; ++x)
            numberPixels += rgb(canvas, x, y) == shotRed;
    EXPECT_GT(numberPixels, 20) << "the shooter's 30";
    const int drawn = countLit(canvas);
    drawDamage(canvas, 1000 - 400, 1000 - 300); // a frame's hits are taken once
    EXPECT_EQ(damageOnShow(world().levelStats.gameTime)[0].amount, 30);
    EXPECT_EQ(countLit(canvas), drawn);

    // Gone a while after the last hit; a later bullet starts a new tally.
    play(1201, [](int) {});
    EXPECT_TRUE(damageOnShow(world().levelStats.gameTime).empty());
    play(1, [&](int) { recordDamage(world(), *world().ship, 10, causeShot, *bullet, *shooter); });
    shown = damageOnShow(world().levelStats.gameTime);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FLOAT_EQ(shown[0].amount, 10);

    // A new level forgets them.
    forgetShownHits();
    EXPECT_TRUE(damageOnShow(world().levelStats.gameTime).empty());
}

TEST_F(DamageDisplay, AShooterUnderTheHudPanelGetsAnArrowOutsideIt)
{
    // At (565, 510) on screen: within the screen, but under the panel.
    shooter->x = 1000 + 165;
    shooter->y = 1000 + 210;
    play(1, [&](int) { recordDamage(world(), *world().ship, 10, causeShot, *bullet, *shooter); });
    drawDamage(canvas, 1000 - 400, 1000 - 300);
    const Uint32 shotRed = 0xff4848;
    int arrowPixels = 0; // just above the panel's top edge, on the line to the shooter
    for (int y = 355; y < panelTop; ++y)
        for (int x = 420; x < 520; ++x)
            arrowPixels += rgb(canvas, x, y) == shotRed;
    EXPECT_GT(arrowPixels, 30);
}
