// Map files: records of a keyword and float values, separated by any white
// space. Unknown words are skipped one by one; a value that cannot be read
// ends the reading of the map (the record it belongs to is not made).
#include "content/maps.h"
#include "content/worldinuse.h"
#include "world/angles.h"

#include "content/assets.h"
#include "content/images.h"
#include "content/limits.h"
#include "content/numbers.h"
#include "content/regularfile.h"
#include "content/textstream.h"
#include "content/tuning.h"
#include "world/connector.h"
#include "world/finite.h"
#include "world/object.h"
#include "world/ships.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tether {

namespace {

constexpr float mineObjectRadius = 15.0f;
constexpr float bodyHealth = 100.0f; // planets, suns, black holes never die of it
constexpr float gunHealth = 100.0f;
constexpr float shipHealth = 1000.0f;

// Scaled images made for this level's mines, planets and suns, and the
// pixels they hold together, one set per thread (the simulator's worker
// threads load levels of their own). The list is made with the level's
// first image and goes with the level: plain pointers, so that the game's
// exit handler may still close the level after the thread's own objects are
// gone.
thread_local std::vector<SDL_Surface*>* levelImages = nullptr;
thread_local double levelPixels = 0;
// Objects and gravity sources this map has made so far, and the records
// past the bounds that made nothing: the first is told, with how many. One
// count per thread, as each worker thread loads levels of its own.
thread_local int mapObjects = 0, mapBodies = 0;
thread_local int recordsNotMade = 0;
thread_local size_t notMadeNote = 0;

SDL_Surface* levelImage(SDL_Surface* image, double factor)
{
    if (!image || !(factor > 0.0))
        return nullptr;
    const double pixels = image->w * factor * image->h * factor;
    if (!(levelPixels + pixels <= levelImagePixels))
        return nullptr;
    SDL_Surface* copy = scaledCopy(image, factor);
    if (copy) {
        if (!levelImages)
            levelImages = new std::vector<SDL_Surface*>;
        levelImages->push_back(copy);
        levelPixels += static_cast<double>(copy->w) * copy->h;
    }
    return copy;
}

// Whether the map may make one more object (and one more source of gravity).
bool roomForObject(bool pulls, ContentReport* report)
{
    if (mapObjects >= maxMapObjects || (pulls && mapBodies >= maxMapBodies)) {
        // A map of twenty thousand records gets one warning, not nineteen
        // thousand.
        if (report && recordsNotMade++ == 0) {
            notMadeNote = report->notes.size();
            report->warning(report->records.back().line,
                "the game makes at most " + std::to_string(maxMapObjects) + " objects of a map, "
                    + std::to_string(maxMapBodies) + " of them bodies that pull: not this one");
        }
        return false;
    }
    ++mapObjects;
    mapBodies += pulls;
    return true;
}

// After the last record: the world is given room for what it holds, and
// whatever lies more than a world outside it is brought in.
void settleWorld()
{
    World& world = tether::world();
    world.worldW = boundedWorldSide(world.worldW);
    world.worldH = boundedWorldSide(world.worldH);
    const float needed = static_cast<float>(mapObjects) * roomPerObject;
    if (world.worldW * world.worldH < needed) {
        const float grow = std::sqrt(needed / (world.worldW * world.worldH));
        world.worldW = boundedWorldSide(world.worldW * grow);
        world.worldH = boundedWorldSide(world.worldH * grow);
    }
    for (Object* o : world.objects) {
        o->x = intoWorld(o->x, world.worldW);
        o->y = intoWorld(o->y, world.worldH);
    }
}

// Reads the count floats of the record whose keyword was just read; false
// when the stream could not supply them all. With a report, the record or
// what stopped it is noted.
bool readRecord(
    std::istream& in, const std::string& keyword, float* values, int count, ContentReport* report)
{
    ContentRecord record {keyword, report ? report->line() : 0, {}, {}};
    for (int i = 0; i < count; ++i) {
        const bool midWord = insideWord(report);
        if (!readFloat(in, values[i])) {
            noteUnread(in, report, midWord, record.line,
                "\"" + keyword + "\" needs " + std::to_string(count)
                    + " values: the map ends first and the record is not made",
                "the game stops reading the map here");
            return false;
        }
        record.numbers.push_back(values[i]);
        noteGlued(report);
    }
    if (report)
        report->records.push_back(record);
    return true;
}

void attachGun(Object* enemy, int mount)
{
    const int cls = enemy->kind - 1;
    Object* gun = new Object(1.0f, 1.0f, 0, 0, 0, 0, 0, 0, turretSprites[mount], typeTurret,
        tuning().enReloadTime[cls], gunHealth);
    Connector* link = enemy->addChild(world(), gun, tuning().gunMountAlong[mount],
        tuning().gunMountAcross[mount], 0.0f, true, false, false, true);
    if (mount == 2)
        enemy->turret2 = link;
    else
        enemy->turret1 = link;
    world().drawables.push_back(gun);
}

void makeEnemy(int enemyClass, const float* v)
{
    World& world = tether::world();
    const int cls = enemyClass - 1;
    Object* enemy = new Object(movingMass(tuning().enMass[cls]),
        boundedRadius(tuning().enRadius[cls]), v[0], v[1], v[2], v[3], v[4], 0, enemySprites[cls],
        typeEnemy, tuning().enReloadTime[cls], tuning().enHealth[cls]);
    enemy->kind = enemyClass;
    world.objects.push_back(enemy);
    world.dynamicMasses.push_back(enemy);
    world.drawables.push_back(enemy);
    world.enemies.push_back(enemy);
    const EnemyClassTraits& traits = enemyClasses[cls];
    if (traits.firstMount >= 0)
        attachGun(enemy, traits.firstMount);
    if (traits.secondMount >= 0)
        attachGun(enemy, traits.secondMount);
}

void makeBody(int type, const float* v, SDL_Surface* sprite)
{
    World& world = tether::world();
    Object* body = new Object(boundedMass(v[2]), boundedRadius(v[3]), v[0], v[1], 0, 0, 0, 0,
        sprite, type, 0, bodyHealth);
    world.objects.push_back(body);
    world.attractingMasses.push_back(body);
    world.drawables.push_back(body);
}

void makeMine(const float* v)
{
    World& world = tether::world();
    SDL_Surface* sprite = levelImage(mineSprite, mineObjectRadius / tuning().mineRadius);
    Object* mine = new Object(movingMass(tuning().mineMass), mineObjectRadius, v[0], v[1], 0, 0, 0,
        0, sprite, typeMine, 0, tuning().mineHealth);
    world.objects.push_back(mine);
    world.drawables.push_back(mine);
    world.dynamicMasses.push_back(mine);
    world.enemies.push_back(mine);
}

// Whether a whole word reads as a number: a misspelt keyword's values, which
// the game skips one by one like the keyword.
bool isNumber(const std::string& word)
{
    char* end = nullptr;
    std::strtod(word.c_str(), &end);
    return end != word.c_str() && *end == '\0';
}

// The class number of "enemy1".."enemy12", or 0 for any other word.
int enemyClassOf(const std::string& word)
{
    for (int n = 1; n <= enemyClassCount; ++n)
        if (word == "enemy" + std::to_string(n))
            return n;
    return 0;
}

} // namespace

