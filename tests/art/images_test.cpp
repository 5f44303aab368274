// The generated images as the game uses them: every file is there and
// loads, has the size the game's layout relies on, and is transparent or
// opaque where it must be.
#include "art/picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<std::string> everyImage()
{
    std::vector<std::string> paths;
    for (int d = 0; d <= 9; d++)
        paths.push_back("main/" + std::to_string(d) + ".png");
    for (const char* p : {"main/pc.png", "main/HUD.png", "main/radar.png", "main/titlescreen.png",
             "main/gameover.png", "main/victory.png", "main/cursor.png", "sprites/hook.png",
             "sprites/node.png", "sprites/planet.png", "sprites/sun.png", "sprites/null.png",
             "effects/bfg.png", "effects/shredder.png", "effects/mine.png",
             "effects/forcefield.png", "effects/gChain.png"})
        paths.push_back(p);
    for (int i = 1; i <= 3; i++)
        paths.push_back("sprites/ship" + std::to_string(i) + ".png");
    for (int i = 1; i <= 12; i++)
        paths.push_back("sprites/enemy" + std::to_string(i) + ".png");
    for (int i = 1; i <= 4; i++)
        paths.push_back("sprites/turret" + std::to_string(i) + ".png");
    for (int i = 1; i <= 3; i++)
        paths.push_back("effects/flame" + std::to_string(i) + ".png");
    for (int i = 0; i <= 9; i++)
        paths.push_back("effects/explosion" + std::to_string(i) + ".png");
    for (int i = 0; i <= 9; i++)
        paths.push_back("effects/bfgflame" + std::to_string(i) + ".png");
    for (int i = 1; i <= 4; i++)
        paths.push_back("worldsprites/space" + std::to_string(i) + ".png");
    return paths;
}

bool cornersClear(const Picture& p)
{
    return p.at(0, 0).a == 0 && p.at(p.w - 1, 0).a == 0 && p.at(0, p.h - 1).a == 0
        && p.at(p.w - 1, p.h - 1).a == 0;
}

int maxAlpha(const Picture& p)
{
    int m = 0;
    for (const Pixel& q : p.px)
        m = std::max(m, q.a);
    return m;
}

bool opaqueEverywhere(const Picture& p)
{
    for (const Pixel& q : p.px)
        if (q.a != 255)
            return false;
    return true;
}

TEST(ImageFiles, EveryImageTheGameLoadsIsThere)
{
    for (const std::string& path : everyImage()) {
        Picture p = gamePicture(path);
        EXPECT_TRUE(p.loaded()) << path;
    }
}

TEST(ImageSizes, ScreensFillTheDisplay)
{
    for (const char* path : {"main/titlescreen.png", "main/gameover.png", "main/victory.png"}) {
        Picture p = gamePicture(path);
        EXPECT_EQ(p.w, 800) << path;
        EXPECT_EQ(p.h, 600) << path;
    }
}

TEST(ImageSizes, HudFitsTheScreenCornerAndRadarIsItsArea)
{
    Picture hud = gamePicture("main/HUD.png");
    EXPECT_LE(395 + hud.w, 800);
    EXPECT_LE(395 + hud.h, 600);
    Picture radar = gamePicture("main/radar.png");
    EXPECT_EQ(radar.w, 200);
    EXPECT_EQ(radar.h, 200);
}

TEST(ImageSizes, DigitsShareOneReadableHeight)
{
    Picture zero = gamePicture("main/0.png");
    EXPECT_GE(zero.h, 28);
    EXPECT_LE(zero.h, 32);
    std::vector<std::string> glyphs = {"pc"};
    for (int d = 0; d <= 9; d++)
        glyphs.push_back(std::to_string(d));
    for (const std::string& g : glyphs) {
        Picture p = gamePicture("main/" + g + ".png");
        EXPECT_EQ(p.h, zero.h) << g;
        EXPECT_GT(p.w, 8) << g;
        EXPECT_TRUE(cornersClear(p)) << g;
        EXPECT_EQ(maxAlpha(p), 255) << g << " has no solid ink";
    }
    // "1000" drawn from x = 445 must stay clear of the radar at x = 595.
    EXPECT_LT(445 + 4 * zero.w, 595);
}

