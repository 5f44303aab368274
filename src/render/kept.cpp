// The kept copies: one table keyed by what a copy is made from, with the
// bytes of each copy counted against the budget.
#include "render/kept.h"

#include "render/softcanvas.h"
#include "world/angles.h"

#include "content/images.h"
#include "render/coords.h"

#include <SDL_gfxPrimitives.h>
#include <SDL_rotozoom.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace tether {

bool keepImages = true;

namespace {

enum class Copy : int32_t { turned, flash, chainLink, display };

// What a copy is made from: its source image and two whole numbers that
// stand for the rest (a heading step; a size and a colour; a length and a
// slope step).
struct CopyKey {
    const SDL_Surface* source;
    Copy copy;
    int64_t first;
    int64_t second;
    bool operator==(const CopyKey& o) const
    {
        return source == o.source && copy == o.copy && first == o.first && second == o.second;
    }
};

struct CopyKeyHash {
    size_t operator()(const CopyKey& k) const
    {
        uint64_t h = reinterpret_cast<uintptr_t>(k.source);
        for (uint64_t part : {static_cast<uint64_t>(k.copy), static_cast<uint64_t>(k.first),
                 static_cast<uint64_t>(k.second)})
            h = (h ^ part) * 0x100000001b3ull + (h >> 29);
        return static_cast<size_t>(h);
    }
};

struct KeptCopy {
    SDL_Surface* image;
    size_t bytes;
    uint64_t lastUse;
};

// A copy freed is forgotten by the software canvases too: its memory may
// hold the next copy made.
void freeCopy(SDL_Surface* copy)
{
    forgetSoftPicture(copy);
    SDL_FreeSurface(copy);
}

struct KeptCopies {
    std::unordered_map<CopyKey, KeptCopy, CopyKeyHash> table;
    size_t bytes = 0;
    uint64_t uses = 0;
    uint64_t made = 0;
    SDL_Surface* unkept = nullptr; // the last copy made with keeping off

