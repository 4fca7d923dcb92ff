#pragma once

#include <cstddef>
#include <vector>

class TVertex;

// The layers of a layout: one row of vertices per layer, in their order within the layer.
class T2DimArray {
public:
    using Row = std::vector<TVertex*>;

    // Appends empty rows first until row k exists.
    Row& operator[](size_t k);
    size_t Rows() const { return rows.size(); }
    const Row& At(size_t k) const { return rows[k]; }

private:
    std::vector<Row> rows;
};
