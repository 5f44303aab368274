// The settings file: what the game keeps is what it reads back, the
// command line wins for its run without being kept, rebound keys steer,
// a broken file gives the defaults with one warning, a file that cannot be
// read is never written over, and two copies of the game keep each other's
// changes.
#include "platform/input.h"
#include "platform/settings.h"
#include "support/child.h"
#include "support/keys.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

    settings.effectsVolume = 7; // a change in the game keeps nothing of the command line
    keepSetting("effects_volume");
    const std::string text = readAll(dir + "/tether/settings");
    EXPECT_EQ(text.find("scale"), std::string::npos) << text;
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

// A change made in the game edits its own line of the file: the player's
// comments, names the game does not know and lines it could not read stay
// as written and in their places, and no setting the player did not change
// is added. While another copy holds the file's lock for ever, a change is
// given up after a short wait, with a word on standard output.
TEST_F(SettingsFile, AChangeEditsItsOwnLineAndKeepsTheRest)
{
    const std::string folder = dir + "/tether", path = folder + "/settings";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string mine = "# my note\r\nkey_pause pp\nmusic_volume 4\n\x01\xff junk\n"
                             "colour_of_sky blue\n  music_volume   6  # later wins\nscale 2";
    writeFile(path, mine);
    const ChildResult changed = runInChild([] {
        loadSettings();
        settings.musicVolume = 2;
        keepSetting("music_volume");
        settings.fullscreen = false;
        keepSetting("fullscreen");
    });
    EXPECT_EQ(changed.status, 0);
    EXPECT_EQ(readAll(path),
        "# my note\r\nkey_pause pp\nmusic_volume 4\n\x01\xff junk\ncolour_of_sky blue\n"
        "music_volume 2\nscale 2\nfullscreen no\n");

    ASSERT_EQ(unlink(path.c_str()), 0); // a first change makes a file of that change alone
    runInChild([] {
        loadSettings();
        settings.effectsVolume = 3;
        keepSetting("effects_volume");
    });
    const std::string fresh = readAll(path);
    EXPECT_EQ(fresh.substr(fresh.find("\n", fresh.rfind("# ")) + 1), "effects_volume 3\n") << fresh;

    const int held = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    const ChildResult locked = runInChildFor(
        [] {
            loadSettings();
            settings.effectsVolume = 9;
            keepSetting("effects_volume");
        },
        5000);
    close(held);
    EXPECT_FALSE(locked.timedOut);
    EXPECT_EQ(locked.output, "Settings not saved: another copy of the game is saving\n");
    EXPECT_EQ(readAll(path), fresh);
}

// A settings file the game cannot read (its permissions, a pipe) is said
// once and never written over; a pipe does not hold the game up. Without a
// folder for the file a change is not kept, and that is said once too.
TEST_F(SettingsFile, AFileThatCannotBeReadIsLeftAsItIsAndSaidOnce)
{
    const std::string folder = dir + "/tether", path = folder + "/settings";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    writeFile(path, "music_volume 3\n");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    auto changeTwice = [] {
        settings.musicVolume = 5;
        keepSetting("music_volume");
        settings.effectsVolume = 4;
        keepSetting("effects_volume");
    };
    const ChildResult unreadable = runInChild([&] {
        if (!becomeUnprivileged(dir))
            std::_Exit(98);
        loadSettings();
        changeTwice();
    });
    EXPECT_EQ(unreadable.status, 0);
    EXPECT_EQ(unreadable.output,
        "Settings file " + path
            + " cannot be read: the defaults stand in, and it is left as it is (changes made in "
              "the game are not saved)\n");
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    EXPECT_EQ(readAll(path), "music_volume 3\n");

    ASSERT_EQ(unlink(path.c_str()), 0);
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    const ChildResult pipe = runInChild([&] {
        // A game stuck on the pipe fails here instead of hanging (SDL's
        // timer may have taken the alarm signal for itself).
        std::signal(SIGALRM, SIG_DFL);
        alarm(5);
        loadSettings();
        changeTwice();
    });
    EXPECT_EQ(pipe.status, 0);
    EXPECT_NE(
        pipe.output.find(path + " is not a regular file: the defaults stand in"), std::string::npos)
        << pipe.output;
    struct stat status;
    ASSERT_EQ(lstat(path.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));

    const ChildResult homeless = runInChild([&] {
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("HOME");
        loadSettings();
        changeTwice();
    });
    EXPECT_EQ(homeless.output,
        "Settings not saved: no configuration folder (HOME and XDG_CONFIG_HOME are unset)\n");
}

// Two copies of the game playing at once, each changing its own setting
// over and over: the file ends with both copies' last values.
TEST_F(SettingsFile, TwoCopiesKeepEachOthersChanges)
{
    constexpr int changes = 60;
    auto copyChanging = [](int Settings::*field, const char* name, int last) {
        const pid_t pid = fork();
        if (pid != 0)
            return pid;
        loadSettings();
        for (int i = changes; i >= 0; --i) {
            settings.*field = i == 0 ? last : i % volumeSteps;
            keepSetting(name);
        }
        std::fflush(stdout);
        std::_Exit(0);
    };
    const pid_t music = copyChanging(&Settings::musicVolume, "music_volume", 3);
    const pid_t effects = copyChanging(&Settings::effectsVolume, "effects_volume", 7);
    int status = 0;
    ASSERT_EQ(waitpid(music, &status, 0), music);
    ASSERT_EQ(waitpid(effects, &status, 0), effects);
    const std::string text = readAll(dir + "/tether/settings");
    EXPECT_NE(text.find("\nmusic_volume 3\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\neffects_volume 7\n"), std::string::npos) << text;
}
