// Heavenly bodies and hazards: the planet, the sun, the mine and the small
// pellet. Planet and sun radii are the base radii in game/data, which the
// game scales to each body's size.
#include "art.h"
#include "hull.h"
#include "noise.h"

#include <cmath>

namespace {

constexpr int kBodyImage = 256;
constexpr float kPlanetRadius = 120; // game/data: planet 120
constexpr float kSunRadius = 100; // game/data: sun 100
constexpr int kMineImage = 64;
constexpr float kMineRadius = 24; // game/data: mine 24

// Light falls from the upper left, towards the viewer.
const float kLight[3] = {-0.52f, -0.58f, 0.63f};

// Gas giant bands, pole to pole.
Rgba bandColour(float t)
{
    const Rgba stops[] = {
        hex(0x2a2e6a), hex(0x3a7a9a), hex(0x9ad8d8), hex(0xe8dcc0), hex(0x5a90b0), hex(0x2c3a78)};
    const int n = sizeof stops / sizeof stops[0];
    t = clamp01(t) * (n - 1);
    int i = std::min(n - 2, int(t));
    return mix(stops[i], stops[i + 1], t - i);
}

void makePlanet()
{
    Canvas c(kBodyImage, kBodyImage);
    const float cx = kBodyImage / 2.0f, r = kPlanetRadius;
    // A thin blue atmosphere halo outside the limb.
    glow(c, {{cx, cx}, 1}, circle({0, 0}, r - 2), hex(0x6fb8ff, 0.55f), 7);
    for (int y = 0; y < kBodyImage; y++)
        for (int x = 0; x < kBodyImage; x++) {
            float dx = (x + 0.5f - cx) / r, dy = (y + 0.5f - cx) / r;
            float d2 = dx * dx + dy * dy, d = std::sqrt(d2);
            float cover = clamp01((1 - d) * r + 0.5f);
            if (cover <= 0)
                continue;
            float nz = std::sqrt(std::max(0.0f, 1 - d2));
            // Latitude bands, bent by turbulence that grows towards the equator.
            float lat = std::asin(clamp01(std::fabs(dy)) * (dy < 0 ? -1 : 1)) / kPi + 0.5f;
            float lon = std::atan2(dx, nz);
            float swirl = fbm(lon * 3 + 8, lat * 10, 64, 5, 41) * 0.06f;
            float band = lat * 2.2f + swirl + 0.03f * std::sin(lat * 60 + swirl * 20);
            Rgba col = bandColour(band - std::floor(band));
            // A storm eye in the southern belt.
            Vec storm {dx + 0.28f, dy - 0.36f};
            float s = std::exp(-(storm.x * storm.x / 0.012f + storm.y * storm.y / 0.004f));
            col = mix(col, hex(0xf0a070), s * 0.9f);
            float lit = std::max(0.0f, dx * kLight[0] + dy * kLight[1] + nz * kLight[2]);
            float shade = 0.05f + 1.05f * std::pow(lit, 0.9f);
            col = scaled(col, shade);
            // The atmosphere brightens the limb on the lit side.
            float rim = std::pow(1 - nz, 3) * (0.4f + 0.6f * lit);
            col = mix(col, hex(0x9fd2ff), clamp01(rim * 0.45f));
            c.put(x, y, col, cover);
        }
    save(c, "sprites/planet.png");
}

// Sun colours from the cool limb to the white-hot middle.
Rgba sunColour(float heat)
{
    const Rgba stops[]
        = {hex(0xe8400c), hex(0xff7a1a), hex(0xffb83a), hex(0xffe27a), hex(0xfffbea)};
    heat = clamp01(heat) * 4;
    int i = std::min(3, int(heat));
    return mix(stops[i], stops[i + 1], heat - i);
}

void makeSun()
{
    Canvas c(kBodyImage, kBodyImage);
    const float cx = kBodyImage / 2.0f, r = kSunRadius, edge = kBodyImage / 2.0f;
    for (int y = 0; y < kBodyImage; y++)
        for (int x = 0; x < kBodyImage; x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cx;
            float d = std::sqrt(dx * dx + dy * dy);
            // Corona: streamers fading to nothing at the image edge.
            if (d > r - 2 && d < edge) {
                float a = std::atan2(dy, dx);
                float streak = 0.55f + 0.45f * periodicNoise(a / (2 * kPi) * 32, d / 40, 32, 7);
                float t = clamp01((d - r) / (edge - r));
                float k = std::pow(1 - t, 1.8f) * (0.5f + 0.5f * streak)
                    * smoothstep(edge, edge - 6, d);
                c.put(x, y, mix(hex(0xffd070), hex(0xff4a10), std::sqrt(t)), k, Blend::add);
            }
            float cover = clamp01(r - d + 0.5f);
            if (cover <= 0)
                continue;
            // Limb darkening over a boiling, granulated surface.
            float nz = std::sqrt(std::max(0.0f, 1 - d * d / (r * r)));
            float grain = fbm(dx / 9, dy / 9, 64, 4, 99);
            float swell = fbm(dx / 40 + 5, dy / 40, 64, 3, 17);
            float heat = std::pow(nz, 0.55f) * 0.95f + grain * 0.12f + swell * 0.1f;
            c.put(x, y, sunColour(heat), cover);
        }
    save(c, "sprites/sun.png");
}

void makeMine()
{
    Canvas c(kMineImage, kMineImage);
    View v {{kMineImage / 2.0f, kMineImage / 2.0f}, 1};
    Shape spike = polygon({{9, -4.2f}, {kMineRadius, 0}, {9, 4.2f}});
    Shape spikes = radial(spike, 8);
    glow(c, v, circle({0, 0}, 12), hex(0xff3020, 0.3f), 10);
    paintHull(c, v, spikes, hex(0xc8c0c4));
    paintHull(c, v, circle({0, 0}, 13), hex(0x4a3c40));
    fill(c, v, ring({0, 0}, 9, 2.2f), hex(0xc02818));
    for (int i = 0; i < 8; i++)
        fill(c, v, circle(polar(11.2f, i * kPi / 4 + kPi / 8), 0.9f), hex(0x1a1012));
    paintLight(c, v, {0, 0}, 4, hex(0xff3a20));
    save(c, "effects/mine.png");
}

void makePellet()
{
    Canvas c(8, 8);
    View v {{4, 4}, 1};
    glow(c, v, circle({0, 0}, 1), hex(0xffd070, 0.9f), 3);
    fill(c, v, circle({0, 0}, 1.6f), hex(0xfff6e0));
    save(c, "sprites/null.png");
}

} // namespace

void makeBodies()
{
    makePlanet();
    makeSun();
    makeMine();
    makePellet();
}
