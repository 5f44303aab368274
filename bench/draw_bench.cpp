// Cost of drawing one busy frame on the 800 by 600 screen: the parallax
// background, a hundred objects in view (turned ships and enemies, gun
// turrets, mines, planets, suns, nodes, bullets, beams, shredders, BFG
// balls, some flashing from hits), explosions, a black hole's lens, ropes
// and both hook chains, the HUD and the radar. The whole frame should stay
// under 5 ms, and within twice the background pass. Images come from
// build/game when the game's art is there; whatever is missing is stood in
// for by images of the usual sizes.
#include "content/assets.h"
#include "content/images.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/effects.h"
#include "render/hud.h"
#include "render/kept.h"
#include "render/presentation.h"
#include "render/sdlcanvas.h"
#include "render/softcanvas.h"
#include "screens/frame.h"
#include "world/object.h"
#include "world/spring.h"
#include "world/world.h"

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

using namespace tether;

namespace {

std::vector<SDL_Surface*> standIns; // freed never: they live for the run

// A round image with transparent corners, laid out in memory as the image
// loader gives a PNG with alpha (bytes R, G, B, A).
SDL_Surface* roundImage(int w, int h, Uint32 colour)
{
    SDL_Surface* s
        = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff, 0xff00, 0xff0000, 0xff000000);
    SDL_FillRect(s, nullptr, 0);
    filledEllipseColor(s, static_cast<Sint16>(w / 2), static_cast<Sint16>(h / 2),
        static_cast<Sint16>(w / 2 - 1), static_cast<Sint16>(h / 2 - 1), colour);
    standIns.push_back(s);
    return s;
}

// The same, in the display's format with per-pixel alpha, as images that
// are blitted unchanged are loaded.
SDL_Surface* displayImage(int w, int h, Uint32 colour)
{
    SDL_Surface* converted = SDL_DisplayFormatAlpha(roundImage(w, h, colour));
    standIns.push_back(converted);
    return converted;
}

// A background tile: scattered stars on transparency, or opaque for the
// farthest layer.
SDL_Surface* starTile(bool opaque, unsigned seed)
{
    SDL_Surface* s
        = SDL_CreateRGBSurface(SDL_SWSURFACE, 512, 512, 32, 0xff000000, 0xff0000, 0xff00, 0xff);
    SDL_FillRect(s, nullptr, opaque ? SDL_MapRGBA(s->format, 4, 4, 20, 255) : 0);
    std::mt19937 random(seed);
    for (int i = 0; i < 400; ++i)
        filledCircleColor(s, static_cast<Sint16>(random() % 512),
            static_cast<Sint16>(random() % 512), static_cast<Sint16>(random() % 3), 0xffffe0c0);
    SDL_Surface* converted = opaque ? SDL_DisplayFormat(s) : SDL_DisplayFormatAlpha(s);
    SDL_FreeSurface(s);
    standIns.push_back(converted);
    return converted;
}

void standIn(SDL_Surface*& image, SDL_Surface* replacement)
{
    if (!image)
        image = replacement;
}

// The game's own images where they exist (run from build/ or build/game).
void loadGameImages()
{
    const char* places[] = {"game", ".", "build/game"};
    for (const char* place : places) {
        if (access((std::string(place) + "/data").c_str(), R_OK) != 0)
            continue;
        char here[4096];
        if (!getcwd(here, sizeof here) || chdir(place) != 0)
            return;
        loadImages();
        readDataFile("data");
        if (chdir(here) != 0)
            return;
        return;
    }
}

