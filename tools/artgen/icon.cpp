// The game's icon for the desktop menu: the dart ship towing a planet on a
// taut rope, on a tile of deep space. Drawn in 64 units and scaled to each
// size the hicolor theme asks for, so the small sizes are drawn, not shrunk.
#include "art.h"

#include <string>

namespace {

constexpr int kIconUnits = 64;
constexpr int kIconSizes[] = {48, 64, 128, 256};

void drawIcon(Canvas& c)
{
    const float k = float(c.width()) / kIconUnits; // pixels per unit
    const View v {{0, 0}, k};

    Shape tile = rect({32, 32}, 30, 30, 11);
    fill(c, v, tile, radialGradient({24, 22}, 46, hex(0x15264a), palette::spaceDeep));
    for (Vec star : {Vec {12, 44}, Vec {24, 54}, Vec {50, 12}, Vec {40, 8}, Vec {56, 30}})
        fill(c, v, circle(star, 0.7f), hex(0xcfe6ff, 0.8f));

    // The planet, lit from the upper left like every body in the game.
    const Vec planet {44, 44};
    glow(c, v, circle(planet, 13), hex(0x6fb8ff, 0.45f), 3);
    fill(c, v, circle(planet, 13), radialGradient({39, 38}, 19, hex(0x9ad8d8), hex(0x2a2e6a)));

    // The rope from the ship's tail to the hook biting into the planet.
    const Vec tail {20, 20}, bite {35.5f, 35.5f};
    Shape rope = capsule(tail, bite, 1.1f);
    glow(c, v, rope, withAlpha(palette::cyan, 0.35f), 2.5f);
    fill(c, v, rope, linear(tail, palette::steelLight, bite, palette::cyan));
    drawHook(c, {bite * k, 0.55f * k, kPi / 4});

    // The dart, nose away from the planet: it is pulling.
    drawShip(c, {Vec {15, 15} * k, 0.42f * k, -3 * kPi / 4}, 2);
    fill(c, v, outline(tile, 0.8f), withAlpha(palette::cyanDeep, 0.8f));
}

} // namespace

void makeIcon()
{
    for (int size : kIconSizes) {
        Canvas c(size, size);
        drawIcon(c);
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        save(c, "icons/hicolor/" + folder + "/apps/tether.png");
    }
}
