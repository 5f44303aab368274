// The window's frame: input gathered from SDL, the simulation's frame
// (screens/session.h), then what the player sees and hears of it. Frame pacing
// belongs to the program's frame (main/program.h), between one and the next.
#include "screens/frame.h"
#include "content/worldinuse.h"

#include "content/assets.h"
#include "platform/audio.h"
#include "platform/gamepad.h"
#include "platform/keyboard.h"
#include "platform/replay.h"
#include "platform/window.h"
#include "render/background.h"
#include "render/coords.h"
#include "render/damage.h"
#include "render/draw.h"
#include "render/hazards.h"
#include "render/hud.h"
#include "render/presentation.h"
#include "render/screencanvas.h"
#include "render/sdlcanvas.h"
#include "screens/commands.h"
#include "screens/ghost.h"
#include "screens/level.h"
#include "screens/notices.h"
#include "screens/recorder.h"
#include "world/events.h"
#include "world/object.h"
#include "world/stats.h"
#include "world/world.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tether {

Uint32 frameTicks = 0;
Uint32 levelStartTicks = 0;
Uint32 frameCount = 0;
Uint32 maxFrameTime = 0;
int cameraX = 0, cameraY = 0;
int mouseX = screenWidth / 2, mouseY = screenHeight / 2;
const Uint8* keyState = nullptr;

namespace {

// The warning tone: once as a course into a sun or black hole is foreseen,
// and again every warningRepeatMs of game time while it stays so.
constexpr int64_t warningRepeatMs = 700;
int64_t warnedAt = -1; // game time of the last tone; -1: no warning stands

void soundHazardWarning(const HazardView& view)
{
    const int64_t now = world().levelStats.gameTime;
    if (!view.onCourseSoon()) {
        warnedAt = -1;
        return;
    }
    if (warnedAt >= 0 && now - warnedAt < warningRepeatMs && now >= warnedAt)
        return;
    warnedAt = now;
    if (warningSFX)
        Mix_PlayChannelTimed(warningChannel, warningSFX, 0, -1);
}

} // namespace

int physicsStepCount(Uint32 elapsed)
{
    return static_cast<int>(std::min<Uint32>(elapsed, maxStepsPerFrame));
}

void enterFrameLoop(Uint32 now)
{
    frameTicks = levelStartTicks = now;
    frameCount = maxFrameTime = 0;
    cameraX = cameraY = 0;
    drawnStep = -1;
    warnedAt = -1;
    forgetShownHits();
    levelRequests = LevelRequests {};
}

void holdFrameClock(Uint32 ms)
{
    frameTicks += ms;
    levelStartTicks += ms;
}

void printFrameStatistics()
{
    // A quit before the level's first flip has no frames to average over.
    const Uint32 average = frameCount ? (frameTicks - levelStartTicks) / frameCount : 0;
    std::printf("Average frame time: %dms;  Maximum frame time: %dms\n", static_cast<int>(average),
        static_cast<int>(maxFrameTime));
}

namespace {

void drawPointer(Canvas& canvas)
{
    if (!cursorImage)
        return;
    canvas.blit(canvas.display(pictureOf(cursorImage)),
        static_cast<Sint16>(mouseX - cursorImage->w / 2),
        static_cast<Sint16>(mouseY - cursorImage->h / 2));
}

// The picture of a frame that did not stop at Escape.
FrameEnd showFrame(LevelState state)
{
    updateThrustSound();
    if (state == LevelState::ongoing)
        soundHazardWarning(foreseeHazards(world()));
    placeCamera();
    Canvas& canvas = screenCanvas();
    drawFrame(canvas);
    if (state == LevelState::ongoing)
        drawNotices(canvas); // an end screen shows the frame as it was
    drawnStep = world().levelStats.gameTime;

    if (state == LevelState::gameOver)
        return FrameEnd::gameOver;
    if (state == LevelState::victory)
        return FrameEnd::victory;
    presentScreen();
    ++frameCount;
    return FrameEnd::next;
}

} // namespace

FrameInput gatherInput()
{
    World& world = tether::world();
    FrameInput input;
    SDL_PumpEvents();
    SDL_Event event;
    while (pollEvent(&event)) {
        switch (event.type) {
        case SDL_MOUSEMOTION:
            mouseX = event.motion.x;
            mouseY = event.motion.y;
            break;
        case SDL_MOUSEBUTTONDOWN:
            mouseX = event.button.x;
            mouseY = event.button.y;
            // More clicks than a replay holds in one frame are beyond any
            // hand, and left out.
            if (input.clicks.size() == static_cast<size_t>(maxClicksPerFrame))
                break;
            if (event.button.button == SDL_BUTTON_LEFT)
                input.clicks.push_back(Click::fireHook);
            else if (event.button.button == SDL_BUTTON_RIGHT)
                input.clicks.push_back(Click::tieOff);
            break;
        case SDL_QUIT:
            levelRequests.quit = true; // the events after it are left unread
            return input;
        default: takeLevelEvent(event, input); break;
        }
    }
    keyState = heldKeys();
    input.actions = heldActions(keyState);
    if (world.ship) // the right stick puts the pointer around the ship as last drawn
        padAim(static_cast<int>(world.ship->x) - cameraX, static_cast<int>(world.ship->y) - cameraY,
            mouseX, mouseY);
    // The pointer in the world, with the camera of the previous frame.
    input.pointerX = static_cast<float>(mouseX + cameraX);
    input.pointerY = static_cast<float>(mouseY + cameraY);
    return input;
}

void placeCamera()
{
    cameraX = cameraCoordinate(world().ship->x, screen->w);
    cameraY = cameraCoordinate(world().ship->y, screen->h);
}

void drawFrame(Canvas& canvas)
{
    if (!backgroundCoversScreen())
        canvas.fill(0x000000ff);
    drawBackground(canvas, cameraX, cameraY);
    drawRace(canvas, cameraX, cameraY); // under the world: the player's ship shows over its ghost
    drawWorld(canvas, cameraX, cameraY);
    drawDamage(canvas, cameraX, cameraY);
    drawHazards(canvas, foreseeHazards(world()), cameraX, cameraY);
    if (world().ship)
        drawHud(canvas);
    drawPointer(canvas);
}

#ifndef TETHER_NO_SDL_GFX
void drawFrame(SDL_Surface* screen)
{
    SdlCanvas canvas(screen);
    drawFrame(canvas);
}
#endif

FrameEnd presentFrame(LevelState state)
{
    playSoundEvents();
    const FrameEnd end = state == LevelState::escape ? FrameEnd::escape : showFrame(state);
    clearEvents(world()); // each event is told once, even if no frame is simulated next
    return end;
}

Uint32 advanceFrameClock(Uint32 now)
{
    const Uint32 previous = frameTicks;
    frameTicks = now;
    const Uint32 elapsed = frameTicks - previous;
    maxFrameTime = std::max(maxFrameTime, elapsed);
    return elapsed;
}

FrameEnd runFrame(Uint32 now)
{
    const int steps = physicsStepCount(advanceFrameClock(now));
    checkMusic();
    const FrameInput input = gatherInput();
    if (levelRequests.quit)
        return FrameEnd::quit;
    if (levelRequests.windowLost)
        return FrameEnd::windowLost;
    const LevelState state = simulateFrame(world(), input, steps);
    raceAlong();
    recordFrame(steps, input, state);
    return presentFrame(state);
}

} // namespace tether
