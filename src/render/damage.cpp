// The damage display: tallies of the ship's hits per source, and their
// marks, numbers and arrows.
//
// A tally is told apart by the source's address as the rules saw it; the
// address is only compared, never followed (the source may be gone by the
// time the frame is drawn). An address reused by a new object within one
// tally window would merge two tallies; a shot's source is its shooter,
// which lives on, so in play this never shows.
#include "render/damage.h"
#include "content/worldinuse.h"

#include "render/coords.h"
#include "render/sdlcanvas.h"
#include "world/object.h"
#include "world/panel.h"
#include "world/stats.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tether {

namespace {

std::vector<DamageTally> tallies; // oldest first
int64_t takenUpTo = -1; // the latest step whose hits were taken
constexpr size_t maxTallies = 32; // far more than a screen can show

bool onShow(const DamageTally& t, int64_t now)
{
    return t.amount >= minShownDamage && now - t.lastStep <= damageNumberLife;
}

// Drops what can neither show again nor take more hits.
void prune(int64_t now)
{
    const int64_t keep = std::max(damageNumberLife, tallyWindow);
    tallies.erase(std::remove_if(tallies.begin(), tallies.end(),
                      [&](const DamageTally& t) { return now - t.lastStep > keep; }),
        tallies.end());
    if (tallies.size() > maxTallies)
        tallies.erase(tallies.begin(), tallies.end() - maxTallies);
}

void take(const WorldEvent& hit)
{
    DamageTally* tally = nullptr;
    for (DamageTally& t : tallies)
        if (t.source == hit.source && hit.step - t.lastStep <= tallyWindow)
            tally = &t;
    if (!tally) {
        tallies.push_back(DamageTally {});
        tally = &tallies.back();
        tally->source = hit.source;
    }
    tally->cause = hit.cause;
    tally->amount += hit.amount;
    tally->contactX = hit.contactX;
    tally->contactY = hit.contactY;
    tally->sourceX = hit.dx;
    tally->sourceY = hit.dy;
    tally->lastStep = hit.step;
}

// --- Drawing ---

// Colours by cause, 0xRRGGBB; the alpha is added as the tally fades.
Uint32 causeColour(Cause cause)
{
    switch (cause) {
    case causeCrash: return 0xffa040;
    case causeShot: return 0xff4848;
    case causeMine: return 0xff60e0;
    case causeSun: return 0xffe040;
    case causeBlackHole: return 0xb080ff;
    default: return 0xffffff;
    }
}

constexpr Uint32 shadowColour = 0x000000;
constexpr int64_t fadeTime = 400; // ms at the end of a number's life

Uint8 alphaAt(int64_t age)
{
    const int64_t left = damageNumberLife - age;
    if (left >= fadeTime)
        return 255;
    return static_cast<Uint8>(std::max<int64_t>(0, 255 * left / fadeTime));
}

Uint32 withAlpha(Uint32 rgb, Uint8 alpha)
{
    return (rgb << 8) | alpha;
}

// The number, in the 8-pixel font at twice its size, centred on (cx, cy).
constexpr int digitScale = 2;

void drawBigText(Canvas& canvas, const char* text, int cx, int cy, Uint32 colour)
{
    const int n = static_cast<int>(std::strlen(text));
    const int x0 = cx - n * 8 * digitScale / 2;
    const int y0 = cy - 8 * digitScale / 2;
    for (int i = 0; i < n; ++i) {
        const unsigned char* glyph = canvas.glyph(static_cast<unsigned char>(text[i]));
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col) {
                if (!(glyph[row] & (0x80 >> col)))
                    continue;
                const int x = x0 + (i * 8 + col) * digitScale;
                const int y = y0 + row * digitScale;
                canvas.box(toSint16(x), toSint16(y), toSint16(x + digitScale - 1),
                    toSint16(y + digitScale - 1), colour);
            }
    }
}

