// The game's music glue with the real generated tracks: a track starts when
// none plays, from 2 to 6 on a normal level and the boss's own on a boss
// level, and the finished hook halts it and forgets it.
#include "content/assets.h"
#include "main/level.h"
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
        bossLevel = false;
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
    bossLevel = false;
    checkMusic();
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_GE(playingTrack(), 2);
    EXPECT_LE(playingTrack(), 6);

    Mix_Music* first = music;
    checkMusic(); // still playing: nothing changes
    EXPECT_EQ(music, first);

    musicDone();
    EXPECT_FALSE(Mix_PlayingMusic());
    EXPECT_EQ(music, nullptr);
}

TEST_F(GameMusic, ABossLevelPlaysItsOwnTrack)
{
    bossLevel = true;
    for (int boss : {8, 13}) { // 13: the last of the boss tracks
        bossMusic = boss;
        checkMusic();
        EXPECT_TRUE(Mix_PlayingMusic()) << boss;
        EXPECT_EQ(playingTrack(), boss);
        musicDone();
    }
}
