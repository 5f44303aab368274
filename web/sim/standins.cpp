// Stand-ins for the little of SDL that the simulator's content readers call.
// The simulation takes from an image only its size (an enemy's gun mounts
// sit at its hull's middle, a body's copy is scaled to its radius), so an
// image here is a PNG's width and height, read from its header, and a
// zoomed image the size SDL_gfx would give it. Nothing is drawn, so the
// level keeps no drawn copies either. Node runs the simulator in the game
// folder, so it looks for no folder of its own (there is no executable of
// its own to look beside).
#include "SDL.h"
#include "SDL_image.h"
#include "SDL_mixer.h"
#include "SDL_rotozoom.h"

#include "platform/gamefolder.h"
#include "render/kept.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct MemorySource {
    const unsigned char* bytes;
    int size;
};

// A PNG's size from its signature and IHDR chunk; null for anything else.
SDL_Surface* pngSize(const unsigned char* bytes, size_t size)
{
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (size < 24 || std::memcmp(bytes, signature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return nullptr;
    const auto bigEndian = [&](size_t at) {
        return static_cast<int>((uint32_t {bytes[at]} << 24) | (uint32_t {bytes[at + 1]} << 16)
            | (uint32_t {bytes[at + 2]} << 8) | bytes[at + 3]);
    };
    const int w = bigEndian(16), h = bigEndian(20);
    if (w <= 0 || h <= 0)
        return nullptr;
    return new SDL_Surface {w, h};
}

} // namespace

extern "C" {

SDL_Surface* SDL_GetVideoSurface(void)
{
    return nullptr; // no display: images stay as loaded
}

void SDL_FreeSurface(SDL_Surface* surface)
{
    delete surface;
}

int SDL_SetAlpha(SDL_Surface*, Uint32, Uint8)
{
    return 0;
}

SDL_Surface* SDL_DisplayFormat(SDL_Surface*)
{
    return nullptr;
}

SDL_Surface* SDL_DisplayFormatAlpha(SDL_Surface*)
{
    return nullptr;
}

SDL_RWops* SDL_RWFromConstMem(const void* memory, int size)
{
    return reinterpret_cast<SDL_RWops*>(
        new MemorySource {static_cast<const unsigned char*>(memory), size});
}

SDL_Surface* IMG_Load(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return nullptr;
    unsigned char head[24];
    const size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return pngSize(head, got);
}

SDL_Surface* IMG_LoadTyped_RW(SDL_RWops* source, int freeSource, char*)
{
    auto* memory = reinterpret_cast<MemorySource*>(source);
    if (!memory)
        return nullptr;
    SDL_Surface* image = pngSize(memory->bytes, static_cast<size_t>(memory->size));
    if (freeSource)
        delete memory;
    return image;
}

// SDL_gfx's size of a zoomed image: each side times its factor, rounded,
// at least one pixel.
SDL_Surface* zoomSurface(SDL_Surface* source, double zoomX, double zoomY, int)
{
    if (!source)
        return nullptr;
    const auto side = [](int length, double zoom) {
        const int scaled = static_cast<int>(std::floor(length * std::fabs(zoom) + 0.5));
        return scaled < 1 ? 1 : scaled;
    };
    return new SDL_Surface {side(source->w, zoomX), side(source->h, zoomY)};
}

Mix_Music* Mix_LoadMUS(const char*)
{
    return nullptr;
}

} // extern "C"

namespace tether {

// The simulator draws nothing, so it keeps no copies of images.
void forgetImageCopies() { }

void enterGameFolder() { }

} // namespace tether
