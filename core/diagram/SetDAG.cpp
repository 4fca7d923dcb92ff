#include "diagram/SetDAG.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "diagram/TWeightList.h"
#include "model/TDefBase.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

constexpr int kNotReached = -1;
constexpr int kInProgress = -2;

// A vertex on an explicit depth-first stack with the index of its next successor: recursion
// would overflow on the long chains a large design can hold.
struct Frame {
    TVertex* vertex;
    size_t next;
};

TVertex* NextSuccessor(Frame& frame)
{
    const TVertexList* out = frame.vertex->outList.get();
    return out && frame.next < out->size() ? (*out)[frame.next++] : nullptr;
}

int Mean(int64_t sum, size_t count)
{
    return static_cast<int>(sum / static_cast<int64_t>(count));
}

} // namespace

int diagram::FixedNameWidth(std::string_view name)
{
    return 7 * static_cast<int>(name.size());
}

SetDAG::SetDAG(TVertexList& vertices, Measure measure, int h)
    : vertices(vertices), measure(std::move(measure)), h(h)
{
}

void SetDAG::Layout()
{
    layers = T2DimArray();
    widest = -1;

    SetDepth();

    for (TVertex* v : vertices)
        AdjustLayer(*v);

    for (TVertex* v : vertices)
        if (!v->inList)
            PlaceInLayers(*v);
    // Only vertices on a cycle that no root reaches are left.
    for (TVertex* v : vertices)
        PlaceInLayers(*v);

    const size_t count = layers.Rows();
    for (int pass = 0; pass < 6; ++pass) {
        if (pass % 2 == 0)
            for (size_t k = 1; k < count; ++k)
                OrderLayer(k, true);
        else
            for (size_t k = count; k-- > 1;)
                OrderLayer(k - 1, false);
    }

    SetColumns();
    FindWidest();

    const int rows = static_cast<int>(count);
    const int w = widest;
    auto leftwards = [this](int from, int to) {
        for (int k = from; k >= to; --k)
            PackLayer(static_cast<size_t>(k));
    };
    auto rightwards = [this](int from, int to) {
        for (int k = from; k <= to; ++k)
            PackLayer(static_cast<size_t>(k));
    };
    leftwards(w - 1, 0);
    rightwards(w + 1, rows - 1);
    rightwards(1, w - 1);
    leftwards(rows - 2, w + 1);
    leftwards(w - 1, 0);
    rightwards(w + 1, rows - 1);
}

void SetDAG::SetDepth()
{
    // During the search a vertex's position holds its state: not reached, in progress, or its
    // finishing number. An edge is a back edge exactly when it does not lead to a vertex that
    // finished earlier, so reverse finishing order visits every vertex after all the vertices
    // that reach it by other edges.
    for (TVertex* v : vertices) {
        v->layer = -1;
        v->position = kNotReached;
    }
    std::vector<TVertex*> finished;
    finished.reserve(vertices.size());
    std::vector<Frame> stack;
    auto search = [&](TVertex* start) {
        if (start->position != kNotReached)
            return;
        start->position = kInProgress;
        stack.push_back({start, 0});
        while (!stack.empty()) {
            if (TVertex* s = NextSuccessor(stack.back())) {
                if (s->position == kNotReached) {
                    s->position = kInProgress;
                    stack.push_back({s, 0});
                }
                continue;
            }
            TVertex* done = stack.back().vertex;
            done->position = static_cast<int>(finished.size());
            finished.push_back(done);
            stack.pop_back();
        }
    };
    for (TVertex* v : vertices)
        if (!v->inList)
            search(v);
    for (TVertex* v : vertices)
        search(v);

    for (TVertex* v : finished)
        v->layer = 0;
    for (auto it = finished.rbegin(); it != finished.rend(); ++it) {
        TVertex* u = *it;
        if (!u->outList)
            continue;
        for (TVertex* s : *u->outList)
            if (s->position < u->position)
                s->layer = std::max(s->layer, u->layer + 1);
    }
    for (TVertex* v : finished)
        v->position = -1;
}

