// Hull painting shared by ships and enemies.
#include "hull.h"

Shape symmetric(const std::vector<Vec>& upper)
{
    std::vector<Vec> all = upper;
    for (size_t i = upper.size(); i-- > 0;) {
        if (upper[i].y == 0)
            continue; // points on the axis appear once
        all.push_back({upper[i].x, -upper[i].y});
    }
    return polygon(all);
}

namespace {
Rgba lighter(Rgba c, float k)
{
    return mix(c, hex(0xffffff, c.a), k);
}
Rgba darker(Rgba c, float k)
{
    return mix(c, hex(0x000000, c.a), k);
}
} // namespace

void paintHull(Canvas& c, const View& v, const Shape& s, Rgba base)
{
    // The rim is at least one pixel wide whatever the drawing scale.
    float rim = std::max(0.9f / v.scale, 0.8f);
    fill(c, v, s, darker(base, 0.78f));
    Box b = s.bounds;
    fill(c, v, grow(s, -rim),
        linear({0, b.y0}, lighter(base, 0.28f), {0, b.y1}, darker(base, 0.35f)));
    // A thin lit edge on the upper side catches the light.
    Shape edge = intersect(outline(grow(s, -rim * 1.3f), rim * 0.5f),
        rect({(b.x0 + b.x1) / 2, b.y0}, b.x1 - b.x0, (b.y1 - b.y0) * 0.45f));
    fill(c, v, edge, withAlpha(lighter(base, 0.6f), 0.55f));
}

void paintGlass(Canvas& c, const View& v, Vec centre, float rx, float ry, Rgba colour)
{
    fill(c, v, ellipse(centre, rx + 0.8f, ry + 0.8f), darker(colour, 0.85f));
    fill(c, v, ellipse(centre, rx, ry),
        radialGradient(centre - Vec {rx * 0.35f, ry * 0.45f}, std::max(rx, ry) * 1.5f,
            lighter(colour, 0.45f), darker(colour, 0.55f)));
    fill(c, v, ellipse(centre - Vec {rx * 0.3f, ry * 0.45f}, rx * 0.35f, ry * 0.22f),
        hex(0xffffff, 0.75f));
}

void paintLight(Canvas& c, const View& v, Vec at, float radius, Rgba colour)
{
    glow(c, v, circle(at, radius * 0.6f), withAlpha(colour, 0.55f), radius * 2.2f);
    fill(c, v, circle(at, radius), colour);
    fill(c, v, circle(at, radius * 0.5f), lighter(colour, 0.75f));
}
