// The two canvases draw the same pictures: a busy frame of crowded_sky from
// a replay (every frame of which our canvas draws without fault), the pause and help screens over
// it, both end screens with their summary, and the title with its menu, each drawn through the
// desktop canvas (SDL and SDL_gfx) and through ours into plain memory, then compared pixel by
// pixel. At least 99% of each screen's pixels must lie within 8 levels in every channel (shapes
// may differ by a pixel at their rims, smoothing by a few levels). Ours writes with the desktop's
// font here, so that the shapes are what is compared; the title, which the player sees in our own
// font, is compared in it too ("title ours"), and so is each other screen, for the record
// ("... ours" lines that are only printed).
// So must 99% of the pixels that the level's things, HUD and pointer change over its background,
// where a copy turned or scaled wrongly shows; and ours makes its turned and scaled copies itself:
// not one of the desktop's copies (SDL_gfx's) is made while it draws.
// The desktop canvas draws with SDL's blits here; the busy frame drawn with
// its own (four pixels at a time) must be the same to the bit.
#include "content/assets.h"
#include "content/images.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/replay.h"
#include "render/background.h"
#include "render/kept.h"
#include "render/overlay.h"
#include "render/ownfont.h"
#include "render/presentation.h"
#include "render/sdlcanvas.h"
#include "render/softcanvas.h"
#include "render/softcopies.h"
#include "render/titlemenu.h"
#include "screens/frame.h"
#include "screens/helptext.h"
#include "screens/replayrules.h"
#include "screens/session.h"
#include "support/child.h"
#include "world/stats.h"
#include "world/world.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace tether;

namespace {

constexpr int width = 800, height = 600;
constexpr int levelTolerance = 8; // per channel
constexpr double shareWithin = 0.99;
constexpr size_t busyDrawables = 40; // the busiest frame of the replay has more

// Share of pixels of a and b (0x..RRGGBB) within levelTolerance in every
// channel.
double shareAlike(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    size_t alike = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        bool near = true;
        for (int shift : {16, 8, 0}) {
            const int d = static_cast<int>((a[i] >> shift) & 0xff)
                - static_cast<int>((b[i] >> shift) & 0xff);
            near = near && d <= levelTolerance && d >= -levelTolerance;
        }
        alike += near;
    }
    return static_cast<double>(alike) / static_cast<double>(a.size());
}

std::vector<uint32_t> pixelsOf(SDL_Surface* s)
{
    std::vector<uint32_t> out(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out[static_cast<size_t>(y) * width + x]
                = static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] & 0xffffff;
    return out;
}

// Draws one screen through both canvases, with drawing's memory (its
// generator, the hits shown) as it was before each, and prints its name
// and the share of pixels alike. background is the frame a screen lies
// over, drawn with the same canvas (null: none).
struct Pair {
    SDL_Surface* desktop;
    std::vector<uint32_t> ours;
};

// The desktop's copies made while our canvas drew.
uint64_t desktopCopiesForOurs = 0;

// font: the one our canvas writes with; null, the desktop's.
Pair drawBoth(const std::function<void(Canvas&, const Picture&)>& draw, const Pair* background,
    const unsigned char* font = nullptr)
{
    const Random random = presentationRandom;
    const int64_t step = drawnStep;
    Pair pair;
    pair.desktop
        = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xff0000, 0xff00, 0xff, 0);
    SdlCanvas desktop(pair.desktop);
    forgetShownHits();
    draw(desktop, background ? pictureOf(background->desktop) : Picture {});

    presentationRandom = random;
    drawnStep = step;
    forgetShownHits();
    pair.ours.assign(static_cast<size_t>(width) * height, 0);
    SoftCanvas ours(
        pair.ours.data(), width, height, width, font ? font : desktop.glyph(0), readPicture);
    SDL_Surface* under = nullptr;
    if (background) {
        under = SDL_CreateRGBSurfaceFrom(const_cast<uint32_t*>(background->ours.data()), width,
            height, 32, width * 4, 0xff0000, 0xff00, 0xff, 0);
    }
    const uint64_t desktopCopies = keptImagesMade();
    draw(ours, pictureOf(under));
    desktopCopiesForOurs += keptImagesMade() - desktopCopies;
    if (under) {
        forgetSoftPicture(under);
        SDL_FreeSurface(under);
    }
    return pair;
}

