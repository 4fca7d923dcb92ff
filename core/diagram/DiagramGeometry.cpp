#include "diagram/DiagramGeometry.h"

#include "diagram/TVertexList.h"
#include "model/TDefBase.h"

#include <algorithm>
#include <cstdint>

namespace diagram {

namespace {

// The quotient of a product, truncated toward zero, without overflowing on the way.
int Scale(int value, int numerator, int denominator)
{
    return static_cast<int>(static_cast<int64_t>(value) * numerator / denominator);
}

} // namespace

int Margin(int h)
{
    return h / 2 + h / 8;
}

TVertex::Point Anchor(const TVertex& v, int zoom)
{
    return {Scale(v.x, zoom, 100), Scale(v.y, zoom, 100)};
}

TBoxGeometry BoxGeometry(const TVertex& v, int zoom, int m, int nameWidth)
{
    TBoxGeometry g;
    const TVertex::Point anchor = Anchor(v, zoom);
    g.sx = anchor.x;
    g.sy = anchor.y;
    g.rightEnd = {g.sx + nameWidth, g.sy};
    g.box = {g.sx - m, g.sy - m, g.sx + nameWidth + m, g.sy + m};
    return g;
}

void Extend(TExtent& extent, const TBoxGeometry& g)
{
    extent.width = std::max(extent.width, g.rightEnd.x);
    extent.height = std::max(extent.height, g.sy);
}

TExtent ComputeBoxes(TVertexList& master, int zoom, int h,
                     const std::function<int(std::string_view)>& measure)
{
    const int m = Margin(h);
    TExtent extent;
    for (TVertex* v : master) {
        const TBoxGeometry g = BoxGeometry(*v, zoom, m, measure(v->element->Title()));
        v->sx = g.sx;
        v->sy = g.sy;
        v->rightEnd = g.rightEnd;
        v->box = g.box;
        Extend(extent, g);
    }
    return extent;
}

TVertex* HitTest(const TVertexList& master, int x, int y)
{
    for (TVertex* v : master)
        if (BoxHolds(v->box, x, y))
            return v;
    return nullptr;
}

bool LineMeets(TVertex::Point a, TVertex::Point b, const TVertex::Rect& area)
{
    return std::min(a.x, b.x) < area.right && area.left <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) < area.bottom && area.top <= std::max(a.y, b.y);
}

bool SegmentMeets(TVertex::Point a, TVertex::Point b, const TVertex::Rect& area)
{
    if (!LineMeets(a, b, area))
        return false;
    // A drawn pixel lies less than a pixel from the segment, so a line that puts one in the
    // area passes through the area grown by a pixel at the left and top (and reaching its right
    // and bottom edges). With the spans meeting, the segment misses that rectangle only when all
    // four corners lie strictly on one side of the line.
    const int64_t dx = static_cast<int64_t>(b.x) - a.x;
    const int64_t dy = static_cast<int64_t>(b.y) - a.y;
    const int64_t xs[2] = {static_cast<int64_t>(area.left) - 1, area.right};
    const int64_t ys[2] = {static_cast<int64_t>(area.top) - 1, area.bottom};
    bool above = false, below = false;
    for (int64_t x : xs)
        for (int64_t y : ys) {
            const int64_t cross = dx * (y - a.y) - dy * (x - a.x);
            above = above || cross >= 0;
            below = below || cross <= 0;
        }
    return above && below;
}

bool BoxMeets(const TVertex::Rect& box, const TVertex::Rect& area)
{
    return box.left < area.right && area.left < box.right && box.top < area.bottom &&
           area.top < box.bottom;
}

bool BoxHolds(const TVertex::Rect& box, int x, int y)
{
    return box.left <= x && x < box.right && box.top <= y && y < box.bottom;
}

TVertex::Point KeepCentre(TVertex::Point centre, int oldZoom, int newZoom)
{
    if (oldZoom <= 0)
        return {};
    return {Scale(centre.x, newZoom, oldZoom) - centre.x,
            Scale(centre.y, newZoom, oldZoom) - centre.y};
}

int ZoomedPosition(const TScrollAxis& axis, int oldZoom, int newZoom)
{
    const int unit = std::max(1, axis.unit);
    const int64_t centre = int64_t{axis.half} + int64_t{axis.position} * unit;
    const int64_t shift =
        KeepCentre({static_cast<int>(std::clamp<int64_t>(centre, INT32_MIN, INT32_MAX)), 0},
                   oldZoom, newZoom)
            .x;
    // To the nearest unit, rounding halves up, negative shifts included.
    const int64_t steps = shift + unit / 2 >= 0 ? (shift + unit / 2) / unit
                                                : -((-(shift + unit / 2) + unit - 1) / unit);
    return static_cast<int>(
        std::clamp<int64_t>(int64_t{axis.position} + steps, 0, std::max(0, axis.maximum)));
}

TVertex::Point CentreOn(const TVertex& v, TVertex::Point centre)
{
    return {(v.sx + v.rightEnd.x) / 2 - centre.x, v.sy - centre.y};
}

} // namespace diagram
