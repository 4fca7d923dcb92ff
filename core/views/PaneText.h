#pragma once

#include "views/TPaneLayout.h"

#include <string>
#include <vector>

// A pane's text as a screen reader reads it: the texts of the layout written into lines of
// character cells, each in the cells it is drawn in (a later text over an earlier one, as
// painted).
namespace panes {

// Lines from the top of the content down. Texts go down the layout in y order; a text joins the
// line of the texts before it when it starts less than L below that line's top, and otherwise
// starts a line of its own at its y, after one empty line for each whole L of space between the
// two (above the first text: between it and the top). Trailing blanks are dropped; a control
// character reads as a blank; texts read as their utf8 flag says, as the GUI draws them.
struct TPaneLines {
    std::vector<std::u32string> lines;
    std::vector<int> tops; // each line's top, in content coordinates

    // The line that a point at height y is on: the last one whose top is at or above it; 0 above
    // the first line.
    int LineAt(int y) const;
};
TPaneLines GridLines(const TPaneLayout& layout, int charWidth, int lineHeight);

// Where a rectangle of the content lies, read as text: from column first of the line of its top
// to before column last of the line of its bottom edge (lastLine).
struct TGridSpan {
    int line = 0;
    int first = 0;
    int lastLine = 0;
    int last = 0;
    bool operator==(const TGridSpan&) const = default;
};
TGridSpan SpanOf(const TPaneLines& lines, const TPaneRect& rect, int charWidth);

} // namespace panes
