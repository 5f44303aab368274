#include "check.h"

#include "content/assets.h"
#include "content/limits.h"
#include "content/maps.h"
#include "content/regularfile.h"
#include "content/report.h"
#include "content/textstream.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "render/limits.h"
#include "screens/session.h"
#include "world/contacts.h"
#include "world/events.h"
#include "world/finite.h"
#include "world/object.h"
#include "world/world.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unordered_set>

using tether::ContentRecord;
using tether::ContentReport;

namespace mapcheck {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

int enemyClassOf(const std::string& word)
{
    for (int n = 1; n <= 12; ++n)
        if (word == "enemy" + std::to_string(n))
            return n;
    return 0;
}

// Where the map list's name for a map leads, as the game would open it.
enum class MapFile { regular, missing, notRegular, outsideFolder };

MapFile mapFileAt(const std::string& path, const std::string& mapsFolder, std::string& target)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return MapFile::missing;
    if (!S_ISREG(status.st_mode))
        return MapFile::notRegular;
    // A name that stays in the folder may still be a link (or lie in a
    // linked folder) that leads out of it.
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    const std::filesystem::path folder = std::filesystem::canonical(mapsFolder, error);
    if (error)
        return MapFile::regular;
    const std::string inside = folder.string() + "/";
    if (real.string().compare(0, inside.size(), inside) != 0) {
        target = real.string();
        return MapFile::outsideFolder;
    }
    return MapFile::regular;
}

// A number as a person would write it in a message.
std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// The value at index i of a record, or 0 when the record stopped before it.
float value(const ContentRecord& r, size_t i)
{
    return i < r.numbers.size() ? r.numbers[i] : 0.0f;
}

// Distance the short way round a world of w by h.
float shortDistance(float x1, float y1, float x2, float y2, float w, float h)
{
    const float dx = std::fabs(x1 - x2), dy = std::fabs(y1 - y2);
    return static_cast<float>(
        std::hypot(std::min(dx, std::fabs(w - dx)), std::min(dy, std::fabs(h - dy))));
}

// One thing a map places, for the checks between things.
struct Placed {
    std::string word;
    int line;
    float x, y, radius;
};

bool isBody(const std::string& word)
{
    return word == "planet" || word == "sun" || word == "blackhole";
}

std::string bodyName(const std::string& word)
{
    return word == "blackhole" ? "black hole" : word;
}

} // namespace

void Checker::report(const std::string& file, int line, bool error, const std::string& message)
{
    found.push_back({file, line, error, message});
}

int Checker::errorCount() const
{
    int n = 0;
    for (const Finding& f : found)
        n += f.error;
    return n;
}

std::string escaped(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            shown += std::string("\\x") + digits[byte >> 4] + digits[byte & 15];
        else
            shown += c;
    }
    return shown;
}

std::string format(const Finding& f)
{
    std::string where = f.file;
    if (f.line > 0)
        where += ":" + std::to_string(f.line);
    return escaped(where + (f.error ? ": error: " : ": warning: ") + f.message);
}

bool Checker::readWhole(const std::string& path, std::string& text, const char* gameSays)
{
    const tether::FileRead read = tether::readRegularFile(path, text, tether::maxContentFileBytes);
    if (read == tether::FileRead::ok)
        return true;
    report(path, 0, true,
        tether::whyUnread(read, tether::maxContentFileBytes) + " (the game prints \"" + gameSays
            + "\" and stops)");
    return false;
}