void fillInMissingImages()
{
    for (int d = 0; d < 10; ++d)
        standIn(digits[d], displayImage(18 + d % 3, 26, 0x80ff80ff));
    standIn(hudImage, displayImage(400, 205, 0x203040c0));
    standIn(radarImage, displayImage(205, 205, 0x103010c0));
    standIn(cursorImage, roundImage(24, 24, 0xffffffff));
    standIn(chainImage, roundImage(16, 8, 0xc0c0c0ff));
    standIn(shieldSprite, displayImage(64, 64, 0x80c0ff80));
    for (SDL_Surface*& flame : flames)
        standIn(flame, roundImage(12, 20, 0xff8000ff));
    for (int i = 0; i < 10; ++i) {
        standIn(
            explosions[i], roundImage(300, 300, 0xff600080 + static_cast<Uint32>(i) * 0x0a000000));
        standIn(bfgflames[i], roundImage(120, 120, 0x40ff4080));
    }
    standIn(shredder, roundImage(30, 30, 0xa0a0a0ff));
    standIn(bfgshot, roundImage(40, 40, 0x40ff40ff));
    standIn(mineSprite, roundImage(30, 30, 0xffff00ff));
    for (int i = 0; i < 3; ++i)
        standIn(backgroundLayers[i], starTile(false, 11 + i));
    standIn(backgroundLayers[3], starTile(true, 17));
    if (layerDivisors[0] == 0) {
        const float divisors[backgroundLayerCount] = {1.5f, 3.0f, 5.0f, 8.0f};
        for (int i = 0; i < backgroundLayerCount; ++i)
            layerDivisors[i] = divisors[i];
    }
    for (SDL_Surface*& hull : enemySprites)
        standIn(hull, roundImage(50, 50, 0xc04040ff));
    for (SDL_Surface*& gun : turretSprites)
        standIn(gun, roundImage(20, 12, 0x808080ff));
    standIn(shipSprite, roundImage(50, 50, 0x4080ffff));
    standIn(gHook, roundImage(16, 16, 0xc0c0c0ff));
    standIn(nodeSprite, roundImage(24, 24, 0xa08060ff));
    standIn(planetSprite, roundImage(180, 180, 0x3070c0ff));
    standIn(sunSprite, roundImage(220, 220, 0xffd040ff));
    if (writableTuning().planetBaseRadius <= 0 || writableTuning().sunBaseRadius <= 0
        || writableTuning().mineRadius <= 0)
        writableTuning().planetBaseRadius = 90, writableTuning().sunBaseRadius = 110,
        writableTuning().mineRadius = 15;
    if (writableTuning().grapNumLinks <= 0)
        writableTuning().grapNumLinks = 15;
    for (float& full : writableTuning().enHealth)
        if (full <= 0)
            full = 200;
}

void setUpScreen()
{
    if (SDL_GetVideoSurface())
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    SDL_SetVideoMode(800, 600, 32, SDL_FULLSCREEN);
}

std::vector<Object*> flashing; // hit again before every frame
std::vector<SDL_Surface*> levelImages; // freed with the busy screen

SDL_Surface* levelImage(SDL_Surface* image, double factor)
{
    SDL_Surface* copy = scaledCopy(image, factor);
    levelImages.push_back(copy);
    return copy;
}

Object* add(
    int type, float x, float y, float radius, float angle, SDL_Surface* sprite, float health = 100)
{
    Object* o = new Object(1, radius, x, y, 0, 0, angle, 0, sprite, type, 0, health);
    world().objects.push_back(o);
    world().drawables.push_back(o);
    return o;
}

// The ship at (1000, 1000) and the camera on it; everything else within the
// 800 by 600 view around it.
void buildBusyScreen()
{
    clearWorld(world());
    world().worldW = world().worldH = 3000;
    world().backx = world().backy = 0;
    world().numEnemies = 37;
    flashing.clear();
    std::mt19937 random(2024);
    std::uniform_real_distribution<float> across(620, 1380), down(720, 1280), turn(0, 6.283f);

    world().ship = add(typeShip, 1000, 1000, 20, 0.6f, shipSprite, 640);
    world().turret = new Object(1, 4, 1000, 1000, 0, 0, 0, 0, chainImage, typeTurret, 0, 1);
    world().leftGrapHook = new Object(1, 6, 1180, 900, 0, 0, 0.4f, 0, gHook, typeLeftHook, 0, 1);
    world().rightGrapHook = new Object(1, 6, 860, 1150, 0, 0, 2.1f, 0, gHook, typeRightHook, 0, 1);
    world().drawables.push_back(world().leftGrapHook);
    world().drawables.push_back(world().rightGrapHook);
    world().ship->flame = add(typeFlame, 980, 1010, 6, 0.6f, nullptr);

    // Planets, suns and mines get their own copies scaled to their radius,
    // as the map loader makes them.
    add(typeBlackHole, 1250, 830, 40, 0, nullptr);
    add(typePlanet, 760, 860, 90, 0.3f,
        levelImage(planetSprite, 90 / writableTuning().planetBaseRadius));
    add(typeSun, 1320, 1200, 110, 0, levelImage(sunSprite, 110 / writableTuning().sunBaseRadius));
    SDL_Surface* mine = levelImage(mineSprite, 15 / writableTuning().mineRadius);

    std::vector<Object*> shooters;
    for (int i = 0; i < 24; ++i) {
        Object* enemy = add(typeEnemy, across(random), down(random), 25, turn(random),
            enemySprites[i % enemyClassCount], 150);
        enemy->kind = i % enemyClassCount + 1;
        shooters.push_back(enemy);
        add(typeTurret, enemy->x + 5, enemy->y, 6, turn(random), turretSprites[i % gunMountCount]);
        if (i % 4 == 0)
            flashing.push_back(enemy);
    }
    for (int i = 0; i < 8; ++i)
        add(typeMine, across(random), down(random), 15, turn(random), mine);
    for (int i = 0; i < 6; ++i)
        add(typeRopeNode, across(random), down(random), 12, turn(random), nodeSprite);
    for (int i = 0; i < 20; ++i)
        add(typeBullet, across(random), down(random), 3, 0, nullptr);
    for (int i = 0; i < 6; ++i)
        add(typeShredder, across(random), down(random), 8, turn(random), shredder);
    for (int i = 0; i < 3; ++i)
        add(typeBfg, across(random), down(random), 12, 0, bfgshot);
    for (int i = 0; i < 3; ++i)
        add(typeLightning, across(random), down(random), 2, 0, nullptr)->owner = shooters[i];
    for (int i = 0; i < 3; ++i)
        add(typeRail, across(random), down(random), 2, 0, nullptr)->owner = shooters[3 + i];
    // Explosions of ships (radius 25: 150-pixel frames) and one BFG ball.
    for (int i = 0; i < 4; ++i)
        add(typeExploding, across(random), down(random), 25, turn(random), enemySprites[i],
            2.0f * i + 0.5f);
    add(typeExploding, across(random), down(random), 12, 0, nullptr, 5.5f)->expiredBall = true;
    flashing.push_back(world().ship);

    // Ropes: two caught enemies tied to nodes, one enemy on a hook.
    for (int i = 0; i < 3; ++i)
        world().springs.push_back(new Spring(world(), shooters[6 + i], shooters[9 + i], 1, 1));

    cameraX = static_cast<int>(world().ship->x - 400);
    cameraY = static_cast<int>(world().ship->y - 300);
}

