// The software canvas: every primitive written out pixel by pixel. Blending
// is the usual d + (s - d) * a / 256 per channel; an opaque colour is
// written as it is. Shapes follow the common integer algorithms (midpoint
// circles, Bresenham lines, scanline triangles), so they land on the same
// pixels as the desktop's within a pixel at their edges.
#include "render/softcanvas.h"

#include "render/blendrow.h"
#include "render/softcopies.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace tether {

namespace {

// Reached from the destructors of other files' kept images at the game's
// end, so it is made on first use and never destroyed.
std::unordered_map<const void*, PixelImage>& kept()
{
    static auto* pictures = new std::unordered_map<const void*, PixelImage>;
    return *pictures;
}

const PixelImage* pixelsOf(const Picture& picture, PictureReader reader)
{
    if (picture.pixels)
        return picture.pixels;
    auto found = kept().find(picture.source);
    if (found != kept().end() && found->second.w == picture.w && found->second.h == picture.h)
        return &found->second;
    PixelImage image;
    if (!reader || !reader(picture, image) || image.w < 0 || image.h < 0 || image.w > 65535
        || image.argb.size() != static_cast<size_t>(image.w) * static_cast<size_t>(image.h))
        return nullptr;
    findShowingRuns(image);
    return &(kept()[picture.source] = std::move(image));
}

// A copy as a picture of our own pixels; empty without one.
Picture pictureOfCopy(const PixelImage* copy)
{
    if (!copy)
        return {};
    return {copy, copy->w, copy->h, copy};
}

// Whether every pixel has full alpha, and the runs of those that show.
void findRuns(const uint32_t* argb, int w, int h, int stride, ShowingRuns& out)
{
    out.opaque = true;
    out.runs.clear();
    out.rowRuns.assign(static_cast<size_t>(h) + 1, 0);
    for (int y = 0; y < h; ++y) {
        out.rowRuns[static_cast<size_t>(y)] = static_cast<uint32_t>(out.runs.size() / 2);
        const uint32_t* row = argb + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int x = 0; x < w;) {
            while (x < w && row[x] >> 24 == 0)
                ++x;
            if (x == w)
                break;
            const int start = x;
            for (; x < w && row[x] >> 24 != 0; ++x)
                out.opaque = out.opaque && row[x] >> 24 == 255;
            out.runs.push_back(static_cast<uint16_t>(start));
            out.runs.push_back(static_cast<uint16_t>(x));
        }
        out.opaque = out.opaque && out.runs.size() == 2 * (static_cast<size_t>(y) + 1)
            && out.runs[2 * y] == 0 && out.runs[2 * y + 1] == w;
    }
    out.rowRuns[static_cast<size_t>(h)] = static_cast<uint32_t>(out.runs.size() / 2);
}

// The runs of the desktop's images, by image; where their pixels lay and
// their size when found.
struct FoundRuns {
    const uint32_t* argb = nullptr;
    int w = 0, h = 0, stride = 0;
    ShowingRuns showing;
};

std::unordered_map<const void*, FoundRuns>& foundRuns()
{
    static auto* runs = new std::unordered_map<const void*, FoundRuns>; // as kept()
    return *runs;
}

} // namespace

// The blit skips what does not show, as SDL's run-length coding does.
void findShowingRuns(PixelImage& image)
{
    findRuns(image.argb.data(), image.w, image.h, image.w, image.showing);
}

const ShowingRuns* showingRunsOf(const void* image, const uint32_t* argb, int w, int h, int stride)
{
    if (w < 0 || h < 0 || w > 65535 || stride < w)
        return nullptr;
    FoundRuns& found = foundRuns()[image];
    if (found.argb != argb || found.w != w || found.h != h || found.stride != stride) {
        found.argb = argb;
        found.w = w;
        found.h = h;
        found.stride = stride;
        findRuns(argb, w, h, stride, found.showing);
    }
    return &found.showing;
}

void blitShowing(
    uint32_t* pixels, int width, int height, int stride, const BlitSource& source, int x, int y)
{
    const ShowingRuns& showing = source.showing;
    if (!showing.opaque && showing.rowRuns.size() != static_cast<size_t>(source.h) + 1)
        return;
    const int left = std::max(0, -x), right = std::min(source.w, width - x);
    if (left >= right)
        return;
    for (int row = std::max(0, -y); row < source.h && y + row < height; ++row) {
        const uint32_t* from = source.argb + static_cast<ptrdiff_t>(row) * source.stride;
        uint32_t* to = pixels + static_cast<ptrdiff_t>(y + row) * stride + x;
        if (showing.opaque) {
            copyRow(to + left, from + left, right - left);
            continue;
        }
        for (uint32_t run = showing.rowRuns[row]; run < showing.rowRuns[row + 1]; ++run) {
            const int first = std::max<int>(left, showing.runs[2 * run]);
            const int last = std::min<int>(right, showing.runs[2 * run + 1]);
            if (first < last)
                blendRow(to + first, from + first, last - first);
        }
    }
}