// Share alike of the pixels of a and b where the desktop's picture differs
// from what lay under it.
double shareAlikeOver(const Pair& pair, SDL_Surface* under)
{
    const std::vector<uint32_t> desktop = pixelsOf(pair.desktop), below = pixelsOf(under);
    std::vector<uint32_t> drawn, ours;
    for (size_t i = 0; i < desktop.size(); ++i)
        if (desktop[i] != below[i]) {
            drawn.push_back(desktop[i]);
            ours.push_back(pair.ours[i]);
        }
    return drawn.empty() ? 0.0 : shareAlike(drawn, ours);
}

void report(const char* name, const Pair& pair)
{
    std::printf("%s %.7f\n", name, shareAlike(pixelsOf(pair.desktop), pair.ours));
}

void reportAndFree(const char* name, const Pair& pair)
{
    report(name, pair);
    SDL_FreeSurface(pair.desktop);
}

// In the game's folder: plays the replay to its busy frame and draws every
// screen both ways.
void drawEveryScreen()
{
    if (!SDL_GetVideoSurface())
        SDL_SetVideoMode(width, height, 32, SDL_SWSURFACE);
    screen = SDL_GetVideoSurface();
    loadImages();
    readDataFile("data");
    Replay replay;
    const std::string why = loadReplay(
        std::string(TETHER_SOURCE_DIR) + "/tests/replays/bot-crowded_sky-1.replay", replay);
    if (!why.empty()) {
        std::printf("replay unusable: %s\n", why.c_str());
        return;
    }
    settleReplayRules(replay); // played by the rules it was recorded with
    // Played once to find its busiest frame, every frame drawn by our
    // canvas (whatever lies half off the picture), then again up to that
    // frame.
    size_t busiest = 0, most = 0;
    std::vector<uint32_t> scratch(static_cast<size_t>(width) * height);
    SoftCanvas played(
        scratch.data(), width, height, width, SdlCanvas(screen).glyph(0), readPicture);
    for (int pass = 0; pass < 2; ++pass) {
        restoreReplayStart(replay);
        startLevel("maps/" + replay.mapName, replay.ship - 1, replay.seed);
        const size_t end = pass == 0 ? replay.frames.size() : busiest + 1;
        for (size_t i = 0; i < end; ++i) {
            simulateFrame(world(), replayFrameInput(replay, i), replay.frames[i].steps);
            if (pass == 0) {
                placeCamera();
                const uint64_t desktopCopies = keptImagesMade();
                drawFrame(played);
                desktopCopiesForOurs += keptImagesMade() - desktopCopies;
            }
            if (world().drawables.size() > most) {
                most = world().drawables.size();
                busiest = i;
            }
        }
    }
    std::printf("drawables %zu\n", world().drawables.size());
    std::fflush(stdout);
    placeCamera();

    // The desktop canvas blitting itself, then, as everywhere below, through
    // SDL: the same frame to the bit. (SDL's blits leave the images run-length
    // coded, which the desktop canvas then leaves to SDL: its own go first.)
    SDL_Surface* own
        = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xff0000, 0xff00, 0xff, 0);
    const Random random = presentationRandom;
    const int64_t step = drawnStep;
    forgetShownHits();
    const uint64_t ownBefore = ownBlitsDone();
    SdlCanvas ownCanvas(own);
    drawFrame(ownCanvas);
    std::printf("ownBlits %llu\n", static_cast<unsigned long long>(ownBlitsDone() - ownBefore));
    presentationRandom = random;
    drawnStep = step;
    blitsOwnRows = false;

    const Pair level = drawBoth([](Canvas& c, const Picture&) { drawFrame(c); }, nullptr);
    const std::vector<uint32_t> ownPixels = pixelsOf(own), sdlPixels = pixelsOf(level.desktop);
    size_t differ = 0;
    for (size_t i = 0; i < ownPixels.size(); ++i)
        differ += ownPixels[i] != sdlPixels[i];
    std::printf("ownBlitsDiffer %zu\n", differ);
    SDL_FreeSurface(own);
    report("level", level);
    SDL_Surface* backdrop
        = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xff0000, 0xff00, 0xff, 0);
    SdlCanvas backdropCanvas(backdrop);
    drawBackground(backdropCanvas, cameraX, cameraY);
    std::printf("levelThings %.7f\n", shareAlikeOver(level, backdrop));
    SDL_FreeSurface(backdrop);
    std::vector<std::string> pauseLines = controlsText(replay.ship - 1);
    pauseLines.push_back("");
    pauseLines.push_back("#Time so far " + clockText(world().levelStats.gameTime));
    reportAndFree("pause",
        drawBoth(
            [&](Canvas& c, const Picture& last) { drawPauseScreen(c, last, pauseLines); }, &level));
    reportAndFree("help",
        drawBoth([&](Canvas& c, const Picture& last) { drawPauseScreen(c, last, controlsText(2)); },
            &level));
    const std::vector<std::string> note {"Time 1:23.4   best 1:20.0", "Enemies destroyed 24",
        "  by sun 10, black hole 4, collision 10", "Damage taken 512   hooks fired 40"};
    for (auto [name, image] : {std::pair<const char*, SDL_Surface*> {"victory", victoryImage},
             {"gameover", gameOverImage}})
        reportAndFree(name,
            drawBoth(
                [&, image = image](Canvas& c, const Picture&) {
                    c.blit(pictureOf(image), 0, 0);
                    drawCornerNote(c, note);
                },
                nullptr));
    reportAndFree(
        "level ours", drawBoth([](Canvas& c, const Picture&) { drawFrame(c); }, nullptr, ownFont));
    reportAndFree("help ours",
        drawBoth([&](Canvas& c, const Picture& last) { drawPauseScreen(c, last, controlsText(2)); },
            &level, ownFont));
    SDL_FreeSurface(level.desktop);
    stopLevel();

    // The title on its map row, an arrow held: every mark of the menu.
    SDL_Surface* title = loadConverted("main/titlescreen.png");
    TitleMenu menu;
    menu.shipChoice = 1;
    menu.menuRow = 1;
    std::vector<Uint8> keys(SDLK_LAST, 0);
    keys[SDLK_LEFT] = 1;
    for (const unsigned char* font : {static_cast<const unsigned char*>(nullptr), ownFont})
        reportAndFree(font ? "title ours" : "title",
            drawBoth(
                [&](Canvas& c, const Picture&) {
                    c.blit(pictureOf(title), 0, 0);
                    drawTitleMenu(c, menu, keys.data(), "first_contact");
                },
                nullptr, font));
    forgetSoftPicture(title);
    SDL_FreeSurface(title);
    std::printf("desktopCopiesForOurs %llu\nourCopies %llu\n",
        static_cast<unsigned long long>(desktopCopiesForOurs),
        static_cast<unsigned long long>(softCopiesMade()));
}

} // namespace