void tearDownBusyScreen()
{
    world().drawables.clear();
    delete world().leftGrapHook;
    delete world().rightGrapHook;
    delete world().turret;
    world().leftGrapHook = world().rightGrapHook = world().turret = nullptr;
    clearWorld(world());
    for (SDL_Surface* image : levelImages)
        SDL_FreeSurface(image);
    levelImages.clear();
    forgetKeptImages();
}

void prepare()
{
    setUpScreen();
    screen = SDL_GetVideoSurface();
    static bool loaded = false;
    if (!loaded) {
        loadGameImages();
        fillInMissingImages();
        loaded = true;
    }
    buildBusyScreen();
}

// Every frame looks alike: the same objects were hit and the flame was lit
// (on the second ship, whose flame shows) since the last frame drawn.
void relight()
{
    static int64_t step = 0;
    ++step;
    world().chosenShip = 1;
    drawnStep = step - 1;
    for (Object* o : flashing)
        o->lastHitStep = step;
    world().ship->flame->hidden = false;
    world().ship->flame->lastThrustStep = step;
}

void BM_DrawFrameBusy(benchmark::State& state)
{
    prepare();
    for (auto _ : state) {
        relight();
        drawFrame(screen);
    }
    state.counters["objects"] = static_cast<double>(world().drawables.size());
    tearDownBusyScreen();
}
BENCHMARK(BM_DrawFrameBusy)->Unit(benchmark::kMillisecond);

// The parts of the frame, to see where the time goes.
void BM_DrawBackground(benchmark::State& state)
{
    prepare();
    for (auto _ : state)
        drawBackground(screen, cameraX, cameraY);
    tearDownBusyScreen();
}
BENCHMARK(BM_DrawBackground)->Unit(benchmark::kMillisecond);

void BM_DrawWorldBusy(benchmark::State& state)
{
    prepare();
    for (auto _ : state) {
        relight();
        drawWorld(screen, cameraX, cameraY);
    }
    tearDownBusyScreen();
}
BENCHMARK(BM_DrawWorldBusy)->Unit(benchmark::kMillisecond);

void BM_DrawHud(benchmark::State& state)
{
    prepare();
    for (auto _ : state)
        drawHud(screen);
    tearDownBusyScreen();
}
BENCHMARK(BM_DrawHud)->Unit(benchmark::kMillisecond);