void forgetSoftPicture(const void* source)
{
    kept().erase(source);
    foundRuns().erase(source);
    forgetSoftCopiesOf(source);
}

void forgetSoftPictures()
{
    // Nothing kept, nothing touched: the headless simulator's worker threads
    // end their levels here too, and never draw.
    if (!kept().empty())
        kept().clear();
    if (!foundRuns().empty())
        foundRuns().clear();
    forgetSoftCopies();
}

size_t softPictureBytes()
{
    size_t bytes = 0;
    for (const auto& entry : kept())
        bytes += entry.second.argb.size() * sizeof(uint32_t);
    return bytes;
}

SoftCanvas::SoftCanvas(uint32_t* pixels, int width, int height, int stride,
    const unsigned char* font, PictureReader reader)
    : pixels_(pixels)
    , width_(width)
    , height_(height)
    , stride_(stride)
    , font_(font)
    , reader_(reader)
{
}

void SoftCanvas::blend(int x, int y, uint32_t colour, uint32_t alpha)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha == 0)
        return;
    uint32_t& d = pixels_[y * stride_ + x];
    d = alpha == 255 ? colour & 0xffffff : blendPixel(d, colour, alpha);
}

void SoftCanvas::fill(uint32_t colour)
{
    for (int y = 0; y < height_; ++y)
        std::fill(pixels_ + y * stride_, pixels_ + y * stride_ + width_, colour >> 8);
}

void SoftCanvas::blit(const Picture& picture, int x, int y)
{
    if (!picture)
        return;
    if (const PixelImage* image = pixelsOf(picture, reader_))
        blitShowing(pixels_, width_, height_, stride_,
            {image->argb.data(), image->w, image->h, image->w, image->showing}, x, y);
}

void SoftCanvas::pixel(int x, int y, uint32_t colour)
{
    blend(x, y, colour >> 8, colour & 0xff);
}

void SoftCanvas::span(int x1, int x2, int y, uint32_t colour)
{
    if (y < 0 || y >= height_)
        return;
    if (x1 > x2)
        std::swap(x1, x2);
    x1 = std::max(x1, 0);
    x2 = std::min(x2, width_ - 1);
    if (x1 > x2)
        return; // wholly off the picture
    const uint32_t rgb = colour >> 8, alpha = colour & 0xff;
    uint32_t* row = pixels_ + y * stride_;
    if (alpha == 255)
        std::fill(row + x1, row + x2 + 1, rgb);
    else if (alpha != 0)
        for (int x = x1; x <= x2; ++x)
            row[x] = blendPixel(row[x], rgb, alpha);
}

void SoftCanvas::line(int x1, int y1, int x2, int y2, uint32_t colour)
{
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    // A line far longer than the screen is walked only across the screen's
    // reach: past it nothing more can be lit.
    const long long reach = 4LL * (width_ + height_) + 4;
    int err = dx + dy;
    for (long long n = 0; n < 2 * reach + dx - dy; ++n) {
        pixel(x1, y1, colour);
        if (x1 == x2 && y1 == y2)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

// The midpoint circle: each row's span is drawn once.
void SoftCanvas::disc(int x, int y, int r, uint32_t colour)
{
    if (r < 0)
        return;
    if (r == 0) {
        pixel(x, y, colour);
        return;
    }
    int cx = 0, cy = r, df = 1 - r, dE = 3, dSE = -2 * r + 5;
    int lastCx = -1, lastCy = -1;
    do {
        if (lastCy != cy) {
            if (cy > 0) {
                span(x - cx, x + cx, y + cy, colour);
                span(x - cx, x + cx, y - cy, colour);
            } else {
                span(x - cx, x + cx, y, colour);
            }
            lastCy = cy;
        }
        if (lastCx != cx) {
            if (cx != cy) {
                if (cx > 0) {
                    span(x - cy, x + cy, y - cx, colour);
                    span(x - cy, x + cy, y + cx, colour);
                } else {
                    span(x - cy, x + cy, y, colour);
                }
            }
            lastCx = cx;
        }
        if (df < 0) {
            df += dE;
            dE += 2;
            dSE += 2;
        } else {
            df += dSE;
            dE += 2;
            dSE += 4;
            --cy;
        }
        ++cx;
    } while (cx <= cy);
}

// A ring smoothed by how near each pixel's centre lies to the radius.
void SoftCanvas::ring(int x, int y, int r, uint32_t colour)
{
    if (r < 0)
        return;
    const uint32_t alpha = colour & 0xff;
    // Only the part of the ring's square on the picture is looked at.
    for (int dy = std::max(-r - 1, -y); dy <= std::min(r + 1, height_ - 1 - y); ++dy)
        for (int dx = std::max(-r - 1, -x); dx <= std::min(r + 1, width_ - 1 - x); ++dx) {
            const double off = std::fabs(std::hypot(dx, dy) - r);
            if (off >= 1.0)
                continue;
            blend(x + dx, y + dy, colour >> 8, static_cast<uint32_t>(alpha * (1.0 - off)));
        }
}

void SoftCanvas::box(int x1, int y1, int x2, int y2, uint32_t colour)
{
    if (y1 > y2)
        std::swap(y1, y2);
    for (int y = std::max(y1, 0); y <= std::min(y2, height_ - 1); ++y)
        span(x1, x2, y, colour);
}

void SoftCanvas::outline(int x1, int y1, int x2, int y2, uint32_t colour)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    span(x1, x2, y1, colour);
    if (y2 != y1)
        span(x1, x2, y2, colour);
    for (int y = y1 + 1; y < y2; ++y) {
        pixel(x1, y, colour);
        if (x2 != x1)
            pixel(x2, y, colour);
    }
}

void SoftCanvas::triangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour)
{
    line(x1, y1, x2, y2, colour);
    line(x2, y2, x3, y3, colour);
    line(x3, y3, x1, y1, colour);
}

