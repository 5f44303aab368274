// How one Object looks, and the order of the world's draw pass.
//
// drawObject picks the look from the type code:
//   ships, enemies, turrets, hooks, nodes, planets, suns, mines, the flame
//   and whatever is exploding: the sprite turned to the heading, with a
//   damage flash when the object was hit since the last frame;
//   bullets: a red disc; lightning and rail shots: a beam from the shooter;
//   shredders and BFG balls: their image, never turned;
//   black holes: a lens that pulls what lies behind them into a ring.
// Exploding objects get an explosion frame on top. Drawing never changes
// the world: a hit flashes the first time the object is drawn after it, the
// flame shows in each frame whose steps lit it (render/presentation.h), with
// a frame picked by the presentation's own generator; an explosion clock
// past its end shows the last frame; a black hole's lens table is kept
// here, by radius.
#include "render/draw.h"
#include "content/worldinuse.h"
#include "world/angles.h"

#include "content/assets.h"
#include "content/images.h"
#include "content/tuning.h"
#include "render/coords.h"
#include "render/effects.h"
#include "render/limits.h"
#include "render/looks.h"
#include "render/presentation.h"
#include "render/sdlcanvas.h"
#include "world/object.h"
#include "world/ships.h"
#include "world/spring.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

namespace tether {

namespace {

constexpr Uint32 bulletColour = 0xff0000ff;
constexpr Sint16 bulletRadius = 5; // whatever the bullet's collision radius
constexpr Uint32 lightningColour = 0x9999ffff;
constexpr float lightningSpread = 0.3f; // radians of wander per segment
constexpr float lightningStep = 20.0f; // pixels per segment
constexpr Uint32 railColour = 0x0000ffff;
constexpr Uint32 railHelixColour = 0xff0000ff;
constexpr Uint32 lensCoreColour = 0x000000ff;

// Full health that the damage flash measures against.
constexpr float shipFullHealth = 1000.0f;
constexpr float otherFullHealth = 200.0f;
constexpr Uint32 healthyColour = 0x00ff00ff;
constexpr Uint32 woundedColour = 0xffff00ff;
constexpr Uint32 dyingColour = 0xff0000ff;

constexpr int explosionFrames = 10;
constexpr float lastExplosionClock = 9.99999f; // shows the last frame

void blitAt(const Picture& image, Canvas& canvas, int x, int y)
{
    canvas.blit(image, static_cast<Sint16>(x), static_cast<Sint16>(y));
}

// Blits image with its centre at (x, y) on screen, the image's half size
// taken with integer division, the corner truncated.
void blitCentred(const Picture& image, Canvas& canvas, float x, float y)
{
    if (!image)
        return;
    blitAt(image, canvas, truncated(x - static_cast<float>(image.w / 2)),
        truncated(y - static_cast<float>(image.h / 2)));
}

// Image objects: the kinds drawn as their image turned to the heading.
bool isImageObject(int type)
{
    return traitsOf(type).turnedImage;
}

bool showsDamage(int type)
{
    return traitsOf(type).showsDamage;
}

float fullHealth(const Object& object)
{
    if (object.type == typeShip)
        return shipFullHealth;
    // An enemy of an unknown class, or of a class whose record was never
    // read, measures against the common reference instead of dividing by 0.
    if (object.type == typeEnemy && object.kind >= 1 && object.kind <= enemyClassCount
        && tuning().enHealth[object.kind - 1] > 0.0f)
        return tuning().enHealth[object.kind - 1];
    return otherFullHealth;
}

// The force-field image scaled to the object's diameter, recoloured by a
// disc in the health colour, centred on the object.
void drawDamageFlash(const Object& object, Canvas& canvas, float cameraX, float cameraY)
{
    if (!shieldSprite || shieldSprite->w <= 0 || shieldSprite->h <= 0 || !(object.radius > 0.0f))
        return;
    blitCentred(canvas.flash(pictureOf(shieldSprite), flashDiameter(object.radius), object.radius,
                    damageColour(object)),
        canvas, object.x - cameraX, object.y - cameraY);
}

// The sprite turned to the heading and centred, then the flash of a hit.
void drawImage(const Object& object, SDL_Surface* sprite, Canvas& canvas, int sx, int sy,
    float cameraX, float cameraY)
{
    if (sprite) {
        const Picture image = object.angle != 0.0f ? canvas.turned(pictureOf(sprite), object.angle)
                                                   : pictureOf(sprite);
        if (image)
            blitAt(image, canvas, sx - image.w / 2, sy - image.h / 2);
    }
    if (takeNewHit(object) && showsDamage(object.type))
        drawDamageFlash(object, canvas, cameraX, cameraY);
}

// An exploding object's clock runs from 0 to 10 through ten frames; it
// shows the last frame until the object is removed.
void drawExplosion(const Object& object, Canvas& canvas, float cameraX, float cameraY)
{
    float clock = object.health;
    if (clock >= 10.0f)
        clock = lastExplosionClock;
    int frame = clock > 0.0f ? static_cast<int>(clock) : 0;
    if (frame >= explosionFrames)
        frame = explosionFrames - 1;

    Picture image;
    if (object.expiredBall)
        image = canvas.display(pictureOf(bfgflames[frame]));
    else if (explosions[frame] && object.radius > 0.0f)
        // The frames are drawn for a radius of 50; the canvas keeps its
        // scaled copies (ten frames of a few sizes, shown over and over).
        image = canvas.scaled(pictureOf(explosions[frame]),
            explosionZoom(object.radius, explosions[frame]->w, explosions[frame]->h));
    blitCentred(image, canvas, object.x - cameraX, object.y - cameraY);
}

// Gravitational lens: the ring from r to 3r shows the whole disc of radius
// 3r pulled inward, and the middle is black.
// The lens works on a square of 6r pixels a side, made anew every frame: a
// black hole larger than this (a map's mistake) is shown as its black disc
// alone, never as square sizes that overflow or eat the memory.
constexpr float maxLensRadius = 300.0f;

// Lens tables by radius: a black hole never changes its size and a map has
// few of them, so the few sizes seen are kept (up to a table of ~13 MB
// each); a level's end lets them go.
struct KeptLens {
    float radius;
    std::unique_ptr<int32_t[]> table;
};
std::vector<KeptLens> keptLenses;
constexpr size_t keptLensLimit = 8;

// What lies behind a lens, kept between frames so that a frame allocates
// nothing for it: the square's pixels as the screen holds them, black where
// the square leaves the screen.
std::vector<Uint32> behindLens;

void drawLens(const Object& object, Canvas& canvas, int sx, int sy)
{
    const float r = object.radius;
    if (!(r > 0.0f) || r > maxLensRadius || !lensFits(r))
        return;
    const int32_t* table = lensTableFor(r);
    if (!table)
        return;
    const int n = static_cast<int>(6 * r);
    const int whole = static_cast<int>(r);
    // The square's corner as a blit would take it (16-bit coordinates); only
    // the first 6 * whole pixels of a row and column are read from behind.
    const int left = static_cast<Sint16>(sx - 3 * whole);
    const int top = static_cast<Sint16>(sy - 3 * whole);
    const int read = 6 * whole;

    const Pixels held = canvas.lendPixels();
    if (!held.rows)
        return;
    const struct {
        int x, y, w, h;
    } clip {held.clipX, held.clipY, held.clipW, held.clipH};
    const int stride = held.stride;
    Uint32* pixels = held.rows;
    // What lies behind, black where the square leaves the screen (or past
    // what is read): each entry written once.
    behindLens.resize(static_cast<size_t>(n) * n);
    const int firstX = std::min(read, std::max(0, clip.x - left));
    const int lastX = std::max(firstX, std::min(read, clip.x + clip.w - left));
    for (int y = 0; y < n; ++y) {
        uint32_t* behind = behindLens.data() + static_cast<size_t>(y) * n;
        if (y >= read || top + y < clip.y || top + y >= clip.y + clip.h) {
            std::fill_n(behind, n, 0u);
            continue;
        }
        std::fill_n(behind, firstX, 0u);
        std::copy(pixels + (top + y) * stride + left + firstX,
            pixels + (top + y) * stride + left + lastX, behind + firstX);
        std::fill(behind + lastX, behind + n, 0u);
    }
    // Every pixel of the square that is on screen takes the pixel the table
    // names.
    for (int y = 0; y < n; ++y) {
        if (top + y < clip.y || top + y >= clip.y + clip.h)
            continue;
        Uint32* row = pixels + (top + y) * stride;
        for (int x = std::max(0, clip.x - left); x < n && left + x < clip.x + clip.w; ++x)
            row[left + x] = behindLens[static_cast<size_t>(table[x + n * y])];
    }
    canvas.releasePixels();
    canvas.disc(static_cast<Sint16>(left + n / 2), static_cast<Sint16>(top + n / 2),
        static_cast<Sint16>(whole), lensCoreColour);
}

} // namespace

const int32_t* lensTableFor(float r)
{
    for (const KeptLens& kept : keptLenses)
        if (kept.radius == r)
            return kept.table.get();
    int32_t* table = makeLensTable(r);
    if (!table)
        return nullptr;
    if (keptLenses.size() >= keptLensLimit)
        keptLenses.clear();
    keptLenses.push_back({r, std::unique_ptr<int32_t[]>(table)});
    return table;
}

void forgetLensTables()
{
    keptLenses.clear();
}

Uint32 damageColour(const Object& object)
{
    const float f = object.health / fullHealth(object);
    if (f > 0.5f)
        return healthyColour;
    if (f > 0.1f)
        return woundedColour;
    return dyingColour;
}

bool isOffScreen(const Object& object, int sx, int sy, int width, int height)
{
    return isOffScreen(object, lookOf(object), sx, sy, width, height);
}

bool isOffScreen(
    const Object& object, const SDL_Surface* look, int sx, int sy, int width, int height)
{
    const float x = static_cast<float>(sx), y = static_cast<float>(sy);
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    auto beyond = [&](float reach) {
        return x - reach - 2 > w || y - reach - 2 > h || x < -2 - reach || y < -2 - reach;
    };
    // Shots and mines reach as far as their radius.
    if (traitsOf(object.type).weapon && beyond(object.radius))
        return true;
    // A black hole's lens reaches three radii.
    if (object.type == typeBlackHole)
        return beyond(3 * object.radius);
    // Image objects: the unturned image's width plus height covers any turn.
    if (isImageObject(object.type)) {
        const int reach = look ? look->w + look->h : 0;
        return sx - reach - 2 > width || sy - reach - 2 > height || sx < -reach - 2
            || sy < -reach - 2;
    }
    return false;
}

int32_t* makeLensTable(float r)
{
    if (!(r > 0.0f) || !std::isfinite(r))
        return nullptr;
    const int n = static_cast<int>(6 * r);
    if (n <= 0)
        return nullptr;
    int32_t* table = new (std::nothrow) int32_t[static_cast<size_t>(n) * n];
    if (!table)
        return nullptr;
    const int c = n / 2;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const int32_t here = n * j + i;
            const float d = static_cast<float>(std::hypot(i - c, j - c));
            if (d < r || d >= 3 * r) {
                table[here] = here;
                continue;
            }
            // d' = d - r (d/2r - 3/2)^2 runs from 0 at d = r to d at d = 3r.
            const double t = std::pow(d * (1 / r) * 0.5 - 1.5, 2.0);
            const float bentD = static_cast<float>(d - t * r);
            int si = static_cast<int>((i - c) * bentD * (1 / d) + c);
            int sj = static_cast<int>((j - c) * bentD * (1 / d) + c);
            // Rounding can push a ray's end a hair past the square.
            si = si < 0 ? 0 : (si >= n ? n - 1 : si);
            sj = sj < 0 ? 0 : (sj >= n ? n - 1 : sj);
            table[here] = si + n * sj;
        }
    }
    return table;
}