// The busy frame against the background pass, both timed in one benchmark
// (process CPU time), so that their ratio comes from the same moments of a
// shared machine.
double cpuMs()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// Argument 0: the desktop canvas (SDL and SDL_gfx on the screen); 1: ours,
// into plain memory (its copies of the images made in the first frame).
void BM_BusyOverBackground(benchmark::State& state)
{
    prepare();
    SdlCanvas desktop(screen);
    std::vector<uint32_t> memory(static_cast<size_t>(screen->w) * screen->h);
    SoftCanvas ours(memory.data(), screen->w, screen->h, screen->w, desktop.glyph(0), readPicture);
    Canvas& canvas = state.range(0) == 0 ? static_cast<Canvas&>(desktop) : ours;
    double busy = 0, background = 0;
    for (auto _ : state) {
        const double start = cpuMs();
        relight();
        drawFrame(canvas);
        const double between = cpuMs();
        drawBackground(canvas, cameraX, cameraY);
        background += cpuMs() - between;
        busy += between - start;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["busyMs"] = busy / n;
    state.counters["backgroundMs"] = background / n;
    state.counters["ratio"] = background > 0 ? busy / background : 0;
    state.SetLabel(state.range(0) == 0 ? "desktop" : "software");
    tearDownBusyScreen();
    forgetSoftPictures();
}
BENCHMARK(BM_BusyOverBackground)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// How far the busy world drawn with kept copies is from the same world with
// every copy made anew: the share of the screen's pixels that differ at
// all, that differ by one or two levels, that differ by more than 8 levels
// in a channel, and the largest difference. The presentation's generator
// is set back between the two, so that the flame and the bolts are the same.
void BM_KeptAgainstMade(benchmark::State& state)
{
    prepare();
    SDL_Surface* made = SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, 32,
        screen->format->Rmask, screen->format->Gmask, screen->format->Bmask, 0);
    int differ = 0, near = 0, far = 0, worst = 0;
    for (auto _ : state) {
        const Random before = presentationRandom;
        keepImages = false;
        relight();
        drawFrame(screen);
        SDL_BlitSurface(screen, nullptr, made, nullptr);
        presentationRandom = before;
        keepImages = true;
        relight();
        drawFrame(screen);
        differ = near = far = worst = 0;
        for (int y = 0; y < screen->h; ++y)
            for (int x = 0; x < screen->w; ++x) {
                const Uint32 a = static_cast<Uint32*>(made->pixels)[y * made->pitch / 4 + x];
                const Uint32 b = static_cast<Uint32*>(screen->pixels)[y * screen->pitch / 4 + x];
                int most = 0;
                for (int shift : {16, 8, 0})
                    most = std::max(most,
                        std::abs(static_cast<int>((a >> shift) & 0xff)
                            - static_cast<int>((b >> shift) & 0xff)));
                differ += most > 0;
                near += most > 0 && most <= 2;
                far += most > 8;
                worst = std::max(worst, most);
            }
    }
    const double pixels = screen->w * screen->h;
    state.counters["differPct"] = 100.0 * differ / pixels;
    state.counters["within2Pct"] = 100.0 * near / pixels;
    state.counters["beyond8Pct"] = 100.0 * far / pixels;
    state.counters["worst"] = worst;
    state.counters["keptMB"] = static_cast<double>(keptImageBytes()) / (1024 * 1024);
    SDL_FreeSurface(made);
    tearDownBusyScreen();
}
BENCHMARK(BM_KeptAgainstMade)->Unit(benchmark::kMillisecond)->Iterations(1);

// One kind of object of the busy screen at a time (the argument is the type
// code), and the ropes with both hook chains (argument 99).
void BM_DrawKind(benchmark::State& state)
{
    prepare();
    world().drawables.sort(cmpObjectDraw());
    const int type = static_cast<int>(state.range(0));
    for (auto _ : state) {
        relight();
        if (type == 99) {
            for (Spring* spring : world().springs)
                drawSpring(screen, *spring, chainImage, cameraX, cameraY);
            drawChain(screen, chainImage, cameraX, cameraY, world().leftGrapHook, world().turret);
            drawChain(screen, chainImage, cameraX, cameraY, world().rightGrapHook, world().turret);
            continue;
        }
        for (Object* o : world().drawables)
            if (o->type == type)
                drawObject(screen, *o, cameraX, cameraY);
    }
    tearDownBusyScreen();
}
BENCHMARK(BM_DrawKind)
    ->Unit(benchmark::kMicrosecond)
    ->ArgName("type")
    ->Arg(typeExploding)
    ->Arg(typeFlame)
    ->Arg(typeBlackHole)
    ->Arg(typeShip)
    ->Arg(typeTurret)
    ->Arg(typeRopeNode)
    ->Arg(typeEnemy)
    ->Arg(typePlanet)
    ->Arg(typeSun)
    ->Arg(typeBullet)
    ->Arg(typeLightning)
    ->Arg(typeShredder)
    ->Arg(typeRail)
    ->Arg(typeBfg)
    ->Arg(typeMine)
    ->Arg(99);

} // namespace