// Each row between the corners is filled between the edges that cross it.
void SoftCanvas::filledTriangle(int x1, int y1, int x2, int y2, int x3, int y3, uint32_t colour)
{
    const int xs[3] = {x1, x2, x3}, ys[3] = {y1, y2, y3};
    const int top = std::max(0, std::min({y1, y2, y3}));
    const int bottom = std::min(height_ - 1, std::max({y1, y2, y3}));
    for (int y = top; y <= bottom; ++y) {
        int lo = 1 << 30, hi = -(1 << 30);
        for (int e = 0; e < 3; ++e) {
            const int ax = xs[e], ay = ys[e], bx = xs[(e + 1) % 3], by = ys[(e + 1) % 3];
            if (y < std::min(ay, by) || y > std::max(ay, by))
                continue;
            if (ay == by) {
                lo = std::min({lo, ax, bx});
                hi = std::max({hi, ax, bx});
                continue;
            }
            const int x = ax + (y - ay) * (bx - ax) / (by - ay);
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        if (lo <= hi)
            span(lo, hi, y, colour);
    }
}

void SoftCanvas::text(int x, int y, const char* text, uint32_t colour)
{
    if (!text || !font_)
        return;
    for (; *text; ++text, x += 8) {
        if (x >= width_ || x <= -8 || y >= height_ || y <= -8)
            continue;
        const unsigned char* rows = glyph(static_cast<unsigned char>(*text));
        for (int row = 0; row < 8; ++row)
            for (int column = 0; column < 8; ++column)
                if (rows[row] & (0x80 >> column))
                    pixel(x + column, y + row, colour);
    }
}

const unsigned char* SoftCanvas::glyph(unsigned char c) const
{
    static const unsigned char blank[8] = {};
    return font_ ? font_ + c * 8 : blank;
}

Picture SoftCanvas::turned(const Picture& sprite, float angle)
{
    const PixelImage* image = sprite ? pixelsOf(sprite, reader_) : nullptr;
    return image ? pictureOfCopy(softTurned(sprite.source, *image, angle)) : Picture {};
}

Picture SoftCanvas::scaled(const Picture& frame, double zoom)
{
    const PixelImage* image = frame ? pixelsOf(frame, reader_) : nullptr;
    return image ? pictureOfCopy(softScaled(frame.source, *image, zoom)) : Picture {};
}

Picture SoftCanvas::flash(const Picture& field, float diameter, float radius, uint32_t colour)
{
    const PixelImage* image = field ? pixelsOf(field, reader_) : nullptr;
    return image ? pictureOfCopy(softFlash(field.source, *image, diameter, radius, colour))
                 : Picture {};
}

Picture SoftCanvas::chainLink(const Picture& link, float stretch, float slope)
{
    const PixelImage* image = link ? pixelsOf(link, reader_) : nullptr;
    return image ? pictureOfCopy(softChainLink(link.source, *image, stretch, slope)) : Picture {};
}

Pixels SoftCanvas::lendPixels()
{
    return {pixels_, stride_, 0, 0, width_, height_};
}

} // namespace tether
