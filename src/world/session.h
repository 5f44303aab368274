// A level's simulation on its own: no window, no video, no audio, no clock.
// The window's frame loop runs its frames through simulateFrame and then
// presents them; the headless simulator, a bot and replays call the same
// functions with their own inputs and step counts, as fast as they like.
// Given the map, the data file, the seed and each frame's input and number
// of steps, a level always unfolds the same way (world/hash.h to check). One
// thing carries over from the level before in the same world: a map without
// a "spawn" or "world" record keeps the last one read (every shipped map has
// both). Everything acts on the world it is given (world/world.h).
//
// Headless use, from the game folder (screens/session.h starts a level from a
// map into the world in use; the simulation itself reads no file and draws
// nothing):
//   readDataFile("data");
//   World level(gameTuning());
//   WorldInUse inUse(level);
//   startLevel("maps/first_contact", 1, seed);
//   while (simulateFrame(level, input, 16) == LevelState::ongoing) { ... }
//   read level.levelStats, level.worldEvents (this frame's), worldHash(level);
//   stopLevel();
// Several levels side by side: each in a World of its own.
#pragma once

#include "world/input.h"

#include <cstdint>

namespace tether {

struct World;

// How the level stands after a frame.
enum class LevelState {
    ongoing,
    escape, // Escape was held at a step: the frame stopped there
    victory, // no enemy left
    gameOver, // the ship is lost (checked before victory)
};

// Starts the world's own record of a new level whose objects exist already
// (map loaded, ship assembled): game time and counters at zero, no events,
// both hooks idle, and the rules' generator seeded with seed.
void resetLevel(World& world, uint64_t seed);

// One frame: clears the event queue, applies the input's clicks in order,
// runs up to steps 1-ms steps with the input held (none once Escape is
// held: the frame ends there and nothing is removed), then removes the
// dead. The frame's events stay in worldEvents until the next call (or
// until the window's frame has presented them).
LevelState simulateFrame(World& world, const FrameInput& input, int steps);

// One 1-ms step of the whole world with input held.
void physicsStep(World& world, const FrameInput& input);

// Removal of the dead after a frame's steps (ropes first, objects, which
// owns them, last), then drawables back in layer order.
void removeTheDead(World& world);

} // namespace tether
