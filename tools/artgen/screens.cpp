// The title screen and the two end-of-level overlays. The game draws its
// own frames, map name and key dots over the title, so the picture keeps
// those places clear: the ship frame (320,105)-(450,160), the three ship
// boxes from (125 + 200k, 165) to (275 + 200k, 340), the map frame
// (320,375)-(450,435), the map-name band around y = 500 and the arrows at
// (47, 500) and (750, 500).
#include "art.h"
#include "hull.h"
#include "text.h"

#include <string>

namespace {

constexpr int kScreenW = 800, kScreenH = 600;

// Where the game draws over the title, in screen pixels.
struct Frame {
    float x0, y0, x1, y1;
};
constexpr Frame kShipFrame {320, 105, 450, 160};
constexpr Frame kMapFrame {320, 375, 450, 435};
constexpr float kShipBoxLeft = 125, kShipBoxStep = 200, kShipBoxWidth = 150;
constexpr float kShipBoxTop = 165, kShipBoxBottom = 340;
// The game writes the map name in 8x8 text with its top at y = 500.
constexpr float kBandY = 502, kBandLeft = 80, kBandRight = 720, kBandHalfHeight = 17;
constexpr Vec kLeftArrow {47, 500}, kRightArrow {750, 500};

const Rgba kLabel = hex(0xcfefff);
const Rgba kQuiet = hex(0x8ea4bb);

// Text centred on (cx, cy) by its ink, in a vertical gradient, with a soft
// halo of the glow colour and a dark edge so it reads over anything.
void headline(Canvas& c, const Font& f, const std::string& text, float cx, float cy, Rgba top,
    Rgba bottom, Rgba halo, float tracking = 0, int haloRadius = 6)
{
    const int pad = haloRadius * 3 + 4;
    Mask m = textMask(f, text, pad, tracking);
    int x = int(cx - m.w / 2.0f), y = int(cy - m.h / 2.0f);
    float inkTop = y + pad, inkH = m.h - 2 * pad;
    paintMask(c, blurred(m, haloRadius), x, y, halo, Blend::add, 1.6f);
    paintMask(c, blurred(thickened(m, 1.5f), 1), x, y, withAlpha(palette::ink, 0.8f));
    paintMask(c, m, x, y,
        [&](float, float py) { return mix(top, bottom, clamp01((py - inkTop) / inkH)); });
}

// Plain text centred on (cx, cy) by its ink.
void caption(Canvas& c, const Font& f, const std::string& text, float cx, float cy, Rgba colour,
    float tracking = 0)
{
    Mask m = textMask(f, text, 2, tracking);
    paintMask(c, m, int(cx - m.w / 2.0f + 0.5f), int(cy - m.h / 2.0f + 0.5f), colour);
}

// A dark glass plate with a faint lit edge, inset inside a frame the game
// outlines itself.
void plate(Canvas& c, Frame f, float alpha)
{
    constexpr float inset = 2.5f;
    View v {{0, 0}, 1};
    float x0 = f.x0 + inset, y0 = f.y0 + inset, x1 = f.x1 - inset, y1 = f.y1 - inset;
    Shape s = rect({(x0 + x1) / 2, (y0 + y1) / 2}, (x1 - x0) / 2, (y1 - y0) / 2, 6);
    fill(c, v, s, linear({0, y0}, hex(0x102033, alpha), {0, y1}, hex(0x070c16, alpha)));
    fill(c, v, outline(grow(s, -0.5f), 1), withAlpha(palette::cyanDeep, 0.45f));
}

struct ShipCard {
    const char* name;
    const char* handling;
};
const ShipCard kCards[3] = {
    {"DRIFT", "steers anywhere, never turns"},
    {"VECTOR", "turns toward the key direction"},
    {"CLASSIC", "rotate and thrust, Q/E strafe"},
};

void shipBoxes(Canvas& c)
{
    Font name(kFontBold, 15), small(kFontSans, 11);
    for (int k = 0; k < 3; k++) {
        Frame box {kShipBoxLeft + kShipBoxStep * k, kShipBoxTop,
            kShipBoxLeft + kShipBoxStep * k + kShipBoxWidth, kShipBoxBottom};
        float cx = (box.x0 + box.x1) / 2, shipY = box.y0 + 75;
        plate(c, box, 0.85f);
        glow(c, {{cx, shipY}, 1}, circle({0, 0}, 40), withAlpha(palette::cyanDeep, 0.12f), 30);
        drawShip(c, {{cx, shipY}, 2.6f}, k + 1);
        // The name inside the box, how it handles just below it.
        caption(c, name, kCards[k].name, cx, box.y1 - 22, kLabel, 2.5f);
        caption(c, small, kCards[k].handling, cx, box.y1 + 14, kQuiet);
    }
}

// A frame's label, centred in it.
void frameLabel(Canvas& c, const Font& f, const std::string& text, Frame frame)
{
    plate(c, frame, 0.75f);
    headline(c, f, text, (frame.x0 + frame.x1) / 2, (frame.y0 + frame.y1) / 2, hex(0xffffff),
        kLabel, withAlpha(palette::cyanDeep, 0.4f), 5, 4);
}

// A bright arrow pointing left (dir -1) or right (+1), centred on (cx, cy).
void arrow(Canvas& c, Vec centre, float dir)
{
    View v {centre, 1};
    Shape head = polygon({{20 * dir, 0}, {-14 * dir, -21}, {-8 * dir, 0}, {-14 * dir, 21}});
    Shape body = grow(head, 2.5f); // rounded corners
    glow(c, v, body, withAlpha(palette::cyan, 0.35f), 14);
    fill(c, v, grow(body, 1.2f), withAlpha(palette::ink, 0.9f));
    fill(c, v, body, linear({0, -20}, hex(0xffffff), {0, 20}, hex(0xb8f2ff)));
}

// The controls line: key names lit, the words between them quiet.
void controls(Canvas& c, float cy)
{
    Font keys(kFontBold, 13), words(kFontSans, 13);
    struct Piece {
        const Font* font;
        const char* text;
        Rgba colour;
    };
    const Piece pieces[]
        = {{&keys, "ARROWS", palette::cyan}, {&words, " choose map and ship     ", kQuiet},
            {&keys, "SPACE", palette::cyan}, {&words, " starts     ", kQuiet},
            {&keys, "ESC", palette::cyan}, {&words, " quits", kQuiet}};
    int total = 0;
    for (const Piece& p : pieces)
        total += p.font->measure(p.text).advance;
    Mask line(total + 4, 24);
    int pen = 2;
    float x0 = 400 - line.w / 2.0f;
    for (const Piece& p : pieces) {
        Mask m(line.w, line.h);
        p.font->render(m, p.text, pen, 17);
        paintMask(c, m, int(x0), int(cy - 12), p.colour);
        pen += p.font->measure(p.text).advance;
    }
}

void makeTitle()
{
    Canvas c(kScreenW, kScreenH);
    drawDeepSpace(c, 100, 60);
    View v {{0, 0}, 1};

    // The name, with a taut rope beneath it.
    Font title(kFontBold, 84);
    headline(c, title, "TETHER", 400, 54, hex(0xffffff), hex(0x7fe6ff),
        withAlpha(palette::cyanDeep, 0.5f), 12, 8);
    // A taut rope under the name with a hook at each end.
    Shape rope = capsule({150, 100}, {650, 100}, 0.9f);
    glow(c, v, rope, withAlpha(palette::cyan, 0.25f), 6);
    fill(c, v, rope, linear({150, 0}, palette::steelLight, {400, 0}, palette::cyan));
    fill(c, v, rope, linear({650, 0}, palette::steelLight, {400, 0}, palette::cyan));
    drawHook(c, {{140, 100}, 1.8f, kPi});
    drawHook(c, {{660, 100}, 1.8f, 0});

    Font heading(kFontCondensedBold, 26);
    frameLabel(c, heading, "SHIP", kShipFrame);
    shipBoxes(c);
    frameLabel(c, heading, "MAP", kMapFrame);

    // The band the map's name is written in, white on near black, between
    // the arrows that change it.
    Shape band = rect(
        {(kBandLeft + kBandRight) / 2, kBandY}, (kBandRight - kBandLeft) / 2, kBandHalfHeight, 8);
    fill(c, v, grow(band, 6), withAlpha(palette::spaceDeep, 0.6f));
    fill(c, v, band, hex(0x03050a));
    fill(c, v, outline(band, 1), withAlpha(palette::cyanDeep, 0.7f));
    arrow(c, kLeftArrow, -1);
    arrow(c, kRightArrow, 1);

    controls(c, 568);
    save(c, "main/titlescreen.png");
}

// A see-through overlay: the frozen battle shows through a dimming veil,
// darker in a band behind the words.
void makeOverlay(
    const std::string& words, Rgba top, Rgba bottom, Rgba halo, const std::string& file)
{
    Canvas c(kScreenW, kScreenH);
    View v {{0, 0}, 1};
    fill(c, v, rect({400, 300}, 400, 300), hex(0x02040a, 0.35f));
    Shape band = rect({400, 300}, 460, 40);
    fill(c, v, grow(band, 80), [](Vec p) {
        float t = clamp01((std::fabs(p.y - 300) - 40) / 80);
        return hex(0x02040a, 0.5f * (1 - t * t));
    });
    fill(c, v, rect({400, 248}, 300, 0.7f), withAlpha(halo, 0.6f));
    fill(c, v, rect({400, 352}, 300, 0.7f), withAlpha(halo, 0.6f));
    Font big(kFontBold, 80);
    headline(c, big, words, 400, 300, top, bottom, withAlpha(halo, 0.6f), 8, 10);
    save(c, "main/" + file);
}

} // namespace

void makeScreens()
{
    makeTitle();
    makeOverlay("GAME OVER", hex(0xffe0d8), hex(0xff5a3c), hex(0xff2a10), "gameover.png");
    makeOverlay("VICTORY", hex(0xffffff), hex(0xffd45a), hex(0xffb020), "victory.png");
}
