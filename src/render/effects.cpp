// Beams, chains and ropes on screen.
#include "render/effects.h"
#include "content/worldinuse.h"
#include "world/angles.h"

#include "content/tuning.h"
#include "render/coords.h"
#include "render/limits.h"
#include "render/presentation.h"
#include "render/sdlcanvas.h"
#include "world/object.h"
#include "world/spring.h"
#include "world/world.h"

#include <cmath>
#include <vector>

namespace tether {

namespace {

void line(Canvas& canvas, float x1, float y1, float x2, float y2, Uint32 colour)
{
    canvas.line(toSint16(x1), toSint16(y1), toSint16(x2), toSint16(y2), colour);
}

// The helix's steps are the same for every beam: t as it accumulates and
// its turn's offsets, worked out once (a sine and a cosine for each of a
// thousand points were a tenth of a busy frame).
struct HelixSteps {
    std::vector<float> t;
    std::vector<double> across, down; // 10 sin 100t, 10 cos 100t
    HelixSteps()
    {
        float step = 0.0f;
        do {
            const double a = step * 100.0;
            t.push_back(step);
            across.push_back(10 * std::sin(a));
            down.push_back(10 * std::cos(a));
            step = step + 0.001f;
        } while (step < 1.0f);
    }
};

const HelixSteps& helixSteps()
{
    static const HelixSteps steps;
    return steps;
}

} // namespace

// Each segment is `step` long and deviates at most spread/2 from the bearing
// to the end, so with the game's spread of 0.3 the distance shrinks at every
// segment and the bolt always lands on its end point.
void drawLightning(Canvas& canvas, float x1, float y1, float x2, float y2, unsigned int colour,
    float spread, float step)
{
    float dx = x2 - x1, dy = y2 - y1;
    float dist = static_cast<float>(std::hypot(dx, dy));
    // A wide spread could wander off for good; the cap is far above the
    // segments a bolt needs (about dist/step) and is never met in play.
    const double cap = std::isfinite(dist) && step > 0.0f ? 4.0 * dist / step + 16.0 : 0.0;
    for (int segments = 0; step > 0.0f && dist > step && segments < cap; ++segments) {
        const double bearing = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
        const float aim = static_cast<float>((presentationRandom.unit() - 0.5) * spread + bearing);
        const float nx = x1 + std::cos(aim) * step;
        const float ny = y1 + std::sin(aim) * step;
        line(canvas, x1, y1, nx, ny, colour);
        x1 = nx;
        y1 = ny;
        dx = x2 - x1;
        dy = y2 - y1;
        dist = static_cast<float>(std::hypot(dx, dy));
    }
    line(canvas, x1, y1, x2, y2, colour);
}

// The helix point for t in [0, 1) is (x1, y1) + t (dx, dy) + 10 (sin 100t,
// -cos 100t). Each pass plots the point of the pass before, starting with
// the start point itself; t accumulates in single precision, 1001 passes.
// An opaque helix is written straight into the locked screen (a thousand
// plots of one pixel each cost more than the rest of the beam).
void drawRail(Canvas& canvas, float x1, float y1, float x2, float y2, unsigned int lineColour,
    unsigned int helixColour)
{
    line(canvas, x1, y1, x2, y2, lineColour);
    const Pixels held = (helixColour & 0xff) == 0xff ? canvas.lendPixels() : Pixels {};
    const bool direct = held.rows != nullptr;
    const Uint32 pixel = canvas.pixelValue(helixColour);
    const float dx = x2 - x1, dy = y2 - y1;
    float px = x1, py = y1;
    const HelixSteps& helix = helixSteps();
    for (size_t i = 0; i < helix.t.size(); ++i) {
        if (!direct) {
            canvas.pixel(toSint16(px), toSint16(py), helixColour);
        } else {
            const int x = toSint16(px), y = toSint16(py);
            if (x >= held.clipX && y >= held.clipY && x < held.clipX + held.clipW
                && y < held.clipY + held.clipH)
                held.rows[y * held.stride + x] = pixel;
        }
        const float t = helix.t[i];
        px = static_cast<float>(t * dx + x1 + helix.across[i]);
        py = static_cast<float>(t * dy + y1 - helix.down[i]);
    }
    if (direct)
        canvas.releasePixels();
}

void drawChain(Canvas& canvas, SDL_Surface* link, float cameraX, float cameraY, const Object* a,
    const Object* b)
{
    if (!link || !a || !b || link->w <= 0)
        return;
    const float dx = b->x - a->x, dy = b->y - a->y;
    const float len = static_cast<float>(std::sqrt(dx * dx + dy * dy));
    // Links must be a positive count: none (or a negative count) would
    // stretch one link without bound; too many would take the frame.
    const float links = chainLinks(tuning().grapNumLinks, len);
    if (!(len > 0.0f) || !std::isfinite(len) || !(links > 0.0f))
        return;
    const float stepX = dx * (1 / links), stepY = dy * (1 / links);
    // The slope's angle, not the bearing: a link looks the same turned half
    // a turn, so the image need only be oriented modulo pi.
    const float slope = static_cast<float>(-std::atan(static_cast<double>(stepY / stepX)));

    const Picture turned = canvas.chainLink(
        pictureOf(link), len * (1 / (static_cast<float>(link->w) * links)), slope);
    if (!turned)
        return;
    float px = a->x - static_cast<float>(turned.w / 2) - cameraX + stepX;
    float py = a->y - static_cast<float>(turned.h / 2) - cameraY + stepY;
    int k = 0;
    do {
        ++k;
        canvas.blit(turned, toSint16(px), toSint16(py));
        px += stepX;
        py += stepY;
    } while (static_cast<float>(k) < links);
}

#ifndef TETHER_NO_SDL_GFX
void drawLightning(SDL_Surface* screen, float x1, float y1, float x2, float y2, unsigned int colour,
    float spread, float step)
{
    SdlCanvas canvas(screen);
    drawLightning(canvas, x1, y1, x2, y2, colour, spread, step);
}

void drawRail(SDL_Surface* screen, float x1, float y1, float x2, float y2, unsigned int lineColour,
    unsigned int helixColour)
{
    SdlCanvas canvas(screen);
    drawRail(canvas, x1, y1, x2, y2, lineColour, helixColour);
}

void drawChain(
    SDL_Surface* screen, SDL_Surface* link, float cameraX, float cameraY, Object* a, Object* b)
{
    if (!screen)
        return;
    SdlCanvas canvas(screen);
    drawChain(canvas, link, cameraX, cameraY, a, b);
}
#endif

// A rope whose ends lie on opposite sides of the world's seam would be drawn
// the long way round across the screen; it stays unseen until they meet.
void drawSpring(Canvas& canvas, const Spring& spring, SDL_Surface* link, int cameraX, int cameraY)
{
    const Object* endA = spring.endA;
    const Object* endB = spring.endB;
    if (!endA || !endB)
        return;
    if (std::fabs(endA->x - endB->x) < world().worldW * 0.5f
        && std::fabs(endA->y - endB->y) < world().worldH * 0.5f)
        drawChain(
            canvas, link, static_cast<float>(cameraX), static_cast<float>(cameraY), endA, endB);
}

#ifndef TETHER_NO_SDL_GFX
void drawSpring(
    SDL_Surface* screen, const Spring& spring, SDL_Surface* link, int cameraX, int cameraY)
{
    if (!screen)
        return;
    SdlCanvas canvas(screen);
    drawSpring(canvas, spring, link, cameraX, cameraY);
}
#endif

} // namespace tether
