#pragma once

#include <cstddef>
#include <functional>
#include <vector>

class TVertex;

// Vertices in insertion order. The master list of a graph owns its vertices and destroys them
// with itself; a vertex's in-list and out-list only refer to vertices of the master list.
class TVertexList {
public:
    enum class Ownership { Refers, Owns };

    explicit TVertexList(Ownership ownership = Ownership::Refers);
    ~TVertexList();
    TVertexList(const TVertexList&) = delete;
    TVertexList& operator=(const TVertexList&) = delete;

    // An owning list takes ownership of the vertex.
    void Add(TVertex* vertex);
    // Removes the vertices the test picks, keeping the order of the others; an owning list
    // destroys them.
    void RemoveIf(const std::function<bool(const TVertex&)>& pick);
    void Clear();

    bool Owns() const { return ownership == Ownership::Owns; }
    bool empty() const { return vertices.empty(); }
    size_t size() const { return vertices.size(); }
    TVertex* operator[](size_t i) const { return vertices[i]; }
    auto begin() const { return vertices.begin(); }
    auto end() const { return vertices.end(); }

private:
    Ownership ownership;
    std::vector<TVertex*> vertices;
};