TEST(ImageSizes, EnemyHullsAreSquaresSizedToTheirRadius)
{
    auto data = gameData();
    for (int i = 1; i <= 12; i++) {
        std::string key = "enemy" + std::to_string(i);
        ASSERT_TRUE(data.count(key)) << key;
        int side = 2 * std::stoi(data[key][0]) + 16;
        Picture p = gamePicture("sprites/" + key + ".png");
        EXPECT_EQ(p.w, side) << key;
        EXPECT_EQ(p.h, side) << key;
        EXPECT_TRUE(cornersClear(p)) << key;
    }
}

TEST(ImageSizes, BodiesHoldTheirBaseRadius)
{
    auto data = gameData();
    for (const char* key : {"planet", "sun", "mine"}) {
        std::string file = std::string(key) == "mine" ? "effects/mine.png"
                                                      : "sprites/" + std::string(key) + ".png";
        Picture p = gamePicture(file);
        int r = std::stoi(data[key][0]);
        EXPECT_GE(p.w, 2 * r) << key;
        EXPECT_GE(p.h, 2 * r) << key;
        // The body reaches its base radius: solid just inside it along the
        // horizontal axis, nothing at the image corners.
        EXPECT_GT(p.at(p.w / 2 - r + 3, p.h / 2).a, 200) << key;
        EXPECT_TRUE(cornersClear(p)) << key;
    }
}

TEST(Sprites, ShipsAreRoughlyTheirCollisionSize)
{
    for (int i = 1; i <= 3; i++) {
        Picture p = gamePicture("sprites/ship" + std::to_string(i) + ".png");
        EXPECT_GE(p.w, 40);
        EXPECT_LE(p.w, 56);
        EXPECT_TRUE(cornersClear(p)) << i;
        EXPECT_EQ(p.at(p.w / 2, p.h / 2).a, 255) << "ship " << i << " hull centre";
    }
}

TEST(Sprites, SmallSpritesAreCutOut)
{
    for (const char* path : {"sprites/hook.png", "sprites/node.png", "sprites/null.png",
             "main/cursor.png", "effects/bfg.png", "effects/shredder.png", "effects/forcefield.png",
             "main/radar.png", "sprites/turret1.png", "sprites/turret4.png"}) {
        Picture p = gamePicture(path);
        EXPECT_TRUE(cornersClear(p)) << path;
        EXPECT_GT(maxAlpha(p), 200) << path;
    }
}

TEST(Sprites, TurretMountsSitOnTheHull)
{
    auto data = gameData();
    const std::pair<const char*, const char*> mounts[] = {{"enemy1t", "enemy1"},
        {"enemy2t1", "enemy2"}, {"enemy2t2", "enemy2"}, {"enemy3t", "enemy3"}};
    for (auto [mount, hull] : mounts) {
        ASSERT_EQ(data[mount].size(), 3u) << mount;
        int x = std::stoi(data[mount][0]), y = std::stoi(data[mount][1]);
        Picture p = gamePicture("sprites/" + std::string(hull) + ".png");
        ASSERT_TRUE(p.loaded());
        EXPECT_EQ(p.at(x, y).a, 255) << mount;
        Picture turret = gamePicture(data[mount][2]);
        EXPECT_EQ(turret.at(turret.w / 2, turret.h / 2).a, 255) << mount << " pivot";
        // The barrel reaches towards +x.
        EXPECT_GT(
            turret.at(turret.w - 2, turret.h / 2).a + turret.at(turret.w - 2, turret.h / 2 - 2).a,
            200)
            << mount;
    }
}

TEST(Screens, TitleIsOpaqueAndKeepsTheGamesPlacesClear)
{
    Picture t = gamePicture("main/titlescreen.png");
    ASSERT_TRUE(t.loaded());
    EXPECT_TRUE(opaqueEverywhere(t));
    // The key-held dots are black discs of radius 5 on the arrows.
    for (int cx : {47, 750})
        for (int dy = -5; dy <= 5; dy += 5)
            for (int dx = -5; dx <= 5; dx += 5)
                EXPECT_GT(t.at(cx + dx, 500 + dy).light(), 0.6f) << cx << "," << dx << "," << dy;
    // The map name is written in white across the band: it must be dark.
    for (int x = 100; x <= 700; x += 25)
        for (int y = 490; y <= 510; y += 5)
            EXPECT_LT(t.at(x, y).light(), 0.12f) << x << "," << y;
}

// Pixels brighter than half white inside a screen rectangle.
int brightPixels(const Picture& p, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            n += p.at(x, y).light() > 0.5f;
    return n;
}

