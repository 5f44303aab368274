// The four parallax layers of the background, each a tile that wraps in
// both directions. Layer 4, the farthest, is opaque deep space
// with faint nebulae and dim stars; layers 3 to 1 are transparent sheets
// of ever fewer, larger and brighter stars.
#include "art.h"
#include "noise.h"

#include <cmath>

namespace {

// The star sheets repeat every 512 pixels; the far layer's clouds are big
// shapes whose repeats the eye would catch, so its tile is larger than the
// screen.
constexpr int kTile = 512;
constexpr int kFarTile = 1024;
constexpr int kNebulaCells = 5; // noise cells across the far tile

const Rgba kNebulaViolet = hex(0x42208a);
const Rgba kNebulaTeal = hex(0x106a8a);
const Rgba kNebulaRose = hex(0x7a2050);

// Clouds from two noise fields; `cells` noise cells across the canvas width
// make the pattern repeat exactly when the canvas is a square tile.
void paintNebula(Canvas& c, uint32_t seed, float strength, int cells)
{
    float unit = float(cells) / c.width();
    for (int y = 0; y < c.height(); y++)
        for (int x = 0; x < c.width(); x++) {
            float u = x * unit, v = y * unit;
            // Warping the lookup by a second field curls the clouds.
            float wu = fbm(u + 3.7f, v + 1.9f, cells, 3, seed + 3),
                  wv = fbm(u + 8.2f, v + 4.4f, cells, 3, seed + 5);
            float a = fbm(u + wu * 0.8f, v + wv * 0.8f, cells, 5, seed) * 0.5f + 0.5f;
            float b = fbm(u + 17.3f, v + 5.1f, cells, 5, seed + 7) * 0.5f + 0.5f;
            float veil = std::pow(smoothstep(0.3f, 0.78f, a), 1.4f) * strength;
            float wisp = smoothstep(0.5f, 0.9f, b) * strength;
            // Bright filaments where the cloud field crosses its middle value.
            float ridge = std::pow(clamp01(1 - std::fabs(a - 0.55f) * 6), 3.0f) * veil;
            Rgba col = mix(kNebulaViolet, kNebulaTeal, clamp01(b * 1.6f - 0.4f));
            c.put(x, y, col, veil * 0.5f, Blend::add);
            c.put(x, y, kNebulaRose, wisp * veil * 0.8f, Blend::add);
            c.put(x, y, hex(0x8fb8ff), ridge * 0.06f, Blend::add);
        }
}

// The tint of a star: mostly white, some blue, a few warm.
Rgba starColour(Rng& rng)
{
    float t = rng.uniform();
    if (t < 0.55f)
        return hex(0xeef4ff);
    if (t < 0.8f)
        return hex(0xa8c8ff);
    if (t < 0.93f)
        return hex(0xffe6b8);
    return hex(0xffb4a0);
}

// A star at p of the given size and brightness, repeated across the tile's
// edges when `wrap` so the layer tiles without a seam.
void paintStar(Canvas& c, Vec p, float radius, float bright, Rgba colour, bool sparkle, bool wrap)
{
    for (int oy = -1; oy <= 1; oy++)
        for (int ox = -1; ox <= 1; ox++) {
            if (!wrap && (ox || oy))
                continue;
            View v {p + Vec {float(ox * c.width()), float(oy * c.height())}, 1};
            glow(
                c, v, circle({0, 0}, radius * 0.5f), withAlpha(colour, bright * 0.35f), radius * 4);
            fill(c, v, circle({0, 0}, radius), withAlpha(colour, bright), Blend::add);
            if (sparkle) {
                Shape cross = unite(capsule({-radius * 6, 0}, {radius * 6, 0}, 0.35f),
                    capsule({0, -radius * 6}, {0, radius * 6}, 0.35f));
                glow(c, v, cross, withAlpha(colour, bright * 0.25f), radius * 2);
            }
        }
}

struct StarField {
    int count;
    float minRadius, maxRadius;
    float minBright, maxBright;
    float sparkleChance;
};

void paintStars(Canvas& c, const StarField& f, uint32_t seed, bool wrap)
{
    Rng rng(seed);
    for (int i = 0; i < f.count; i++) {
        Vec p {rng.range(0, float(c.width())), rng.range(0, float(c.height()))};
        float k = rng.uniform();
        k *= k; // many small stars, few large ones
        float radius = lerp(f.minRadius, f.maxRadius, k);
        float bright = rng.range(f.minBright, f.maxBright);
        Rgba colour = starColour(rng);
        bool sparkle = rng.uniform() < f.sparkleChance;
        paintStar(c, p, radius, bright, colour, sparkle, wrap);
    }
}

// Star sheets, near to far: fewer, larger, brighter towards the viewer.
const StarField kLayers[3] = {
    {40, 1.0f, 1.9f, 0.75f, 1.0f, 0.3f}, // layer 1, nearest
    {110, 0.7f, 1.2f, 0.5f, 0.8f, 0.05f}, // layer 2
    {260, 0.45f, 0.8f, 0.3f, 0.6f, 0.0f}, // layer 3
};

// Fine drifting dust for the near layers: faint, blotchy and see-through.
void paintDust(Canvas& c, uint32_t seed, float strength)
{
    for (int y = 0; y < c.height(); y++)
        for (int x = 0; x < c.width(); x++) {
            float n = fbm(x * 6.0f / kTile, y * 6.0f / kTile, 6, 4, seed) * 0.5f + 0.5f;
            float k = smoothstep(0.6f, 0.95f, n) * strength;
            if (k > 0)
                c.put(x, y, hex(0x7f9cc8), k, Blend::add);
        }
}

} // namespace

// The far layer's tile, drawn once and shared by the title screen.
const Canvas& deepSpaceTile()
{
    static const Canvas tile = [] {
        Canvas c(kFarTile, kFarTile);
        c.fillAll(palette::spaceDeep);
        paintNebula(c, 4004, 0.75f, kNebulaCells);
        paintStars(c, {kFarTile * kFarTile / 550, 0.35f, 0.75f, 0.15f, 0.45f, 0}, 4005, true);
        return c;
    }();
    return tile;
}

void drawDeepSpace(Canvas& c, int offsetX, int offsetY)
{
    const Canvas& tile = deepSpaceTile();
    for (int y = -offsetY; y < c.height(); y += kFarTile)
        for (int x = -offsetX; x < c.width(); x += kFarTile)
            c.draw(tile, x, y);
}

void makeSpace()
{
    save(deepSpaceTile(), "worldsprites/space4.png");

    for (int layer = 1; layer <= 3; layer++) {
        Canvas sheet(kTile, kTile);
        if (layer == 3)
            paintDust(sheet, 3003, 0.05f);
        paintStars(sheet, kLayers[layer - 1], 1000 + layer, true);
        save(sheet, "worldsprites/space" + std::to_string(layer) + ".png");
    }
}
