// Our canvas's kept copies: one table keyed by what a copy is made from,
// the bytes of each copy counted against the budget, as the desktop's.
#include "render/softcopies.h"

#include "content/resample.h"
#include "render/coords.h"
#include "render/copysteps.h"
#include "render/softcanvas.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tether {

namespace {

enum class Copy : int32_t { turned, scaled, flash, chainLink };

struct CopyKey {
    const void* source;
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
    std::unique_ptr<PixelImage> image;
    size_t bytes;
    uint64_t lastUse;
};

// Reached from the destructors of other files' kept images at the game's
// end (through forgetSoftPicture), so it is made on first use and never
// destroyed.
struct KeptCopies {
    std::unordered_map<CopyKey, KeptCopy, CopyKeyHash> table;
    std::unordered_map<const void*, size_t> copiesOf; // copies per source
    size_t bytes = 0;
    uint64_t uses = 0;
    uint64_t made = 0;
    std::unique_ptr<PixelImage> unkept; // the last copy too large to keep
};
KeptCopies& kept()
{
    static auto* copies = new KeptCopies;
    return *copies;
}

size_t bytesOf(const PixelImage& image)
{
    return image.argb.size() * sizeof(uint32_t) + image.showing.runs.size() * sizeof(uint16_t)
        + image.showing.rowRuns.size() * sizeof(uint32_t) + sizeof(PixelImage);
}

void drop(decltype(KeptCopies::table)::iterator entry)
{
    KeptCopies& k = kept();
    k.bytes -= entry->second.bytes;
    auto count = k.copiesOf.find(entry->first.source);
    if (count != k.copiesOf.end() && --count->second == 0)
        k.copiesOf.erase(count);
    k.table.erase(entry);
}

// Lets the least recently drawn copies go until a quarter of the budget is
// free, so that a bound met once does not evict at every new copy.
void makeRoom(size_t wanted)
{
    KeptCopies& k = kept();
    if (k.bytes + wanted <= keptImageBudget)
        return;
    std::vector<std::pair<uint64_t, CopyKey>> byAge;
    byAge.reserve(k.table.size());
    for (const auto& entry : k.table)
        byAge.push_back({entry.second.lastUse, entry.first});
    std::sort(
        byAge.begin(), byAge.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    const size_t target = keptImageBudget / 4 * 3;
    for (const auto& old : byAge) {
        if (k.bytes + wanted <= target)
            break;
        drop(k.table.find(old.second));
    }
}

PixelImage fromRaster(Raster raster)
{
    PixelImage image;
    image.w = raster.w;
    image.h = raster.h;
    image.argb = std::move(raster.pixels);
    return image;
}

RasterView viewOf(const PixelImage& image)
{
    return {image.argb.data(), image.w, image.h, image.w};
}

// The copy under key, made by make() the first time; null when it comes
// out empty.
template <typename Make> const PixelImage* keptCopy(const CopyKey& key, Make make)
{
    KeptCopies& k = kept();
    ++k.uses;
    auto found = k.table.find(key);
    if (found != k.table.end()) {
        found->second.lastUse = k.uses;
        return found->second.image.get();
    }
    auto image = std::make_unique<PixelImage>(make());
    if (image->w <= 0 || image->h <= 0)
        return nullptr;
    findShowingRuns(*image);
    ++k.made;
    const size_t bytes = bytesOf(*image);
    if (bytes > keptImageBudget / 4) {
        // Larger than any copy in play: shown once, never kept.
        k.unkept = std::move(image);
        return k.unkept.get();
    }
    makeRoom(bytes);
    const PixelImage* copy = image.get();
    k.table.emplace(key, KeptCopy {std::move(image), bytes, k.uses});
    k.bytes += bytes;
    ++k.copiesOf[key.source];
    return copy;
}

// The disc's colour laid over the image's within the disc (drawn by our
// canvas's own disc, so its rows are the screen's), the image's alpha kept.
void tintByDisc(PixelImage& image, int radius, uint32_t colour)
{
    std::vector<uint32_t> mask(image.argb.size(), 0);
    SoftCanvas marker(mask.data(), image.w, image.h, image.w, nullptr, nullptr);
    marker.disc(image.w / 2, image.h / 2, radius, 0xffffffff);
    const uint32_t rgb = colour >> 8, alpha = colour & 0xff;
    for (size_t i = 0; i < mask.size(); ++i) {
        if (!mask[i])
            continue;
        const uint32_t d = image.argb[i];
        uint32_t mixed = rgb;
        if (alpha != 255) {
            mixed = 0;
            for (int shift : {0, 8, 16}) {
                const uint32_t s = (rgb >> shift) & 0xff, t = (d >> shift) & 0xff;
                mixed |= ((t * (255 - alpha) + s * alpha) / 255) << shift;
            }
        }
        image.argb[i] = (d & 0xff000000) | mixed;
    }
}

} // namespace

const PixelImage* softTurned(const void* source, const PixelImage& sprite, float angle)
{
    const int64_t step = headingStep(angle);
    return keptCopy({source, Copy::turned, step, 0},
        [&] { return fromRaster(turned(viewOf(sprite), headingDegrees(step))); });
}

const PixelImage* softScaled(const void* source, const PixelImage& frame, double zoom)
{
    int64_t zoomBits;
    static_assert(sizeof zoom == sizeof zoomBits);
    std::memcpy(&zoomBits, &zoom, sizeof zoomBits);
    return keptCopy({source, Copy::scaled, zoomBits, 0},
        [&] { return fromRaster(zoomed(viewOf(frame), zoom, zoom, true)); });
}

const PixelImage* softFlash(
    const void* source, const PixelImage& field, float diameter, float radius, uint32_t colour)
{
    if (field.w <= 0 || field.h <= 0)
        return nullptr;
    uint32_t diameterBits, radiusBits;
    static_assert(sizeof(float) == sizeof(uint32_t));
    std::memcpy(&diameterBits, &diameter, sizeof diameterBits);
    std::memcpy(&radiusBits, &radius, sizeof radiusBits);
    const int64_t size = (static_cast<int64_t>(diameterBits) << 32) | radiusBits;
    return keptCopy({source, Copy::flash, size, colour}, [&] {
        // The factors as the desktop works them out, in single precision.
        const float zoomX = diameter * (1.0f / static_cast<float>(field.w));
        const float zoomY = diameter / static_cast<float>(field.h);
        PixelImage scaled = fromRaster(zoomed(viewOf(field), zoomX, zoomY, false));
        if (scaled.w > 0)
            tintByDisc(scaled, toSint16(radius), colour);
        return scaled;
    });
}

const PixelImage* softChainLink(
    const void* source, const PixelImage& link, float stretch, float slope)
{
    if (link.w <= 0 || !(stretch > 0.0f) || !std::isfinite(stretch))
        return nullptr;
    const int64_t pixels = linkPixels(link.w, stretch);
    const int64_t step = slopeStep(slope);
    return keptCopy({source, Copy::chainLink, pixels, step}, [&] {
        const Raster stretched
            = zoomed(viewOf(link), static_cast<double>(pixels) / link.w, 1.0, true);
        return fromRaster(turned(
            {stretched.pixels.data(), stretched.w, stretched.h, stretched.w}, slopeDegrees(step)));
    });
}

void forgetSoftCopiesOf(const void* source)
{
    KeptCopies& k = kept();
    if (k.copiesOf.find(source) == k.copiesOf.end())
        return;
    for (auto entry = k.table.begin(); entry != k.table.end();) {
        auto next = std::next(entry);
        if (entry->first.source == source)
            drop(entry);
        entry = next;
    }
}

void forgetSoftCopies()
{
    KeptCopies& k = kept();
    if (k.table.empty() && k.copiesOf.empty() && !k.unkept)
        return; // nothing kept, nothing touched (as forgetSoftPictures)
    k.table.clear();
    k.copiesOf.clear();
    k.bytes = 0;
    k.unkept.reset();
}

size_t softCopyBytes()
{
    return kept().bytes;
}

uint64_t softCopiesMade()
{
    return kept().made;
}

} // namespace tether
