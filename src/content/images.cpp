// Images loaded, converted to the display's layout and scaled. The desktop
// scales with SDL_gfx; a build without it (the browser's) scales the same
// way in software (content/resample.h), into an SDL surface of 32 bits.
#include "content/images.h"

#include "content/regularfile.h"

#include <SDL_image.h>

#ifdef TETHER_NO_SDL_GFX
#include "content/resample.h"
#else
#include <SDL_rotozoom.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tether {

namespace {

#ifdef TETHER_NO_SDL_GFX
// image scaled by (zx, zy) with smoothing into a new 32-bit surface, or
// null. As with SDL_gfx, an image of 32 bits is read as it is and the copy
// keeps its layout; one of another depth is laid into 32 bits first.
SDL_Surface* zoomed(SDL_Surface* image, double zx, double zy)
{
    if (!image)
        return nullptr;
    SDL_Surface* wide = image;
    if (image->format->BitsPerPixel != 32) {
        wide = SDL_CreateRGBSurface(
            SDL_SWSURFACE, image->w, image->h, 32, 0x000000ff, 0x0000ff00, 0x00ff0000, 0xff000000);
        if (!wide)
            return nullptr;
        SDL_BlitSurface(image, nullptr, wide, nullptr);
    }
    const SDL_PixelFormat* f = wide->format;
    SDL_Surface* out = nullptr;
    if (SDL_LockSurface(wide) == 0) {
        const Raster scaled = zoomed(RasterView {static_cast<const uint32_t*>(wide->pixels),
                                         wide->w, wide->h, wide->pitch / 4},
            zx, zy, true);
        SDL_UnlockSurface(wide);
        if (scaled.w > 0)
            out = SDL_CreateRGBSurface(
                SDL_SWSURFACE, scaled.w, scaled.h, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
        if (out) {
            SDL_SetAlpha(out, SDL_SRCALPHA, 255);
            for (int y = 0; y < scaled.h; ++y)
                std::copy(scaled.pixels.begin() + static_cast<ptrdiff_t>(y) * scaled.w,
                    scaled.pixels.begin() + static_cast<ptrdiff_t>(y + 1) * scaled.w,
                    reinterpret_cast<uint32_t*>(static_cast<Uint8*>(out->pixels) + y * out->pitch));
        }
    }
    if (wide != image)
        SDL_FreeSurface(wide);
    return out;
}
#else
SDL_Surface* zoomed(SDL_Surface* image, double zx, double zy)
{
    return zoomSurface(image, zx, zy, SMOOTHING_ON);
}
#endif

// Whether bytes open as one of the kinds of image SDL_image reads: one that
// does and still fails to load was cut short or damaged.
bool looksLikeAnImage(const std::string& bytes)
{
    static const char* const signatures[]
        = {"\x89PNG\r\n\x1a\n", "\xff\xd8\xff", "GIF8", "BM", "II*", "MM\0*"};
    for (const char* signature : signatures) {
        const std::string start(signature, signature[0] == 'M' ? 4 : std::strlen(signature));
        if (bytes.compare(0, start.size(), start) == 0)
            return true;
    }
    return false;
}

} // namespace

SDL_Surface* loadImage(const std::string& path, std::string* why)
{
    // Read as every file of the game is: only a regular file, within the
    // bound (opening a pipe by name would block start-up for ever).
    std::string bytes;
    const FileRead read = readRegularFile(path, bytes, maxContentFileBytes);
    if (read != FileRead::ok) {
        if (why)
            *why = read == FileRead::missing ? "not found" : whyUnread(read, maxContentFileBytes);
        return nullptr;
    }
#ifdef __EMSCRIPTEN__
    // The browser decodes the page's images as they load; SDL_image there
    // opens those by name, not bytes.
    return IMG_Load(path.c_str());
#endif
    // The name's extension is SDL_image's hint, as with IMG_Load.
    const size_t dot = path.rfind('.');
    const std::string type = dot == std::string::npos ? "" : path.substr(dot + 1);
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* image = IMG_LoadTyped_RW(source, 1, const_cast<char*>(type.c_str()));
    if (!image && why)
        *why = looksLikeAnImage(bytes) ? "is cut short or damaged" : "is not an image";
    return image;
}

SDL_Surface* convertWithAlpha(SDL_Surface* image)
{
    if (!image)
        return nullptr;
    // Without a display (the map checker reads maps with the game's readers)
    // there is no format to convert to: the image stays as it is.
    if (!SDL_GetVideoSurface())
        return image;
#ifdef __EMSCRIPTEN__
    // The browser's pictures are drawn by our own canvas, which reads any
    // 32-bit layout: nothing to convert to.
    return image;
#endif
    SDL_SetAlpha(image, SDL_SRCALPHA | SDL_RLEACCEL, 255);
    SDL_Surface* converted = SDL_DisplayFormatAlpha(image);
    SDL_FreeSurface(image);
    return converted;
}

SDL_Surface* loadConverted(const std::string& path)
{
    return convertWithAlpha(loadImage(path));
}

SDL_Surface* loadOpaque(const std::string& path)
{
    SDL_Surface* image = loadImage(path);
    if (!image)
        return nullptr;
#ifdef __EMSCRIPTEN__
    return image; // as convertWithAlpha: drawn by our canvas as it is
#endif
    SDL_Surface* converted = SDL_GetVideoSurface() ? SDL_DisplayFormat(image) : nullptr;
    SDL_FreeSurface(image);
    return converted;
}

SDL_Surface* loadZoomed(const std::string& path, double zx, double zy)
{
    SDL_Surface* image = loadImage(path);
    if (!image)
        return nullptr;
    SDL_Surface* scaled = zoomed(image, zx, zy);
    SDL_FreeSurface(image);
    return scaled;
}

// No body's image grows beyond this many pixels a side: a map that gives a
// planet an absurd radius gets an invisible planet, not an allocation that
// takes the machine's memory down.
constexpr double maxScaledSide = 4096.0;

SDL_Surface* scaledCopy(SDL_Surface* image, double factor)
{
    if (!image || !std::isfinite(factor) || factor <= 0.0)
        return nullptr;
    if (image->w * factor > maxScaledSide || image->h * factor > maxScaledSide)
        return nullptr;
    return convertWithAlpha(zoomed(image, factor, factor));
}

} // namespace tether