void Checker::checkData(const std::string& path, const std::string& gameDir)
{
    std::string text;
    if (!readWhole(path, text, "Error opening data"))
        return;
    tether::TextStream file(text);
    ContentReport read(file);
    read.imageFolder = gameDir;
    tether::readData(read.stream(), &read);
    for (const tether::ContentNote& n : read.notes)
        report(path, n.line, n.error, n.message);

    data = DataFacts {};
    data.read = true;
    for (const ContentRecord& r : read.records) {
        const std::string& word = r.keyword;
        const int line = r.line;
        auto positive = [&](size_t i) { return value(r, i) > 0; };
        // Masses beyond the bound would overflow gravity; radii beyond the
        // world's are held.
        auto bounds = [&](size_t radius, size_t mass) {
            if (std::fabs(value(r, mass)) > tether::maxMass)
                report(path, line, true,
                    word + ": a mass of " + number(value(r, mass))
                        + " makes gravity overflow; the game holds it at "
                        + number(tether::maxMass));
            if (value(r, radius) > tether::maxObjectRadius)
                report(path, line, false,
                    word + ": a radius of " + number(value(r, radius))
                        + " covers any world; the game holds it at "
                        + number(tether::maxObjectRadius));
        };
        if (const int cls = enemyClassOf(word)) {
            data.enemyClasses.insert(cls);
            data.enemyRadius[cls - 1] = std::min(value(r, 0), tether::maxObjectRadius);
            if (!positive(0) || !positive(1))
                report(path, line, true, word + ": radius and mass must be positive");
            bounds(0, 1);
            // Values a record that stopped early never reached are told
            // by the reader already.
            if (r.numbers.size() > 5 && !positive(5))
                report(path, line, true,
                    word + ": a reload time of " + number(value(r, 5))
                        + " ms makes it fire every millisecond; it must be positive");
            if (r.numbers.size() > 6 && !positive(6))
                report(path, line, true,
                    word + ": a health of " + number(value(r, 6))
                        + " destroys every enemy of this class in its first frame; it must be "
                          "positive");
        } else if (word == "mine") {
            data.mine = true;
            data.mineRadius = value(r, 0);
            if (!positive(0) || !positive(1))
                report(path, line, true, "mine: radius and mass must be positive");
            if (std::fabs(value(r, 1)) > tether::maxMass)
                bounds(0, 1);
        } else if (word == "planet" || word == "sun") {
            (word == "planet" ? data.planet : data.sun) = true;
            (word == "planet" ? data.planetBaseRadius : data.sunBaseRadius) = value(r, 0);
            if (!positive(0))
                report(path, line, true, word + ": the base radius must be positive");
        } else if (word == "blackhole") {
            data.blackhole = true;
        } else if (word == "hook") {
            if (!positive(4))
                report(path, line, true, "hook: the number of links must be positive");
            else if (value(r, 4) > tether::maxChainLinks)
                report(path, line, false,
                    "hook: " + number(value(r, 4)) + " links: a chain draws at most "
                        + number(tether::maxChainLinks) + ", one per "
                        + number(tether::minLinkSpacing) + " pixels of its length");
            if (!positive(2))
                report(path, line, true, "hook: the speed must be positive");
            bounds(0, 1);
        } else if (word == "ship") {
            data.shipRadius = std::min(value(r, 0), tether::maxObjectRadius);
            data.ship = positive(0) && positive(1);
            if (!positive(0) || !positive(1))
                report(path, line, true, "ship: radius and mass must be positive");
            bounds(0, 1);
            if (value(r, 2) > tether::speedLimit)
                report(path, line, false,
                    "ship: a top speed above " + number(tether::speedLimit)
                        + " units per ms: nothing moves faster");
        } else if (word == "node") {
            bounds(0, 1);
        }
    }
    checkDataWhole(path, read.records);
}

void Checker::checkDataWhole(const std::string& path, const std::vector<ContentRecord>& records)
{
    // Records every level needs: without them the game plays on with zeros.
    const std::pair<const char*, const char*> needed[] = {
        {"ship", "the player's ship has radius 0 and top speed 0"},
        {"hook", "the hooks have speed and reach 0"},
        {"node", "the rope nodes left by a tie-off have radius 0 and no image"},
    };
    for (const auto& [keyword, without] : needed) {
        if (std::none_of(records.begin(), records.end(),
                [&](const ContentRecord& r) { return r.keyword == keyword; }))
            report(path, 0, true, std::string("no \"") + keyword + "\" record: " + without);
    }
}

