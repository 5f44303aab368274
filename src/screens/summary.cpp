#include "screens/summary.h"
#include "content/worldinuse.h"

#include "world/events.h"
#include "world/hash.h"
#include "world/object.h"
#include "world/world.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace tether {

ShipWatch watchShip()
{
    ShipWatch watch;
    watch.health = world().ship ? world().ship->health : 0;
    return watch;
}

void watchFrame(ShipWatch& watch)
{
    for (int i = 0; i < world().worldEvents.count && watch.endedBy < 0; ++i) {
        const WorldEvent& event = world().worldEvents.events[i];
        if (event.kind != EventKind::shipHit)
            continue;
        watch.health -= event.amount;
        if (watch.health <= 0)
            watch.endedBy = event.cause;
    }
}

Outcome outcomeOf(LevelState state, Outcome whenOngoing)
{
    switch (state) {
    case LevelState::victory: return Outcome::won;
    case LevelState::gameOver: return Outcome::lost;
    case LevelState::escape: return Outcome::escape;
    case LevelState::ongoing: break;
    }
    return whenOngoing;
}

LevelSummary summariseLevel(const std::string& map, int ship, uint64_t seed,
    const std::string& pilot, Outcome outcome, const ShipWatch& watch)
{
    World& world = tether::world();
    LevelSummary summary;
    summary.map = map;
    summary.ship = ship;
    summary.seed = seed;
    summary.pilot = pilot;
    summary.outcome = outcome;
    if (outcome == Outcome::lost)
        summary.how = watch.endedBy >= 0 ? watch.endedBy : causeOther;
    else if (world.ship && world.ship->health > 0)
        summary.health = world.ship->health;
    summary.stats = world.levelStats;
    summary.hash = worldHash(world);
    return summary;
}

const char* outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::won: return "won";
    case Outcome::lost: return "lost";
    case Outcome::timeLimit: return "time limit";
    case Outcome::escape: return "escape";
    case Outcome::quit: return "quit";
    }
    return "";
}

const char* causeName(int cause)
{
    switch (cause) {
    case causeCrash: return "crashes";
    case causeShot: return "shots";
    case causeMine: return "mine";
    case causeSun: return "sun";
    case causeBlackHole: return "black hole";
    default: return "other";
    }
}

namespace {

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Two decimals, or null for what JSON cannot hold.
std::string amount(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

template <typename T, typename Format>
std::string byCause(const T (&values)[causeCount], Format format)
{
    std::string out = "{";
    for (int cause = 0; cause < causeCount; ++cause) {
        if (cause > 0)
            out += ",";
        out += quoted(causeName(cause)) + ":" + format(values[cause]);
    }
    return out + "}";
}

} // namespace

std::string summaryJson(const LevelSummary& s)
{
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016" PRIx64, s.hash);
    const std::string how = s.outcome == Outcome::lost ? quoted(causeName(s.how)) : "null";
    return "{\"map\":" + quoted(s.map) + ",\"ship\":" + std::to_string(s.ship)
        + ",\"seed\":" + std::to_string(s.seed) + ",\"pilot\":" + quoted(s.pilot)
        + ",\"outcome\":" + quoted(outcomeName(s.outcome)) + ",\"how\":" + how
        + ",\"time_ms\":" + std::to_string(s.stats.gameTime) + ",\"health\":" + amount(s.health)
        + ",\"enemies_destroyed\":"
        + byCause(s.stats.enemiesDestroyed, [](int n) { return std::to_string(n); })
        + ",\"damage_taken\":" + byCause(s.stats.damageTaken, amount) + ",\"hooks_fired\":"
        + std::to_string(s.stats.hooksFired) + ",\"catches\":" + std::to_string(s.stats.catches)
        + ",\"slings\":" + std::to_string(s.stats.slings) + ",\"hash\":\"" + hash + "\"}";
}

} // namespace tether
