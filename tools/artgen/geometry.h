// Plane geometry for the drawing code: points, boxes and rotations.
// Sprite coordinates follow the screen: x to the right, y downwards, and a
// sprite at angle 0 faces +x.
#pragma once

#include <algorithm>
#include <cmath>

constexpr float kPi = 3.14159265358979f;

struct Vec {
    float x = 0, y = 0;
};

inline Vec operator+(Vec a, Vec b)
{
    return {a.x + b.x, a.y + b.y};
}
inline Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y};
}
inline Vec operator-(Vec a)
{
    return {-a.x, -a.y};
}
inline Vec operator*(Vec a, float k)
{
    return {a.x * k, a.y * k};
}
inline Vec operator*(float k, Vec a)
{
    return {a.x * k, a.y * k};
}
inline Vec operator/(Vec a, float k)
{
    return {a.x / k, a.y / k};
}
inline float dot(Vec a, Vec b)
{
    return a.x * b.x + a.y * b.y;
}
inline float cross(Vec a, Vec b)
{
    return a.x * b.y - a.y * b.x;
}
inline float length(Vec a)
{
    return std::sqrt(dot(a, a));
}
inline Vec polar(float r, float angle)
{
    return {r * std::cos(angle), r * std::sin(angle)};
}
inline Vec rotate(Vec a, float angle)
{
    float c = std::cos(angle), s = std::sin(angle);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

inline float clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}
inline float lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}
inline float smoothstep(float e0, float e1, float v)
{
    float t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// An axis-aligned box; an empty box has x0 > x1.
struct Box {
    float x0 = 1, y0 = 1, x1 = 0, y1 = 0;
};

inline Box boxAround(Vec c, float rx, float ry)
{
    return {c.x - rx, c.y - ry, c.x + rx, c.y + ry};
}
inline Box boxUnion(Box a, Box b)
{
    if (a.x0 > a.x1)
        return b;
    if (b.x0 > b.x1)
        return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}
inline Box boxGrow(Box a, float d)
{
    return {a.x0 - d, a.y0 - d, a.x1 + d, a.y1 + d};
}