void Checker::checkMapList(const std::string& path)
{
    std::string text;
    if (!readWhole(path, text, "Error opening data"))
        return;
    tether::TextStream file(text);
    ContentReport read(file);
    std::vector<tether::MapListEntry> offered;
    tether::readMapList(read.stream(), offered, &read);
    for (const tether::ContentNote& n : read.notes)
        report(path, n.line, n.error, n.message);

    int count = 0, countLine = 0, records = 0;
    for (const ContentRecord& r : read.records) {
        if (r.keyword == "count")
            count = static_cast<int>(value(r, 0)), countLine = r.line;
        else
            ++records;
    }
    // Records the count leaves out are there all the same: count them on.
    std::istream& rest = read.stream();
    if (rest.good() && count > 0 && records == count) {
        int words = 0;
        std::string word;
        while (rest >> word)
            ++words;
        records += words / 3;
        if (words % 3 != 0)
            report(path, read.line(), true,
                "the last record is incomplete (map name, boss map name, boss music)");
    }
    if (count > 0 && records != count)
        report(path, countLine, true,
            "the count says " + std::to_string(count) + " maps but " + std::to_string(records)
                + " records follow; the game offers " + std::to_string(std::min(count, records)));

    const std::string folder = folderOf(path);
    for (const ContentRecord& r : read.records) {
        if (r.keyword != "map")
            continue;
        const int track = static_cast<int>(value(r, 0));
        if (track < 1 || track > tether::musicTrackCount)
            report(path, r.line, true,
                "boss music \"" + std::to_string(track) + "\" must be a track number from 1 to "
                    + std::to_string(tether::musicTrackCount));
        for (const std::string& name : r.words) {
            if (!tether::staysInGameFolder(name))
                continue; // the reader said so: never opened
            if (!tether::staysInMapsFolder(name))
                report(path, r.line, true,
                    "map name \"" + name + "\" leaves the maps folder: map names are names in it");
            const std::string map = folder + "/" + name;
            const std::string quoted = tether::quotedWord(name);
            std::string target;
            switch (mapFileAt(map, folder, target)) {
            case MapFile::missing:
                report(path, r.line, true, "map " + quoted + " not found");
                break;
            case MapFile::notRegular:
                report(path, r.line, true,
                    "map " + quoted
                        + " is not a regular file: the game prints \"Error opening map\" and "
                          "stops");
                break;
            case MapFile::outsideFolder:
                report(path, r.line, true,
                    "map " + quoted + " is a link out of the maps folder, to " + target
                        + ": map names are files in it");
                checkMap(map);
                break;
            case MapFile::regular: checkMap(map); break;
            }
        }
    }
}

