#pragma once

class TVertex;

// One entry of a weight list: a vertex with the height or position it wishes for, and the
// sequence number that keeps equal weights in their previous order.
struct TVertexWeight {
    int weight;
    int sequence;
    TVertex* vertex;

    bool operator<(const TVertexWeight& other) const
    {
        return weight != other.weight ? weight < other.weight : sequence < other.sequence;
    }
};
