// A level's frame: gather the frame's input (events and key state), simulate
// (its clicks, then fixed 1-ms physics steps, as many as milliseconds have
// passed, at most 100, then the removal of the dead: screens/session.h), and
// present it (the world's sound events, the engine sound, the camera on the
// ship, the drawing, the pointer, and the flip or the end screens). The
// simulation never draws or plays; the presentation only reads the world.
#pragma once

#include "platform/input.h"
#include "screens/session.h"

#include <SDL.h>

#include <cstdint>

namespace tether {

class Canvas;

constexpr int maxStepsPerFrame = 100; // a slower frame slows the game down

// State of the running level's loop.
extern Uint32 frameTicks; // clock at the start of the current frame
extern Uint32 levelStartTicks; // clock at loop entry
extern Uint32 frameCount; // frames flipped in this level
extern Uint32 maxFrameTime; // longest frame of this level, unclamped (ms)
extern int cameraX, cameraY; // world position of the screen's top-left pixel
extern int mouseX, mouseY; // pointer on screen; kept between levels
extern const Uint8* keyState; // fetched once per frame

// How a frame ended.
enum class FrameEnd {
    next, // flipped; the level goes on
    escape, // Escape seen in a physics step; nothing of the frame was drawn
    gameOver, // drawn, not flipped: the game-over screen follows
    victory, // drawn, not flipped: the victory screen follows
    restart, // flipped, and the player asked for the map again (R)
    quit, // a quit event: nothing of the frame was simulated; the game ends
    windowLost, // full screen switched to no mode that works: the game ends
};

// Physics steps for a frame that took elapsed ms.
int physicsStepCount(Uint32 elapsed);

// Resets the loop's state at the start of a level, with the clock at now.
void enterFrameLoop(Uint32 now);
// Starts the frame's clock at now: the frame time and the longest so far.
// Returns the ms elapsed since the frame before.
Uint32 advanceFrameClock(Uint32 now);
// Runs one frame with the clock at now, and records it (screens/recorder.h).
// A quit event (levelRequests.quit) ends it before the simulation: quit.
FrameEnd runFrame(Uint32 now);
// The frame's input from SDL: mouse events move the pointer and make the
// clicks (at most maxClicksPerFrame, platform/replay.h), the key state gives
// the actions, and the gamepad adds its own (platform/gamepad.h); other keys
// and the window's focus make requests (screens/commands.h). A quit event
// stops the gathering there, as levelRequests.quit.
FrameInput gatherInput();
// Puts the camera on the ship.
void placeCamera();
// Plays, draws and (while the level goes on) flips the frame that was just
// simulated, tells how it ended, and forgets the frame's events: each is
// told once.
FrameEnd presentFrame(LevelState state);
// Draws the whole frame for the current camera into screen (not flipped).
void drawFrame(Canvas& canvas);
void drawFrame(SDL_Surface* screen);
// "Average frame time: ...; Maximum frame time: ..." for this level.
void printFrameStatistics();
// Moves the loop's clock on by ms that did not count: a pause. The next
// frame's steps then cover only the time played since, and the frame
// statistics leave the pause out.
void holdFrameClock(Uint32 ms);

} // namespace tether
