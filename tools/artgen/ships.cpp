// The player's three ships, the grappling hook, the rope node and the chain
// link. Ships face +x with a collision radius of 18; ships 2 and 3 carry
// their hook mount 22 and 17 units behind the centre, at the tail.
#include "art.h"
#include "hull.h"

namespace {

constexpr int kShipImage = 48;

// Ship 1, "drift", never turns: a round saucer that looks the same
// whichever way it travels.
void drawSaucer(Canvas& c, const View& v)
{
    glow(c, v, circle({0, 0}, 19), withAlpha(palette::cyanDeep, 0.25f), 4);
    paintHull(c, v, circle({0, 0}, 21), palette::steel);
    fill(c, v, ring({0, 0}, 15.5f, 1.6f), withAlpha(palette::steelDark, 0.9f));
    for (int i = 0; i < 8; i++)
        paintLight(c, v, polar(18.2f, i * kPi / 4 + kPi / 8), 1.3f, palette::cyan);
    paintHull(c, v, circle({0, 0}, 12.5f), palette::steelLight);
    paintGlass(c, v, {0, 0}, 7.5f, 7.5f, palette::cyan);
}

// Ship 2, "vector": a slim dart that turns towards the keys.
void drawDart(Canvas& c, const View& v)
{
    Shape body = symmetric({{24, 0}, {11, -3.5f}, {-3, -7}, {-14, -20}, {-19.5f, -20}, {-16, -9},
        {-22, -5}, {-22, 0}});
    glow(c, v, body, withAlpha(palette::cyanDeep, 0.22f), 3.5f);
    paintHull(c, v, body, palette::steel);
    // Wing spars, lit along the leading edge.
    Shape spars = mirrorY(capsule({-4, -8.5f}, {-15.5f, -18.5f}, 0.9f));
    fill(c, v, spars, palette::cyan);
    paintHull(c, v, symmetric({{14, 0}, {2, -4.5f}, {-18, -4.5f}, {-18, 0}}), palette::steelLight);
    fill(c, v, rect({-20.5f, 0}, 2, 3.5f, 1), palette::steelDark);
    paintLight(c, v, {-21.5f, 0}, 1.6f, palette::cyan);
    paintGlass(c, v, {6, 0}, 6, 2.6f, palette::cyan);
}

// Ship 3, "classic": rotate and thrust. A broad fuselage between twin
// engine nacelles on stub wings.
void drawTwinBoom(Canvas& c, const View& v)
{
    Shape wings = symmetric({{8, 0}, {2, -15}, {-6, -17}, {-14, -17}, {-16, 0}});
    Shape nacelles = mirrorY(capsule({-18, -15.5f}, {4, -15.5f}, 3.6f));
    Shape fuselage
        = symmetric({{23, 0}, {14, -3.6f}, {2, -6.2f}, {-12, -6}, {-17, -3.5f}, {-17, 0}});
    glow(c, v, unite({wings, nacelles, fuselage}), withAlpha(palette::cyanDeep, 0.22f), 3.5f);
    paintHull(c, v, wings, palette::steel);
    fill(c, v, mirrorY(capsule({-11, -9.5f}, {1, -9.5f}, 0.7f)), withAlpha(palette::cyan, 0.8f));
    paintHull(c, v, nacelles, palette::steelLight);
    for (float y : {-15.5f, 15.5f}) {
        fill(c, v, rect({-18.5f, y}, 1.5f, 2.6f, 0.8f), palette::steelDark);
        paintLight(c, v, {-19.5f, y}, 1.3f, palette::cyan);
        fill(c, v, rect({3, y}, 1.2f, 3, 0.8f), palette::steelDark);
    }
    paintHull(c, v, fuselage, palette::steelLight);
    fill(c, v, mirrorY(capsule({-12, -3.6f}, {0, -4.2f}, 0.5f)),
        withAlpha(palette::steelDark, 0.7f));
    paintGlass(c, v, {7, 0}, 6.5f, 3, palette::cyan);
}

void makeHook()
{
    Canvas c(20, 20);
    drawHook(c, {{10, 10}, 1});
    save(c, "sprites/hook.png");
}

void makeNode()
{
    Canvas c(24, 24);
    View v {{12, 12}, 1};
    Shape buoy = circle({0, 0}, 10);
    glow(c, v, buoy, withAlpha(palette::cyanDeep, 0.3f), 2);
    fill(c, v, buoy, hex(0x0d141c));
    fill(c, v, circle({0, 0}, 9),
        radialGradient({-3, -4}, 13, palette::steelLight, palette::steelDark));
    fill(c, v, ring({0, 0}, 6.2f, 1.6f), withAlpha(palette::ink, 0.8f));
    for (int i = 0; i < 4; i++)
        fill(c, v, circle(polar(7.8f, i * kPi / 2 + kPi / 4), 0.9f), palette::steelDark);
    paintLight(c, v, {0, 0}, 2.6f, palette::cyan);
    save(c, "sprites/node.png");
}

// One link lying along x; the game stretches it along the rope.
void makeChainLink()
{
    Canvas c(16, 8);
    View v {{8, 4}, 1};
    Shape link = outline(rect({0, 0}, 6.8f, 3, 3), 1.9f);
    fill(c, v, grow(link, 0.45f), withAlpha(palette::ink, 0.8f));
    fill(c, v, link, linear({0, -3}, palette::steelLight, {0, 3}, palette::steel));
    save(c, "effects/gChain.png");
}

} // namespace

void drawHook(Canvas& c, const View& v)
{
    Shape shaft = capsule({-5.5f, 0}, {3, 0}, 1.4f);
    Shape eye = ring({-6.6f, 0}, 2.1f, 1.6f);
    // Two curved tines sweeping forward to points, and a spike between.
    Shape tine = unite(arc({1, 0}, 6.2f, 2.2f, -kPi * 0.66f, -kPi * 0.12f),
        polygon({{6.2f, -3.6f}, {9.8f, -0.6f}, {5, -1}}));
    Shape claw
        = unite({shaft, eye, mirrorY(tine), polygon({{9.6f, 0}, {2.5f, -1.8f}, {2.5f, 1.8f}})});
    glow(c, v, claw, withAlpha(palette::cyan, 0.35f), 2.5f);
    fill(c, v, grow(claw, 0.6f), withAlpha(palette::ink, 0.9f));
    fill(c, v, claw, linear({0, -7}, hex(0xffffff), {0, 7}, palette::steel));
    paintLight(c, v, {-0.5f, 0}, 1.1f, palette::cyan);
}

void drawShip(Canvas& c, const View& v, int kind)
{
    switch (kind) {
    case 1: drawSaucer(c, v); break;
    case 2: drawDart(c, v); break;
    default: drawTwinBoom(c, v); break;
    }
}

void makeShips()
{
    for (int kind = 1; kind <= 3; kind++) {
        Canvas c(kShipImage, kShipImage);
        drawShip(c, {{kShipImage / 2.0f, kShipImage / 2.0f}, 1}, kind);
        save(c, "sprites/ship" + std::to_string(kind) + ".png");
    }
    makeHook();
    makeNode();
    makeChainLink();
}
