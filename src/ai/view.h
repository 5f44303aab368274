// What a player sees of a level in one frame, and nothing more: the screen
// around the ship (everything on it, exactly), the radar (bodies, enemies,
// mines, rope nodes and shots within its reach, to the radar's pixel), the
// bearing of each enemy beyond the radar's reach (a mark on its rim), and
// the HUD (health, enemies left). No enemy's health, no reload clock, no
// hidden flag, nothing of the future. A pilot (ai/pilot.h) decides from
// these alone, so a better pilot can replace it without reaching into the
// world.
#pragma once

#include <cstdint>
#include <vector>

namespace tether {

struct World;

// The screen is 800 by 600 pixels, one world unit each, centred on the ship.
constexpr float screenHalfWidth = 400.0f;
constexpr float screenHalfHeight = 300.0f;
// The radar sees this far and draws at 1/32 scale: a position read off it
// is good to one radar pixel of 32 units. (The HUD draws with the same
// numbers; a test holds them equal.)
constexpr float radarReach = 3200.0f;
constexpr float radarPixel = 32.0f;

// One thing seen on the screen or the radar.
struct Sighting {
    // Tells the same thing apart from one frame to the next, as the eye
    // follows it; only ever compared, together with the type.
    uintptr_t id;
    int type; // its look: typeEnemy, typeMine, typeSun, a shot, ... (world/object.h)
    int kind; // an enemy's class, which its image shows; -1 otherwise
    float x, y; // world position (the radar's: to its pixel)
    float vx, vy; // its motion, units per ms
    float radius; // its size, as its image shows it (a player knows a body's at first sight)
    bool onScreen;
    bool onOurRope; // a rope runs from our hook mount to it
    bool tied; // a rope other than ours holds it (a tie, a rope node)
};

struct PilotView {
    int64_t time = 0; // game time in ms, as the frame counter shows it
    int shipChoice = 0; // 0, 1 or 2: which ship the player chose, and so the controls
    // The ship as it is shown: the screen is centred on it.
    float shipX = 0, shipY = 0, shipVX = 0, shipVY = 0, shipAngle = 0, shipRadius = 0;
    float mountX = 0, mountY = 0; // where the hooks sit when home
    int cameraX = 0, cameraY = 0; // the screen's top-left in the world: the pointer's origin
    int health = 0; // the HUD's number
    int enemiesLeft = 0; // the HUD's number
    int hooksHome = 0; // hooks sitting at the mount with no rope of their own
    int ropesHeld = 0; // ropes from our mount
    std::vector<Sighting> things; // on screen or on the radar
    std::vector<float> farEnemyBearings; // radians, of the marks on the radar's rim
};

// The present frame as the player sees it. Needs the ship (a level under way).
PilotView seePilotView(const World& world);

} // namespace tether
