// A replay holds a level exactly: every kind of input a frame can carry
// (actions, any pointer position a pilot may give, clicks, frames without
// steps) goes through the file and back and plays to the same world.
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/replay.h"
#include "screens/replayrules.h"
#include "screens/session.h"
#include "support/child.h"
#include "world/hash.h"
#include "world/object.h"
#include "world/random.h"
#include "world/world.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <sstream>

using namespace tether;

namespace {

// Plays the level from the replay's start with its frames; the end hash.
uint64_t play(const Replay& replay)
{
    restoreReplayStart(replay);
    EXPECT_TRUE(startLevel("maps/" + replay.mapName, replay.ship - 1, replay.seed));
    for (size_t i = 0; i < replay.frames.size(); ++i)
        if (simulateFrame(world(), replayFrameInput(replay, i), replay.frames[i].steps)
            != LevelState::ongoing)
            break;
    const uint64_t hash = worldHash(world());
    stopLevel();
    return hash;
}

} // namespace

TEST(Replay, ARecordedLevelReadsBackBitForBitAndPlaysToTheSameWorld)
{
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(TETHER_GAME_DIR), 0);
    ASSERT_TRUE(readDataFile("data"));

    // A level played by a restless pilot: random actions, pointer positions
    // with every bit of a float in use, clicks, now and then no steps.
    Replay recorded = replayOfLevelStart("twin_suns", 1, 2, 3, 77);
    ASSERT_TRUE(startLevel("maps/twin_suns", 2, 77));
    Random pilot(5);
    for (int frame = 0; frame < 2000; ++frame) {
        FrameInput input;
        input.actions = static_cast<unsigned>(pilot.next() % 64);
        input.pointerX = world().ship->x + (pilot.unit() - 0.5f) * 1234.567f;
        input.pointerY = world().ship->y - (pilot.unit() - 0.5f) * 987.6543f;
        if (frame % 40 == 7)
            input.clicks.push_back(Click::fireHook);
        if (frame % 90 == 50)
            input.clicks = {Click::tieOff, Click::fireHook, Click::tieOff};
        const int steps = frame % 13 == 0 ? 0 : 1 + static_cast<int>(pilot.next() % 30);
        ASSERT_TRUE(addReplayFrame(recorded, steps, input));
        if (simulateFrame(world(), input, steps) != LevelState::ongoing)
            break;
    }
    recorded.endHash = worldHash(world());
    stopLevel();

    std::stringstream file;
    writeReplay(file, recorded);
    Replay read;
    ASSERT_EQ(readReplay(file, read), "");
    ASSERT_EQ(read.frames.size(), recorded.frames.size());
    ASSERT_EQ(read.clicks, recorded.clicks);
    for (size_t i = 0; i < read.frames.size(); ++i) {
        const ReplayFrame &a = recorded.frames[i], &b = read.frames[i];
        ASSERT_EQ(std::memcmp(&a.pointerX, &b.pointerX, sizeof(float)), 0) << "frame " << i;
        ASSERT_EQ(std::memcmp(&a.pointerY, &b.pointerY, sizeof(float)), 0) << "frame " << i;
        ASSERT_EQ(a.steps, b.steps);
        ASSERT_EQ(a.actions, b.actions);
        ASSERT_EQ(a.clickCount, b.clickCount);
    }
    EXPECT_EQ(read.endHash, recorded.endHash);
    EXPECT_EQ(play(read), recorded.endHash);
    EXPECT_GT(recorded.frames.size(), 200u); // the pilot flies into a sun, in time
    EXPECT_GT(recorded.clicks.size(), 10u);
    ASSERT_EQ(chdir(cwd), 0);
}

// Three levels in one process, one by each set of rules a replay may name:
// recorded by the released 1.0.0 (enemies chase straight), by a development
// build after it (enemies go round bodies, the platform's math) and with the
// game's own math. Stepped frame by frame in turn, each in a world of its
// own, each ends on the hash it was recorded with when played alone: the
// rules are the world's, and nothing of one level leaks into another.
TEST(Replay, LevelsOfEveryRulesVersionSteppedInTurnPlayAsEachAlone)
{
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(TETHER_GAME_DIR), 0);
    ASSERT_TRUE(readDataFile("data"));
    constexpr int levels = 3;
    const char* names[levels] = {"1.0.0/bot-twin_suns-1.replay", "bot-open_fire-3.replay",
        "own-math-event_horizon_boss-2.replay"};
    const RulesVersion rules[levels]
        = {RulesVersion::released100, RulesVersion::detourPlatformMath, RulesVersion::ownMath};
    Replay replays[levels];
    World worlds[levels] {World(gameTuning()), World(gameTuning()), World(gameTuning())};
    for (int w = 0; w < levels; ++w) {
        ASSERT_EQ(
            loadReplay(std::string(TETHER_SOURCE_DIR "/tests/replays/") + names[w], replays[w]),
            "");
        WorldInUse inUse(worlds[w]);
        settleReplayRules(replays[w]);
        EXPECT_EQ(replays[w].rules, rules[w]) << names[w];
        restoreReplayStart(replays[w]);
        ASSERT_TRUE(startLevel("maps/" + replays[w].mapName, replays[w].ship - 1, replays[w].seed));
    }
    bool playing[levels] = {true, true, true};
    size_t frame[levels] = {0, 0, 0};
    while (playing[0] || playing[1] || playing[2]) {
        for (int w = 0; w < levels; ++w) {
            if (!playing[w])
                continue;
            const Replay& replay = replays[w];
            const LevelState state = simulateFrame(
                worlds[w], replayFrameInput(replay, frame[w]), replay.frames[frame[w]].steps);
            playing[w] = state == LevelState::ongoing && ++frame[w] < replay.frames.size();
        }
    }
    for (int w = 0; w < levels; ++w) {
        WorldInUse inUse(worlds[w]);
        EXPECT_EQ(worldHash(world()), replays[w].endHash) << names[w];
        EXPECT_GT(frame[w], 1000u) << names[w];
        stopLevel();
    }
    ASSERT_EQ(chdir(cwd), 0);
}

// A replay given by name is read only when it is a regular file: a folder
// threw out of the game (status 134), and /dev/zero as the data file or a
// map was hashed for ever. Each is refused at once, with why.
TEST(Replay, AFolderOrAnEndlessDeviceIsRefusedAtOnceWithWhy)
{
    const ChildResult result = runInChildFor(
        [] {
            Replay replay;
            std::string why;
            const bool hashed = fileHash("/dev/zero", &why).has_value();
            std::printf("%s|%s|%d %s\n", loadReplay("/tmp", replay).c_str(),
                loadReplay("/dev/zero", replay).c_str(), hashed, why.c_str());
        },
        5000);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output,
        "it is not a regular file|it is not a regular file|0 is not a regular file\n");
}