void drawObject(Canvas& canvas, const Object& object, int cameraX, int cameraY)
{
    const Object& o = object;
    if (o.hidden || o.type == typeDead)
        return;
    // The flame shows one random frame in each frame with thrust, on the
    // ships whose flame is seen at all.
    SDL_Surface* look = lookOf(o);
    if (o.type == typeFlame) {
        if (!thrustSinceLastFrame(o) || !shipTraits(world().chosenShip).flameShows)
            return;
        look = flames[presentationRandom.next15() % 3];
    }
    const float camX = static_cast<float>(cameraX), camY = static_cast<float>(cameraY);
    const int sx = toSint16(o.x - camX);
    const int sy = toSint16(o.y - camY);
    if (isOffScreen(o, look, sx, sy, canvas.width(), canvas.height()))
        return;

    switch (o.type) {
    case typeBullet:
        canvas.disc(static_cast<Sint16>(sx), static_cast<Sint16>(sy), bulletRadius, bulletColour);
        break;
    case typeLightning:
        // A beam runs from its shooter; a shooter that is gone leaves nothing to draw.
        if (o.owner)
            drawLightning(canvas, o.owner->x - camX, o.owner->y - camY, o.x - camX, o.y - camY,
                lightningColour, lightningSpread, lightningStep);
        break;
    case typeRail:
        if (o.owner)
            drawRail(canvas, o.owner->x - camX, o.owner->y - camY, o.x - camX, o.y - camY,
                railColour, railHelixColour);
        break;
    case typeShredder:
        blitCentred(canvas.display(pictureOf(shredder)), canvas, o.x - camX, o.y - camY);
        break;
    case typeBfg:
        blitCentred(canvas.display(pictureOf(bfgshot)), canvas, o.x - camX, o.y - camY);
        break;
    case typeBlackHole: drawLens(o, canvas, sx, sy); break;
    default:
        if (isImageObject(o.type))
            drawImage(o, look, canvas, sx, sy, camX, camY);
        break;
    }
    if (o.type == typeExploding)
        drawExplosion(o, canvas, camX, camY);
}

