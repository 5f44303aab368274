// The game's images, grouped by sheet. Each make* function draws its
// images and saves them under the output directory, under the paths the
// game loads them from (main/, sprites/, effects/, worldsprites/), and the
// desktop icon under icons/, which is installed apart from the game folder.
#pragma once

#include "canvas.h"
#include "shape.h"

#include <string>

// Saves a finished image as dir/relativePath, making folders as needed.
// A failed write ends the generator with status 1.
void save(const Canvas& c, const std::string& relativePath);
// The output directory given on the command line.
extern std::string gOutputDir;

void makeHud(); // digits, panel, radar, cursor
void makeScreens(); // title, game over, victory
void makeShips(); // the player's ships, hook, rope node, chain link
void makeEnemies(); // the twelve enemy hulls and their gun turrets
void makeBodies(); // planet, sun, mine, pellet
void makeEffects(); // flames, explosions, energy ball, saw disc, force field
void makeSpace(); // the four parallax layers
void makeIcon(); // the desktop icon, icons/hicolor/<size>/apps/tether.png

// Ships are drawn by the title screen too, larger: View places them.
void drawShip(Canvas& c, const View& v, int kind);
// The grappling hook, claw towards +x; the title uses it too.
void drawHook(Canvas& c, const View& v);
// The farthest parallax layer tiled across a canvas, starting that far
// into the tile, for the screens.
void drawDeepSpace(Canvas& c, int offsetX, int offsetY);

// The shared palette: deep blue space, cool steel and cyan for the player,
// hot colours for the enemy.
namespace palette {
const Rgba spaceDeep = hex(0x04050c);
const Rgba steelLight = hex(0xdce6f0);
const Rgba steel = hex(0x8fa3b8);
const Rgba steelDark = hex(0x2c3a4a);
const Rgba ink = hex(0x0b1018);
const Rgba cyan = hex(0x52e4ff);
const Rgba cyanDeep = hex(0x1487c8);
const Rgba white = hex(0xffffff);
const Rgba hostileRed = hex(0xff4a3d);
const Rgba energyGreen = hex(0x7dff7a);
} // namespace palette