TEST(CanvasMatch, OursDrawsEveryScreenAsTheDesktopDoes)
{
    const ChildResult child = runInChildFor(drawEveryScreen, 120000, TETHER_GAME_DIR);
    ASSERT_EQ(child.status, 0) << child.output;
    std::printf("%s", child.output.c_str());
    std::istringstream lines(child.output);
    std::string name;
    double value = 0;
    std::vector<std::string> seen;
    std::string line;
    while (std::getline(lines, line)) {
        const size_t space = line.rfind(' ');
        if (space == std::string::npos)
            continue;
        name = line.substr(0, space);
        const char* number = line.c_str() + space + 1;
        char* after = nullptr;
        value = std::strtod(number, &after);
        if (after == number)
            continue; // not a share
        seen.push_back(name);
        const bool onlyPrinted = name.find(" ours") != std::string::npos && name != "title ours";
        if (name == "ownBlits") {
            EXPECT_GT(value, busyDrawables) << "the desktop canvas left its blits to SDL";
        } else if (name == "ownBlitsDiffer") {
            EXPECT_EQ(value, 0) << "the desktop canvas's own blits differ from SDL's";
        } else if (name == "drawables") {
            EXPECT_GT(value, busyDrawables) << "the frame is not busy";
        } else if (name == "desktopCopiesForOurs") {
            EXPECT_EQ(value, 0) << "our canvas drew with SDL_gfx's copies";
        } else if (name == "ourCopies") {
            EXPECT_GT(value, 100) << "our canvas made too few copies of its own";
        } else if (!onlyPrinted) {
            EXPECT_GE(value, shareWithin) << name << " screen differs\n" << child.output;
        }
    }
    EXPECT_EQ(seen,
        (std::vector<std::string> {"drawables", "ownBlits", "ownBlitsDiffer", "level",
            "levelThings", "pause", "help", "victory", "gameover", "level ours", "help ours",
            "title", "title ours", "desktopCopiesForOurs", "ourCopies"}))
        << child.output;
}
