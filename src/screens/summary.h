// How a level ended and what it counted, as one line of JSON: what the
// headless simulator prints for each run, and the window after playing a
// replay back. The keys come in a fixed order and numbers in a fixed form,
// so two runs can be compared byte for byte.
#pragma once

#include "content/worldinuse.h"
#include "screens/session.h"
#include "world/stats.h"

#include <cstdint>
#include <string>

namespace tether {

enum class Outcome {
    won,
    lost, // with the cause that ended the ship
    timeLimit, // the simulator's time ran out first
    escape, // Escape ended the level
    quit, // a replay's frames ran out first: the player quit the game there
};

// Follows the ship's health through each frame's ship-hit events, to tell
// what ended it: the cause of the hit that took its health to nothing.
struct ShipWatch {
    double health = 0; // the ship's health less the hits told so far
    int endedBy = -1; // a Cause, or -1 while the ship lives
};

// At the level's start: the ship's health as it is now.
ShipWatch watchShip();
// After each simulated frame, while its events are still in worldEvents.
void watchFrame(ShipWatch& watch);

struct LevelSummary {
    std::string map; // as the map list names it
    int ship = 1; // 1, 2 or 3
    uint64_t seed = 0;
    std::string pilot; // who played: a pilot's name, or "replay"
    Outcome outcome = Outcome::quit;
    int how = -1; // when lost: the Cause that ended the ship
    float health = 0; // the ship's health left; 0 when lost
    LevelStats stats;
    uint64_t hash = 0; // worldHash(world()) at the end
};

// The outcome for a level that stands at state after its last frame; an
// ongoing level ended as whenOngoing says.
Outcome outcomeOf(LevelState state, Outcome whenOngoing);
// The running level's summary, after its last frame and before stopLevel.
LevelSummary summariseLevel(const std::string& map, int ship, uint64_t seed,
    const std::string& pilot, Outcome outcome, const ShipWatch& watch);

// "won", "lost", "time limit", "escape", "quit".
const char* outcomeName(Outcome outcome);
// What a cause is called in the summary: "crashes", "shots", "mine", "sun",
// "black hole", "other".
const char* causeName(int cause);
// The summary as one line of JSON, without the newline:
//   {"map":"first_contact","ship":1,"seed":7,"pilot":"idle","outcome":"lost",
//    "how":"sun","time_ms":52113,"health":0.00,"enemies_destroyed":{"crashes":0,
//    ...},"damage_taken":{"crashes":12.50,...},"hooks_fired":0,"catches":0,
//    "slings":0,"hash":"5c3b0d9e8f7a6b21"}
// "how" is null unless the ship was lost.
std::string summaryJson(const LevelSummary& summary);

} // namespace tether