MapListResult readMapList(
    std::istream& in, std::vector<MapListEntry>& entries, ContentReport* report)
{
    entries.clear();
    int count = 0;
    if (!(in >> count) && report)
        report->error(report->line(), "the list must start with the number of maps");
    else if (count <= 0 && report)
        report->error(report->line(), "the count must be positive: the game offers no maps");
    if (report)
        report->records.push_back({"count", report->line(), {static_cast<float>(count)}, {}});
    for (int i = 0; i < count; ++i) {
        MapListEntry entry;
        in >> entry.mapName;
        const int line = report ? report->line() : 0;
        if (!(in >> entry.bossMapName >> entry.bossMusic)) {
            if (report && !entry.mapName.empty())
                report->error(report->line(),
                    "the last record is incomplete (map name, boss map name, boss music)");
            break;
        }
        if (report)
            report->records.push_back({"map", line, {static_cast<float>(entry.bossMusic)},
                {entry.mapName, entry.bossMapName}});
        if (staysInGameFolder(entry.mapName) && staysInGameFolder(entry.bossMapName))
            entries.push_back(entry);
        else if (report)
            report->error(line,
                "a map name leaves the game's folder: the game does not offer \"" + entry.mapName
                    + "\"");
    }
    return entries.empty() ? MapListResult::noMaps : MapListResult::ok;
}

