// The enemy's twelve hulls and the four gun turrets mounted on three of
// them. Each hull image is a square of side 2 * radius + 16 with the hull
// centred and facing +x, sized to the collision radius in game/data. The
// enemy's look: warm gunmetal plating lit by one hot colour per class.
#include "art.h"
#include "hull.h"
#include "text.h"

#include <functional>
#include <string>

namespace {

struct EnemyLook {
    Rgba plate; // hull base
    Rgba accent; // lights, weapons, glass
};

// Turret mounts, in hull units from the centre; the game's data file
// gives the same points in image pixels (centre + these).
constexpr Vec kGunboatMount {8, 0};
constexpr float kFrigateMountX = 4, kFrigateMountY = 16;
constexpr Vec kCarrierMount {4, 0};

void mountPlate(Canvas& c, const View& v, Vec at, float r, const EnemyLook& look)
{
    fill(c, v, circle(at, r + 1), hex(0x120a0c));
    fill(c, v, circle(at, r),
        radialGradient(
            at - Vec {1, 1.5f}, r * 1.6f, mix(look.plate, hex(0xffffff), 0.2f), hex(0x1a1012)));
    fill(c, v, ring(at, r - 1, 0.8f), withAlpha(look.accent, 0.7f));
}

// 1: gunboat, a plain wedge with one gun on the foredeck.
void gunboat(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape hull
        = symmetric({{21, 0}, {12, -7}, {-4, -12}, {-17, -15}, {-14, -6}, {-19, -4}, {-19, 0}});
    paintHull(c, v, hull, k.plate);
    paintHull(c, v, symmetric({{2, 0}, {-2, -6}, {-14, -7}, {-14, 0}}),
        mix(k.plate, hex(0x000000), 0.2f));
    fill(c, v, mirrorY(capsule({-2, -10}, {-13, -12.5f}, 0.8f)), k.accent);
    paintLight(c, v, {-18, -2.5f}, 1.2f, k.accent);
    paintLight(c, v, {-18, 2.5f}, 1.2f, k.accent);
    paintGlass(c, v, {-6, 0}, 3.5f, 2.5f, k.accent);
    mountPlate(c, v, kGunboatMount, 5, k);
}

// 2: frigate, a spine between two gun sponsons.
void frigate(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape struts = mirrorY(polygon({{0, -4}, {-4, -17}, {-14, -17}, {-16, -4}}));
    paintHull(c, v, struts, mix(k.plate, hex(0x000000), 0.3f));
    for (float y : {-kFrigateMountY, kFrigateMountY}) {
        paintHull(c, v, rect({-2, y}, 15, 6.5f, 4), k.plate);
        paintLight(c, v, {-16, y}, 1.3f, k.accent);
        fill(c, v,
            capsule({-10, y + (y < 0 ? -3.5f : 3.5f)}, {8, y + (y < 0 ? -3.5f : 3.5f)}, 0.6f),
            withAlpha(k.accent, 0.8f));
    }
    paintHull(c, v, symmetric({{25, 0}, {16, -5}, {-18, -6}, {-23, -3}, {-23, 0}}), k.plate);
    paintGlass(c, v, {12, 0}, 4, 2.2f, k.accent);
    paintLight(c, v, {-22, 0}, 1.5f, k.accent);
    for (float y : {-kFrigateMountY, kFrigateMountY})
        mountPlate(c, v, {kFrigateMountX, y}, 5, k);
}

// 3: carrier, a broad armoured slab with a hangar mouth and one turret.
void carrier(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape hull
        = symmetric({{32, 0}, {27, -13}, {10, -24}, {-20, -25}, {-30, -18}, {-32, -8}, {-32, 0}});
    paintHull(c, v, hull, k.plate);
    paintHull(c, v, symmetric({{20, 0}, {16, -9}, {4, -16}, {-18, -17}, {-24, -10}, {-24, 0}}),
        mix(k.plate, hex(0xffffff), 0.08f));
    // Hangar mouth at the bow, lit inside.
    fill(c, v, rect({24, 0}, 6, 7, 2), hex(0x0c0607));
    for (float y : {-4.0f, 0.0f, 4.0f})
        fill(c, v, rect({25, y}, 3.5f, 0.8f), withAlpha(k.accent, 0.8f));
    // Armour seams and a row of running lights down each flank.
    fill(c, v, mirrorY(capsule({-22, -12}, {8, -12}, 0.5f)), withAlpha(hex(0x000000), 0.5f));
    for (int i = 0; i < 4; i++) {
        float x = -18 + i * 8;
        paintLight(c, v, {x, -20}, 1.1f, k.accent);
        paintLight(c, v, {x, 20}, 1.1f, k.accent);
    }
    for (float y : {-10.0f, 0.0f, 10.0f})
        paintLight(c, v, {-31, y}, 1.6f, k.accent);
    mountPlate(c, v, kCarrierMount, 7, k);
}

// 4: spinner, four gun arms about a core, the same from every side as it
// turns.
void spinner(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape arms = radial(symmetric({{20, 0}, {20, -3}, {10, -6}, {4, -7}, {4, 0}}), 4);
    paintHull(c, v, arms, k.plate);
    paintHull(c, v, circle({0, 0}, 11), mix(k.plate, hex(0x000000), 0.15f));
    fill(c, v, ring({0, 0}, 8, 1.2f), withAlpha(k.accent, 0.7f));
    for (int i = 0; i < 4; i++) {
        float a = i * kPi / 2;
        fill(c, v, capsule(polar(12, a), polar(21.5f, a), 1.4f), hex(0x1a1012));
        paintLight(c, v, polar(21, a), 1.3f, k.accent);
        paintLight(c, v, polar(9, a + kPi / 4), 1, k.accent);
    }
    paintGlass(c, v, {0, 0}, 5, 5, k.accent);
}

// 5: lightning caster, a fork of two coil prongs with a spark between them.
void caster(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape prongs = mirrorY(capsule({-4, -8}, {18, -10}, 3.2f));
    paintHull(c, v, prongs, mix(k.plate, hex(0xffffff), 0.25f));
    for (int i = 0; i < 3; i++)
        fill(c, v, mirrorY(rect({2 + i * 5.0f, -8.8f - i * 0.4f}, 1, 4, 0.8f)),
            mix(k.accent, hex(0x000000), 0.35f));
    paintHull(c, v, ellipse({-6, 0}, 16, 12), k.plate);
    fill(c, v, ring({-6, 0}, 7.5f, 1.2f), withAlpha(k.accent, 0.75f));
    paintGlass(c, v, {-6, 0}, 4.5f, 4.5f, k.accent);
    Shape spark = unite({capsule({20, -9}, {23, -4}, 0.6f), capsule({23, -4}, {19, 1}, 0.6f),
        capsule({19, 1}, {22, 5}, 0.6f), capsule({22, 5}, {20, 9}, 0.6f)});
    glow(c, v, spark, withAlpha(k.accent, 0.6f), 4);
    fill(c, v, spark, hex(0xf4e8ff));
    for (float y : {-10.0f, 10.0f})
        paintLight(c, v, {20, y}, 3, k.accent);
    for (float y : {-6.0f, 6.0f})
        paintLight(c, v, {-21, y}, 1.2f, k.accent);
}

// A saw blade for the shredder hulls: a toothed disc about `at`.
void sawBlade(Canvas& c, const View& v, Vec at, float r, const EnemyLook& k)
{
    Shape tooth = polygon({{r * 0.7f, -r * 0.3f}, {r * 1.05f, -r * 0.05f}, {r * 0.75f, r * 0.25f}});
    Shape saw = unite(circle({0, 0}, r * 0.8f), radial(tooth, 8));
    View at2 {v.origin + rotate(at * v.scale, v.angle), v.scale, v.angle};
    glow(c, at2, saw, withAlpha(k.accent, 0.35f), 3);
    fill(c, at2, grow(saw, 0.5f), hex(0x1a1012));
    fill(c, at2, saw, radialGradient({-r * 0.4f, -r * 0.5f}, r * 2, hex(0xf0ece4), hex(0x8a8480)));
    fill(c, at2, ring({0, 0}, r * 0.5f, 0.9f), withAlpha(k.accent, 0.9f));
    fill(c, at2, circle({0, 0}, r * 0.22f), hex(0x1a1012));
}

// 6: shredder thrower, a claw that cradles its next saw disc.
void shredder(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape claw = subtract(
        symmetric({{18, -6}, {12, -16}, {-4, -21}, {-18, -16}, {-23, 0}}), circle({11, 0}, 11));
    paintHull(c, v, claw, k.plate);
    fill(c, v, arc({11, 0}, 12.5f, 1.2f, kPi * 0.55f, kPi * 1.45f), withAlpha(k.accent, 0.8f));
    paintLight(c, v, {-21, -4}, 1.2f, k.accent);
    paintLight(c, v, {-21, 4}, 1.2f, k.accent);
    paintGlass(c, v, {-10, 0}, 3.5f, 3, k.accent);
    sawBlade(c, v, {11, 0}, 8.5f, k);
}

// 7: twin shredder, two claws on a shared keel.
void twinShredder(Canvas& c, const View& v, const EnemyLook& k)
{
    paintHull(c, v, symmetric({{6, 0}, {-4, -8}, {-24, -10}, {-29, -4}, {-29, 0}}),
        mix(k.plate, hex(0x000000), 0.2f));
    for (float y : {-13.0f, 13.0f}) {
        Shape claw = subtract(rect({-2, y}, 18, 11, 8), circle({13, y}, 9));
        paintHull(c, v, claw, k.plate);
        fill(c, v, arc({13, y}, 10.5f, 1.1f, kPi * 0.55f, kPi * 1.45f), withAlpha(k.accent, 0.8f));
        paintLight(c, v, {-18, y}, 1.3f, k.accent);
        sawBlade(c, v, {12, y}, 7, k);
    }
    paintGlass(c, v, {-10, 0}, 4, 3, k.accent);
}

// 8: rail-gun sniper, a long needle of twin rails.
void sniper(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape fins = symmetric({{-8, 0}, {-12, -12}, {-20, -14}, {-18, 0}});
    paintHull(c, v, fins, mix(k.plate, hex(0x000000), 0.2f));
    paintHull(c, v, symmetric({{8, 0}, {2, -6}, {-14, -7}, {-21, -4}, {-21, 0}}), k.plate);
    for (float y : {-3.0f, 3.0f})
        paintHull(c, v, rect({12, y}, 11, 1.4f, 0.6f), hex(0x8a8488));
    for (int i = 0; i < 4; i++)
        fill(c, v, rect({6 + i * 4.5f, 0}, 0.8f, 4.6f, 0.5f), withAlpha(k.accent, 0.9f));
    glow(c, v, capsule({4, 0}, {23, 0}, 0.6f), withAlpha(k.accent, 0.5f), 3);
    paintLight(c, v, {23, 0}, 1.5f, k.accent);
    paintGlass(c, v, {-6, 0}, 4, 2.4f, k.accent);
    paintLight(c, v, {-20, 0}, 1.4f, k.accent);
}

// 9: wildcard, an odd hull carrying a bit of every weapon.
void wildcard(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape body = polygon({{20, 0}, {10, -15}, {-8, -19}, {-21, -8}, {-19, 10}, {-6, 19}, {12, 14}});
    paintHull(c, v, body, k.plate);
    // Harlequin panels in three hostile colours.
    const Rgba colours[3] = {hex(0xff4a3d), hex(0xb070ff), hex(0xb8f040)};
    const Vec spots[3] = {{4, -8}, {-8, 6}, {6, 7}};
    for (int i = 0; i < 3; i++)
        fill(c, v,
            polygon({spots[i] + Vec {0, -5}, spots[i] + Vec {4, 0}, spots[i] + Vec {0, 5},
                spots[i] + Vec {-4, 0}}),
            withAlpha(colours[i], 0.55f));
    paintHull(c, v, rect({14, 0}, 10, 1.6f, 0.6f), hex(0x8a8488));
    paintLight(c, v, {24, 0}, 1.3f, colours[0]);
    paintLight(c, v, {-4, -20}, 3, colours[1]);
    sawBlade(c, v, {-6, 18}, 5, {k.plate, colours[2]});
    paintGlass(c, v, {-6, -2}, 4, 4, k.accent);
}

// 10: rammer, no gun: a steel ram on big engines.
void rammer(Canvas& c, const View& v, const EnemyLook& k)
{
    paintHull(
        c, v, symmetric({{12, 0}, {6, -9}, {-4, -14}, {-15, -14}, {-17, -6}, {-17, 0}}), k.plate);
    paintHull(c, v, symmetric({{20, 0}, {11, -8}, {7, -9}, {10, -3}, {8, 0}}), hex(0xc8c0c0));
    for (float y : {-8.0f, 8.0f}) {
        fill(c, v, rect({-16, y}, 2.5f, 4, 1), hex(0x1a1012));
        paintLight(c, v, {-17.5f, y}, 2.2f, k.accent);
    }
    fill(c, v, mirrorY(capsule({-10, -11}, {2, -9}, 0.7f)), withAlpha(k.accent, 0.8f));
    paintGlass(c, v, {-3, 0}, 3.5f, 2.8f, k.accent);
}

// 11: scout, small and quick on forward-swept wings.
void scout(Canvas& c, const View& v, const EnemyLook& k)
{
    paintHull(c, v, symmetric({{3, -3}, {7, -12}, {3, -13.5f}, {-8, -6}, {-6, 0}}), k.plate);
    paintHull(c, v, symmetric({{15, 0}, {6, -3.5f}, {-10, -4}, {-13, -2}, {-13, 0}}),
        mix(k.plate, hex(0xffffff), 0.1f));
    paintLight(c, v, {6, -12}, 1, k.accent);
    paintLight(c, v, {6, 12}, 1, k.accent);
    paintLight(c, v, {-13, 0}, 1.4f, k.accent);
    paintGlass(c, v, {4, 0}, 3.5f, 2, k.accent);
}

// 12: dreadnought, layered armour round the great energy cannon at its bow.
void dreadnought(Canvas& c, const View& v, const EnemyLook& k)
{
    Shape wings = symmetric({{0, -14}, {-14, -38}, {-26, -39}, {-32, -24}, {-30, 0}});
    paintHull(c, v, wings, mix(k.plate, hex(0x000000), 0.25f));
    paintHull(c, v,
        symmetric({{42, 0}, {34, -9}, {18, -13}, {4, -22}, {-28, -24}, {-40, -14}, {-42, 0}}),
        k.plate);
    paintHull(c, v, symmetric({{24, 0}, {14, -9}, {-2, -15}, {-30, -15}, {-34, 0}}),
        mix(k.plate, hex(0xffffff), 0.07f));
    fill(c, v, mirrorY(capsule({-28, -8}, {10, -8}, 0.5f)), withAlpha(hex(0x000000), 0.5f));
    fill(c, v, rect({-10, 0}, 14, 3, 1.5f), hex(0x120a0c));
    for (int i = 0; i < 4; i++)
        paintLight(c, v, {-20 + i * 6.0f, 0}, 1.1f, k.accent);
    for (float y : {-33.0f, 33.0f})
        paintLight(c, v, {-22, y}, 1.6f, k.accent);
    for (float y : {-15.0f, -5.0f, 5.0f, 15.0f})
        paintLight(c, v, {-41, y}, 2, k.accent);
    // The cannon: a ring of emitters round a green-white core.
    Vec bow {29, 0};
    fill(c, v, circle(bow, 9), hex(0x120a0c));
    fill(c, v, ring(bow, 7.5f, 1.5f), hex(0x6a6266));
    glow(c, v, circle(bow, 4), withAlpha(palette::energyGreen, 0.7f), 8);
    fill(c, v, circle(bow, 5), radialGradient(bow, 5, hex(0xffffff), palette::energyGreen));
    paintGlass(c, v, {-2, 0}, 5, 3.5f, k.accent);
}

struct EnemyClass {
    int radius; // collision radius, as in game/data
    EnemyLook look;
    std::function<void(Canvas&, const View&, const EnemyLook&)> draw;
};

const EnemyClass kClasses[12] = {
    {20, {hex(0x6e2a30), hex(0xff4a3d)}, gunboat},
    {26, {hex(0x6e4228), hex(0xff9a30)}, frigate},
    {32, {hex(0x665438), hex(0xffc040)}, carrier},
    {22, {hex(0x5e2a5e), hex(0xff48c8)}, spinner},
    {24, {hex(0x40306e), hex(0xb070ff)}, caster},
    {24, {hex(0x4c5426), hex(0xc0f040)}, shredder},
    {30, {hex(0x605420), hex(0xffe040)}, twinShredder},
    {22, {hex(0x602842), hex(0xff4070)}, sniper},
    {26, {hex(0x3e3648), hex(0xff7050)}, wildcard},
    {18, {hex(0x762222), hex(0xff2a2a)}, rammer},
    {14, {hex(0x6e2a54), hex(0xff6ab8)}, scout},
    {40, {hex(0x52222a), hex(0xff6030)}, dreadnought},
};

// A turret: a round base on the mount with barrels along +x, pivoting on
// the image centre.
void makeTurret(int n, const EnemyLook& look, int barrels)
{
    Canvas c(20, 12);
    View v {{10, 6}, 1};
    for (int b = 0; b < barrels; b++) {
        float y = barrels == 1 ? 0 : (b == 0 ? -2.2f : 2.2f);
        paintHull(c, v, rect({5, y}, 5, barrels == 1 ? 1.8f : 1.4f, 0.5f), hex(0x9a9094));
        fill(c, v, rect({9.2f, y}, 0.8f, barrels == 1 ? 1.8f : 1.4f), look.accent);
    }
    paintHull(c, v, circle({0, 0}, 5), mix(look.plate, hex(0xffffff), 0.3f));
    fill(c, v, ring({0, 0}, 3.2f, 1), look.accent);
    fill(c, v, circle({0, 0}, 1.6f), hex(0x1a1012));
    save(c, "sprites/turret" + std::to_string(n) + ".png");
}

} // namespace

void makeEnemies()
{
    for (int i = 0; i < 12; i++) {
        const EnemyClass& e = kClasses[i];
        int side = 2 * e.radius + 16;
        Canvas hull(side, side);
        e.draw(hull, {{side / 2.0f, side / 2.0f}, 1}, e.look);
        // A faint halo of the class colour, so that dark hulls stand out
        // from dark space as the player's ships do.
        Canvas c(side, side);
        paintMask(
            c, fadedAtEdges(blurred(alphaMask(hull), 2), 4), 0, 0, e.look.accent, Blend::add, 0.3f);
        c.draw(hull, 0, 0);
        save(c, "sprites/enemy" + std::to_string(i + 1) + ".png");
    }
    makeTurret(1, kClasses[0].look, 1);
    makeTurret(2, kClasses[1].look, 1);
    makeTurret(3, kClasses[1].look, 1);
    makeTurret(4, kClasses[2].look, 2);
}
