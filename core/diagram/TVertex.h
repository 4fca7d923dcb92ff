#pragma once

#include <cstddef>
#include <memory>

class TDefBase;
class TVertexList;

// One picture of the relationships graph: its edges, its place in the layout, and the geometry
// the diagram window draws it with. Refers to its picture; owns its two edge lists.
class TVertex {
public:
    struct Point {
        int x = 0;
        int y = 0;
    };
    struct Rect {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    explicit TVertex(const TDefBase* element);
    ~TVertex();
    TVertex(const TVertex&) = delete;
    TVertex& operator=(const TVertex&) = delete;

    // Adds the edge from this (used) picture to a picture that uses it: the user joins this
    // out-list and this vertex joins the user's in-list.
    void AddUser(TVertex* user);

    // Entries of the edge lists, duplicates counted; 0 for an absent list.
    size_t InCount() const;
    size_t OutCount() const;

    const TDefBase* element;
    // Predecessors: the pictures this picture uses. Absent until the first incoming edge.
    std::unique_ptr<TVertexList> inList;
    // Successors: the pictures that use this picture. Absent until the first outgoing edge.
    std::unique_ptr<TVertexList> outList;
    int layer = -1;
    int position = -1;
    // Layout coordinates at 100 % zoom.
    int x = 0;
    int y = 0;
    // Filled by the diagram window at its zoom: the left end of the name on the box's centre
    // line, where the name ends (lines to successors start there), and the drawn box.
    int sx = 0;
    int sy = 0;
    Point rightEnd;
    Rect box;
};
