// What happened in the world, told to whoever presents it. The rules never
// call the mixer or draw: a crash, an explosion, a shot or a hook launch
// raises a sound event, and a hit on the ship raises a ship-hit event, each
// with where its source was as seen from the ship at that moment. The frame
// drains the queue after its steps (sounds, and later the damage display);
// the headless stepper clears it each frame, so it never grows.
//
// The queue is a fixed array: raising an event never allocates. A frame that
// raises more than it holds (far beyond anything a level produces in 100
// steps) keeps the first ones and counts the rest as dropped.
#pragma once

#include <cstdint>

namespace tether {

struct World;

// Why something lost health: the ship's damage and the enemies' deaths are
// counted by it.
enum Cause : int {
    causeCrash, // impact damage of a bounce
    causeShot, // an enemy's bullet, bolt, shredder, rail or BFG ball
    causeMine,
    causeSun,
    causeBlackHole,
    causeOther, // nothing recorded (an enemy that started without health)
    causeCount
};

enum class Sound : int {
    gunshot, // positioned
    bfgShot, // positioned, on the gunshot channels
    crackle, // lightning; one at a time on its own channel, not positioned
    crash, // positioned, as loud as its damage
    explosion, // positioned
    leftHookLaunch, // each hook on its own channel, not positioned
    rightHookLaunch,
};

enum class EventKind : int { sound, shipHit };

// One event; which fields mean something depends on its kind.
struct WorldEvent {
    EventKind kind;
    int64_t step; // the game time it was raised at (see LevelStats::gameTime)
    Sound sound; // sound: which
    Cause cause; // shipHit: by what
    float amount; // shipHit: health lost; crash sound: the impact's damage
    float dx, dy; // the source's offset from the ship's centre (units)
    float dist; // sound: its distance from the ship, as the rule measured it
    float contactX, contactY; // shipHit: where it struck, from the ship's centre
    // shipHit: who dealt it (the shooter, the body touched), as a key that
    // tells sources apart; never followed, the source may be gone.
    uintptr_t source;
};

constexpr int eventCapacity = 1024;

struct EventQueue {
    WorldEvent events[eventCapacity];
    int count = 0; // events[0..count) in the order raised
    int dropped = 0; // raised while full since the last clear
};
void raiseEvent(World& world, const WorldEvent& event);
// A sound heard at offset (dx, dy) and distance dist from the ship; amount
// is the damage of a crash.
void raiseSound(
    World& world, Sound sound, float dx = 0, float dy = 0, float dist = 0, float amount = 0);
void clearEvents(World& world);

} // namespace tether
