// Fuzzes a whole level as the window plays it: a data file and a map from
// the input, then frames of the real frame loop (input gathered from SDL
// events and the key state, the simulation, sound and drawing into an 800 by
// 600 surface on SDL's dummy drivers) with the player's input taken from the
// input's bytes too. Each input plays at most frameLimit frames, so any input
// that takes longer than libFuzzer's -timeout is a hang, not a long level.
//
// Input: DATA "\n%%\n" MAP "\n%%\n" PLAY. DATA is read over the shipped data
// file (empty: the shipped tuning); without a second part there is no map
// and nothing to play. PLAY: a byte for the ship (0, 1, 2), a byte for the
// level's seed, then per frame five bytes:
//   keys    bit 0..5 Up, Down, Left, Right, Q, E (bit 7 picks W A S D for the
//           arrows); Escape when bits 6 and 7 are both set
//   elapsed milliseconds since the last frame (the game takes at most 100)
//   x, y    the pointer, scaled onto the screen
//   buttons bit 0 a left click, bit 1 a right click, bit 2 a second left
//           click, all at the pointer
// Frames past the end of PLAY hold nothing and last 16 ms.
#include "content/assets.h"
#include "content/maps.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "platform/audio.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/presentation.h"
#include "screens/frame.h"
#include "screens/level.h"
#include "screens/session.h"
#include "world/object.h"
#include "world/random.h"
#include "world/validate.h"
#include "world/world.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

using namespace tether;