    void clear()
    {
        // Nothing kept, nothing touched: the headless simulator's worker
        // threads end their levels here too, and never draw.
        if (table.empty() && !unkept)
            return;
        for (auto& entry : table)
            freeCopy(entry.second.image);
        table.clear();
        bytes = 0;
        if (unkept)
            freeCopy(unkept);
        unkept = nullptr;
    }
    // The copies are freed when the game ends, like any image it owns.
    ~KeptCopies() { clear(); }
};
KeptCopies kept;

size_t bytesOf(const SDL_Surface* s)
{
    return static_cast<size_t>(s->pitch) * static_cast<size_t>(s->h) + sizeof(SDL_Surface);
}

// Lets the least recently drawn copies go until a quarter of the budget is
// free, so that a bound met once does not evict at every new copy.
void makeRoom(size_t wanted)
{
    if (kept.bytes + wanted <= keptImageBudget)
        return;
    std::vector<std::pair<uint64_t, CopyKey>> byAge;
    byAge.reserve(kept.table.size());
    for (const auto& entry : kept.table)
        byAge.push_back({entry.second.lastUse, entry.first});
    std::sort(
        byAge.begin(), byAge.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    const size_t target = keptImageBudget / 4 * 3;
    for (const auto& old : byAge) {
        if (kept.bytes + wanted <= target)
            break;
        auto found = kept.table.find(old.second);
        kept.bytes -= found->second.bytes;
        freeCopy(found->second.image);
        kept.table.erase(found);
    }
}

// The copy under key, made by make() the first time. With keeping off, made
// every time and held until the next call.
template <typename Make> SDL_Surface* keptCopy(const CopyKey& key, Make make)
{
    if (!keepImages) {
        if (kept.unkept)
            freeCopy(kept.unkept);
        kept.unkept = make();
        return kept.unkept;
    }
    ++kept.uses;
    auto found = kept.table.find(key);
    if (found != kept.table.end()) {
        found->second.lastUse = kept.uses;
        return found->second.image;
    }
    // In the display's own layout a copy blits several times faster than as
    // the rotation leaves it: the desktop canvas blits it itself (or SDL,
    // which codes it in runs on its first blit).
    SDL_Surface* image = convertWithAlpha(make());
    if (!image)
        return nullptr;
    ++kept.made;
    const size_t bytes = bytesOf(image);
    if (bytes > keptImageBudget / 4) {
        // Larger than any copy in play: shown once, never kept.
        if (kept.unkept)
            freeCopy(kept.unkept);
        kept.unkept = image;
        return image;
    }
    makeRoom(bytes);
    kept.table.emplace(key, KeptCopy {image, bytes, kept.uses});
    kept.bytes += bytes;
    return image;
}

struct ScaledFrame {
    SDL_Surface* source;
    double zoom;
    SDL_Surface* scaled;
};
// The copies are freed when the game ends, like any image it owns.
struct ScaledFrameCache : std::vector<ScaledFrame> {
    ~ScaledFrameCache()
    {
        for (const ScaledFrame& frame : *this)
            SDL_FreeSurface(frame.scaled);
    }
};
ScaledFrameCache scaledFrames;
constexpr size_t scaledFrameLimit = 100; // ten sizes of explosion

} // namespace

SDL_Surface* turnedImage(SDL_Surface* sprite, float angle)
{
    if (!sprite)
        return nullptr;
    const int64_t step = headingStep(angle);
    return keptCopy({sprite, Copy::turned, step, 0}, [&] {
        // Our angles grow clockwise on screen, the rotation's counter-clockwise.
        const double degrees
            = keepImages ? headingDegrees(step) : static_cast<double>(-angle * 180) * (1.0 / pi);
        return rotozoomSurface(sprite, degrees, 1.0, SMOOTHING_ON);
    });
}

SDL_Surface* flashImage(SDL_Surface* field, float diameter, float radius, Uint32 colour)
{
    if (!field || field->w <= 0 || field->h <= 0)
        return nullptr;
    uint32_t diameterBits, radiusBits;
    static_assert(sizeof(float) == sizeof(uint32_t));
    std::memcpy(&diameterBits, &diameter, sizeof diameterBits);
    std::memcpy(&radiusBits, &radius, sizeof radiusBits);
    const int64_t size = (static_cast<int64_t>(diameterBits) << 32) | radiusBits;
    return keptCopy({field, Copy::flash, size, colour}, [&]() -> SDL_Surface* {
        SDL_Surface* scaled = zoomSurface(field, diameter * (1.0f / static_cast<float>(field->w)),
            diameter / static_cast<float>(field->h), SMOOTHING_OFF);
        if (!scaled)
            return nullptr;
        const SDL_PixelFormat* f = scaled->format;
        SDL_Surface* tint = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, scaled->w, scaled->h,
            32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
        if (tint) {
            // Blended onto the field, the disc takes over its colour while
            // the field keeps its own transparency.
            filledCircleColor(tint, static_cast<Sint16>(scaled->w / 2),
                static_cast<Sint16>(scaled->h / 2), toSint16(radius), colour);
            SDL_Rect at {0, 0, 0, 0};
            SDL_BlitSurface(tint, nullptr, scaled, &at);
            SDL_FreeSurface(tint);
        }
        return scaled;
    });
}

SDL_Surface* chainLinkImage(SDL_Surface* link, float stretch, float slope)
{
    if (!link || link->w <= 0 || !(stretch > 0.0f) || !std::isfinite(stretch))
        return nullptr;
    const int64_t pixels = linkPixels(link->w, stretch);
    const int64_t step = slopeStep(slope);
    return keptCopy({link, Copy::chainLink, pixels, step}, [&]() -> SDL_Surface* {
        const double zoom = keepImages ? static_cast<double>(pixels) / link->w : stretch;
        const double degrees
            = keepImages ? slopeDegrees(step) : static_cast<double>(slope * 180) * (1 / pi);
        SDL_Surface* stretched = zoomSurface(link, zoom, 1.0, SMOOTHING_ON);
        if (!stretched)
            return nullptr;
        SDL_Surface* turned = rotozoomSurface(stretched, degrees, 1.0, SMOOTHING_ON);
        SDL_FreeSurface(stretched);
        return turned;
    });
}

SDL_Surface* displayImage(SDL_Surface* image)
{
    if (!image || !keepImages || !SDL_GetVideoSurface())
        return image;
    SDL_Surface* copy = keptCopy({image, Copy::display, 0, 0},
        [&]() -> SDL_Surface* { return SDL_ConvertSurface(image, image->format, image->flags); });
    return copy ? copy : image;
}

SDL_Surface* scaledFrame(SDL_Surface* frame, double zoom)
{
    if (!frame)
        return nullptr;
    for (const ScaledFrame& kept : scaledFrames)
        if (kept.source == frame && kept.zoom == zoom)
            return kept.scaled;
    if (scaledFrames.size() >= scaledFrameLimit)
        forgetScaledExplosions();
    SDL_Surface* scaled = convertWithAlpha(zoomSurface(frame, zoom, zoom, SMOOTHING_ON));
    if (scaled)
        scaledFrames.push_back({frame, zoom, scaled});
    return scaled;
}

void forgetScaledExplosions()
{
    if (scaledFrames.empty())
        return; // as KeptCopies::clear
    for (const ScaledFrame& frame : scaledFrames) {
        forgetSoftPicture(frame.scaled);
        SDL_FreeSurface(frame.scaled);
    }
    scaledFrames.clear();
}

void forgetKeptImages()
{
    kept.clear();
    // The level's own images (scaled mines and bodies) go with it too.
    forgetSoftPictures();
}

size_t keptImageBytes()
{
    return kept.bytes;
}

uint64_t keptImagesMade()
{
    return kept.made;
}

} // namespace tether
