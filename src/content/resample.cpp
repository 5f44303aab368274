// The resampling in 16.16 fixed point, step for step as SDL_gfx does it:
// a destination pixel takes the source pixel its coordinates fall in and,
// smoothed, blends it with its right and lower neighbours by the fractions,
// each channel as (a + (b - a) f) with the products shifted down (rounded
// toward minus infinity).
#include "content/resample.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tether {

namespace {

// a + (b - a) * f / 65536 in each byte lane, as the library's t1/t2 lines.
uint32_t between(uint32_t a, uint32_t b, int f)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xff);
        const int cb = static_cast<int>((b >> shift) & 0xff);
        const int c = ((((cb - ca) * f) >> 16) + ca) & 0xff;
        out |= static_cast<uint32_t>(c) << shift;
    }
    return out;
}

uint32_t smoothed(uint32_t c00, uint32_t c01, uint32_t c10, uint32_t c11, int ex, int ey)
{
    return between(between(c00, c01, ex), between(c10, c11, ex), ey);
}

bool usable(const RasterView& source)
{
    return source.pixels && source.w > 0 && source.h > 0 && source.stride >= source.w;
}

// Where each destination column (or row) starts in the source, 16.16, held
// inside the source.
std::vector<int> offsets(int count, int step, int sourceSide)
{
    std::vector<int> at(static_cast<size_t>(count) + 1);
    const int last = (sourceSide << 16) - 1;
    int64_t position = 0;
    for (int i = 0; i <= count; ++i) {
        at[static_cast<size_t>(i)] = static_cast<int>(std::min<int64_t>(position, last));
        position = std::min<int64_t>(position + step, last);
    }
    return at;
}

} // namespace

Raster zoomed(const RasterView& source, double zoomX, double zoomY, bool smooth)
{
    if (!usable(source) || !(zoomX > 0.0) || !(zoomY > 0.0) || !std::isfinite(zoomX)
        || !std::isfinite(zoomY))
        return {};
    const double wide = std::floor(source.w * zoomX + 0.5),
                 high = std::floor(source.h * zoomY + 0.5);
    if (wide > maxSide || high > maxSide)
        return {};
    Raster out;
    out.w = std::max(1, static_cast<int>(wide));
    out.h = std::max(1, static_cast<int>(high));
    out.pixels.resize(static_cast<size_t>(out.w) * static_cast<size_t>(out.h));
    // Smoothed, the first and last pixels of a row meet the source's; a
    // copy one pixel wide takes the first column only.
    auto step = [&](int from, int to) {
        if (!smooth)
            return static_cast<int>(65536.0 * static_cast<float>(from) / static_cast<float>(to));
        return to > 1
            ? static_cast<int>(65536.0 * static_cast<float>(from - 1) / static_cast<float>(to - 1))
            : 0;
    };
    const std::vector<int> xs = offsets(out.w, step(source.w, out.w), source.w);
    const std::vector<int> ys = offsets(out.h, step(source.h, out.h), source.h);
    for (int y = 0; y < out.h; ++y) {
        const int sy = ys[static_cast<size_t>(y)] >> 16, ey = ys[static_cast<size_t>(y)] & 0xffff;
        const uint32_t* row = source.pixels + static_cast<size_t>(sy) * source.stride;
        const uint32_t* below = sy < source.h - 1 ? row + source.stride : row;
        uint32_t* to = out.pixels.data() + static_cast<size_t>(y) * out.w;
        for (int x = 0; x < out.w; ++x) {
            const int sx = xs[static_cast<size_t>(x)] >> 16,
                      ex = xs[static_cast<size_t>(x)] & 0xffff;
            if (!smooth) {
                to[x] = row[sx];
                continue;
            }
            const int right = sx < source.w - 1 ? sx + 1 : sx;
            to[x] = smoothed(row[sx], row[right], below[sx], below[right], ex, ey);
        }
    }
    return out;
}

// The turned image's size: the source's half sides (integer halves) turned,
// rounded up, doubled. Each destination pixel walks back to the source by
// the inverse turn from the middle; pixels that land within one pixel of the
// source's last row or column stay transparent, as the library leaves them.
Raster turned(const RasterView& source, double degrees)
{
    if (!usable(source) || !std::isfinite(degrees))
        return {};
    if (std::fabs(degrees) <= 0.001) {
        Raster copy;
        copy.w = source.w;
        copy.h = source.h;
        copy.pixels.resize(static_cast<size_t>(source.w) * source.h);
        for (int y = 0; y < source.h; ++y)
            std::copy(source.pixels + static_cast<size_t>(y) * source.stride,
                source.pixels + static_cast<size_t>(y) * source.stride + source.w,
                copy.pixels.begin() + static_cast<ptrdiff_t>(y) * source.w);
        return copy;
    }
    const double radians = degrees * (M_PI / 180.0);
    const double sine = std::sin(radians), cosine = std::cos(radians);
    const double halfW = static_cast<double>(source.w / 2),
                 halfH = static_cast<double>(source.h / 2);
    const double cx = cosine * halfW, cy = cosine * halfH, sx = sine * halfW, sy = sine * halfH;
    const int halfWide = std::max(
        static_cast<int>(std::ceil(std::max(
            {std::fabs(cx + sy), std::fabs(cx - sy), std::fabs(-cx + sy), std::fabs(-cx - sy)}))),
        1);
    const int halfHigh = std::max(
        static_cast<int>(std::ceil(std::max(
            {std::fabs(sx + cy), std::fabs(sx - cy), std::fabs(-sx + cy), std::fabs(-sx - cy)}))),
        1);
    if (halfWide > maxSide / 2 || halfHigh > maxSide / 2)
        return {};
    Raster out;
    out.w = 2 * halfWide;
    out.h = 2 * halfHigh;
    out.pixels.assign(static_cast<size_t>(out.w) * static_cast<size_t>(out.h), 0);

    const int isin = static_cast<int>(sine * 65536.0), icos = static_cast<int>(cosine * 65536.0);
    const int middleX = halfWide, middleY = halfHigh;
    const int xd = (source.w - out.w) * 32768, yd = (source.h - out.h) * 32768;
    const int ax = middleX * 65536 - icos * middleX;
    const int ay = middleY * 65536 - isin * middleX;
    for (int y = 0; y < out.h; ++y) {
        const int dy = middleY - y;
        int sdx = ax + isin * dy + xd;
        int sdy = ay - icos * dy + yd;
        uint32_t* to = out.pixels.data() + static_cast<size_t>(y) * out.w;
        for (int x = 0; x < out.w; ++x, sdx += icos, sdy += isin) {
            const int px = sdx >> 16, py = sdy >> 16;
            if (px < 0 || py < 0 || px >= source.w - 1 || py >= source.h - 1)
                continue;
            const uint32_t* at = source.pixels + static_cast<size_t>(py) * source.stride + px;
            to[x] = smoothed(
                at[0], at[1], at[source.stride], at[source.stride + 1], sdx & 0xffff, sdy & 0xffff);
        }
    }
    return out;
}

} // namespace tether