MapListResult readMapList(const std::string& path, std::vector<MapListEntry>& entries)
{
    entries.clear();
    std::string text;
    if (readRegularFile(path, text, maxContentFileBytes) != FileRead::ok)
        return MapListResult::cannotOpen;
    TextStream in(text);
    return readMapList(in, entries);
}

bool loadMap(const std::string& path)
{
    world().numEnemies = 0;
    // Only a regular file, within the bound: a folder would make an empty
    // map, won before the first frame, and a link to /dev/zero would be
    // read for ever.
    std::string text;
    if (readRegularFile(path, text, maxContentFileBytes) != FileRead::ok)
        return false;
    TextStream in(text);
    readMap(in);
    return true;
}

void readMap(std::istream& in, ContentReport* report)
{
    World& world = tether::world();
    world.numEnemies = 0;
    mapObjects = mapBodies = 0;
    recordsNotMade = 0;
    float v[5];
    while (!in.eof()) {
        std::string word;
        if (!(in >> word))
            break;
        if (word == "world") {
            if (!readRecord(in, word, v, 2, report))
                break;
            world.worldW = v[0];
            world.worldH = v[1];
        } else if (word == "mine") {
            if (!readRecord(in, word, v, 2, report))
                break;
            if (roomForObject(false, report))
                makeMine(v);
        } else if (int enemyClass = enemyClassOf(word)) {
            // Counted only once its record has been read whole, so a broken
            // record never leaves the level with an enemy that can't be killed.
            if (!readRecord(in, word, v, 5, report))
                break;
            if (!roomForObject(false, report))
                continue;
            ++world.numEnemies;
            makeEnemy(enemyClass, v);
        } else if (word == "planet") {
            if (!readRecord(in, word, v, 4, report))
                break;
            if (roomForObject(true, report))
                makeBody(typePlanet, v, levelImage(planetSprite, v[3] / tuning().planetBaseRadius));
        } else if (word == "sun") {
            if (!readRecord(in, word, v, 4, report))
                break;
            if (roomForObject(true, report))
                makeBody(typeSun, v, levelImage(sunSprite, v[3] / tuning().sunBaseRadius));
        } else if (word == "blackhole") {
            if (!readRecord(in, word, v, 4, report))
                break;
            if (roomForObject(true, report))
                makeBody(typeBlackHole, v, gHook);
        } else if (word == "spawn") {
            if (!readRecord(in, word, v, 4, report))
                break;
            world.spawnX = v[0];
            world.spawnY = v[1];
            world.spawnVX = v[2];
            world.spawnVY = v[3];
        } else if (report && !isNumber(word)) {
            report->warning(
                report->line(), "unknown keyword " + quotedWord(word) + ": the game skips it");
        }
    }
    if (report && recordsNotMade > 1)
        report->notes[notMadeNote].message += ", nor the " + std::to_string(recordsNotMade - 1)
            + " records after it that would make one";
    settleWorld();
}

std::string enemiesOverlapping()
{
    const World& world = tether::world();
    std::vector<const Object*> enemies;
    for (const Object* o : world.enemies)
        if (o->kind >= 1)
            enemies.push_back(o);
    // At most maxMapObjects of them: every pair is looked at, half a million
    // at worst, once a map.
    size_t pairs = 0;
    const Object *first = nullptr, *second = nullptr;
    for (size_t i = 0; i < enemies.size(); ++i)
        for (size_t j = i + 1; j < enemies.size(); ++j) {
            const Object& a = *enemies[i];
            const Object& b = *enemies[j];
            const float dx = std::fabs(a.x - b.x), dy = std::fabs(a.y - b.y);
            const float across = std::min(dx, std::fabs(world.worldW - dx));
            const float down = std::min(dy, std::fabs(world.worldH - dy));
            const float reach = a.radius + b.radius;
            if (!(across < reach && down < reach && across * across + down * down < reach * reach))
                continue;
            if (pairs++ == 0) {
                first = &a;
                second = &b;
            }
        }
    if (pairs == 0)
        return "";
    auto named = [](const Object& o) {
        return "enemy" + std::to_string(o.kind) + " at (" + std::to_string(truncated(o.x)) + ", "
            + std::to_string(truncated(o.y)) + ")";
    };
    return named(*first) + " and " + named(*second) + " overlap at the start"
        + (pairs > 1 ? " (" + std::to_string(pairs) + " pairs of enemies in all)" : "")
        + ": enemies must start apart, or they are thrown about as a pile the game cannot play "
          "at speed";
}

