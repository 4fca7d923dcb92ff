#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// Where the main frame's client puts its children: plain functions over rectangles in the
// client's viewport coordinates, so the rules are tested without widgets. The structure tree
// keeps the column at the left; every other child goes right of it.
namespace windows {

// Where a new child goes cycles through this many steps down and right.
constexpr int kPlacements = 7;

// The style's sizes the rules depend on.
struct TMetrics {
    int caption = 0; // a title bar's height: one cascade step
    int frame = 0;
    int scrollBar = 0;
};

// The rectangle of a new child at step k (0 to kPlacements - 1) whose content asks for this
// size, in a client of this size: no larger than the room right of the tree allows, but wide
// enough for a caption of captionWidth as far as the client reaches.
QRect Placement(QSize client, int treeColumn, const TMetrics& metrics, int k, QSize content,
                int captionWidth);

// The rectangle the arrangements fill: right of the tree column, inside the children's frame.
QRect ArrangeRect(const QRect& viewport, int treeColumn, int frame);

// Cascade: each window one caption further down and right, all of one size; as many steps as
// keep each window at least half the rectangle's size, then round again. Empty when the
// rectangle is.
std::vector<QRect> Cascade(const QRect& rect, int count, int step);

// Tile: columns of windows one above another that cover the rectangle without overlapping; the
// last columns take one more window when the count does not divide evenly.
std::vector<QRect> Tile(const QRect& rect, int count);

// Arrange Icons: minimised windows in rows along the bottom of the rectangle from its left,
// a new row above when one is full, so none lies over the tree. The top-left corner of each.
std::vector<QPoint> ArrangeIcons(const QRect& rect, const std::vector<QSize>& icons);

} // namespace windows
