// The way out of a level survives any settings file: a file that binds
// leave, pause and help elsewhere adds keys to them, and Escape, P and F1
// still leave, pause and show the controls.
#include "platform/input.h"
#include "platform/settings.h"
#include "support/child.h"
#include "support/keys.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

using namespace tether;

TEST(FixedKeys, ABindingAddsKeysAndNeverTakesEscapePOrF1Away)
{
    const std::string dir = makeTempDir();
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    ASSERT_EQ(mkdir((dir + "/tether").c_str(), 0755), 0);
    writeFile(dir + "/tether/settings", "key_leave world_95\nkey_pause space\nkey_help f2\n");
    loadSettings();

    EXPECT_EQ(actionsFromKeys(TestKeys {SDLK_ESCAPE}.data()), static_cast<unsigned>(actionEscape));
    EXPECT_EQ(
        actionsFromKeys(TestKeys {SDLK_WORLD_95}.data()), static_cast<unsigned>(actionEscape));
    EXPECT_TRUE(isBound(Command::leave, SDLK_ESCAPE)); // leaves from the pause screen too
    EXPECT_TRUE(isBound(Command::pause, SDLK_p));
    EXPECT_TRUE(isBound(Command::pause, SDLK_SPACE));
    EXPECT_TRUE(isBound(Command::help, SDLK_F1));
    EXPECT_EQ(keyLabel(Command::pause), "P/Space");

    unsetenv("XDG_CONFIG_HOME");
    settings = Settings();
    removeTree(dir);
}