void SetDAG::AdjustLayer(TVertex& v) const
{
    int lo = 0;
    if (v.inList) {
        int largest = 0;
        for (const TVertex* p : *v.inList)
            largest = std::max(largest, p->layer);
        lo = largest + 1;
    }
    int hi = 100;
    if (v.outList) {
        int smallest = 100;
        for (const TVertex* s : *v.outList)
            smallest = std::min(smallest, s->layer);
        hi = smallest - 1;
    }
    if (hi <= lo)
        return;
    if (!v.inList)
        v.layer = hi;
    else if (v.InCount() > v.OutCount())
        v.layer = lo;
    else
        v.layer = hi;
}

void SetDAG::PlaceInLayers(TVertex& v)
{
    auto place = [this](TVertex* u) {
        if (u->position >= 0 || u->layer < 0)
            return false;
        T2DimArray::Row& row = layers[static_cast<size_t>(u->layer)];
        u->position = static_cast<int>(row.size());
        row.push_back(u);
        return true;
    };
    if (!place(&v))
        return;
    std::vector<Frame> stack{{&v, 0}};
    while (!stack.empty()) {
        if (TVertex* s = NextSuccessor(stack.back())) {
            if (place(s))
                stack.push_back({s, 0});
            continue;
        }
        stack.pop_back();
    }
}

int SetDAG::SetPosition(TVertex& v, int x, int y) const
{
    v.x = x;
    v.y = y;
    return x + measure(v.element->Title());
}

int SetDAG::PositionWeight(const TVertex& v, bool byPredecessors)
{
    const TVertexList* side = byPredecessors ? v.inList.get() : v.outList.get();
    if (!side || side->empty())
        return v.position;
    int64_t sum = 0;
    for (const TVertex* n : *side)
        sum += n->position;
    return Mean(sum, side->size());
}

int SetDAG::HeightWeight(const TVertex& v)
{
    const size_t count = v.InCount() + v.OutCount();
    if (count == 0)
        return v.y;
    int64_t sum = 0;
    for (const TVertexList* side : {v.inList.get(), v.outList.get()})
        if (side)
            for (const TVertex* n : *side)
                sum += n->y;
    return Mean(sum, count);
}

void SetDAG::OrderLayer(size_t k, bool byPredecessors)
{
    T2DimArray::Row& row = layers[k];
    TWeightList list;
    int sequence = 1;
    for (TVertex* v : row)
        list.Insert(PositionWeight(*v, byPredecessors), sequence++, v);
    row.clear();
    for (const TVertexWeight& entry : list.Entries()) {
        entry.vertex->position = static_cast<int>(row.size());
        row.push_back(entry.vertex);
    }
}

void SetDAG::SetColumns()
{
    int x = h;
    int right = 0;
    for (size_t k = 0; k < layers.Rows(); ++k) {
        int y = h;
        for (TVertex* v : layers.At(k)) {
            right = std::max(right, SetPosition(*v, x, y));
            y += 2 * h;
        }
        x = right + 10 * h;
    }
}

void SetDAG::FindWidest()
{
    size_t most = 0;
    for (size_t k = 0; k < layers.Rows(); ++k)
        if (widest < 0 || layers.At(k).size() > most) {
            widest = static_cast<int>(k);
            most = layers.At(k).size();
        }
}

void SetDAG::PackLayer(size_t k)
{
    const T2DimArray::Row& row = layers[k];
    if (row.empty())
        return;
    const int x = row.front()->x;
    TWeightList list;
    int sequence = 1;
    for (TVertex* v : row)
        list.Insert(HeightWeight(*v), sequence++, v);
    int m = h;
    for (TVertexWeight& entry : list.Entries()) {
        entry.weight = std::max(entry.weight, m);
        m = entry.weight + 2 * h;
    }
    for (const TVertexWeight& entry : list.Entries())
        SetPosition(*entry.vertex, x, entry.weight);
}
