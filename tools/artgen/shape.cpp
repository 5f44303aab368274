// Distance functions for the basic shapes and their combinations, and the
// loop that paints them. The polygon and arc formulas are the usual exact
// planar distances.
#include "shape.h"

#include <cmath>

Shape circle(Vec c, float r)
{
    return {[=](Vec p) { return length(p - c) - r; }, boxAround(c, r, r)};
}

Shape ellipse(Vec c, float rx, float ry)
{
    // Not an exact distance, but close enough near the edge for coverage.
    float k = std::min(rx, ry);
    return {[=](Vec p) {
                Vec q = p - c;
                return (length({q.x / rx, q.y / ry}) - 1) * k;
            },
        boxAround(c, rx, ry)};
}

Shape rect(Vec c, float hx, float hy, float r)
{
    return {[=](Vec p) {
                float qx = std::fabs(p.x - c.x) - hx + r, qy = std::fabs(p.y - c.y) - hy + r;
                float outside = length({std::max(qx, 0.0f), std::max(qy, 0.0f)});
                return outside + std::min(std::max(qx, qy), 0.0f) - r;
            },
        boxAround(c, hx, hy)};
}

Shape polygon(std::vector<Vec> v)
{
    Box b;
    for (Vec p : v)
        b = boxUnion(b, {p.x, p.y, p.x, p.y});
    return {[v](Vec p) {
                float d = dot(p - v[0], p - v[0]);
                bool inside = false;
                for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, i++) {
                    Vec e = v[j] - v[i], w = p - v[i];
                    Vec q = w - e * clamp01(dot(w, e) / dot(e, e));
                    d = std::min(d, dot(q, q));
                    bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
                    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
                        inside = !inside;
                }
                return (inside ? -1.0f : 1.0f) * std::sqrt(d);
            },
        b};
}

Shape capsule(Vec a, Vec b, float hw)
{
    Box box = boxGrow(boxUnion({a.x, a.y, a.x, a.y}, {b.x, b.y, b.x, b.y}), hw);
    return {[=](Vec p) {
                Vec pa = p - a, ba = b - a;
                float h = clamp01(dot(pa, ba) / std::max(1e-6f, dot(ba, ba)));
                return length(pa - ba * h) - hw;
            },
        box};
}

Shape ring(Vec c, float r, float w)
{
    return {[=](Vec p) { return std::fabs(length(p - c) - r) - w / 2; },
        boxAround(c, r + w / 2, r + w / 2)};
}

Shape arc(Vec c, float r, float w, float a0, float a1)
{
    float mid = (a0 + a1) / 2, half = (a1 - a0) / 2;
    Vec e0 = c + polar(r, a0), e1 = c + polar(r, a1);
    return {[=](Vec p) {
                Vec q = p - c;
                float ang = std::atan2(q.y, q.x) - mid;
                ang = std::remainder(ang, 2 * kPi);
                if (std::fabs(ang) <= half)
                    return std::fabs(length(q) - r) - w / 2;
                return std::min(length(p - e0), length(p - e1)) - w / 2;
            },
        boxAround(c, r + w / 2, r + w / 2)};
}

Shape unite(const Shape& a, const Shape& b)
{
    auto da = a.distance, db = b.distance;
    return {[=](Vec p) { return std::min(da(p), db(p)); }, boxUnion(a.bounds, b.bounds)};
}

Shape unite(const std::vector<Shape>& parts)
{
    Shape s = parts.at(0);
    for (size_t i = 1; i < parts.size(); i++)
        s = unite(s, parts[i]);
    return s;
}

Shape subtract(const Shape& a, const Shape& cut)
{
    auto da = a.distance, dc = cut.distance;
    return {[=](Vec p) { return std::max(da(p), -dc(p)); }, a.bounds};
}

