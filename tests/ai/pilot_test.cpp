// The pilot: it sees what a player sees and no more, it reacts a human
// reaction time late, never draws from the rules' generator, and with the
// first ship it wins the first map in most seeds, the same way each time.
#include "ai/pilot.h"
#include "ai/view.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "render/hud.h"
#include "screens/session.h"
#include "support/child.h"
#include "support/world_fixture.h"
#include "world/hash.h"
#include "world/random.h"
#include "world/world.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace tether;

// The pilot's idea of the radar is the HUD's.
static_assert(radarReach == radarRange && radarPixel == radarScale);

class PlayerView : public WorldTest {
protected:
    Object* add(int type, float x, float y, float radius = 20)
    {
        Object* o = make(type, x, y, radius);
        world().objects.push_back(o);
        world().drawables.push_back(o);
        return o;
    }
};

TEST_F(PlayerView, ShowsTheScreenBesideThePanelExactlyTheRadarToItsPixelAndFarEnemiesAsBearingsOnly)
{
    world().worldW = world().worldH = 20000;
    world().ship = add(typeShip, 5000, 5000, 18);
    const Object* near = add(typeEnemy, 5300, 5100);
    const Object* radar = add(typeEnemy, 6000, 4000);
    add(typeEnemy, 9000, 2000); // 5000 units away
    add(typeMine, 8300, 5000); // beyond the radar: mines leave no mark there
    add(typeTurret, 5300, 5100, 1); // a gun on the near enemy
    const Object* hidden = add(typeEnemy, 5165, 5210); // under the HUD panel
    world().numEnemies = 4;
    const PilotView view = seePilotView(world());

    EXPECT_EQ(view.enemiesLeft, 4);
    ASSERT_EQ(view.things.size(), 3u);
    const Sighting& onScreen = view.things[0];
    EXPECT_EQ(onScreen.id, reinterpret_cast<uintptr_t>(near));
    EXPECT_TRUE(onScreen.onScreen);
    EXPECT_EQ(onScreen.x, 5300);
    EXPECT_EQ(onScreen.y, 5100);
    const Sighting& onRadar = view.things[1];
    EXPECT_EQ(onRadar.id, reinterpret_cast<uintptr_t>(radar));
    EXPECT_FALSE(onRadar.onScreen);
    // 1000 and -1000 units off: radar pixels 31 and -32, read at their middles.
    EXPECT_EQ(onRadar.x, 5000 + 31.5f * 32);
    EXPECT_EQ(onRadar.y, 5000 - 31.5f * 32);
    ASSERT_EQ(view.farEnemyBearings.size(), 1u);
    EXPECT_FLOAT_EQ(view.farEnemyBearings[0], std::atan2(-3000.0f, 4000.0f));
    // The panel hides what it covers: that enemy is read off the radar.
    const Sighting& underThePanel = view.things[2];
    EXPECT_EQ(underThePanel.id, reinterpret_cast<uintptr_t>(hidden));
    EXPECT_FALSE(underThePanel.onScreen);
    EXPECT_EQ(underThePanel.x, 5000 + 5.5f * 32);
}

// A pilot fed views by hand: the ship at rest, alone, until a mine appears
// in reach.
class PilotReaction : public ::testing::Test {
protected:
    std::vector<std::pair<float*, float>> saved;

    void SetUp() override
    {
        for (auto [value, tuned] : std::vector<std::pair<float*, float>> {
                 {&writableTuning().shipMass, 100}, {&writableTuning().shipMaxSpeed, 0.5f},
                 {&writableTuning().shipMaxThrust, 0.06f}, {&writableTuning().grapSpeed, 3},
                 {&writableTuning().grapMaxDistance, 450}, {&writableTuning().grapRadius, 8}})
            saved.push_back({value, std::exchange(*value, tuned)});
    }
    void TearDown() override
    {
        for (auto [value, old] : saved)
            *value = old;
    }

    static PilotView frame(int64_t time, bool mine)
    {
        PilotView view;
        view.time = time;
        view.shipX = view.shipY = view.mountX = view.mountY = 1000;
        view.shipRadius = 18;
        view.cameraX = 600;
        view.cameraY = 700;
        view.health = 1000;
        view.hooksHome = 2;
        if (mine) {
            Sighting s {};
            s.id = 1;
            s.type = typeMine;
            s.kind = -1;
            s.x = 1250;
            s.y = 1000;
            s.radius = 15;
            s.onScreen = true;
            view.things.push_back(s);
        }
        return view;
    }
};

TEST_F(PilotReaction, HooksAMineOnlyAReactionTimeAfterItAppearsAndNeverDrawsFromTheRules)
{
    world().ruleRandom.reseed(99);
    const uint64_t rules = world().ruleRandom.state;
    Pilot pilot = newPilot(7);
    const int64_t appears = 1008;
    int64_t firstShot = -1;
    FrameInput shot;
    for (int64_t t = 0; t < 2000 && firstShot < 0; t += 16) {
        const FrameInput input = flyPilot(world(), pilot, frame(t, t >= appears));
        for (Click c : input.clicks) {
            if (c == Click::fireHook && firstShot < 0) {
                firstShot = t;
                shot = input;
            }
        }
    }
    ASSERT_GE(firstShot, 0) << "never fired at the mine";
    // A human's reaction: not before a sixth of a second, not after a third.
    EXPECT_GE(firstShot - appears, 160);
    EXPECT_LE(firstShot - appears, 330);
    // Pointed at it, give or take a hand's error of a few degrees.
    const float bearing = std::atan2(shot.pointerY - 1000, shot.pointerX - 1000);
    EXPECT_LT(std::fabs(bearing), 0.2f);
    EXPECT_EQ(world().ruleRandom.state, rules);
}

namespace {

// Plays first_contact with the first ship and the pilot for up to two
// minutes of game time: "<state> <ms> <hash>".
std::string playFirstContact(uint64_t seed)
{
    startLevel("maps/first_contact", 0, seed);
    Pilot pilot = newPilot(seed);
    LevelState state = LevelState::ongoing;
    while (state == LevelState::ongoing && world().levelStats.gameTime < 120000)
        state = simulateFrame(world(), flyPilot(world(), pilot, seePilotView(world())), 16);
    std::ostringstream out;
    out << static_cast<int>(state) << ' ' << world().levelStats.gameTime << ' '
        << worldHash(world()) << '\n';
    stopLevel();
    return out.str();
}

} // namespace

TEST(PilotPlays, WinsTheFirstMapWithTheFirstShipInMostSeedsTheSameWayEachTime)
{
    const ChildResult child = runInChild(
        [] {
            readDataFile("data");
            for (uint64_t seed = 1; seed <= 5; ++seed)
                std::fputs(playFirstContact(seed).c_str(), stdout);
            std::fputs(playFirstContact(1).c_str(), stdout);
        },
        TETHER_GAME_DIR);
    ASSERT_EQ(child.status, 0) << child.output;
    std::istringstream lines(child.output);
    std::vector<std::string> runs;
    for (std::string line; std::getline(lines, line);)
        runs.push_back(line);
    ASSERT_EQ(runs.size(), 6u) << child.output;
    int wins = 0;
    for (int i = 0; i < 5; ++i)
        wins += std::stoi(runs[i]) == static_cast<int>(LevelState::victory);
    EXPECT_GE(wins, 4) << child.output;
    EXPECT_EQ(runs[5], runs[0]) << "the same seed played differently";
}
