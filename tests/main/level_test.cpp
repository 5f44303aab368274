#include "content/assets.h"
#include "content/worldinuse.h"
#include "screens/level.h"
#include "support/world_fixture.h"
#include "world/world.h"

using namespace tether;

class LevelEnd : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        world().bossLevel = false;
        world().ship = make(typeShip);
        world().objects.push_back(world().ship);
    }
    void TearDown() override
    {
        world().bossLevel = false;
        WorldTest::TearDown();
    }
};

TEST_F(LevelEnd, AWonNormalLevelLeadsToItsBossAndEmptiesTheWorld)
{
    world().numEnemies = 0;
    endLevel();
    EXPECT_TRUE(world().bossLevel);
    EXPECT_TRUE(world().objects.empty());
    EXPECT_EQ(world().ship, nullptr);
}

TEST_F(LevelEnd, GameOverWinsOverVictory)
{
    world().numEnemies = 0;
    world().gameOver = true;
    endLevel();
    EXPECT_FALSE(world().bossLevel);
}

TEST_F(LevelEnd, EscapeWithEnemiesLeftReturnsToTheTitle)
{
    world().numEnemies = 2;
    endLevel();
    EXPECT_FALSE(world().bossLevel);
}

TEST_F(LevelEnd, AWonBossLevelReturnsToTheTitle)
{
    world().bossLevel = true;
    world().numEnemies = 0;
    endLevel();
    EXPECT_FALSE(world().bossLevel);
}

TEST_F(LevelEnd, EscapeOnAMapWithoutEnemiesCountsAsAWin)
{
    world().numEnemies = 0;
    enterFrameLoop(0);
    SDL_GetKeyState(nullptr)[SDLK_ESCAPE] = 1;
    const FrameEnd end = runFrame(5);
    SDL_GetKeyState(nullptr)[SDLK_ESCAPE] = 0;
    ASSERT_EQ(end, FrameEnd::escape);
    std::vector<std::string> note;
    EXPECT_EQ(endPicture(end, true, note), nullptr); // no end screen for Escape
    endLevel();
    EXPECT_TRUE(world().bossLevel);
}

// The picture stays the whole time; presses made meanwhile are dropped (a
// click meant for the lost level must not choose the title's map), while
// the pointer's moves wait for the next screen.
TEST_F(LevelEnd, EndScreenHoldsItsPictureAndDropsPresses)
{
    SDL_Surface* picture
        = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(picture, nullptr, 0x00ff00);
    screen = SDL_GetVideoSurface();
    SDL_Event event {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_p;
    SDL_PushEvent(&event);
    event = {};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&event);
    event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = 321;
    SDL_PushEvent(&event);

    const Uint32 start = SDL_GetTicks();
    EndScreen endScreen;
    endScreen.holdMs = 120;
    openEndScreen(endScreen, picture);
    EndScreenOutcome outcome;
    while ((outcome = endScreenFrame(endScreen)) == EndScreenOutcome::holding)
        SDL_Delay(10);
    EXPECT_EQ(outcome, EndScreenOutcome::done);
    EXPECT_GE(SDL_GetTicks() - start, 120u);
    const Uint32* pixels = static_cast<const Uint32*>(screen->pixels);
    EXPECT_EQ(pixels[300 * screen->pitch / 4 + 400] & 0xffffff, 0x00ff00u);
    SDL_FreeSurface(picture);

    ASSERT_EQ(SDL_PollEvent(&event), 1);
    EXPECT_EQ(event.type, SDL_MOUSEMOTION);
    EXPECT_EQ(event.motion.x, 321);
    EXPECT_EQ(SDL_PollEvent(&event), 0);
}

class Music : public ::testing::Test {
protected:
    // Stand-ins that are never played: only which one is chosen matters.
    Mix_Music* saved[musicTrackCount];
    char marks[musicTrackCount];
    void SetUp() override
    {
        for (int i = 0; i < musicTrackCount; ++i) {
            saved[i] = musicTracks[i];
            musicTracks[i] = reinterpret_cast<Mix_Music*>(&marks[i]);
        }
    }
    void TearDown() override
    {
        for (int i = 0; i < musicTrackCount; ++i)
            musicTracks[i] = saved[i];
        world().bossLevel = false;
    }
    int chosenTrack()
    {
        return static_cast<int>(reinterpret_cast<char*>(trackToPlay()) - marks) + 1;
    }
};

TEST_F(Music, NormalLevelsPlayTracksTwoToSixAtRandom)
{
    world().bossLevel = false;
    bool seen[10] = {};
    for (int i = 0; i < 500; ++i) {
        const int n = chosenTrack();
        ASSERT_GE(n, 2);
        ASSERT_LE(n, 6);
        seen[n] = true;
    }
    for (int n = 2; n <= 6; ++n)
        EXPECT_TRUE(seen[n]) << "track " << n;
}

TEST_F(Music, BossLevelsPlayTheirOwnTrack)
{
    world().bossLevel = true;
    world().bossMusic = 7;
    EXPECT_EQ(chosenTrack(), 7);
    world().bossMusic = 1;
    EXPECT_EQ(chosenTrack(), 1);
    world().bossMusic = 13;
    EXPECT_EQ(chosenTrack(), 13);
}

TEST_F(Music, ABossTrackNumberOutOfRangeFallsBackToNormalMusic)
{
    world().bossLevel = true;
    for (int n : {-5, 0, 14, 1000}) {
        world().bossMusic = n;
        const int chosen = chosenTrack();
        EXPECT_GE(chosen, 2) << n;
        EXPECT_LE(chosen, 6) << n;
    }
}