void Checker::checkMap(const std::string& path)
{
    if (!mapsChecked.insert(path).second)
        return;
    std::string text;
    if (!readWhole(path, text, "Error opening map"))
        return;
    tether::TextStream file(text);
    // Each map is checked as if it came first: the default world, no spawn.
    tether::clearWorld(tether::world());
    tether::world().worldW = tether::world().worldH = 2000.0f;
    ContentReport read(file);
    tether::readMap(read.stream(), &read);
    const float worldW = tether::world().worldW, worldH = tether::world().worldH;
    const int made = static_cast<int>(tether::world().objects.size());
    const std::string pile = tether::enemiesOverlapping(); // the game refuses such a map
    tether::clearWorld(tether::world());
    tether::closeLevelMap();
    for (const tether::ContentNote& n : read.notes)
        report(path, n.line, n.error, n.message);
    if (!pile.empty())
        report(path, 0, true, pile + " (the game refuses the map)");

    int enemyCount = 0;
    int objectsMade = 0, bodiesMade = 0;
    const ContentRecord* spawn = nullptr;
    std::vector<Placed> placed; // mines, enemies and bodies
    for (const ContentRecord& r : read.records) {
        const std::string& word = r.keyword;
        const int line = r.line;
        const int cls = enemyClassOf(word);
        const float x = value(r, 0), y = value(r, 1);
        // Records past the game's bounds make nothing (the reader has said
        // so, once): nothing more is told of them.
        if (cls || word == "mine" || isBody(word)) {
            const bool pulls = isBody(word);
            if (objectsMade >= tether::maxMapObjects
                || (pulls && bodiesMade >= tether::maxMapBodies))
                continue;
            ++objectsMade;
            bodiesMade += pulls;
        }
        if (cls || word == "mine") {
            const float radius = cls ? data.enemyRadius[cls - 1] : 15.0f;
            placed.push_back({word, line, x, y, radius});
        }
        if (cls) {
            ++enemyCount;
            if (data.read && !data.enemyClasses.count(cls))
                report(path, line, true,
                    word + " has no record in the data file: it would be invisible and massless");
            if (std::fabs(value(r, 2)) > tether::speedLimit
                || std::fabs(value(r, 3)) > tether::speedLimit)
                report(path, line, false,
                    word + ": a speed above " + number(tether::speedLimit)
                        + " units per ms: nothing moves faster");
        } else if (word == "world") {
            if (x <= 0 || y <= 0)
                report(path, line, true, "the world's size must be positive");
            else if (x <= 1 && y <= 1)
                report(path, line, true,
                    "a world of " + number(x) + " by " + number(y)
                        + " has no room: the game makes it " + number(worldW) + " by "
                        + number(worldH));
            else if (x < tether::minWorldSide || y < tether::minWorldSide
                || x > tether::maxWorldSide || y > tether::maxWorldSide)
                report(path, line, false,
                    "the game keeps each side of the world within " + number(tether::minWorldSide)
                        + " and " + number(tether::maxWorldSide) + ": it makes it " + number(worldW)
                        + " by " + number(worldH));
        } else if (word == "spawn") {
            spawn = &r;
        } else if (isBody(word)) {
            const float mass = value(r, 2), radius = value(r, 3);
            placed.push_back({word, line, x, y, std::min(radius, tether::maxObjectRadius)});
            if (radius <= 0)
                report(path, line, true, word + ": the radius must be positive");
            if (mass <= 0)
                report(path, line, false, word + ": a mass of 0 or less pulls nothing");
            if (std::fabs(mass) > tether::maxMass)
                report(path, line, true,
                    bodyName(word) + ": a mass of " + number(mass)
                        + " makes gravity overflow; the game holds it at "
                        + number(tether::maxMass));
            if (radius > tether::maxObjectRadius)
                report(path, line, false,
                    bodyName(word) + ": a radius of " + number(radius)
                        + " covers any world; the game holds it at "
                        + number(tether::maxObjectRadius));
            if (word == "blackhole" && radius > 300)
                report(
                    path, line, false, "a black hole above radius 300 is drawn without its lens");
            else if (radius > 1500)
                report(path, line, false,
                    word + ": a radius above 1500 is too large for its image to be drawn");
        }
        if (data.read) {
            if (word == "mine" && (!data.mine || data.mineRadius <= 0))
                report(path, line, true, "mines need a \"mine\" record with a positive radius");
            if (word == "planet" && (!data.planet || data.planetBaseRadius <= 0))
                report(path, line, true,
                    "planets need a \"planet\" record with a positive base radius");
            if (word == "sun" && (!data.sun || data.sunBaseRadius <= 0))
                report(path, line, true, "suns need a \"sun\" record with a positive base radius");
        }
        // Far outside the world, the game brings a position in by whole
        // world sizes at once.
        if ((cls || word == "mine" || isBody(word) || word == "spawn")
            && (tether::intoWorld(x, worldW) != x || tether::intoWorld(y, worldH) != y))
            report(path, line, false,
                word + " lies more than a world outside the world: the game brings it in");
    }
    if (static_cast<float>(made) * tether::roomPerObject > 0
        && std::any_of(read.records.begin(), read.records.end(),
            [](const ContentRecord& r) { return r.keyword == "world"; })) {
        // The world grew for what it holds: say so once, at the end.
        for (const ContentRecord& r : read.records)
            if (r.keyword == "world" && value(r, 0) >= tether::minWorldSide
                && value(r, 1) >= tether::minWorldSide
                && (value(r, 0) < worldW || value(r, 1) < worldH))
                report(path, r.line, false,
                    "the world is too small for its " + std::to_string(made)
                        + " objects: the game makes it " + number(worldW) + " by "
                        + number(worldH));
    }

    // Bodies hold what lies in them: a sun burns it, a black hole swallows
    // it, a planet throws it out.
    for (const Placed& body : placed) {
        if (!isBody(body.word))
            continue;
        for (const Placed& p : placed) {
            if (&p == &body
                || shortDistance(p.x, p.y, body.x, body.y, worldW, worldH) >= body.radius)
                continue;
            report(path, p.line, false,
                (p.word == body.word ? "this " + bodyName(p.word) : p.word) + " starts inside the "
                    + bodyName(body.word) + " of line " + std::to_string(body.line));
        }
    }

    if (!spawn) {
        report(path, 0, false, "no \"spawn\": the ship starts where the previous map put it");
    } else {
        const float sx = value(*spawn, 0), sy = value(*spawn, 1);
        const float shipRadius = data.shipRadius;
        for (const Placed& p : placed) {
            const float dist = shortDistance(p.x, p.y, sx, sy, worldW, worldH);
            const std::string units = std::to_string(tether::truncated(dist));
            if (dist < p.radius + shipRadius) {
                const bool fatal = p.word == "sun" || p.word == "blackhole";
                report(path, fatal ? spawn->line : p.line, fatal,
                    "the spawn point is inside or touching the " + bodyName(p.word) + " of line "
                        + std::to_string(p.line)
                        + (fatal ? ": the ship is lost at once" : ": they collide at once"));
                continue;
            }
            // Enemies and mines stay put until the ship comes within 3000
            // units, the short way round the world; enemies fire from 1000.
            if (p.word == "mine" && dist < 3000)
                report(path, p.line, false,
                    "this mine starts " + units
                        + " units from the spawn point: it homes in at once");
            else if (enemyClassOf(p.word) && dist < 1000)
                report(path, p.line, false,
                    p.word + " starts " + units + " units from the spawn point: it fires at once");
        }
    }
    if (enemyCount == 0)
        report(path, 0, false, "no enemies: the map is won in its first frame");

    // A start is fair when the ship can sit still for a while. Played
    // headless, nobody at the controls, with the second ship (the first one
    // brakes by itself when no key is held; the others drift).
    if (data.read && data.ship && spawn && errorCount() == 0) {
        std::vector<int> bodyLines, hostileLines; // in the order the world lists them
        for (const Placed& p : placed)
            (isBody(p.word) ? bodyLines : hostileLines).push_back(p.line);
        checkIdleStart(path, bodyLines, hostileLines);
    }
}

