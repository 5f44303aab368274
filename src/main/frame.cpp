#include "main/frame.h"

#include "ai/ai.h"
#include "content/assets.h"
#include "main/controls.h"
#include "main/hooks.h"
#include "main/level.h"
#include "main/pacing.h"
#include "main/startup.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/hud.h"
#include "world/collision.h"
#include "world/connector.h"
#include "world/motion.h"
#include "world/object.h"
#include "world/spring.h"
#include "world/world.h"
#include "world/wrap.h"

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
Uint8* keyState = nullptr;

int physicsStepCount(Uint32 elapsed)
{
    return static_cast<int>(std::min<Uint32>(elapsed, maxStepsPerFrame));
}

void enterFrameLoop(Uint32 now)
{
    frameTicks = levelStartTicks = now;
    frameCount = maxFrameTime = 0;
    cameraX = cameraY = 0;
    resetHooks();
}

void printFrameStatistics()
{
    // A quit before the level's first flip has no frames to average over.
    const Uint32 average = frameCount ? (frameTicks - levelStartTicks) / frameCount : 0;
    std::printf("Average frame time: %dms;  Maximum frame time: %dms\n", static_cast<int>(average),
        static_cast<int>(maxFrameTime));
}

namespace {

void handleEvents()
{
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_MOUSEMOTION:
            mouseX = event.motion.x;
            mouseY = event.motion.y;
            break;
        case SDL_MOUSEBUTTONDOWN:
            mouseX = event.button.x;
            mouseY = event.button.y;
            if (event.button.button == SDL_BUTTON_LEFT)
                fireHook();
            else if (event.button.button == SDL_BUTTON_RIGHT)
                tieOff();
            break;
        case SDL_QUIT: printFrameStatistics(); std::exit(0);
        default: break;
        }
    }
}

void drawPointer(SDL_Surface* screen)
{
    if (!cursorImage)
        return;
    SDL_Rect at;
    at.x = static_cast<Sint16>(mouseX - cursorImage->w / 2);
    at.y = static_cast<Sint16>(mouseY - cursorImage->h / 2);
    SDL_BlitSurface(cursorImage, nullptr, screen, &at);
}

} // namespace

void physicsStep(const Uint8* keys, float mouseWorldX, float mouseWorldY)
{
    steerShip(keys);
    aimHooks(mouseWorldX, mouseWorldY);

    // Enemies and mines act on the ship before gravity and collision; their
    // new shots go to the other registries, never to ennemies.
    if (ship)
        for (Object* enemy : ennemies)
            AIUpdate(enemy, ship);

    applyGravity();
    collisionDetect(&objects);
    for (Spring* rope : springs)
        rope->update(1);
    for (Object* body : dynamicMasses)
        body->update(1);

    flyHooks();

    fixTorusCoords();
    for (Connector* link : connectors)
        link->update();
}

void drawFrame(SDL_Surface* screen)
{
    SDL_FillRect(screen, nullptr, 0);
    drawBackground(screen, cameraX, cameraY);
    drawWorld(screen, cameraX, cameraY);
    if (ship)
        drawHud(screen);
    drawPointer(screen);
}

FrameEnd runFrame(Uint32 now)
{
    const Uint32 previous = frameTicks;
    frameTicks = now;
    const Uint32 elapsed = frameTicks - previous;
    maxFrameTime = std::max(maxFrameTime, elapsed);
    const int steps = physicsStepCount(elapsed);

    checkMusic();
    handleEvents();
    keyState = SDL_GetKeyState(nullptr);

    for (int step = 0; step < steps; ++step) {
        // The pointer in the world, with the camera of the previous frame.
        const float mouseWorldX = static_cast<float>(mouseX + cameraX);
        const float mouseWorldY = static_cast<float>(mouseY + cameraY);
        if (keyState[SDLK_ESCAPE])
            return FrameEnd::escape;
        physicsStep(keyState, mouseWorldX, mouseWorldY);
    }
    updateThrustSound();

    // Removal of the dead; objects frees them, so it comes last.
    cleanupSprings();
    cleanup(&dynamicMasses);
    cleanup(&drawables);
    cleanup(&ennemies);
    cleanup(&objects);

    cameraX = static_cast<int>(ship->x - static_cast<float>(screen->w / 2));
    cameraY = static_cast<int>(ship->y - static_cast<float>(screen->h / 2));
    drawFrame(screen);

    if (gameOver)
        return FrameEnd::gameOver;
    if (numEnemies <= 0)
        return FrameEnd::victory;
    SDL_Flip(screen);
    ++frameCount;
    return FrameEnd::next;
}

FrameEnd playLevel()
{
    enterFrameLoop(SDL_GetTicks());
    for (;;) {
        const FrameEnd end = runFrame(SDL_GetTicks());
        if (end != FrameEnd::next)
            return end;
        paceFrame();
    }
}

} // namespace tether
