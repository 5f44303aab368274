// Text through FreeType: lines of the game's font rendered to coverage
// masks, which the screens then colour, outline and light.
#pragma once

#include "canvas.h"

#include <functional>
#include <string>
#include <vector>

// The DejaVu faces installed by scripts/setup.sh.
extern const char* const kFontBold;
extern const char* const kFontCondensedBold;
extern const char* const kFontSans;

// A grey-scale coverage picture, 0..1 per pixel.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> a;
    Mask() = default;
    Mask(int width, int height)
        : w(width)
        , h(height)
        , a(size_t(width) * height, 0.0f)
    {
    }
    float at(int x, int y) const
    {
        return x < 0 || y < 0 || x >= w || y >= h ? 0 : a[size_t(y) * w + x];
    }
};

// Where a line's ink falls relative to its pen start on the baseline.
struct TextBox {
    int advance = 0; // pen travel, pixels
    int left = 0, top = 0; // ink bounds; top is negative (above baseline)
    int right = 0, bottom = 0;
};

// One face at one pixel size. Exits the generator with a message if the
// font cannot be opened: without it no text can be drawn.
class Font {
public:
    Font(const char* path, int pixelSize);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // tracking: extra pixels between letters.
    TextBox measure(const std::string& text, float tracking = 0) const;
    // Adds the line's coverage into the mask, pen starting at (x, baseline).
    void render(Mask& m, const std::string& text, int x, int baseline, float tracking = 0) const;

private:
    void* face_; // FT_Face, kept out of this header
};

// A line as a mask cropped to its ink with `pad` spare pixels on every side.
Mask textMask(const Font& f, const std::string& text, int pad, float tracking = 0);

// Soft copy of a mask: three box blurs approximate a Gaussian.
Mask blurred(const Mask& m, int radius);
// Coverage thickened by `by` pixels, for outlines behind text.
Mask thickened(const Mask& m, float by);
// Coverage faded to nothing over the last `width` pixels at every border.
Mask fadedAtEdges(Mask m, int width);
// A canvas's opacity as a mask, to build halos round whatever was drawn.
Mask alphaMask(const Canvas& c);

// Lays the mask on the canvas with its top-left at (x, y); paint gets canvas
// pixel coordinates; strength scales the coverage.
void paintMask(Canvas& c, const Mask& m, int x, int y,
    const std::function<Rgba(float, float)>& paint, Blend blend = Blend::over, float strength = 1);
void paintMask(Canvas& c, const Mask& m, int x, int y, Rgba colour, Blend blend = Blend::over,
    float strength = 1);
