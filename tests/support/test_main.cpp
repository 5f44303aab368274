// Test entry: brings SDL up headless once per test process, as the game does
// at start-up, so tests can make surfaces, convert images and play sounds.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "content/tuning.h"
#include "content/worldinuse.h"
#include "world/world.h"

#include <cstdlib>

namespace {

class HeadlessSdl : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(800, 600, 32, SDL_FULLSCREEN), nullptr) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
        Mix_AllocateChannels(64);
    }
    void TearDown() override
    {
        Mix_CloseAudio();
        SDL_Quit();
    }
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The world a test plays in unless its fixture gives it one of its own.
    tether::World world(tether::gameTuning());
    tether::WorldInUse inUse(world);
    ::testing::AddGlobalTestEnvironment(new HeadlessSdl);
    return RUN_ALL_TESTS();
}
