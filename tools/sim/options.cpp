// Reading tether-sim's command line; --help is the reference.
#include "options.h"

#include "pilots.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#ifndef TETHER_VERSION
#define TETHER_VERSION "dev"
#endif

namespace sim {

namespace {

const char* const usage
    = "Usage: tether-sim [--data FILE] [--ship 1|2|3|all] [--seed N] [--pilot NAME]\n"
      "                  [--minutes M] [--runs K] [--record FILE] MAP...\n"
      "       tether-sim [--data FILE] --replay FILE [--at MS]\n";

const char* const help
    = "Plays the game's maps without a window, as fast as the machine allows, and\n"
      "prints one line of JSON per run: map, ship, seed, pilot, outcome (won, lost,\n"
      "time limit; escape or quit for a replay), how the ship was lost, game time,\n"
      "health left, enemies destroyed and damage taken by cause, hooks fired,\n"
      "catches, slings and the final world hash.\n"
      "\n"
      "  MAP              a map name as the map list gives it (read from maps/), or\n"
      "                   maplist: every map of the list, each with its boss map\n"
      "  --data FILE      the data file (default: data in the game folder)\n"
      "  --ship S         the ship, 1, 2 or 3, or all three in turn (default 1)\n"
      "  --seed N         the level's seed (default 1)\n"
      "  --pilot NAME     who plays (default idle, which touches nothing)\n"
      "  --minutes M      stop a run after M minutes of game time (default 10)\n"
      "  --runs K         seeds N to N+K-1 for each map and ship, in parallel, one\n"
      "                   thread per core; then a table per map and ship\n"
      "  --record FILE    write the run's replay to FILE (one run only)\n"
      "  --replay FILE    reproduce a replay recorded by the game or by --record;\n"
      "                   fails when it ends on another world hash than recorded\n"
      "  --at MS          with --replay: play it only up to MS ms of game time, as a\n"
      "                   ghost beside a level at that time is played (the whole\n"
      "                   frames that end by then), and print where its ship is:\n"
      "                   {\"at\", \"frame\" (frames played), \"time\", \"x\", \"y\",\n"
      "                   \"angle\", \"over\"}, x and y within the world\n"
      "  --help           show this and exit\n"
      "  --version        show the version and exit\n"
      "\n"
      "Frames are 16 steps of 1 ms. The simulator plays from the game's folder.\n"
      "Exit status: 0 done; 1 a map that cannot be opened, a replay refused or\n"
      "played to another end; 2 bad usage or a data file that cannot be read.\n";

bool wrong(const std::string& what)
{
    std::fprintf(
        stderr, "tether-sim: %s\n%sTry 'tether-sim --help' for more.\n", what.c_str(), usage);
    return false;
}

Parsed refuse(const std::string& what)
{
    wrong(what);
    return Parsed::badUsage;
}

bool wholeNumber(const std::string& text, uint64_t highest, uint64_t& value)
{
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long n = std::strtoull(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || n > highest)
        return false;
    value = n;
    return true;
}

// Applies one option with its value; false (explained) when it is wrong.
bool apply(const std::string& name, const std::string& value, Options& o)
{
    uint64_t n = 0;
    if (name == "--data") {
        o.data = value;
    } else if (name == "--ship") {
        if (value == "all")
            o.ships = {1, 2, 3};
        else if (wholeNumber(value, 3, n) && n >= 1)
            o.ships = {static_cast<int>(n)};
        else
            return wrong("--ship is 1, 2, 3 or all, not '" + value + "'");
    } else if (name == "--seed") {
        if (!wholeNumber(value, UINT64_MAX, o.seed))
            return wrong("--seed is a whole number from 0 to " + std::to_string(UINT64_MAX));
    } else if (name == "--pilot") {
        o.pilot = value;
    } else if (name == "--minutes") {
        char* end = nullptr;
        const double m = std::strtod(value.c_str(), &end);
        if (value.empty() || *end != '\0' || !(m > 0) || m > 100000)
            return wrong("--minutes is a number of minutes above 0, not '" + value + "'");
        o.minutes = m;
    } else if (name == "--runs") {
        if (!wholeNumber(value, 100000, n) || n < 1)
            return wrong("--runs is a whole number from 1 to 100000, not '" + value + "'");
        o.runs = static_cast<int>(n);
    } else if (name == "--record" || name == "--replay") {
        // An empty name names no file: the game refuses it too.
        if (value.empty())
            return wrong(name + " needs a file name, not ''");
        (name == "--record" ? o.record : o.replay) = value;
    } else if (name == "--at") {
        if (!wholeNumber(value, 1000000000, n))
            return wrong("--at is a game time in ms from 0 to 1000000000, not '" + value + "'");
        o.atMs = static_cast<int64_t>(n);
    }
    return true;
}

const std::vector<std::string> valued = {
    "--data", "--ship", "--seed", "--pilot", "--minutes", "--runs", "--record", "--replay", "--at"};

} // namespace

Parsed readOptions(const std::vector<std::string>& args, Options& o)
{
    std::vector<std::string> given;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--help") {
            std::printf("%s\n%s\nPilots: %s.\n", usage, help, pilotNames().c_str());
            return Parsed::answered;
        }
        if (name == "--version") {
            std::printf("tether-sim %s\n", TETHER_VERSION);
            return Parsed::answered;
        }
        if (name.empty() || name[0] != '-') {
            o.maps.push_back(name);
            continue;
        }
        // "--name value" or "--name=value".
        std::string value;
        bool hasValue = false;
        const size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
            hasValue = true;
        }
        bool known = false;
        for (const std::string& option : valued)
            known = known || option == name;
        if (!known)
            return refuse("unknown option '" + name + "'");
        if (!hasValue) {
            if (i + 1 == args.size())
                return refuse(name + " needs a value");
            value = args[++i];
        }
        if (!apply(name, value, o))
            return Parsed::badUsage;
        given.push_back(name);
    }

    if (!o.replay.empty()) {
        for (const std::string& name : given)
            if (name != "--replay" && name != "--data" && name != "--at")
                return refuse(
                    "--replay plays the recorded map, ship and seed: it takes no " + name);
        if (!o.maps.empty())
            return refuse("--replay plays the recorded map: it takes no MAP");
        return Parsed::run;
    }
    if (o.atMs >= 0)
        return refuse("--at tells where a replay's ship is: it needs --replay");
    if (o.maps.empty())
        return refuse("no map to play");
    return Parsed::run;
}

} // namespace sim
