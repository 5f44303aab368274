#include "content/title.h"
#include "content/worldinuse.h"
#include "render/titlemenu.h"
#include "screens/titlescreen.h"
#include "support/child.h"
#include "support/keys.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

using namespace tether;

namespace {

Uint32 pixelAt(SDL_Surface* s, int x, int y)
{
    const Uint32* row = static_cast<const Uint32*>(s->pixels) + y * s->pitch / 4;
    return row[x] & 0xffffff;
}

} // namespace

TEST(TitleMenu, ChoicesWrapAroundBothWays)
{
    TitleMenu menu;
    titleKeyDown(menu, TestKeys {SDLK_LEFT}.data());
    wrapTitleMenu(menu, 4);
    EXPECT_EQ(menu.shipChoice, 2);
    titleKeyDown(menu, TestKeys {SDLK_RIGHT}.data());
    wrapTitleMenu(menu, 4);
    EXPECT_EQ(menu.shipChoice, 0);

    menu.menuRow = 1;
    menu.mapChoice = 3;
    titleKeyDown(menu, TestKeys {SDLK_RIGHT}.data());
    wrapTitleMenu(menu, 4);
    EXPECT_EQ(menu.mapChoice, 0);
    titleKeyDown(menu, TestKeys {SDLK_LEFT}.data());
    wrapTitleMenu(menu, 4);
    EXPECT_EQ(menu.mapChoice, 3);
    EXPECT_EQ(menu.shipChoice, 0); // the ship row is left alone
}

TEST(TitleMenu, RightWinsOverLeftAndUpOrDownSwitchesRows)
{
    TitleMenu menu;
    titleKeyDown(menu, TestKeys {SDLK_LEFT, SDLK_RIGHT}.data());
    wrapTitleMenu(menu, 2);
    EXPECT_EQ(menu.shipChoice, 1);
    titleKeyDown(menu, TestKeys {SDLK_UP, SDLK_DOWN}.data());
    wrapTitleMenu(menu, 2);
    EXPECT_EQ(menu.menuRow, 1);
    titleKeyDown(menu, TestKeys {SDLK_DOWN}.data());
    wrapTitleMenu(menu, 2);
    EXPECT_EQ(menu.menuRow, 0);
    titleKeyDown(menu, TestKeys {SDLK_DOWN}.data());
    wrapTitleMenu(menu, 2);
    EXPECT_EQ(menu.menuRow, 1);
}

class TitleDrawing : public ::testing::Test {
protected:
    SDL_Surface* screen = nullptr;
    void SetUp() override
    {
        screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_FillRect(screen, nullptr, 0x808080);
    }
    void TearDown() override { SDL_FreeSurface(screen); }
};

TEST_F(TitleDrawing, FocusedRowIsFramedInYellowAndTheShipBoxHasItsColour)
{
    TitleMenu menu;
    menu.shipChoice = 1;
    drawTitleMenu(screen, menu, TestKeys {}.data(), "x");
    EXPECT_EQ(pixelAt(screen, 320, 130), 0xffff00u);
    EXPECT_EQ(pixelAt(screen, 450, 105), 0xffff00u);
    EXPECT_EQ(pixelAt(screen, 320, 400), 0x808080u);
    EXPECT_EQ(pixelAt(screen, 325, 250), 0x00ffffu); // second ship: cyan
    EXPECT_EQ(pixelAt(screen, 475, 340), 0x00ffffu);
    EXPECT_EQ(pixelAt(screen, 125, 250), 0x808080u);
}

TEST_F(TitleDrawing, MapRowShowsADotForTheHeldArrow)
{
    TitleMenu menu;
    menu.menuRow = 1;
    menu.shipChoice = 2;
    drawTitleMenu(screen, menu, TestKeys {SDLK_LEFT, SDLK_RIGHT}.data(), "x");
    EXPECT_EQ(pixelAt(screen, 320, 400), 0xffff00u);
    EXPECT_EQ(pixelAt(screen, 47, 500), 0x000000u); // Left wins for the dot
    EXPECT_EQ(pixelAt(screen, 750, 500), 0x808080u);
    EXPECT_EQ(pixelAt(screen, 525, 200), 0xff0000u);
}

TEST_F(TitleDrawing, MapNameIsCentredInTheBuiltInFont)
{
    TitleMenu menu;
    drawTitleMenu(screen, menu, TestKeys {}.data(), "WWWWWWWWWW"); // 10 glyphs: x 360..439
    int firstWhite = 800, lastWhite = -1;
    for (int y = 500; y < 508; ++y)
        for (int x = 0; x < 800; ++x)
            if (pixelAt(screen, x, y) == 0xffffff) {
                firstWhite = std::min(firstWhite, x);
                lastWhite = std::max(lastWhite, x);
            }
    EXPECT_GE(firstWhite, 360);
    EXPECT_LE(firstWhite, 362);
    EXPECT_LE(lastWhite, 439);
    EXPECT_GE(lastWhite, 436);
}

class TitleScreen : public ::testing::Test {
protected:
    std::string dir;
    char cwd[4096] = {};
    void SetUp() override
    {
        dir = makeTempDir();
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        ASSERT_EQ(mkdir((dir + "/maps").c_str(), 0755), 0);
    }
    void TearDown() override
    {
        SDL_GetKeyState(nullptr)[SDLK_SPACE] = 0;
        ASSERT_EQ(chdir(cwd), 0);
        removeTree(dir);
    }
};

TEST_F(TitleScreen, SpaceHeldAtOnceAcceptsTheFirstShipAndMap)
{
    writeFile(dir + "/maps/maplist", "2\nalpha alpha_boss 7\nbeta beta_boss 8\n");
    ASSERT_EQ(chdir(dir.c_str()), 0);
    SDL_GetKeyState(nullptr)[SDLK_SPACE] = 1;
    TitleState title;
    ASSERT_FALSE(openTitle(title));
    TitleChoice choice;
    std::snprintf(choice.shipSpritePath, sizeof choice.shipSpritePath, "unchanged");
    choice.chosenShip = 5;
    ProgramEnd end;
    EXPECT_EQ(titleFrame(title, choice, end), TitleOutcome::started);
    EXPECT_STREQ(choice.shipSpritePath, "sprites/ship1.png");
    EXPECT_EQ(choice.chosenShip, 0);
    EXPECT_EQ(choice.mapPath, "maps/alpha");
    EXPECT_EQ(world().bossMapPath, "maps/alpha_boss");
    EXPECT_EQ(world().bossMusic, 7);
}

TEST_F(TitleScreen, AMissingMapListIsAnErrorAndAnEmptyOneHasNoMaps)
{
    TitleState title;
    ASSERT_EQ(chdir(dir.c_str()), 0);
    const auto missing = openTitle(title);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 1);
    EXPECT_EQ(missing->message, "Error opening data");

    writeFile(dir + "/maps/maplist", "3\n");
    const auto empty = openTitle(title);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->status, 0);
    EXPECT_EQ(empty->message, "NO MAPS");
}
