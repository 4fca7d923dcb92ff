#include "diagram/DiagramKeys.h"

#include "diagram/TVertexList.h"
#include "model/Names.h"
#include "model/TDefBase.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace diagram {

namespace {

// Twice the centre, so that it stays whole.
TVertex::Point Centre2(const TVertex& v)
{
    return {v.box.left + v.box.right, v.box.top + v.box.bottom};
}

int64_t Square(int64_t a)
{
    return a * a;
}

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.size() >= start.size() && names::Equal(text.substr(0, start.size()), start);
}

// How far a scroll along one axis must go to show [low, high) in [viewLow, viewHigh).
int Shift(int low, int high, int viewLow, int viewHigh)
{
    if (low < viewLow || high - low > viewHigh - viewLow)
        return low - viewLow;
    if (high > viewHigh)
        return high - viewHigh;
    return 0;
}

} // namespace

TVertex* Nearest(const TVertexList& master, const TVertex& from, TDirection direction)
{
    const TVertex::Point c = Centre2(from);
    TVertex* inCone = nullptr;
    TVertex* ahead = nullptr;
    int64_t coneDistance = 0, aheadDistance = 0;
    for (TVertex* v : master) {
        const TVertex::Point d{Centre2(*v).x - c.x, Centre2(*v).y - c.y};
        int along = 0, across = 0;
        switch (direction) {
        case TDirection::Left:
            along = -d.x, across = d.y;
            break;
        case TDirection::Right:
            along = d.x, across = d.y;
            break;
        case TDirection::Up:
            along = -d.y, across = d.x;
            break;
        case TDirection::Down:
            along = d.y, across = d.x;
            break;
        }
        if (along <= 0)
            continue;
        const int64_t distance = Square(along) + Square(across);
        if (!ahead || distance < aheadDistance)
            ahead = v, aheadDistance = distance;
        if (std::abs(across) <= along && (!inCone || distance < coneDistance))
            inCone = v, coneDistance = distance;
    }
    return inCone ? inCone : ahead;
}

TVertex* NearestTo(const TVertexList& master, TVertex::Point point)
{
    TVertex* nearest = nullptr;
    int64_t nearestDistance = 0;
    for (TVertex* v : master) {
        const TVertex::Point c = Centre2(*v);
        const int64_t distance = Square(c.x - 2 * point.x) + Square(c.y - 2 * point.y);
        if (!nearest || distance < nearestDistance)
            nearest = v, nearestDistance = distance;
    }
    return nearest;
}

TVertex::Point IntoView(const TVertex::Rect& box, const TVertex::Rect& view)
{
    return {Shift(box.left, box.right, view.left, view.right),
            Shift(box.top, box.bottom, view.top, view.bottom)};
}

TVertex* NextStartingWith(const TVertexList& master, const TVertex* from, std::string_view text,
                          bool fromItself)
{
    if (text.empty() || master.empty())
        return nullptr;
    const size_t n = master.size();
    size_t first = 0;
    if (from) {
        const auto at = std::find(master.begin(), master.end(), from);
        if (at != master.end())
            first = static_cast<size_t>(at - master.begin()) + (fromItself ? 0 : 1);
    }
    for (size_t step = 0; step < n; ++step) {
        TVertex* v = master[(first + step) % n];
        if (StartsWith(v->element->Title(), text) || StartsWith(v->element->name, text))
            return v;
    }
    return nullptr;
}

} // namespace diagram
