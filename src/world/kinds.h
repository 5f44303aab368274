// What each kind of Object does, one row a kind, every trait a named column.
// The rules, drawing, the radar and the pilot's view ask an Object's kind for
// a trait (is it a weapon, does it touch anything, which layer is it drawn
// in) instead of reading meaning into where its code stands in the order.
#pragma once

namespace tether {

// The kind codes. They are the world's own numbers, hashed with it, so they
// never change; what they mean is said by the table below.
enum : int {
    typeExploding = -3, // health is the explosion clock
    typeFlame = -2, // the ship's thrust flame, a child of the ship
    typeDead = -1, // marked for removal at the end of the frame
    typeBlackHole = 0,
    typeShip = 1,
    typeLeftHook = 2,
    typeRightHook = 3,
    typeTurret = 4, // the player's hook mount and enemy gun turrets
    typeRopeNode = 5,
    typeEnemy = 6,
    typePlanet = 7,
    typeSun = 8,
    typeBullet = 9,
    typeLightning = 10,
    typeShredder = 11,
    typeRail = 12,
    typeBfg = 13,
    typeMine = 14,
};

// Where a kind's mark goes on the radar: bodies and rope nodes are marked
// first, so that what lives and shoots is marked over them.
enum class RadarMark { none, under, over };

struct KindTraits {
    // Takes part in contacts at all. Turrets, wrecks, the dead and the
    // flame touch nothing.
    bool touches;
    // A shot or a mine: it damages what it touches and is spent; a hook
    // never catches it and it reaches only as far as its radius.
    bool weapon;
    // A shot: its health is its lifetime, counted down every step.
    bool shot;
    // Its death is heard: everything but shots and mines explodes aloud.
    bool diesAloud;
    // Drawn as its image turned to its heading (the rest are discs, beams,
    // unturned images, the lens, or nothing).
    bool turnedImage;
    // A hit flashes on it; planets, suns and rope nodes take hits unseen.
    bool showsDamage;
    // Where the radar marks it, and whether the pilot's view lists it.
    RadarMark radar;
    bool newsToPilot;
    // Its draw layer: black holes at the bottom, then planets, suns and the
    // flame, ships and enemies, hooks, mounts and nodes, weapons, explosions.
    int drawLayer;
};

constexpr int lastLayer = 6; // the dead and unknown codes

namespace kinds {
constexpr RadarMark noMark = RadarMark::none, under = RadarMark::under, over = RadarMark::over;
// One row a kind code, from typeExploding to typeMine.
//                          touches weapon shot  aloud  turned damage radar  pilot  layer
constexpr KindTraits table[] = {
    /* exploding  */ {false, false, false, true,  true,  true,  noMark, false, 5},
    /* flame      */ {false, false, false, true,  true,  true,  noMark, false, 1},
    /* dead       */ {false, false, false, true,  false, true,  noMark, false, lastLayer},
    /* black hole */ {true,  false, false, true,  false, true,  under,  true,  0},
    /* ship       */ {true,  false, false, true,  true,  true,  noMark, false, 2},
    /* left hook  */ {true,  false, false, true,  true,  true,  noMark, false, 3},
    /* right hook */ {true,  false, false, true,  true,  true,  noMark, false, 3},
    /* turret     */ {false, false, false, true,  true,  true,  noMark, false, 3},
    /* rope node  */ {true,  false, false, true,  true,  false, under,  true,  3},
    /* enemy      */ {true,  false, false, true,  true,  true,  over,   true,  2},
    /* planet     */ {true,  false, false, true,  true,  false, over,   true,  1},
    /* sun        */ {true,  false, false, true,  true,  false, over,   true,  1},
    /* bullet     */ {true,  true,  true,  false, false, true,  over,   true,  4},
    /* lightning  */ {true,  true,  true,  false, false, true,  over,   true,  4},
    /* shredder   */ {true,  true,  true,  false, false, true,  over,   true,  4},
    /* rail       */ {true,  true,  true,  false, false, true,  over,   true,  4},
    /* bfg ball   */ {true,  true,  true,  false, false, true,  over,   true,  4},
    /* mine       */ {true,  true,  false, false, true,  true,  over,   true,  4},
};
// A code no kind has: touches nothing, shows nothing.
constexpr KindTraits unknown {false, false, false, false, false, false, noMark, false, lastLayer};
} // namespace kinds

constexpr const KindTraits& traitsOf(int type)
{
    return type >= typeExploding && type <= typeMine ? kinds::table[type - typeExploding]
                                                     : kinds::unknown;
}

} // namespace tether
