// Broken content that once hung the game, exhausted its memory or reached
// undefined behaviour, one folder per case under tests/corpus: the broken
// files and an "expect" file with what must happen. Each case goes through
// the real game code headless (data file, map or map list, the ship, a few
// hundred frames of 16 ms drawn into the 800 by 600 screen with the hooks
// fired) within a bounded time, and through mapcheck in strict mode.
//
// expect:   # what the case is
//           game plays | game offers N
//           mapcheck STATUS [TEXT that one of its findings holds]
#include "check.h"
#include "content/assets.h"
#include "content/maps.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/audio.h"
#include "render/draw.h"
#include "render/kept.h"
#include "screens/frame.h"
#include "screens/session.h"
#include "world/hooks.h"
#include "world/object.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>

using namespace tether;

namespace {

const std::string corpus = TETHER_SOURCE_DIR "/tests/corpus";
const std::string shippedData = TETHER_GAME_DIR "/data";

// A case that has not finished after this long is a hang: the alarm ends
// the test process, which fails the test instead of holding up the suite.
constexpr unsigned hangSeconds = 120;
// A case must play its frames well within this (sanitizer builds included).
constexpr double caseSeconds = 45.0;
constexpr int frames = 300;

struct Expectation {
    bool plays = false;
    int offers = -1;
    int mapcheckStatus = -1;
    std::string mapcheckSays;
};

Expectation readExpectation(const std::string& path)
{
    Expectation e;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string what;
        words >> what;
        if (what == "game") {
            std::string how;
            words >> how;
            e.plays = how == "plays";
            if (how == "offers")
                words >> e.offers;
        } else if (what == "mapcheck") {
            words >> e.mapcheckStatus >> std::ws;
            std::getline(words, e.mapcheckSays);
        }
    }
    return e;
}

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(corpus.c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.')
                names.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool exists(const std::string& path)
{
    return std::ifstream(path).good();
}

bool allFinite(const Object& o)
{
    return std::isfinite(o.x) && std::isfinite(o.y) && std::isfinite(o.vx) && std::isfinite(o.vy);
}

// Plays the map at path as the level cycle does, with the tuning already
// read; returns what went wrong, or nothing.
std::string playMap(const std::string& path)
{
    world().worldW = world().worldH = 2000.0f;
    world().backx = world().backy = 0;
    world().spawnX = world().spawnY = 1000.0f;
    world().spawnVX = world().spawnVY = 0;
    world().chosenShip = 0;
    world().bossLevel = world().gameOver = false;
    if (!loadMap(path))
        return "the map did not open";
    assembleShip();
    resetLevel(world(), 1);
    mouseX = 600; // aim right of the ship, where the cases put an enemy
    mouseY = 300;
    Uint32 now = 100000;
    enterFrameLoop(now);
    std::string failure;
    for (int frame = 0; frame < frames && failure.empty(); ++frame) {
        if (frame % 40 == 0)
            fireHook(world());
        now += 16;
        const FrameEnd end = runFrame(now);
        for (Object* o : world().objects)
            if (!allFinite(*o))
                failure = "an object left the numbers at frame " + std::to_string(frame);
        if (!world().ship || !allFinite(*world().ship))
            failure = "the ship left the numbers at frame " + std::to_string(frame);
        if (end != FrameEnd::next)
            break; // the level ended by its own rules: won or lost
    }
    clearWorld(world());
    closeLevelMap();
    forgetScaledExplosions();
    return failure;
}

class Corpus : public ::testing::Test {
protected:
    char cwd[4096] = {};
    void SetUp() override
    {
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        ASSERT_EQ(chdir(TETHER_GAME_DIR), 0); // the data file's image paths
        screen = SDL_GetVideoSurface();
        loadImages();
        loadSounds();
        setUpChannels();
    }
    void TearDown() override
    {
        alarm(0);
        readDataFile(shippedData);
        ASSERT_EQ(chdir(cwd), 0);
    }
};

} // namespace

TEST_F(Corpus, EveryCaseEndsAsExpectedInTheGameAndInMapcheck)
{
    const std::vector<std::string> names = caseNames();
    ASSERT_GE(names.size(), 20u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string dir = corpus + "/" + name;
        const Expectation expect = readExpectation(dir + "/expect");
        ASSERT_TRUE(expect.plays || expect.offers >= 0) << "no game expectation";
        ASSERT_GE(expect.mapcheckStatus, 0) << "no mapcheck expectation";
        const bool ownData = exists(dir + "/data");
        const std::string data = ownData ? dir + "/data" : shippedData;
        const bool hasList = exists(dir + "/maps/maplist");

        alarm(hangSeconds);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(readDataFile(shippedData));
        ASSERT_TRUE(readDataFile(data));
        std::string map = dir + "/map";
        if (hasList) {
            std::vector<MapListEntry> entries;
            const MapListResult listed = readMapList(dir + "/maps/maplist", entries);
            EXPECT_EQ(static_cast<int>(entries.size()), expect.offers);
            EXPECT_EQ(listed, expect.offers > 0 ? MapListResult::ok : MapListResult::noMaps);
            map = entries.empty() ? "" : dir + "/maps/" + entries.front().mapName;
        }
        if (!map.empty()) {
            EXPECT_EQ(playMap(map), "");
        }
        const double seconds
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        alarm(0);
        EXPECT_LT(seconds, caseSeconds);

        mapcheck::Checker checker;
        checker.checkData(data, TETHER_GAME_DIR);
        if (hasList)
            checker.checkMapList(dir + "/maps/maplist");
        else
            checker.checkMap(dir + "/map");
        // Images are made by the build, not written by hand: a build without
        // them (the sanitizer build) says so for every case alike.
        std::vector<mapcheck::Finding> findings;
        for (const mapcheck::Finding& f : checker.findings())
            if (f.message.rfind("image \"", 0) != 0)
                findings.push_back(f);
        EXPECT_EQ(findings.empty() ? 0 : 1, expect.mapcheckStatus)
            << (findings.empty() ? "" : mapcheck::format(findings.front()));
        if (!expect.mapcheckSays.empty()) {
            EXPECT_TRUE(std::any_of(findings.begin(), findings.end(),
                [&](const mapcheck::Finding& f) {
                    return f.message.find(expect.mapcheckSays) != std::string::npos;
                }))
                << "no finding says \"" << expect.mapcheckSays << "\"";
        }
        std::printf(
            "%-24s %.2f s, mapcheck %zu findings\n", name.c_str(), seconds, findings.size());
    }
}