#ifndef TETHER_NO_SDL_GFX
void drawObject(SDL_Surface* screen, const Object& object, int cameraX, int cameraY)
{
    if (!screen)
        return;
    SdlCanvas canvas(screen);
    drawObject(canvas, object, cameraX, cameraY);
}
#endif

void drawWorld(Canvas& canvas, int cameraX, int cameraY)
{
    World& world = tether::world();
    // The world keeps drawables in layer order; the copy is sorted all the
    // same, so that a list put together by hand draws right too.
    static std::vector<const Object*> inLayers;
    inLayers.assign(world.drawables.begin(), world.drawables.end());
    std::stable_sort(inLayers.begin(), inLayers.end(), cmpObjectDraw());
    startLensCount();

    // Black holes, planets, suns, the flame, the ship and enemies lie under
    // the ropes; hooks, mounts, nodes, shots and explosions over them.
    auto next = inLayers.begin();
    for (; next != inLayers.end() && getDrawOrder((*next)->type) <= 2; ++next)
        drawObject(canvas, **next, cameraX, cameraY);

    for (Spring* spring : world.springs)
        drawSpring(canvas, *spring, chainImage, cameraX, cameraY);
    const float camX = static_cast<float>(cameraX), camY = static_cast<float>(cameraY);
    if (world.leftGrapHook && world.turret)
        drawChain(canvas, chainImage, camX, camY, world.leftGrapHook, world.turret);
    if (world.rightGrapHook && world.turret)
        drawChain(canvas, chainImage, camX, camY, world.rightGrapHook, world.turret);

    for (; next != inLayers.end(); ++next)
        drawObject(canvas, **next, cameraX, cameraY);

    // Nothing shows through the middle of a black hole, not even what
    // passes over it.
    for (Object* hole : world.drawables) {
        if (hole->type != typeBlackHole || !(hole->radius > 0.0f))
            continue;
        canvas.disc(toSint16(hole->x - camX), toSint16(hole->y - camY), toSint16(hole->radius),
            lensCoreColour);
    }
}

#ifndef TETHER_NO_SDL_GFX
void drawWorld(SDL_Surface* screen, int cameraX, int cameraY)
{
    SdlCanvas canvas(screen);
    drawWorld(canvas, cameraX, cameraY);
}
#endif

} // namespace tether
