#pragma once

#include "diagram/TVertex.h"

#include <string_view>

class TVertexList;

// Moving through the diagram by keyboard, without a screen: the box an arrow key goes to, how
// far to scroll to show a box, and the box typed letters pick. Boxes are those ComputeBoxes
// filled in.
namespace diagram {

enum class TDirection { Left, Right, Up, Down };

// The box an arrow goes to from the box of `from`. Measured between the boxes' centres, with y
// growing downwards: a box lies ahead when it is further in the direction (along > 0); among
// those within the quarter turn around the direction (|across| <= along), the nearest; when there
// are none, the nearest of all ahead. Ties go to the earlier vertex in master-list order. Null
// when no box lies ahead.
TVertex* Nearest(const TVertexList& master, const TVertex& from, TDirection direction);

// The box whose centre is nearest the point (the first of equals); null for an empty diagram.
TVertex* NearestTo(const TVertexList& master, TVertex::Point point);

// How far to scroll, in pixels, to bring the box into the view (both in diagram coordinates,
// right and bottom excluded): the least distance that shows it whole, or its left and top edges
// when it is bigger than the view. Zero for a box already in view.
TVertex::Point IntoView(const TVertex::Rect& box, const TVertex::Rect& view);

// The first vertex after `from` in master-list order, going round to the start, whose title or
// name starts with the text (ASCII letters folded as names compare); with fromItself, `from` is
// tried first. From null: the first such vertex. Null when none starts with it or the text is
// empty.
TVertex* NextStartingWith(const TVertexList& master, const TVertex* from, std::string_view text,
                          bool fromItself);

} // namespace diagram
