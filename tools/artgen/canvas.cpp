// The float canvas: blending rules and PNG output.
#include "canvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

Rgba hex(uint32_t rgb, float a)
{
    return {((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f, a};
}

Rgba mix(Rgba p, Rgba q, float t)
{
    return {
        p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t, p.a + (q.a - p.a) * t};
}

Rgba withAlpha(Rgba c, float a)
{
    return {c.r, c.g, c.b, a};
}
Rgba scaled(Rgba c, float k)
{
    return {c.r * k, c.g * k, c.b * k, c.a};
}

Canvas::Canvas(int width, int height)
    : w_(width)
    , h_(height)
    , px_(size_t(width) * height * 4, 0.0f)
{
}

void Canvas::put(int x, int y, Rgba c, float coverage, Blend blend)
{
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || coverage <= 0)
        return;
    float* p = &px_[(size_t(y) * w_ + x) * 4];
    float a = std::min(1.0f, c.a * coverage);
    switch (blend) {
    case Blend::over:
        p[0] = c.r * a + p[0] * (1 - a);
        p[1] = c.g * a + p[1] * (1 - a);
        p[2] = c.b * a + p[2] * (1 - a);
        p[3] = a + p[3] * (1 - a);
        break;
    case Blend::add:
        // Light adds colour; opacity grows as if the light were painted over,
        // so a glow on a transparent sprite is opaque only where it is bright.
        p[0] += c.r * a;
        p[1] += c.g * a;
        p[2] += c.b * a;
        p[3] = a + p[3] * (1 - a);
        break;
    case Blend::erase:
        for (int i = 0; i < 4; i++)
            p[i] *= 1 - a;
        break;
    }
}

Rgba Canvas::at(int x, int y) const
{
    const float* p = &px_[(size_t(y) * w_ + x) * 4];
    if (p[3] <= 0)
        return {0, 0, 0, 0};
    return {std::min(1.0f, p[0] / p[3]), std::min(1.0f, p[1] / p[3]), std::min(1.0f, p[2] / p[3]),
        std::min(1.0f, p[3])};
}

void Canvas::fillAll(Rgba c)
{
    for (int y = 0; y < h_; y++)
        for (int x = 0; x < w_; x++) {
            float* p = &px_[(size_t(y) * w_ + x) * 4];
            p[0] = c.r * c.a;
            p[1] = c.g * c.a;
            p[2] = c.b * c.a;
            p[3] = c.a;
        }
}

void Canvas::draw(const Canvas& src, int x, int y, Blend blend)
{
    for (int sy = 0; sy < src.h_; sy++)
        for (int sx = 0; sx < src.w_; sx++) {
            Rgba c = src.at(sx, sy);
            if (c.a > 0)
                put(x + sx, y + sy, c, 1, blend);
        }
}

void Canvas::fade(float k)
{
    for (float& v : px_)
        v *= k;
}

namespace {

// Half a step of 8-bit noise keeps smooth gradients in deep space from
// banding; the hash keeps it the same on every run.
float dither(int x, int y)
{
    uint32_t h = uint32_t(x) * 0x9e3779b1u ^ uint32_t(y) * 0x85ebca77u;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    return (h & 0xffff) / 65535.0f - 0.5f;
}

uint8_t toByte(float v)
{
    return uint8_t(std::lround(std::min(1.0f, std::max(0.0f, v)) * 255.0f));
}

} // namespace

bool Canvas::savePng(const std::string& path) const
{
    std::vector<uint8_t> out(size_t(w_) * h_ * 4);
    for (int y = 0; y < h_; y++)
        for (int x = 0; x < w_; x++) {
            Rgba c = at(x, y);
            uint8_t* o = &out[(size_t(y) * w_ + x) * 4];
            uint8_t alpha = toByte(c.a);
            if (alpha == 0) {
                o[0] = o[1] = o[2] = o[3] = 0;
                continue;
            }
            float d = dither(x, y) / 255.0f;
            o[0] = toByte(c.r + d);
            o[1] = toByte(c.g + d);
            o[2] = toByte(c.b + d);
            o[3] = alpha;
        }
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = w_;
    image.height = h_;
    image.format = PNG_FORMAT_RGBA;
    image.flags = PNG_IMAGE_FLAG_FAST; // the build runs this often: favour speed over size
    if (!png_image_write_to_file(&image, path.c_str(), 0, out.data(), 0, nullptr)) {
        std::fprintf(stderr, "artgen: cannot write %s: %s\n", path.c_str(), image.message);
        return false;
    }
    return true;
}