// A burst on the rim where the hit struck: a dot and three sparks outward.
constexpr float markRadius = 4.0f;
constexpr float sparkLength = 12.0f;
constexpr float sparkSpread = 0.6f; // radians either side of the normal

void drawMark(Canvas& canvas, float x, float y, float nx, float ny, Uint32 colour)
{
    canvas.disc(toSint16(x), toSint16(y), toSint16(markRadius), colour);
    const float normal = std::atan2(ny, nx);
    for (float turn : {-sparkSpread, 0.0f, sparkSpread}) {
        const float a = normal + turn;
        canvas.line(toSint16(x), toSint16(y), toSint16(x + sparkLength * std::cos(a)),
            toSint16(y + sparkLength * std::sin(a)), colour);
    }
}

// An arrow just inside the screen's edge, or just outside the HUD panel
// where the line meets the panel first, on the line from the ship toward
// the source, pointing at it.
constexpr float arrowMargin = 18.0f; // pixels from the edge to the tip
constexpr float arrowLength = 16.0f;
constexpr float arrowHalfWidth = 9.0f;

} // namespace

void drawEdgeArrow(Canvas& canvas, float fromX, float fromY, float ux, float uy, float size,
    Uint32 colour, Uint32 outline)
{
    const float left = arrowMargin, top = arrowMargin;
    const float right = static_cast<float>(canvas.width()) - arrowMargin;
    const float bottom = static_cast<float>(canvas.height()) - arrowMargin;
    float t = 1e9f;
    if (ux > 0)
        t = std::min(t, (right - fromX) / ux);
    if (ux < 0)
        t = std::min(t, (left - fromX) / ux);
    if (uy > 0)
        t = std::min(t, (bottom - fromY) / uy);
    if (uy < 0)
        t = std::min(t, (top - fromY) / uy);
    // The panel fills the bottom-right corner: the line enters it when it
    // has crossed both of its edges (each crossed at once when the ship is
    // already past it).
    const float panelX = static_cast<float>(panelLeft) - arrowMargin;
    const float panelY = static_cast<float>(panelTop) - arrowMargin;
    const float acrossX = fromX >= panelX ? 0 : (ux > 0 ? (panelX - fromX) / ux : 1e9f);
    const float acrossY = fromY >= panelY ? 0 : (uy > 0 ? (panelY - fromY) / uy : 1e9f);
    t = std::min(t, std::max(acrossX, acrossY));
    if (!(t > 0) || t >= 1e9f)
        return;
    const float tipX = fromX + ux * t, tipY = fromY + uy * t;
    const float length = arrowLength * size, halfWidth = arrowHalfWidth * size;
    const float baseX = tipX - ux * length, baseY = tipY - uy * length;
    const Sint16 x1 = toSint16(tipX), y1 = toSint16(tipY);
    const Sint16 x2 = toSint16(baseX - uy * halfWidth), y2 = toSint16(baseY + ux * halfWidth);
    const Sint16 x3 = toSint16(baseX + uy * halfWidth), y3 = toSint16(baseY - ux * halfWidth);
    canvas.filledTriangle(x1, y1, x2, y2, x3, y3, colour);
    canvas.triangle(x1, y1, x2, y2, x3, y3, outline);
}