namespace {

constexpr int frameLimit = 60;
const char separator[] = "\n%%\n";
constexpr size_t separatorLength = sizeof separator - 1;

SDL_Surface* shipImages[3];

std::string scratchFile(const char* what)
{
    return "/tmp/tether-fuzz-" + std::to_string(getpid()) + "." + what;
}

void writeScratch(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

// The input's parts between separators.
struct Parts {
    const uint8_t *data = nullptr, *map = nullptr, *play = nullptr;
    size_t dataSize = 0, mapSize = 0, playSize = 0;
    bool hasMap = false;
};

const uint8_t* findSeparator(const uint8_t* from, size_t size)
{
    return static_cast<const uint8_t*>(memmem(from, size, separator, separatorLength));
}

Parts split(const uint8_t* in, size_t size)
{
    Parts p;
    p.data = in;
    const uint8_t* cut = findSeparator(in, size);
    if (!cut) {
        p.dataSize = size;
        return p;
    }
    p.dataSize = static_cast<size_t>(cut - in);
    p.hasMap = true;
    p.map = cut + separatorLength;
    const size_t rest = size - p.dataSize - separatorLength;
    cut = findSeparator(p.map, rest);
    p.mapSize = cut ? static_cast<size_t>(cut - p.map) : rest;
    if (cut) {
        p.play = cut + separatorLength;
        p.playSize = rest - p.mapSize - separatorLength;
    }
    return p;
}

// Reads the play bytes one at a time; past the end every byte is 0.
struct PlayBytes {
    const uint8_t* at;
    size_t left;
    bool empty() const { return left == 0; }
    uint8_t next()
    {
        if (!left)
            return 0;
        --left;
        return *at++;
    }
};

void pushButton(Uint8 button, int x, int y)
{
    SDL_Event e {};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = button;
    e.button.state = SDL_PRESSED;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    SDL_PushEvent(&e);
}

void pushMotion(int x, int y)
{
    SDL_Event e {};
    e.type = SDL_MOUSEMOTION;
    e.motion.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    SDL_PushEvent(&e);
}

// One frame's keys and pointer events from five play bytes; the frame's
// elapsed milliseconds are returned.
Uint32 queueFrameInput(PlayBytes& play, Uint8* keys)
{
    if (play.empty()) {
        std::memset(keys, 0, SDLK_LAST);
        return 16;
    }
    const uint8_t held = play.next();
    const Uint32 elapsed = play.next();
    const int x = play.next() * screenWidth / 256;
    const int y = play.next() * screenHeight / 256;
    const uint8_t buttons = play.next();
    const bool letters = held & 0x80;
    keys[SDLK_UP] = !letters && (held & 1);
    keys[SDLK_w] = letters && (held & 1);
    keys[SDLK_DOWN] = !letters && (held & 2);
    keys[SDLK_s] = letters && (held & 2);
    keys[SDLK_LEFT] = !letters && (held & 4);
    keys[SDLK_a] = letters && (held & 4);
    keys[SDLK_RIGHT] = !letters && (held & 8);
    keys[SDLK_d] = letters && (held & 8);
    keys[SDLK_q] = (held & 16) != 0;
    keys[SDLK_e] = (held & 32) != 0;
    keys[SDLK_ESCAPE] = (held & 0xC0) == 0xC0;
    pushMotion(x, y);
    if (buttons & 1)
        pushButton(SDL_BUTTON_LEFT, x, y);
    if (buttons & 2)
        pushButton(SDL_BUTTON_RIGHT, x, y);
    if (buttons & 4)
        pushButton(SDL_BUTTON_LEFT, x, y);
    return elapsed;
}

// The level as the level cycle starts it, from a map already written.
void playLevel(const std::string& mapFile, PlayBytes play)
{
    // Every level in a world of its own, as the game's first level starts.
    World level(gameTuning());
    WorldInUse inUse(level);
    const int shipChoice = play.next() % 3;
    const uint64_t seed = play.next();
    level.bossMusic = 1 + static_cast<int>(seed % musicTrackCount);
    mouseX = screenWidth / 2;
    mouseY = screenHeight / 2;
    presentationRandom.reseed(seed);
    Mix_HaltChannel(-1); // the mixer as at start-up
    Mix_HaltMusic();
    musicFinished = false;
    music = nullptr;
    startEngineSound();
    if (!startLevel(mapFile, shipChoice, seed)) {
        stopLevel(); // what the map made before it failed
        return;
    }
    shipSprite = shipImages[shipChoice];

    Uint8* keys = SDL_GetKeyState(nullptr);
    Uint32 now = 100000;
    enterFrameLoop(now);
    for (int frame = 0; frame < frameLimit; ++frame) {
        now += queueFrameInput(play, keys);
        if (runFrame(now) != FrameEnd::next)
            break; // won, lost or left with Escape
        // Whatever the content, the world's own bookkeeping holds.
        const std::vector<std::string> faults = validateWorld(level);
        if (!faults.empty())
            worldCheckFailed("after a fuzzed frame", faults);
    }
    std::memset(keys, 0, SDLK_LAST);
    SDL_Event left;
    while (SDL_PollEvent(&left)) { }
    endLevel();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER);
    Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096);
    // The mixer takes every call the game makes, but its thread never
    // mixes: nothing it plays ever ends by itself, so an input plays the
    // same way whenever it runs.
    SDL_PauseAudio(1);
    setUpChannels();
    screen = SDL_SetVideoMode(screenWidth, screenHeight, 32, 0);
    // Everything the game loads at start-up, from the game folder (the
    // fuzzer runs in it): the images the data file names are relative to it.
    loadMusic();
    loadSounds();
    loadImages();
    readDataFile("data");
    for (int i = 0; i < 3; ++i)
        shipImages[i] = IMG_Load(("sprites/ship" + std::to_string(i + 1) + ".png").c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    const Parts parts = split(input, size);
    readDataFile("data"); // the shipped tuning under whatever the input says
    if (parts.dataSize) {
        const std::string dataFile = scratchFile("data");
        writeScratch(dataFile, parts.data, parts.dataSize);
        readDataFile(dataFile);
    }
    if (parts.hasMap) {
        const std::string mapFile = scratchFile("map");
        writeScratch(mapFile, parts.map, parts.mapSize);
        playLevel(mapFile, PlayBytes {parts.play, parts.playSize});
    }
    return 0;
}
