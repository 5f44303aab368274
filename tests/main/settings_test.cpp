// The settings file: what the game keeps is what it reads back, the
// command line wins for its run without being kept, rebound keys steer,
// and a broken file gives the defaults with one warning.
#include "main/input.h"
#include "main/settings.h"
#include "support/child.h"
#include "support/keys.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace tether;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

class SettingsFile : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        dir = makeTempDir();
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("XDG_CONFIG_HOME");
        settings = Settings();
        removeTree(dir);
    }
};

TEST_F(SettingsFile, WhatIsKeptIsReadBackAndTheCommandLineWinsUnkept)
{
    loadSettings(); // no file yet: the defaults
    EXPECT_EQ(settings.musicVolume, volumeSteps);
    EXPECT_TRUE(settings.fullscreen);

    settings.musicVolume = 3;
    keepSetting("music_volume");
    settings.fullscreen = false;
    keepSetting("fullscreen");
    ASSERT_EQ(applySetting(settings, "key_up", "i Up"), "");
    keepSetting("key_up");
    ASSERT_EQ(overrideSetting("scale", "2"), "");
    EXPECT_NE(overrideSetting("scale", "3"), "");

    settings = Settings();
    loadSettings();
    EXPECT_EQ(settings.musicVolume, 3);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_EQ(settings.scale, 2); // from the command line
    EXPECT_EQ(keyLabel(Command::up), "I/Up");
    EXPECT_EQ(actionsFromKeys(TestKeys {SDLK_i}.data()), static_cast<unsigned>(actionUp));
    EXPECT_EQ(actionsFromKeys(TestKeys {SDLK_w}.data()), 0u); // no longer bound

    settings.effectsVolume = 7; // a change in the game keeps the file's scale
    keepSetting("effects_volume");
    const std::string text = readAll(dir + "/tether/settings");
    EXPECT_NE(text.find("\nscale 1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\neffects_volume 7\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nkey_up i up\n"), std::string::npos) << text;
}

TEST_F(SettingsFile, ABrokenFileGivesTheDefaultsAndOneWarning)
{
    ASSERT_EQ(mkdir((dir + "/tether").c_str(), 0755), 0);
    writeFile(dir + "/tether/settings",
        std::string("music_volume 11\nfullscreen maybe\n\x01\xff garbage\nkey_pause nosuchkey\n"
                    "effects_volume 4\n"));
    const ChildResult loaded = runInChild([] {
        loadSettings();
        std::printf("%d %d %d %s", settings.musicVolume, settings.effectsVolume,
            settings.fullscreen ? 1 : 0, keyLabel(Command::pause).c_str());
    });
    EXPECT_EQ(loaded.status, 0);
    const size_t firstLineEnd = loaded.output.find('\n');
    ASSERT_NE(firstLineEnd, std::string::npos);
    EXPECT_EQ(loaded.output.substr(firstLineEnd + 1), "10 4 1 P"); // the good line is kept
    EXPECT_EQ(loaded.output.substr(0, firstLineEnd),
        "Settings file " + dir
            + "/tether/settings: line 1: '11' is not a whole number from 0 to 10 (and 3 more); "
              "the defaults stand in");
}
