#pragma once

#include "views/TPaneLayout.h"

#include <optional>
#include <string>

class TScriptList;

// Lays a script out line by line from an origin: what a script pane paints, the rectangles its
// pieces answer clicks in, and its extent.
namespace panes {

struct TExtent {
    int width = 0, height = 0;
};

// Appends the script's runs to layout.texts and one rectangle per piece reached to
// layout.pieces. Returns the script's extent: its width includes originX, its height one line
// more than the script has. pieces may be null; W and L are the character width and line height.
TExtent LayScript(TPaneLayout& layout, const std::string& text, const TScriptList* pieces,
                  int originX, int originY, int W, int L);

// Where LayScript from this origin puts bytes [offset, offset + length) of the script's line
// (from 1), cut at the line's end. Nothing when the script has no such line.
std::optional<TPaneRect> LineRunRect(const std::string& text, size_t line, size_t offset,
                                     size_t length, int originX, int originY, int W, int L);

} // namespace panes
