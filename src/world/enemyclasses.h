// What each enemy class does, one row a class: how it turns, the volley it
// fires, where its guns are mounted. A class is read from a map by name
// ("enemy3"); its sizes, speeds and health come from the data file.
#pragma once

namespace tether {

constexpr int enemyClassCount = 12;

enum class Turning {
    towardBearing, // turns to face the ship at the common rate
    slowly, // the same, at a crawl
    steadySpin, // ignores the ship and rotates steadily
};

enum class Volley {
    none, // no gun: it rams
    oneBullet, // one bullet ahead
    twinBullets, // one bullet from each of two guns
    bulletRing, // four bullets from a ring, each flying square to its offset
    twinBolts, // two lightning bolts from ahead of the ship
    shredder, // one spinning shredder
    twinShredders, // two shredders, one either side
    threeRails, // three rails, all alike
    randomShot, // one shot of a kind drawn from the rules' generator
    bfgBall, // one slow, heavy ball
};

struct EnemyClassTraits {
    Turning turning;
    Volley volley;
    // Gun turrets on the hull, as indexes into the data file's mount
    // records; -1 for none. Class 3's turret is an ornament: it never fires.
    int firstMount, secondMount;
};

// Row n - 1 describes class n.
constexpr EnemyClassTraits enemyClasses[enemyClassCount] = {
    {Turning::towardBearing, Volley::oneBullet, 0, -1},
    {Turning::towardBearing, Volley::twinBullets, 1, 2},
    {Turning::towardBearing, Volley::none, 3, -1},
    {Turning::steadySpin, Volley::bulletRing, -1, -1},
    {Turning::slowly, Volley::twinBolts, -1, -1},
    {Turning::towardBearing, Volley::shredder, -1, -1},
    {Turning::towardBearing, Volley::twinShredders, -1, -1},
    {Turning::towardBearing, Volley::threeRails, -1, -1},
    {Turning::towardBearing, Volley::randomShot, -1, -1},
    {Turning::towardBearing, Volley::none, -1, -1},
    {Turning::towardBearing, Volley::oneBullet, -1, -1},
    {Turning::towardBearing, Volley::bfgBall, -1, -1},
};

// The traits of an Object's class, or null for anything without one (a
// mine, a shot).
constexpr const EnemyClassTraits* classTraits(int enemyClass)
{
    return enemyClass >= 1 && enemyClass <= enemyClassCount ? &enemyClasses[enemyClass - 1]
                                                              : nullptr;
}

} // namespace tether