std::string loadLevelMap(const std::string& path, std::string* why)
{
    if (!loadMap(path)) {
        if (why) {
            std::string text;
            *why = path + " "
                + whyUnread(readRegularFile(path, text, maxContentFileBytes), maxContentFileBytes);
        }
        return "Error opening map";
    }
    if (const std::string pile = enemiesOverlapping(); !pile.empty()) {
        const std::string refused = "Map " + path + " cannot be played: " + pile;
        if (why)
            *why = refused;
        return refused + "\n";
    }
    return "";
}

void assembleShip()
{
    World& world = tether::world();
    world.ship = new Object(movingMass(tuning().shipMass), tuning().shipRadius,
        intoWorld(world.spawnX, world.worldW), intoWorld(world.spawnY, world.worldH), world.spawnVX,
        world.spawnVY, 0, 0, shipSprite, typeShip, tuning().shipReloadTime, shipHealth);
    world.leftGrapHook = new Object(movingMass(tuning().grapMass), tuning().grapRadius,
        world.ship->x, world.ship->y, world.ship->vx, world.ship->vy, 0, 0, gHook, typeLeftHook,
        tuning().grapReloadTime, 1.0f);
    world.rightGrapHook = new Object(movingMass(tuning().grapMass), tuning().grapRadius,
        world.ship->x, world.ship->y, world.ship->vx, world.ship->vy, 0, 0, gHook, typeRightHook,
        tuning().grapReloadTime, 1.0f);
    world.turret = new Object(movingMass(tuning().grapMass), tuning().grapRadius,
        world.ship->x - 17.0f, world.ship->y, world.ship->vx, world.ship->vy, 0, 0, chainImage,
        typeTurret, tuning().grapReloadTime, 1.0f);
    Object* flame = new Object(1.0f, 0.0f, 0, 0, 0, 0, 0, 0, nullptr, typeFlame, 1, 1.0f);

    world.objects.push_back(world.ship);
    world.objects.push_back(world.leftGrapHook);
    world.objects.push_back(world.rightGrapHook);
    world.drawables.push_back(world.ship);
    world.drawables.push_back(world.leftGrapHook);
    world.drawables.push_back(world.rightGrapHook);
    world.drawables.push_back(flame);
    world.dynamicMasses.push_back(world.ship);
    world.dynamicMasses.push_back(world.leftGrapHook);
    world.dynamicMasses.push_back(world.rightGrapHook);

    // The hook mount hands the ropes' pull on to the ship.
    const ShipTraits& traits = shipTraits(world.chosenShip);
    world.ship->addChild(world, world.turret, traits.mountDistance, traits.mountAngle, 0.0f, true,
        true, true, false);

    world.leftHookConnector
        = world.turret->addChild(world, world.leftGrapHook, 0, 0, 0, false, false, false, false);
    world.rightHookConnector
        = world.turret->addChild(world, world.rightGrapHook, 0, 0, 0, false, false, false, false);

    world.ship->addChild(world, flame, 45.0f, piFloat, piFloat, true, false, false, false);
    world.ship->flame = flame;
}

void closeLevelMap()
{
    if (!levelImages)
        return;
    for (SDL_Surface* image : *levelImages)
        SDL_FreeSurface(image);
    delete levelImages;
    levelImages = nullptr;
    levelPixels = 0;
}

namespace {

// The depth below the game's folder that a map name reaches at its lowest,
// starting from "maps/" at depth 1; below 0 it has left the game's folder.
int lowestDepth(const std::string& mapName)
{
    int depth = 1, lowest = 1;
    size_t start = 0;
    while (start <= mapName.size()) {
        size_t end = mapName.find('/', start);
        if (end == std::string::npos)
            end = mapName.size();
        const std::string part = mapName.substr(start, end - start);
        if (part == "..")
            lowest = std::min(lowest, --depth);
        else if (!part.empty() && part != ".")
            ++depth;
        start = end + 1;
    }
    return lowest;
}

} // namespace

bool staysInGameFolder(const std::string& mapName)
{
    return lowestDepth(mapName) >= 0;
}

bool staysInMapsFolder(const std::string& mapName)
{
    return lowestDepth(mapName) >= 1;
}

} // namespace tether
