// The explosion drawn over an exploding object: ten frames on its clock.
#include "render/draw.h"
#include "render_fixture.h"

using namespace tether;

class Explosion : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        for (int i = 0; i < 10; ++i) {
            explosions[i] = solid(100, 100, static_cast<Uint8>(20 * i + 10), 0, 0);
            bfgflames[i] = solid(64, 64, 0, static_cast<Uint8>(20 * i + 10), 0);
        }
    }
    static Uint32 explosionColour(int frame) { return static_cast<Uint32>(20 * frame + 10) << 16; }
    static Uint32 bfgColour(int frame) { return static_cast<Uint32>(20 * frame + 10) << 8; }
};

TEST_F(Explosion, FrameFollowsTheClock)
{
    for (int frame = 0; frame < 10; ++frame) {
        Object o(1, 50, 400, 300, 0, 0, 0, 0, nullptr, typeExploding, 0, frame + 0.5f);
        o.draw(canvas, 0, 0);
        EXPECT_EQ(rgb(canvas, 400, 300), explosionColour(frame)) << frame;
        EXPECT_EQ(o.health, frame + 0.5f);
    }
}

TEST_F(Explosion, ClockOfTenOrMoreStopsOnTheLastFrame)
{
    for (float clock : {10.0f, 25.0f}) {
        Object o(1, 50, 400, 300, 0, 0, 0, 0, nullptr, typeExploding, 0, clock);
        o.draw(canvas, 0, 0);
        EXPECT_EQ(o.health, 9.99999f);
        EXPECT_EQ(rgb(canvas, 400, 300), explosionColour(9));
    }
}

TEST_F(Explosion, FramesAreScaledToTheRadius)
{
    Object o(1, 25, 400, 300, 0, 0, 0, 0, nullptr, typeExploding, 0, 2);
    o.draw(canvas, 0, 0);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.w, 50); // a 100-pixel frame at zoom 0.02 x 25
    EXPECT_EQ(box.h, 50);
    EXPECT_EQ(box.x, 375);
    EXPECT_EQ(box.y, 275);
}

TEST_F(Explosion, ExpiredBfgBallUsesItsOwnFramesUnscaled)
{
    Object o(1, 5, 400, 300, 0, 0, 0, 0, nullptr, typeExploding, 0, 4.2f);
    o.kind = kindExpiredBfg;
    o.draw(canvas, 0, 0);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.w, 64);
    EXPECT_EQ(box.h, 64);
    EXPECT_EQ(box.x, 368);
    EXPECT_EQ(rgb(canvas, 400, 300), bfgColour(4));
}

TEST_F(Explosion, ExplosionCoversTheSprite)
{
    Object o(1, 5, 400, 300, 0, 0, 0, 0, solid(40, 40, 0, 0, 255), typeExploding, 0, 1);
    o.draw(canvas, 0, 0);
    EXPECT_TRUE(closeColour(rgb(canvas, 400, 300), explosionColour(1)));
    EXPECT_EQ(rgb(canvas, 381, 281), 0x0000ffu);
}

TEST_F(Explosion, MissingFrameLeavesTheSpriteAlone)
{
    explosions[3] = nullptr;
    Object o(1, 50, 400, 300, 0, 0, 0, 0, solid(10, 10, 0, 0, 255), typeExploding, 0, 3.5f);
    o.draw(canvas, 0, 0);
    EXPECT_EQ(countLit(canvas), 100);
}

TEST_F(Explosion, NewFrameImageIsShownAtOnce)
{
    Object o(1, 25, 400, 300, 0, 0, 0, 0, nullptr, typeExploding, 0, 6.5f);
    o.draw(canvas, 0, 0);
    EXPECT_EQ(rgb(canvas, 400, 300), explosionColour(6));
    SDL_FillRect(canvas, nullptr, 0);
    o.draw(canvas, 0, 0); // the same again, from the kept copy
    EXPECT_EQ(rgb(canvas, 400, 300), explosionColour(6));
    EXPECT_EQ(litBounds(canvas).w, 50);

    explosions[6] = solid(100, 100, 0, 0, 200);
    SDL_FillRect(canvas, nullptr, 0);
    o.draw(canvas, 0, 0);
    EXPECT_EQ(rgb(canvas, 400, 300), 0x0000c8u);
    // Another size is scaled on its own.
    o.radius = 10;
    SDL_FillRect(canvas, nullptr, 0);
    o.draw(canvas, 0, 0);
    EXPECT_EQ(litBounds(canvas).w, 20);
}
