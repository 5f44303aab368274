// The game's music glue with the real generated tracks: a track starts when
// none plays, from 2 to 6 on a normal level and the boss's own on a boss
// level, and the finished hook only tells the next frame.
#include "content/assets.h"
#include "content/worldinuse.h"
#include "screens/level.h"
#include "world/world.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace tether;

class GameMusic : public ::testing::Test {
protected:
    char cwd[4096] = {};
    void SetUp() override
    {
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        ASSERT_EQ(chdir(TETHER_GAME_DIR), 0);
        loadMusic();
        for (Mix_Music* track : musicTracks)
            ASSERT_NE(track, nullptr);
    }
    void TearDown() override
    {
        Mix_HaltMusic();
        world().bossLevel = false;
        for (Mix_Music*& track : musicTracks) {
            Mix_FreeMusic(track);
            track = nullptr;
        }
        ASSERT_EQ(chdir(cwd), 0);
    }
    int playingTrack() const
    {
        for (int n = 1; n <= musicTrackCount; ++n)
            if (music == musicTracks[n - 1])
                return n;
        return 0;
    }
};

TEST_F(GameMusic, ANormalLevelStartsOneOfTracksTwoToSix)
{
    world().bossLevel = false;
    checkMusic();
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_GE(playingTrack(), 2);
    EXPECT_LE(playingTrack(), 6);

    Mix_Music* first = music;
    checkMusic(); // still playing: nothing changes
    EXPECT_EQ(music, first);
}

// The mixer calls the finished hook on its own thread, where none of its
// functions may be called: the hook only raises a flag, and the first frame
// after the track has stopped forgets it and starts the next.
TEST_F(GameMusic, TheFinishedHookOnlyRaisesAFlagForTheNextFrame)
{
    world().bossLevel = false;
    checkMusic();
    Mix_Music* first = music;
    musicFinished = false;
    Mix_FadeOutMusic(50); // ends on the mixer's thread
    const Uint32 start = SDL_GetTicks();
    while (!musicFinished && SDL_GetTicks() - start < 3000)
        SDL_Delay(5);
    ASSERT_TRUE(musicFinished);
    EXPECT_EQ(music, first); // the hook touched nothing of the frame's
    EXPECT_FALSE(Mix_PlayingMusic());
    checkMusic();
    EXPECT_FALSE(musicFinished);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_GE(playingTrack(), 2);
    EXPECT_LE(playingTrack(), 6);
}

// After a won normal map the music fades out over about a second, and only
// then does the boss track start.
TEST_F(GameMusic, AfterAWonMapTheMusicFadesAndTheBossTrackFollows)
{
    world().bossLevel = false;
    world().gameOver = false;
    world().numEnemies = 0;
    world().bossMusic = 8;
    checkMusic();
    Mix_Music* normal = music;
    musicFinished = false;
    const Uint32 wonAt = SDL_GetTicks();
    endLevel();
    ASSERT_TRUE(world().bossLevel);
    checkMusic(); // still fading
    EXPECT_EQ(music, normal);
    while (!musicFinished && SDL_GetTicks() - wonAt < 3000) {
        SDL_Delay(5);
        checkMusic();
        if (music != normal)
            break;
    }
    // The mixer fades in whole buffers (4096 samples at 22050 Hz, 186 ms):
    // a second's fade is five of them, and the first may be mixed at once,
    // so the music ends 4 to 5 buffers (743 to 929 ms) after the win.
    EXPECT_GE(SDL_GetTicks() - wonAt, 700u);
    checkMusic();
    EXPECT_EQ(playingTrack(), 8);
}

TEST_F(GameMusic, ABossLevelPlaysItsOwnTrack)
{
    world().bossLevel = true;
    for (int boss : {8, 13}) { // 13: the last of the boss tracks
        world().bossMusic = boss;
        checkMusic();
        EXPECT_TRUE(Mix_PlayingMusic()) << boss;
        EXPECT_EQ(playingTrack(), boss);
        Mix_HaltMusic(); // the track ends; the next check starts the next one
    }
}