namespace {

constexpr float numberGap = 22.0f; // pixels beyond the rim
constexpr float riseSpeed = 0.03f; // pixels per ms
constexpr float maxRise = 18.0f;

// Where the numbers of this frame stand, so that one never covers another:
// a number that would is moved up a line.
std::vector<SDL_Rect> placedNumbers;
constexpr int numberLine = 8 * digitScale + 2;

void placeNumber(int& cx, int& cy, int width)
{
    for (bool moved = true; moved;) {
        moved = false;
        for (const SDL_Rect& r : placedNumbers)
            if (std::abs(cx - r.x) < (width + r.w) / 2 && std::abs(cy - r.y) < numberLine) {
                cy = r.y - numberLine;
                moved = true;
            }
    }
    placedNumbers.push_back({static_cast<Sint16>(cx), static_cast<Sint16>(cy),
        static_cast<Uint16>(width), static_cast<Uint16>(numberLine)});
}

void drawTally(Canvas& canvas, const DamageTally& t, int64_t now, float shipX, float shipY)
{
    const int64_t age = now - t.lastStep;
    const Uint8 alpha = alphaAt(age);
    const Uint32 colour = withAlpha(causeColour(t.cause), alpha);
    const Uint32 shadow = withAlpha(shadowColour, alpha);

    // The outward normal at the contact; a hit at the very centre shows
    // toward its source, or above the ship.
    float nx = t.contactX, ny = t.contactY;
    float len = std::hypot(nx, ny);
    if (!(len > 0)) {
        nx = t.sourceX;
        ny = t.sourceY;
        len = std::hypot(nx, ny);
    }
    if (!(len > 0)) {
        nx = 0;
        ny = -1;
        len = 1;
    }
    nx /= len;
    ny /= len;

    if (age <= damageMarkLife)
        drawMark(canvas, shipX + t.contactX, shipY + t.contactY, nx, ny, colour);

    const float rim = world().ship->radius + numberGap;
    const float rise = std::min(maxRise, riseSpeed * static_cast<float>(age));
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(std::lround(std::min(t.amount, 1e6f))));
    int cx = static_cast<int>(shipX + nx * rim);
    int cy = static_cast<int>(shipY + ny * rim - rise);
    placeNumber(cx, cy, static_cast<int>(std::strlen(text)) * 8 * digitScale);
    drawBigText(canvas, text, cx + 1, cy + 1, shadow);
    drawBigText(canvas, text, cx, cy, colour);

    // From off screen: the arrow.
    const float sx = shipX + t.sourceX, sy = shipY + t.sourceY;
    const bool offScreen = sx < 0 || sy < 0 || sx >= static_cast<float>(canvas.width())
        || sy >= static_cast<float>(canvas.height()) || underPanel(sx, sy);
    const float reach = std::hypot(t.sourceX, t.sourceY);
    if (offScreen && reach > 0)
        drawEdgeArrow(
            canvas, shipX, shipY, t.sourceX / reach, t.sourceY / reach, 1.0f, colour, shadow);
}

} // namespace

void takeShipHits(const EventQueue& events)
{
    int64_t newest = takenUpTo;
    for (int i = 0; i < events.count; ++i) {
        const WorldEvent& e = events.events[i];
        if (e.kind != EventKind::shipHit || e.step <= takenUpTo)
            continue;
        take(e);
        newest = std::max(newest, e.step);
    }
    takenUpTo = newest;
    prune(newest);
}

std::vector<DamageTally> damageOnShow(int64_t now)
{
    std::vector<DamageTally> shown;
    for (const DamageTally& t : tallies)
        if (onShow(t, now))
            shown.push_back(t);
    return shown;
}

void drawDamage(Canvas& canvas, int cameraX, int cameraY)
{
    World& world = tether::world();
    takeShipHits(world.worldEvents);
    if (!world.ship)
        return;
    const int64_t now = world.levelStats.gameTime;
    const float shipX = world.ship->x - static_cast<float>(cameraX);
    const float shipY = world.ship->y - static_cast<float>(cameraY);
    placedNumbers.clear();
    for (const DamageTally& t : damageOnShow(now))
        drawTally(canvas, t, now, shipX, shipY);
}

#ifndef TETHER_NO_SDL_GFX
void drawDamage(SDL_Surface* screen, int cameraX, int cameraY)
{
    if (!screen) {
        takeShipHits(world().worldEvents);
        return;
    }
    SdlCanvas canvas(screen);
    drawDamage(canvas, cameraX, cameraY);
}
#endif

void forgetDamage()
{
    tallies.clear();
    takenUpTo = -1;
}

} // namespace tether