TEST(Screens, TitleLabelsItsFramesAndShowsEachShip)
{
    Picture t = gamePicture("main/titlescreen.png");
    ASSERT_TRUE(t.loaded());
    EXPECT_GT(brightPixels(t, 320, 105, 450, 160), 150) << "SHIP label";
    EXPECT_GT(brightPixels(t, 320, 375, 450, 435), 150) << "MAP label";
    for (int k = 0; k < 3; k++) {
        int x0 = 125 + 200 * k;
        EXPECT_GT(brightPixels(t, x0, 165, x0 + 150, 300), 1000) << "ship " << k + 1;
        EXPECT_GT(brightPixels(t, x0, 300, x0 + 150, 340), 60) << "ship " << k + 1 << " name";
    }
    EXPECT_GT(brightPixels(t, 150, 550, 650, 590), 300) << "controls line";
}

TEST(Screens, HudLabelsSitLeftOfDarkNumberFields)
{
    Picture hud = gamePicture("main/HUD.png");
    ASSERT_TRUE(hud.loaded());
    // Panel pixels: 445 - 395 = 50 is where the numbers start.
    for (int top : {420 - 395, 545 - 395}) {
        EXPECT_GT(brightPixels(hud, 0, top, 50, top + 32), 40) << "label at " << top;
        double light = 0;
        for (int y = top; y < top + 30; y++)
            for (int x = 50; x < 150; x++)
                light += hud.at(x, y).light() * hud.at(x, y).a / 255.0;
        EXPECT_LT(light / 3000, 0.15) << "numbers at " << top << " need a dark field";
    }
}

TEST(Screens, EndScreensLetTheBattleShowThrough)
{
    for (const char* path : {"main/gameover.png", "main/victory.png"}) {
        Picture p = gamePicture(path);
        ASSERT_TRUE(p.loaded()) << path;
        // Translucent at the edges and behind the words...
        for (auto [x, y] : {std::pair {5, 5}, {400, 560}, {20, 300}}) {
            EXPECT_GT(p.at(x, y).a, 0) << path;
            EXPECT_LT(p.at(x, y).a, 255) << path;
        }
        // ...with solid lettering in the middle band.
        int solid = 0;
        for (int y = 240; y < 360; y++)
            for (int x = 100; x < 700; x++)
                solid += p.at(x, y).a == 255;
        EXPECT_GT(solid, 3000) << path;
    }
}

TEST(Effects, ShieldIsLightSoftAndDensestAtTheRim)
{
    Picture f = gamePicture("effects/forcefield.png");
    ASSERT_TRUE(f.loaded());
    int c = f.w / 2;
    EXPECT_LT(f.at(c, c).a, 64);
    EXPECT_GT(f.at(6, c).a, 128);
    EXPECT_LT(f.at(6, c).a, 255);
    EXPECT_GT(f.at(6, c).light(), 0.85f);
}

TEST(Effects, PlumeLeavesTheNozzleAtTheRight)
{
    for (int i = 1; i <= 3; i++) {
        Picture p = gamePicture("effects/flame" + std::to_string(i) + ".png");
        ASSERT_TRUE(p.loaded());
        EXPECT_GE(p.w, 300);
        const Pixel& nozzle = p.at(p.w - 3, p.h / 2);
        EXPECT_EQ(nozzle.a, 255);
        EXPECT_GT(nozzle.light(), 0.8f);
        EXPECT_LT(p.at(2, p.h / 2).a, 40) << "plume should fade out before the left edge";
    }
}

// Summed opacity of a picture, in full pixels.
double coverage(const Picture& p)
{
    double sum = 0;
    for (const Pixel& q : p.px)
        sum += q.a / 255.0;
    return sum;
}

TEST(Effects, FireballGrowsThenFades)
{
    std::vector<double> cover;
    for (int i = 0; i <= 9; i++) {
        Picture p = gamePicture("effects/explosion" + std::to_string(i) + ".png");
        ASSERT_TRUE(p.loaded());
        EXPECT_TRUE(cornersClear(p)) << i;
        cover.push_back(coverage(p));
    }
    EXPECT_LT(cover[0], cover[4]);
    EXPECT_LT(cover[9], cover[5]);
    EXPECT_GT(cover[9], 0);
}

TEST(Effects, EnergyBurstFadesAway)
{
    Picture first = gamePicture("effects/bfgflame0.png"),
            last = gamePicture("effects/bfgflame9.png");
    ASSERT_TRUE(first.loaded() && last.loaded());
    EXPECT_GT(maxAlpha(first), 200);
    EXPECT_LT(maxAlpha(last), maxAlpha(first) / 2);
}

} // namespace