Shape intersect(const Shape& a, const Shape& b)
{
    auto da = a.distance, db = b.distance;
    Box box {std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
        std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
    return {[=](Vec p) { return std::max(da(p), db(p)); }, box};
}

Shape grow(const Shape& s, float d)
{
    auto ds = s.distance;
    return {[=](Vec p) { return ds(p) - d; }, boxGrow(s.bounds, std::max(d, 0.0f))};
}

Shape outline(const Shape& s, float w)
{
    auto ds = s.distance;
    return {[=](Vec p) { return std::fabs(ds(p)) - w / 2; }, boxGrow(s.bounds, w / 2)};
}

Shape moved(const Shape& s, Vec by)
{
    auto ds = s.distance;
    Box b = s.bounds;
    return {
        [=](Vec p) { return ds(p - by); }, {b.x0 + by.x, b.y0 + by.y, b.x1 + by.x, b.y1 + by.y}};
}

Shape turned(const Shape& s, float angle)
{
    auto ds = s.distance;
    Box b = s.bounds;
    Box out;
    for (Vec corner : {Vec {b.x0, b.y0}, Vec {b.x1, b.y0}, Vec {b.x0, b.y1}, Vec {b.x1, b.y1}}) {
        Vec r = rotate(corner, angle);
        out = boxUnion(out, {r.x, r.y, r.x, r.y});
    }
    return {[=](Vec p) { return ds(rotate(p, -angle)); }, out};
}

Shape mirrorY(const Shape& s)
{
    auto ds = s.distance;
    Box b = s.bounds;
    float m = std::max(std::fabs(b.y0), std::fabs(b.y1));
    return {[=](Vec p) { return std::min(ds(p), ds({p.x, -p.y})); }, {b.x0, -m, b.x1, m}};
}

Shape radial(const Shape& s, int n)
{
    std::vector<Shape> copies;
    for (int i = 0; i < n; i++)
        copies.push_back(turned(s, 2 * kPi * i / n));
    return unite(copies);
}

Paint solid(Rgba c)
{
    return [=](Vec) { return c; };
}

Paint linear(Vec p0, Rgba c0, Vec p1, Rgba c1)
{
    Vec d = p1 - p0;
    float len2 = dot(d, d);
    return [=](Vec p) { return mix(c0, c1, clamp01(dot(p - p0, d) / len2)); };
}

Paint radialGradient(Vec centre, float radius, Rgba inner, Rgba outer)
{
    return [=](Vec p) { return mix(inner, outer, clamp01(length(p - centre) / radius)); };
}

namespace {

// Visits every pixel whose centre may lie within reach (shape units) of the
// shape's bounds, handing over the point in shape units.
template <typename F> void eachPixel(Canvas& c, const View& v, Box b, float reach, F f)
{
    b = boxGrow(b, reach + 1.5f / v.scale);
    Box px;
    for (Vec corner : {Vec {b.x0, b.y0}, Vec {b.x1, b.y0}, Vec {b.x0, b.y1}, Vec {b.x1, b.y1}}) {
        Vec q = v.origin + rotate(corner * v.scale, v.angle);
        px = boxUnion(px, {q.x, q.y, q.x, q.y});
    }
    int x0 = std::max(0, int(std::floor(px.x0))), y0 = std::max(0, int(std::floor(px.y0)));
    int x1 = std::min(c.width() - 1, int(std::ceil(px.x1))),
        y1 = std::min(c.height() - 1, int(std::ceil(px.y1)));
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            Vec local = rotate(Vec {x + 0.5f, y + 0.5f} - v.origin, -v.angle) / v.scale;
            f(x, y, local);
        }
}

} // namespace

void fill(Canvas& c, const View& v, const Shape& s, const Paint& p, Blend b)
{
    eachPixel(c, v, s.bounds, 0, [&](int x, int y, Vec q) {
        float cover = clamp01(0.5f - s.distance(q) * v.scale);
        if (cover > 0)
            c.put(x, y, p(q), cover, b);
    });
}

void fill(Canvas& c, const View& v, const Shape& s, Rgba colour, Blend b)
{
    fill(c, v, s, solid(colour), b);
}

void glow(Canvas& c, const View& v, const Shape& s, Rgba colour, float radius)
{
    eachPixel(c, v, s.bounds, radius, [&](int x, int y, Vec q) {
        float t = clamp01(s.distance(q) / radius);
        float k = (1 - t) * (1 - t);
        k *= k; // a bright edge and a long soft tail
        if (k > 0)
            c.put(x, y, colour, k, Blend::add);
    });
}
