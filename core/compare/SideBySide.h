#pragma once

#include "compare/LineDiff.h"

#include <cstddef>
#include <span>
#include <vector>

// An edit script laid out in two columns, the old text at the left and the new at the right, as a
// side-by-side view shows it.
namespace compare {

struct TSideRow {
    static constexpr size_t kNone = static_cast<size_t>(-1);
    // Changed: a removed line beside the added line that replaces it.
    enum class Kind { Kept, Changed, Removed, Added };
    Kind kind;
    size_t oldLine; // from 0; kNone for a row with nothing at the left
    size_t newLine; // the same at the right

    bool operator==(const TSideRow&) const = default;
};

class TSideBySide {
public:
    // A Remove run beside the Add run after it pairs row by row; the longer run's rest stands
    // alone on its side, as does a Remove or Add run with no partner.
    explicit TSideBySide(std::span<const linediff::TEdit> edits);

    const std::vector<TSideRow>& Rows() const { return rows; }
    // The rows where a run of changed, removed or added rows begins, in order.
    const std::vector<size_t>& Changes() const { return changes; }
    // The first change after the row, or the first of all for kNone; kNone when there is none.
    size_t NextChange(size_t row) const;
    // The last change before the row, or the last of all for kNone; kNone when there is none.
    size_t PreviousChange(size_t row) const;

private:
    std::vector<TSideRow> rows;
    std::vector<size_t> changes;
};

} // namespace compare