namespace {

constexpr int idleShip = 1; // the second ship: no thrust without a key
constexpr int fallSteps = 10000; // ms the idle ship must not fall in
constexpr int64_t quietSteps = 5000; // ms before anything may reach it
// Pairs of things touching at once beyond which the start is not played on:
// the game remembers each touching pair and looks every bounce up among
// them, so a pile of a thousand enemies costs it seconds a step (and the
// checker minutes). A real map has a handful.
constexpr size_t mostTouchingPairs = 1000;

std::string seconds(int64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000);
    return text;
}

bool touches(const tether::Object& a, const tether::Object& b)
{
    // Contacts leave circles just touching: a little slack counts them.
    constexpr float slack = 0.5f;
    return std::hypot(a.x - b.x, a.y - b.y) < a.radius + b.radius + slack;
}

} // namespace

void Checker::checkIdleStart(const std::string& path, const std::vector<int>& bodyLines,
    const std::vector<int>& hostileLines)
{
    using namespace tether;
    auto start = [&] {
        world().worldW = world().worldH = 2000.0f; // as if it came first
        return startLevel(path, idleShip, 1);
    };

    // Gravity alone: the hostiles taken out, the idle ship left to the
    // bodies' pull for ten seconds. The body it touches first is reported.
    if (start()) {
        for (Object* o : world().enemies)
            o->type = typeDead;
        removeTheDead(world());
        const std::vector<Object*> bodies(
            world().attractingMasses.begin(), world().attractingMasses.end());
        bool fell = false;
        for (int step = 1; step <= fallSteps && !fell && world().ship; ++step) {
            physicsStep(world(), FrameInput {});
            for (size_t i = 0; i < bodies.size() && i < bodyLines.size() && !fell; ++i) {
                if (bodies[i]->type == typeDead || !touches(*world().ship, *bodies[i]))
                    continue;
                const std::string what = bodies[i]->type == typeBlackHole
                    ? "black hole"
                    : (bodies[i]->type == typeSun ? "sun" : "planet");
                report(path, bodyLines[i], false,
                    "the idle ship falls onto this " + what + " " + seconds(step)
                        + " after the start: its pull is too strong this near the spawn point");
                fell = true;
            }
        }
    }

    // The whole map: what reaches the idle ship in its first five seconds,
    // by a shot fired or by touching it.
    if (start()) {
        std::vector<Object*> hostiles(world().enemies.begin(), world().enemies.end());
        std::vector<bool> told(hostiles.size(), false);
        // Who has a shot out and who struck the ship, gathered once a step:
        // asked of each hostile in turn, a map of a thousand enemies took
        // minutes.
        std::unordered_set<const Object*> shooters, strikers;
        for (int64_t step = 1; step <= quietSteps && world().ship; ++step) {
            physicsStep(world(), FrameInput {});
            const size_t touching = rememberedContacts(world()).size();
            if (touching > mostTouchingPairs) {
                report(path, 0, false,
                    std::to_string(touching) + " pairs of things touch " + seconds(step)
                        + " after the start: the game slows to a crawl on such a pile (the "
                          "start is played no further)");
                break;
            }
            shooters.clear();
            strikers.clear();
            for (const Object* o : world().dynamicMasses)
                if (traitsOf(o->type).shot)
                    shooters.insert(o->owner);
            for (int e = 0; e < world().worldEvents.count; ++e)
                if (world().worldEvents.events[e].kind == EventKind::shipHit)
                    strikers.insert(
                        reinterpret_cast<const Object*>(world().worldEvents.events[e].source));
            for (size_t i = 0; i < hostiles.size() && i < hostileLines.size(); ++i) {
                if (told[i])
                    continue;
                const Object* h = hostiles[i];
                const bool fired = shooters.count(h) > 0, struck = strikers.count(h) > 0;
                if (!fired && !struck)
                    continue;
                told[i] = true;
                const std::string name
                    = h->kind >= 1 ? "enemy" + std::to_string(h->kind) : std::string("this mine");
                report(path, hostileLines[i], false,
                    name + (fired ? " fires at" : " reaches") + " the idle ship " + seconds(step)
                        + " after the start: give the player a few quiet seconds");
            }
            clearEvents(world());
            // The dead are about to leave the world; their entries must not
            // be read again.
            for (size_t i = 0; i < hostiles.size(); ++i)
                if (!told[i] && hostiles[i]->type == typeDead)
                    told[i] = true, hostiles[i] = nullptr;
            removeTheDead(world());
        }
    }
    stopLevel();
}

} // namespace mapcheck
