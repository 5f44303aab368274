// Kept copies of turned sprites, damage flashes and chain links: a busy
// scene looks the same as with every copy made anew, a scene drawn again
// makes no new copies, and spinning objects never take more than the budget
// on either canvas.
#include "content/worldinuse.h"
#include "render/kept.h"
#include "render/sdlcanvas.h"
#include "render/softcanvas.h"
#include "render/softcopies.h"
#include "render_fixture.h"
#include "world/spring.h"
#include "world/world.h"

#include <cmath>
#include <cstdlib>
#include <random>

using namespace tether;

class KeptImages : public RenderTest {
protected:
    std::vector<Object*> hit;

    // A sprite with detail to turn, shaded smoothly as the game's art is:
    // rings and spokes of changing colour, transparent beyond its rim.
    SDL_Surface* patterned(int side)
    {
        SDL_Surface* s = solid(side, side, 0, 0, 0, 0);
        const float c = side / 2.0f;
        Uint32* pixels = static_cast<Uint32*>(s->pixels);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const float d = std::hypot(x - c, y - c), a = std::atan2(y - c, x - c);
                if (d > c - 1)
                    continue;
                pixels[y * (s->pitch / 4) + x]
                    = SDL_MapRGBA(s->format, static_cast<Uint8>(128 + 100 * std::sin(d / 4)),
                        static_cast<Uint8>(128 + 100 * std::cos(3 * a)),
                        static_cast<Uint8>(255 * y / side), 255);
            }
        return s;
    }

    // Sixty turned objects of four sprites, a third of them flashing, and
    // ropes between pairs of them.
    void buildScene()
    {
        shieldSprite = patterned(40);
        SDL_Surface* sprites[] = {patterned(50), patterned(30), patterned(90), patterned(24)};
        const int types[] = {typeEnemy, typeTurret, typePlanet, typeRopeNode};
        std::mt19937 random(7);
        std::uniform_real_distribution<float> across(0, 800), down(0, 600), turn(-6.28f, 6.28f);
        std::vector<Object*> placed;
        for (int i = 0; i < 60; ++i) {
            Object* o = new Object(1, 10.0f + i % 4 * 6, across(random), down(random), 0, 0,
                turn(random), 0, sprites[i % 4], types[i % 4], 0, 30.0f + 10 * (i % 20));
            world().objects.push_back(o);
            world().drawables.push_back(o);
            placed.push_back(o);
            if (i % 3 == 0)
                hit.push_back(o);
        }
        chainImage = patterned(12);
        writableTuning().grapNumLinks = 7;
        for (int i = 0; i + 1 < 20; i += 2)
            world().springs.push_back(new Spring(world(), placed[i], placed[i + 1], 1, 1));
    }

    // The scene as drawn, every hit new to it.
    void drawScene(int64_t step)
    {
        clear();
        forgetShownHits();
        for (Object* o : hit)
            o->lastHitStep = step;
        drawWorld(canvas, 0, 0);
    }

    void TearDown() override
    {
        keepImages = true;
        forgetKeptImages();
        RenderTest::TearDown();
    }
};

TEST_F(KeptImages, BusySceneLooksAsWithEveryCopyMadeAnew)
{
    buildScene();
    keepImages = false;
    drawScene(5);
    SDL_Surface* made = keep(SDL_ConvertSurface(canvas, canvas->format, SDL_SWSURFACE));
    keepImages = true;
    drawScene(6);

    int lit = 0, differ = 0, far = 0, worst = 0;
    for (int y = 0; y < canvas->h; ++y)
        for (int x = 0; x < canvas->w; ++x) {
            const Uint32 a = rgb(made, x, y), b = rgb(canvas, x, y);
            lit += a != 0;
            differ += a != b;
            int most = 0;
            for (int shift : {16, 8, 0})
                most
                    = std::max(most, std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)));
            far += most > 8;
            worst = std::max(worst, most);
        }
    ASSERT_GT(lit, 800 * 600 / 4); // the scene covers the screen well
    // Differences are specks on the rims of turned images, never whole parts.
    EXPECT_LE(far, 800 * 600 / 100) << differ << " differ, worst by " << worst;
    RecordProperty("pixelsDiffering", differ);
    RecordProperty("pixelsBeyond8", far);
}

TEST_F(KeptImages, SceneDrawnAgainMakesNoNewCopiesAndLevelEndFreesThem)
{
    buildScene();
    drawScene(5);
    const uint64_t made = keptImagesMade();
    ASSERT_GT(made, 40u);
    EXPECT_GT(keptImageBytes(), 0u);
    drawScene(6);
    EXPECT_EQ(keptImagesMade(), made);
    forgetKeptImages();
    EXPECT_EQ(keptImageBytes(), 0u);
}

TEST_F(KeptImages, SpinningSunStaysWithinTheBudget)
{
    // A sun of 200 pixels turned through every heading would need some
    // 230 MB of copies.
    Object* sun = new Object(1, 100, 400, 300, 0, 0, 0, 0, patterned(200), typeSun, 0, 1);
    world().objects.push_back(sun);
    world().drawables.push_back(sun);
    const uint64_t madeBefore = keptImagesMade();
    for (int frame = 0; frame < turnSteps; ++frame) {
        sun->angle = static_cast<float>((frame + 0.3) * 2 * M_PI / turnSteps);
        drawWorld(canvas, 0, 0);
        ASSERT_LE(keptImageBytes(), keptImageBudget) << frame;
    }
    EXPECT_EQ(keptImagesMade() - madeBefore, static_cast<uint64_t>(turnSteps));
}

TEST_F(KeptImages, SpinningSunStaysWithinTheBudgetOnOurCanvasAndGoesWithTheLevel)
{
    Object* sun = new Object(1, 100, 400, 300, 0, 0, 0, 0, patterned(200), typeSun, 0, 1);
    world().objects.push_back(sun);
    world().drawables.push_back(sun);
    std::vector<uint32_t> memory(800 * 600);
    SoftCanvas ours(memory.data(), 800, 600, 800, nullptr, readPicture);
    const uint64_t desktopMade = keptImagesMade(), madeBefore = softCopiesMade();
    for (int frame = 0; frame < turnSteps; ++frame) {
        sun->angle = static_cast<float>((frame + 0.3) * 2 * M_PI / turnSteps);
        drawWorld(ours, 0, 0);
        ASSERT_LE(softCopyBytes(), keptImageBudget) << frame;
    }
    EXPECT_EQ(softCopiesMade() - madeBefore, static_cast<uint64_t>(turnSteps));
    EXPECT_EQ(keptImagesMade(), desktopMade) << "our canvas drew with the desktop's copies";
    forgetKeptImages();
    EXPECT_EQ(softCopyBytes(), 0u);
}
