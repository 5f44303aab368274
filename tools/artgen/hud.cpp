// The HUD: the digits of the health and enemy counters, the panel they sit
// on, the radar face and the mouse crosshair. The game draws the panel at
// (395, 395), the numbers from x = 445 at y = 420 and 545, and the radar at
// (595, 395) with its centre 100 pixels in.
#include "art.h"
#include "text.h"

#include <algorithm>
#include <string>

namespace {

// Every digit image is this tall, so a number reads as one line.
constexpr int kDigitHeight = 30;
constexpr int kDigitFontSize = 30;
constexpr int kDigitBaseline = 25;
constexpr int kDigitSideSpace = 2; // room for the halo beside the ink
// Halos fade out over the last pixels of a digit, so digits set side by
// side join without hard edges.
constexpr int kHaloFade = 3;

// Panel layout, in panel pixels (screen minus 395).
constexpr int kPanelW = 405, kPanelH = 205;
constexpr int kNumberX = 50; // the game's x = 445
constexpr int kHealthY = 25, kEnemiesY = 150; // the game's y = 420, 545
constexpr Vec kRadarCentre {300, 100};
constexpr float kRadarRadius = 100;

constexpr float kLabelTracking = 0.3f;
constexpr float kLabelX = 24; // centre of the label column left of the numbers

const Rgba kDigitTop = hex(0xffffff);
const Rgba kDigitBottom = hex(0x9eefff);

void makeGlyph(const Font& font, char ch, const std::string& name)
{
    std::string text(1, ch);
    TextBox box = font.measure(text);
    int width = box.advance + 2 * kDigitSideSpace;
    Mask m(width, kDigitHeight);
    font.render(m, text, kDigitSideSpace, kDigitBaseline);

    Canvas c(width, kDigitHeight);
    // A dark rim and a cyan haze keep the number readable over anything.
    paintMask(c, fadedAtEdges(blurred(thickened(m, 1.4f), 1), kHaloFade), 0, 0,
        withAlpha(palette::ink, 0.85f));
    paintMask(c, fadedAtEdges(blurred(m, 1), kHaloFade), 0, 0, palette::cyan, Blend::add, 0.9f);
    paintMask(
        c, m, 0, 0, [](float, float y) { return mix(kDigitTop, kDigitBottom, y / kDigitHeight); });
    save(c, "main/" + name + ".png");
}

void makeDigits()
{
    Font font(kFontBold, kDigitFontSize);
    for (char d = '0'; d <= '9'; d++)
        makeGlyph(font, d, std::string(1, d));
    makeGlyph(font, '%', "pc");
}

// A small label centred on x, its baseline at y.
void label(Canvas& c, const Font& f, const std::string& text, int x, int y, Rgba colour)
{
    TextBox b = f.measure(text, kLabelTracking);
    Mask m = textMask(f, text, 1, kLabelTracking);
    paintMask(c, m, x - (b.right - b.left) / 2 - 1, y + b.top - 1, colour);
}

// A cross in a rounded shield: hull integrity.
void healthIcon(Canvas& c, Vec at)
{
    View v {at, 1};
    Shape shield = polygon({{-7, -7}, {7, -7}, {7, 1}, {0, 8}, {-7, 1}});
    Shape cross = unite(rect({0, -0.5f}, 1.4f, 4.5f), rect({0, -0.5f}, 4.5f, 1.4f));
    glow(c, v, shield, withAlpha(palette::cyan, 0.25f), 4);
    fill(c, v, outline(shield, 1.4f), palette::cyan);
    fill(c, v, cross, palette::white);
}

// A hostile chevron in a reticle: ships still to destroy.
void enemiesIcon(Canvas& c, Vec at)
{
    View v {at, 1};
    Rgba red = palette::hostileRed;
    glow(c, v, circle({0, 0}, 7), withAlpha(red, 0.2f), 4);
    fill(c, v, ring({0, 0}, 7, 1.4f), red);
    fill(c, v, polygon({{4, 0}, {-3, -4.5f}, {-1.5f, 0}, {-3, 4.5f}}), hex(0xffb0a8));
}

void makePanel()
{
    Canvas c(kPanelW, kPanelH);
    View v {{0, 0}, 1};
    const float chamfer = 26;
    Shape body = polygon({{0, chamfer}, {chamfer, 0}, {float(kPanelW + 10), 0},
        {float(kPanelW + 10), float(kPanelH + 10)}, {0, float(kPanelH + 10)}});
    // The glass darkens towards the screen corner so the numbers stand out.
    fill(
        c, v, body, linear({0, 0}, hex(0x0d1826, 0.78f), {0, float(kPanelH)}, hex(0x060a12, 0.9f)));
    // Fine horizontal scan lines give the glass some texture.
    for (int y = 4; y < kPanelH; y += 4)
        fill(c, v, rect({kPanelW / 2.0f, y + 0.5f}, kPanelW, 0.5f),
            withAlpha(palette::white, 0.025f));
    // The socket the radar sits in.
    fill(c, v, circle(kRadarCentre, kRadarRadius + 3), hex(0x03060c, 0.9f));
    fill(c, v, ring(kRadarCentre, kRadarRadius + 3, 1.2f), withAlpha(palette::cyanDeep, 0.8f));
    // Lit rim along the top and the chamfer, fading off to the right.
    Shape rim = polygon({{0, chamfer}, {chamfer, 0}, {float(kPanelW), 0}, {float(kPanelW), 1.5f},
        {chamfer + 0.6f, 1.5f}, {1.5f, chamfer + 0.6f}, {1.5f, float(kPanelH)},
        {0, float(kPanelH)}});
    glow(c, v, rim, withAlpha(palette::cyan, 0.18f), 5);
    fill(c, v, rim,
        linear({0, 0}, palette::cyan, {float(kPanelW), 0}, withAlpha(palette::cyanDeep, 0.6f)));
    // Between the two counters, a length of chain: the game's rope.
    for (int i = 0; i < 12; i++) {
        Vec at {22.0f + i * 13, 103};
        Shape link = i % 2 ? rect(at, 6.5f, 1, 1) : outline(rect(at, 6.5f, 3, 3), 1.4f);
        fill(c, v, link, withAlpha(palette::cyanDeep, i % 2 ? 0.55f : 0.75f));
    }
    // Short brackets framing each number.
    for (float y : {float(kHealthY), float(kEnemiesY)}) {
        fill(c, v, rect({kNumberX - 4.5f, y + 15}, 0.8f, 15), withAlpha(palette::cyanDeep, 0.8f));
        fill(c, v, rect({118, y + 31.5f}, 72, 0.5f), withAlpha(palette::cyanDeep, 0.45f));
    }

    Font small(kFontCondensedBold, 9);
    healthIcon(c, {kLabelX, kHealthY + 10.0f});
    label(c, small, "HEALTH", int(kLabelX), kHealthY + 30, hex(0xbfeeff));
    enemiesIcon(c, {kLabelX, kEnemiesY + 10.0f});
    label(c, small, "ENEMIES", int(kLabelX), kEnemiesY + 30, hex(0xffc8c0));
    save(c, "main/HUD.png");
}

void makeRadar()
{
    const int size = 200;
    Canvas c(size, size);
    View v {{0, 0}, 1};
    Vec o {100, 100};
    Shape disc = circle(o, kRadarRadius - 0.5f);
    fill(c, v, disc, radialGradient(o, kRadarRadius, hex(0x0c2230, 0.78f), hex(0x050b12, 0.88f)));
    Rgba faint = withAlpha(palette::cyan, 0.16f);
    for (float r : {33.0f, 66.0f})
        fill(c, v, ring(o, r, 1), faint);
    fill(c, v, intersect(disc, rect(o, kRadarRadius, 0.5f)), faint);
    fill(c, v, intersect(disc, rect(o, 0.5f, kRadarRadius)), faint);
    // Ticks every 30 degrees just inside the rim, longer on the axes.
    for (int i = 0; i < 12; i++) {
        float a = i * kPi / 6, inner = i % 3 == 0 ? 86 : 91;
        fill(c, v, capsule(o + polar(inner, a), o + polar(96, a), 0.6f),
            withAlpha(palette::cyan, 0.35f));
    }
    fill(c, v, ring(o, kRadarRadius - 1.5f, 1.6f), withAlpha(palette::cyan, 0.55f));
    fill(c, v, circle(o, 1.6f), withAlpha(palette::cyan, 0.6f));
    save(c, "main/radar.png");
}

void makeCursor()
{
    const int size = 32;
    Canvas c(size, size);
    View v {{16, 16}, 1};
    Shape ticks = radial(capsule({10.5f, 0}, {14.5f, 0}, 0.9f), 4);
    Shape sight = unite({ring({0, 0}, 7.5f, 1.6f), ticks, circle({0, 0}, 1.3f)});
    fill(c, v, grow(sight, 1.1f), withAlpha(palette::ink, 0.7f));
    glow(c, v, sight, withAlpha(palette::cyan, 0.35f), 3);
    fill(c, v, sight, hex(0xd8fbff));
    save(c, "main/cursor.png");
}

} // namespace

void makeHud()
{
    makeDigits();
    makePanel();
    makeRadar();
    makeCursor();
}
