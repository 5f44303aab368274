// The volume keys show the level they set: a bar below the hint with one
// lit segment a step, fading out a moment later.
#include "platform/settings.h"
#include "render/marks.h"
#include "screens/commands.h"
#include "screens/notices.h"
#include "support/child.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace tether;

namespace {

// The bar's pixels in the colour of its lit segments and label.
int litPixels(SDL_Surface* canvas)
{
    int lit = 0;
    const Uint32* pixels = static_cast<const Uint32*>(canvas->pixels);
    for (int y = 30; y < 42; ++y)
        for (int x = 0; x < canvas->w; ++x)
            lit += (pixels[y * canvas->pitch / 4 + x] & 0xffffff) == 0xcfefff;
    return lit;
}

int litAfterPresses(SDL_Surface* canvas, SDLKey key, int presses)
{
    FrameInput input;
    SDL_Event press {};
    press.type = SDL_KEYDOWN;
    press.key.keysym.sym = key;
    for (int i = 0; i < presses; ++i)
        takeLevelEvent(press, input);
    SDL_FillRect(canvas, nullptr, 0);
    drawNotices(canvas);
    return litPixels(canvas);
}

} // namespace

TEST(VolumeBar, AVolumeKeyShowsTheLevelItSetAndTheBarFades)
{
    const std::string dir = makeTempDir();
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    settings = Settings();
    SDL_Surface* canvas
        = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xff0000, 0xff00, 0xff, 0);

    const int atSeven = litAfterPresses(canvas, SDLK_9, 3);
    EXPECT_EQ(settings.musicVolume, 7);
    const int atThree = litAfterPresses(canvas, SDLK_9, 4);
    EXPECT_EQ(atSeven - atThree, 4 * 10 * 8) << "four segments of 10 by 8 pixels fewer";
    EXPECT_GT(atThree, 3 * 10 * 8);

    EXPECT_EQ(volumeBarAlpha(0), 255);
    EXPECT_EQ(volumeBarAlpha(volumeBarShownMs + volumeBarFadeMs), 0);
    SDL_FillRect(canvas, nullptr, 0);
    drawVolumeBar(canvas, "MUSIC", 3, volumeSteps, 0);
    EXPECT_EQ(litPixels(canvas), 0);

    SDL_FreeSurface(canvas);
    unsetenv("XDG_CONFIG_HOME");
    settings = Settings();
    removeTree(dir);
}
