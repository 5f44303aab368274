// The explosion drawn over an exploding object: ten frames on its clock.
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
    static Uint32 frameColour(int frame) { return static_cast<Uint32>(20 * frame + 10) << 16; }
};

TEST_F(Explosion, FrameFollowsTheClockAndIsScaledToTheRadius)
{
    for (int frame = 0; frame < 10; ++frame) {
        clear();
        Object o(1, 25, 400, 300, 0, 0, 0, 0, nullptr, typeExploding, 0, frame + 0.5f);
        drawObject(canvas, o, 0, 0);
        EXPECT_EQ(rgb(canvas, 400, 300), frameColour(frame));
        EXPECT_EQ(o.health, frame + 0.5f);
        const SDL_Rect box = litBounds(canvas);
        EXPECT_EQ(box.x, 375); // a 100-pixel frame at zoom 0.02 x 25
        EXPECT_EQ(box.w, 50);
    }
}

TEST_F(Explosion, ClockOfTenOrMoreStopsOnTheLastFrame)
{
    for (float clock : {10.0f, 25.0f}) {
        Object o(1, 50, 400, 300, 0, 0, 0, 0, nullptr, typeExploding, 0, clock);
        drawObject(canvas, o, 0, 0);
        EXPECT_EQ(o.health, clock); // the world's clock stays as it is
        EXPECT_EQ(rgb(canvas, 400, 300), frameColour(9));
    }
}

TEST_F(Explosion, ExpiredBfgBallUsesItsOwnFramesUnscaled)
{
    Object o(1, 5, 400, 300, 0, 0, 0, 0, nullptr, typeExploding, 0, 4.2f);
    o.expiredBall = true;
    drawObject(canvas, o, 0, 0);
    const SDL_Rect box = litBounds(canvas);
    EXPECT_EQ(box.x, 368);
    EXPECT_EQ(box.w, 64);
    EXPECT_EQ(rgb(canvas, 400, 300), static_cast<Uint32>(90) << 8);
}

TEST_F(Explosion, KeptScaledFramesFollowANewImageAndAnotherSize)
{
    Object o(1, 25, 400, 300, 0, 0, 0, 0, solid(40, 40, 0, 0, 255), typeExploding, 0, 6.5f);
    drawObject(canvas, o, 0, 0);
    drawObject(canvas, o, 0, 0);
    EXPECT_TRUE(closeColour(rgb(canvas, 400, 300), frameColour(6))); // over the sprite
    explosions[6] = solid(100, 100, 0, 200, 200);
    drawObject(canvas, o, 0, 0);
    EXPECT_TRUE(closeColour(rgb(canvas, 400, 300), 0x00c8c8));
    o.radius = 10;
    clear();
    drawObject(canvas, o, 0, 0);
    EXPECT_EQ(rgb(canvas, 411, 300), 0x0000ffu); // 20 pixels across now
}
