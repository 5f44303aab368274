// FreeType glyph rendering into masks, and mask filters.
#include "text.h"

#include "geometry.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

// The paths come from tools/artgen/CMakeLists.txt, which checks them.
const char* const kFontBold = ARTGEN_FONT_BOLD;
const char* const kFontCondensedBold = ARTGEN_FONT_CONDENSED_BOLD;
const char* const kFontSans = ARTGEN_FONT_SANS;

namespace {

FT_Library library()
{
    static FT_Library lib = nullptr;
    if (!lib && FT_Init_FreeType(&lib)) {
        std::fprintf(stderr, "artgen: FreeType would not start\n");
        std::exit(1);
    }
    return lib;
}

// Every glyph of a line with its pen position, for measuring and drawing.
template <typename F> void layout(FT_Face face, const std::string& text, float tracking, F visit)
{
    float pen = 0;
    FT_UInt previous = 0;
    for (unsigned char ch : text) {
        FT_UInt index = FT_Get_Char_Index(face, ch);
        if (previous && index && FT_HAS_KERNING(face)) {
            FT_Vector k;
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &k);
            pen += k.x / 64.0f;
        }
        // Each glyph is rendered at its exact fractional pen position, so
        // small labels keep even spacing.
        if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP))
            continue;
        int whole = int(std::floor(pen));
        FT_Outline_Translate(&face->glyph->outline, FT_Pos((pen - whole) * 64), 0);
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_LIGHT))
            continue;
        visit(face->glyph, whole);
        pen += face->glyph->advance.x / 64.0f + tracking;
        previous = index;
    }
}

} // namespace

Font::Font(const char* path, int pixelSize)
{
    FT_Face face;
    if (FT_New_Face(library(), path, 0, &face) || FT_Set_Pixel_Sizes(face, 0, pixelSize)) {
        std::fprintf(stderr,
            "artgen: cannot open the font %s: install the Debian packages %s"
            " (bash scripts/setup.sh does)\n",
            path, ARTGEN_FONT_PACKAGES);
        std::exit(1);
    }
    face_ = face;
}

Font::~Font()
{
    FT_Done_Face(static_cast<FT_Face>(face_));
}

TextBox Font::measure(const std::string& text, float tracking) const
{
    TextBox box;
    box.left = box.top = 1 << 20;
    box.right = box.bottom = -(1 << 20);
    float last = 0;
    layout(static_cast<FT_Face>(face_), text, tracking, [&](FT_GlyphSlot g, int pen) {
        if (g->bitmap.width > 0) {
            box.left = std::min(box.left, pen + g->bitmap_left);
            box.right = std::max(box.right, pen + g->bitmap_left + int(g->bitmap.width));
            box.top = std::min(box.top, -g->bitmap_top);
            box.bottom = std::max(box.bottom, -g->bitmap_top + int(g->bitmap.rows));
        }
        last = pen + g->advance.x / 64.0f;
    });
    box.advance = int(std::lround(last));
    if (box.left > box.right)
        box = TextBox {};
    return box;
}

void Font::render(Mask& m, const std::string& text, int x, int baseline, float tracking) const
{
    layout(static_cast<FT_Face>(face_), text, tracking, [&](FT_GlyphSlot g, int pen) {
        const FT_Bitmap& bm = g->bitmap;
        for (unsigned row = 0; row < bm.rows; row++)
            for (unsigned col = 0; col < bm.width; col++) {
                int px = x + pen + g->bitmap_left + int(col),
                    py = baseline - g->bitmap_top + int(row);
                if (px < 0 || py < 0 || px >= m.w || py >= m.h)
                    continue;
                float& dst = m.a[size_t(py) * m.w + px];
                dst = std::min(1.0f, dst + bm.buffer[row * bm.pitch + col] / 255.0f);
            }
    });
}

Mask textMask(const Font& f, const std::string& text, int pad, float tracking)
{
    TextBox b = f.measure(text, tracking);
    Mask m(b.right - b.left + 2 * pad, b.bottom - b.top + 2 * pad);
    f.render(m, text, pad - b.left, pad - b.top, tracking);
    return m;
}

namespace {

void boxPass(std::vector<float>& a, int w, int h, int r, bool horizontal)
{
    std::vector<float> line;
    int n = horizontal ? w : h, lines = horizontal ? h : w;
    for (int l = 0; l < lines; l++) {
        auto idx = [&](int i) { return horizontal ? size_t(l) * w + i : size_t(i) * w + l; };
        line.assign(n + 1, 0.0f);
        for (int i = 0; i < n; i++)
            line[i + 1] = line[i] + a[idx(i)];
        for (int i = 0; i < n; i++) {
            int lo = std::max(0, i - r), hi = std::min(n, i + r + 1);
            a[idx(i)] = (line[hi] - line[lo]) / (2 * r + 1);
        }
    }
}

} // namespace

Mask blurred(const Mask& m, int radius)
{
    Mask out = m;
    if (radius <= 0)
        return out;
    for (int pass = 0; pass < 3; pass++) {
        boxPass(out.a, out.w, out.h, radius, true);
        boxPass(out.a, out.w, out.h, radius, false);
    }
    return out;
}

Mask thickened(const Mask& m, float by)
{
    Mask out(m.w, m.h);
    int r = int(std::ceil(by));
    for (int y = 0; y < m.h; y++)
        for (int x = 0; x < m.w; x++) {
            float best = 0;
            for (int dy = -r; dy <= r; dy++)
                for (int dx = -r; dx <= r; dx++) {
                    float reach = clamp01(by + 0.5f - std::sqrt(float(dx * dx + dy * dy)));
                    best = std::max(best, m.at(x + dx, y + dy) * reach);
                }
            out.a[size_t(y) * m.w + x] = best;
        }
    return out;
}

Mask fadedAtEdges(Mask m, int width)
{
    for (int y = 0; y < m.h; y++)
        for (int x = 0; x < m.w; x++) {
            int edge = std::min(std::min(x, m.w - 1 - x), std::min(y, m.h - 1 - y));
            m.a[size_t(y) * m.w + x] *= smoothstep(0, float(width), float(edge));
        }
    return m;
}

Mask alphaMask(const Canvas& c)
{
    Mask m(c.width(), c.height());
    for (int y = 0; y < m.h; y++)
        for (int x = 0; x < m.w; x++)
            m.a[size_t(y) * m.w + x] = c.at(x, y).a;
    return m;
}

void paintMask(Canvas& c, const Mask& m, int x, int y,
    const std::function<Rgba(float, float)>& paint, Blend blend, float strength)
{
    for (int my = 0; my < m.h; my++)
        for (int mx = 0; mx < m.w; mx++) {
            float cover = m.a[size_t(my) * m.w + mx] * strength;
            if (cover > 0)
                c.put(x + mx, y + my, paint(x + mx + 0.5f, y + my + 0.5f), cover, blend);
        }
}

void paintMask(Canvas& c, const Mask& m, int x, int y, Rgba colour, Blend blend, float strength)
{
    paintMask(
        c, m, x, y, [&](float, float) { return colour; }, blend, strength);
}
