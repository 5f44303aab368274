// Each glyph is rendered in one bit (FreeType's monochrome mode keeps the
// face's hinting, which is what keeps strokes one pixel wide at this size),
// centred across its cell, and set on the baseline below row 6: capitals
// and digits take rows 0 to 6, descenders row 7; a glyph that does not fit
// is moved into the cell. A glyph wider than 8 pixels loses its outer
// columns.
#include "font8.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr int cell = 8;
constexpr int baselineRow = 7; // the first row below the baseline
constexpr int pixelSize = 9;
constexpr unsigned char middleDotSlot = 0xfa;
constexpr unsigned long middleDot = 0xb7;

// One glyph into its 8 rows; false when the face has none.
bool drawGlyph(FT_Face face, unsigned long codePoint, unsigned char* rows)
{
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (!index || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO))
        return false;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    auto inked = [&](unsigned row, unsigned col) {
        return (bm.buffer[row * bm.pitch + col / 8] & (0x80 >> (col % 8))) != 0;
    };
    // The rows kept: a glyph poking above the cell first gives up the blank
    // row under its dot (i, j), which keeps its body on the baseline.
    std::vector<unsigned> kept;
    for (unsigned row = 0; row < bm.rows; ++row)
        kept.push_back(row);
    if (g->bitmap_top > baselineRow)
        for (unsigned row = 1; row + 1 < bm.rows; ++row) {
            bool blank = true;
            for (unsigned col = 0; col < bm.width; ++col)
                blank = blank && !inked(row, col);
            if (blank) {
                kept.erase(kept.begin() + row);
                break;
            }
        }
    // Centred on the cell's 7 left columns, the 8th kept as the gap between
    // letters.
    const int left = (cell - 1 - static_cast<int>(bm.width)) / 2;
    // A glyph that would cross the cell's top or bottom is moved inside it
    // whole (g, j, p, q, y sit a pixel high; i and f a pixel low); one
    // taller than the cell (brackets) loses as much at its top as at its
    // bottom.
    const int height = static_cast<int>(kept.size());
    int top = baselineRow - g->bitmap_top + static_cast<int>(bm.rows - kept.size());
    if (height > cell)
        top = (cell - height) / 2;
    else
        top = std::clamp(top, 0, cell - height);
    for (size_t row = 0; row < kept.size(); ++row)
        for (unsigned col = 0; col < bm.width; ++col) {
            if (!inked(kept[row], col))
                continue;
            const int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
            if (x >= 0 && x < cell && y >= 0 && y < cell)
                rows[y] |= static_cast<unsigned char>(0x80 >> x);
        }
    return true;
}

} // namespace

std::vector<unsigned char> drawFont8(const char* facePath)
{
    std::vector<unsigned char> font(256 * cell, 0);
    FT_Library library;
    FT_Face face;
    if (FT_Init_FreeType(&library))
        return {};
    if (FT_New_Face(library, facePath, 0, &face) || FT_Set_Pixel_Sizes(face, 0, pixelSize)) {
        FT_Done_FreeType(library);
        return {};
    }
    for (unsigned long c = 0x21; c < 0x7f; ++c)
        drawGlyph(face, c, &font[c * cell]);
    drawGlyph(face, middleDot, &font[middleDotSlot * cell]);
    // At this size the face's M fills in to a block; it is drawn by hand.
    const unsigned char handM[cell] = {0x44, 0x6c, 0x54, 0x54, 0x44, 0x44, 0x44, 0x00};
    std::copy(handM, handM + cell, &font['M' * cell]);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return font;
}

bool writeFont8Source(const std::vector<unsigned char>& font, const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary);
        out << "// Written by artgen (tools/artgen/font8.cpp): the game's 8 by 8 font.\n"
               "#include \"render/ownfont.h\"\n\nnamespace tether {\n\n"
               "const unsigned char ownFont[256 * 8] = {\n";
        for (size_t c = 0; c < 256; ++c) {
            out << "   ";
            for (size_t row = 0; row < cell; ++row) {
                char hex[8];
                std::snprintf(hex, sizeof hex, " 0x%02x,", font[c * cell + row]);
                out << hex;
            }
            out << " // " << c << "\n";
        }
        out << "};\n\n} // namespace tether\n";
        if (!out)
            return false;
    }
    std::filesystem::rename(temporary, path, error);
    return !error;
}
