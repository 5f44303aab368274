// Effects: the engine plume, the explosion and energy-burst sequences, the
// energy ball, the saw disc, the damage shield. The plume and the saw disc
// are drawn large because the game shrinks them when it loads them.
#include "art.h"
#include "hull.h"
#include "noise.h"

#include <cmath>
#include <string>

namespace {

// The plume is shrunk by 0.1 across and 0.16 down at load.
constexpr int kFlameW = 400, kFlameH = 150;
constexpr int kExplosionImage = 300;
constexpr int kBurstImage = 120;
constexpr int kBallImage = 90;
constexpr float kBallRadius = 40;
constexpr int kSawImage = 300; // shrunk by 0.1 at load
constexpr int kShieldImage = 128;

// Hot colour ramp shared by plume, fireball and burst: 0 is cold, 1 white.
Rgba ramp(const Rgba* stops, int n, float t)
{
    t = clamp01(t) * (n - 1);
    int i = std::min(n - 2, int(t));
    return mix(stops[i], stops[i + 1], t - i);
}

// A plasma plume from a nozzle at the right edge, trailing to the left:
// white at the throat, cyan, then blue smoke at the tip.
void makeFlame(int frame)
{
    Canvas c(kFlameW, kFlameH);
    const float lengths[3] = {0.86f, 1.0f, 0.93f};
    const float length = (kFlameW - 4) * lengths[frame];
    const float cy = kFlameH / 2.0f, halfW = kFlameH * 0.46f;
    const Rgba stops[] = {hex(0x1030a0, 0), hex(0x1e6cff, 0.55f), hex(0x40d8ff, 0.9f),
        hex(0xc8f8ff, 1), hex(0xffffff, 1)};
    for (int y = 0; y < kFlameH; y++)
        for (int x = 0; x < kFlameW; x++) {
            float s = (kFlameW - 0.5f - x) / length; // 0 at the nozzle, 1 at the tip
            if (s < 0 || s > 1)
                continue;
            float flicker
                = fbm(s * 6 - frame * 1.7f, (y - cy) / halfW * 1.5f + frame * 3.1f, 64, 3, 500)
                * 0.35f;
            float width
                = halfW * (0.45f + 0.55f * std::sqrt(std::min(1.0f, s * 5))) * std::pow(1 - s, 0.8f)
                + 1;
            float t = std::fabs(y + 0.5f - cy) / width;
            if (t >= 1)
                continue;
            float heat = (1 - t * t) * (1 - s) * (1.25f + flicker);
            heat = heat * (0.85f + 0.3f * (1 - s));
            c.put(x, y, ramp(stops, 5, heat), 1);
        }
    save(c, "effects/flame" + std::to_string(frame + 1) + ".png");
}

const Rgba kFire[] = {hex(0x181414, 0), hex(0x3a3232, 0.85f), hex(0x8a2a10), hex(0xff5a10),
    hex(0xffb030), hex(0xfff0c0), hex(0xffffff)};

// One frame of the fireball, t from 0 (ignition) to 1 (the last smoke).
void makeExplosion(int frame)
{
    Canvas c(kExplosionImage, kExplosionImage);
    const float t = frame / 9.0f, cx = kExplosionImage / 2.0f;
    const float radius = 28 + 112 * (1 - (1 - t) * (1 - t));
    const float heat = std::pow(1 - t, 1.4f);
    const float opacity = 1 - std::pow(t, 2.5f) * 0.95f;
    // Billows: the edge swells and shrinks with the noise round the rim,
    // and rolls on from frame to frame. One value per step of angle.
    constexpr int kRimSteps = 1024;
    float billows[kRimSteps];
    for (int i = 0; i < kRimSteps; i++) {
        float a = i * 2 * kPi / kRimSteps;
        billows[i] = fbm(std::cos(a) * 2 + 4, std::sin(a) * 2 + 4 + t * 0.6f, 64, 4, 77);
    }
    for (int y = 0; y < kExplosionImage; y++)
        for (int x = 0; x < kExplosionImage; x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cx;
            float d = std::sqrt(dx * dx + dy * dy) / radius;
            if (d > 1.35f)
                continue;
            float a = std::atan2(dy, dx) + kPi;
            float billow = billows[int(a / (2 * kPi) * kRimSteps) % kRimSteps];
            float inner = fbm(dx / 40 + 9, dy / 40 - t * 1.5f, 64, 4, 91);
            float edge = 1 + 0.22f * billow;
            float density = smoothstep(edge, edge - 0.25f, d);
            if (density <= 0)
                continue;
            float temp = (1.05f - d * 0.8f) * heat * 1.25f + inner * 0.25f;
            Rgba col = ramp(kFire, 7, temp + 0.1f);
            // Smoke takes over as the fire cools.
            c.put(x, y, col, density * opacity * clamp01(0.55f + temp));
        }
    View v {{cx, cx}, 1};
    if (frame <= 2) {
        // The flash of ignition.
        float k = 1 - frame / 3.0f;
        glow(c, v, circle({0, 0}, radius * 0.5f), hex(0xfff4d0, k), radius * 1.2f);
        Shape rays = radial(polygon({{0, -3}, {radius * 1.6f, 0}, {0, 3}}), 6);
        glow(c, v, turned(rays, 0.3f), hex(0xffe8b0, 0.5f * k), 10);
    }
    if (frame >= 1 && frame <= 5) {
        // A thin shock ring running ahead of the fire.
        float rr = std::min(cx - 4, radius * (1.15f + 0.1f * frame));
        fill(c, v, ring({0, 0}, rr, 2), hex(0xffd8a0, 0.35f * (1 - frame / 6.0f)), Blend::add);
    }
    // Embers thrown out of the blast.
    Rng rng(2024);
    for (int i = 0; i < 28; i++) {
        float a = rng.range(0, 2 * kPi), speed = rng.range(0.7f, 1.4f),
              size = rng.range(1.2f, 2.8f);
        if (frame == 0 || frame > 8)
            continue;
        Vec p = polar(radius * speed * (0.9f + 0.35f * t), a);
        if (std::fabs(p.x) > cx - 6 || std::fabs(p.y) > cx - 6)
            continue;
        glow(c, v, circle(p, size * 0.5f), hex(0xffa040, 0.8f * (1 - t)), size * 2.5f);
    }
    save(c, "effects/explosion" + std::to_string(frame) + ".png");
}

// The energy ball bursting: a green-white cloud of plasma swelling and
// thinning out, a fast shock ring and a spray of sparks, over ten frames.
void makeBurst(int frame)
{
    Canvas c(kBurstImage, kBurstImage);
    const float t = frame / 9.0f, cx = kBurstImage / 2.0f;
    const float fade = std::pow(1 - t, 1.2f);
    const float radius = 16 + 34 * std::sqrt(t);
    const Rgba stops[]
        = {hex(0x0a5a20, 0), hex(0x28c048, 0.8f), hex(0x70ff70), hex(0xd0ffc8), hex(0xffffff)};
    for (int y = 0; y < kBurstImage; y++)
        for (int x = 0; x < kBurstImage; x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cx;
            float d = std::sqrt(dx * dx + dy * dy) / radius;
            if (d > 1.3f)
                continue;
            float n = fbm(dx / 18 + 2, dy / 18 + 5 + t, 64, 3, 555);
            float body = smoothstep(1.05f + 0.2f * n, 0.2f, d);
            // The cloud hollows out as it spreads: energy moves to the rim.
            float hollow = 1 - std::exp(-std::pow(d / (0.2f + t * 0.7f), 2.0f) * 2) * t;
            float energy = body * hollow * (0.6f + 0.45f * (1 - t)) * (1.1f + 0.35f * n);
            float edge = clamp01((cx - 1 - std::sqrt(dx * dx + dy * dy)) / 4);
            if (energy > 0)
                c.put(x, y, ramp(stops, 5, energy), clamp01(energy * 2.2f) * fade * edge);
        }
    View v {{cx, cx}, 1};
    if (frame < 2)
        glow(c, v, circle({0, 0}, 10), hex(0xf0fff0, 0.8f), 24);
    if (frame < 6) {
        float rr = std::min(cx - 4, radius * 1.15f + 3);
        fill(c, v, ring({0, 0}, rr, 1.4f), hex(0xc8ffc8, 0.55f * (1 - frame / 6.0f)), Blend::add);
    }
    Rng rng(909);
    for (int i = 0; i < 18; i++) {
        float a = rng.range(0, 2 * kPi), speed = rng.range(0.8f, 1.25f);
        Vec p = polar(radius * speed, a);
        if (frame == 0 || length(p) > cx - 5)
            continue;
        glow(c, v, circle(p, 0.6f), withAlpha(palette::energyGreen, 0.9f * fade), 3);
    }
    save(c, "effects/bfgflame" + std::to_string(frame) + ".png");
}

// The energy ball in flight: a white core in a green corona wrapped in
// fine arcs of plasma.
void makeBall()
{
    Canvas c(kBallImage, kBallImage);
    View v {{kBallImage / 2.0f, kBallImage / 2.0f}, 1};
    Rgba green = palette::energyGreen;
    glow(c, v, circle({0, 0}, kBallRadius - 12), withAlpha(hex(0x30e050), 0.55f), 16);
    fill(c, v, circle({0, 0}, kBallRadius - 8),
        radialGradient({0, 0}, kBallRadius - 8, hex(0xd8ffd8, 0.9f), hex(0x30c048, 0.5f)));
    Rng rng(4040);
    for (int i = 0; i < 7; i++) {
        float r = rng.range(14, kBallRadius - 6), a0 = rng.range(0, 2 * kPi),
              span = rng.range(0.8f, 2.0f);
        Shape a = arc({0, 0}, r, 1.1f, a0, a0 + span);
        glow(c, v, a, withAlpha(green, 0.6f), 3);
        fill(c, v, a, hex(0xf0fff0, 0.9f), Blend::add);
    }
    glow(c, v, circle({0, 0}, 8), hex(0xffffff, 0.9f), 12);
    fill(c, v, circle({0, 0}, 9), hex(0xffffff));
    save(c, "effects/bfg.png");
}

// The shredder's saw disc, drawn ten times larger than it appears: hooked
// teeth, cooling slots and a red-hot hub.
void makeSaw()
{
    Canvas c(kSawImage, kSawImage);
    View v {{kSawImage / 2.0f, kSawImage / 2.0f}, 10};
    const int teeth = 14;
    const float step = 2 * kPi / teeth;
    Shape tooth = polygon({polar(10.5f, -step * 0.55f), polar(14.6f, step * 0.15f),
        polar(12.2f, step * 0.3f), polar(10.5f, step * 0.5f)});
    Shape disc = unite(circle({0, 0}, 11.5f), radial(tooth, teeth));
    Shape slots = radial(arc({0, 0}, 7.2f, 1.1f, 0.2f, 0.95f), 5);
    glow(c, v, disc, hex(0xff5030, 0.4f), 1.5f);
    fill(c, v, disc, hex(0x2a1c1c));
    fill(c, v, grow(disc, -0.35f), radialGradient({-4, -5}, 22, hex(0xf4f0ec), hex(0x5a5456)));
    fill(c, v, ring({0, 0}, 10.6f, 0.35f), hex(0x3a2c2c, 0.6f));
    fill(c, v, grow(slots, 0.25f), hex(0x2a1c1c));
    fill(c, v, slots, hex(0, 1), Blend::erase);
    glow(c, v, circle({0, 0}, 3.2f), hex(0xff3010, 0.7f), 2);
    fill(c, v, circle({0, 0}, 3.6f), hex(0xff4020));
    fill(c, v, circle({0, 0}, 2.2f), hex(0xffd0b0));
    fill(c, v, circle({0, 0}, 1.1f), hex(0x1a1012));
    save(c, "effects/shredder.png");
}

// Distance in pixels from p to the nearest edge of a honeycomb of hexagons
// with the given centre-to-corner size.
float honeycombEdge(Vec p, float size)
{
    // Axial coordinates, rounded to the nearest cell through cube rounding.
    float q = (std::sqrt(3.0f) / 3 * p.x - p.y / 3) / size, r = (2.0f / 3 * p.y) / size;
    float cx = std::round(q), cz = std::round(r), cy = std::round(-q - r);
    float dx = std::fabs(cx - q), dy = std::fabs(cy + q + r), dz = std::fabs(cz - r);
    if (dx > dy && dx > dz)
        cx = -cy - cz;
    else if (dy <= dz)
        cz = -cx - cy;
    Vec centre {size * std::sqrt(3.0f) * (cx + cz / 2), size * 1.5f * cz};
    Vec d = p - centre;
    d = {std::fabs(d.x), std::fabs(d.y)};
    float inner = size * std::sqrt(3.0f) / 2;
    return inner - std::max(d.x, d.x * 0.5f + d.y * 0.8660254f);
}

// The damage shield: a light bubble with soft alpha that the game tints.
void makeShield()
{
    Canvas c(kShieldImage, kShieldImage);
    const float cx = kShieldImage / 2.0f, r = cx - 5;
    for (int y = 0; y < kShieldImage; y++)
        for (int x = 0; x < kShieldImage; x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cx;
            float d = std::sqrt(dx * dx + dy * dy) / r;
            // Clear in the middle, densest just inside the rim, then a soft
            // halo out to the image edge; a faint honeycomb shows the field.
            float inside = d <= 1 ? 0.08f + 0.8f * std::pow(d, 6.0f) : 0;
            float cells = d < 0.97f
                ? smoothstep(1.2f, 0.3f, honeycombEdge({dx, dy}, 11)) * 0.3f * d * d
                : 0;
            float halo = d > 0.9f ? std::exp(-std::pow((d - 0.98f) / 0.05f, 2.0f)) : 0;
            float a = clamp01(std::max(inside + cells, halo))
                * clamp01((cx - 0.5f - std::sqrt(dx * dx + dy * dy)) / 3);
            if (a > 0)
                c.put(x, y, hex(0xf4f8ff), a);
        }
    save(c, "effects/forcefield.png");
}

} // namespace

void makeEffects()
{
    for (int f = 0; f < 3; f++)
        makeFlame(f);
    for (int f = 0; f < 10; f++)
        makeExplosion(f);
    for (int f = 0; f < 10; f++)
        makeBurst(f);
    makeBall();
    makeSaw();
    makeShield();
}
