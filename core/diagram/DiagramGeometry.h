#pragma once

#include "diagram/TVertex.h"

#include <array>
#include <functional>
#include <string_view>

class TVertexList;

// The diagram window's geometry without a screen: boxes at a zoom, hit tests, what a repaint
// area meets, and the scroll offsets that keep a point at the centre of the view.
namespace diagram {

// The zoom steps, in percent, in the order of the Zoom menu.
constexpr std::array<int, 5> kZooms{100, 70, 50, 30, 20};

// The size of the drawn diagram: the furthest right end of a name and the lowest centre line.
// The margin of the last boxes is not included.
struct TExtent {
    int width = 0, height = 0;
};

// Where one vertex is drawn at a zoom: what ComputeBoxes stores in it.
struct TBoxGeometry {
    int sx = 0, sy = 0;
    TVertex::Point rightEnd;
    TVertex::Rect box;
};

// How far a box reaches beyond its name's anchor and right end, for line height h.
int Margin(int h);

// The layout point (x, y) scaled to the zoom: the left end of the name on the box's centre line,
// and where lines from predecessors end.
TVertex::Point Anchor(const TVertex& v, int zoom);

// The geometry of a vertex whose name is nameWidth pixels wide, with margin m.
TBoxGeometry BoxGeometry(const TVertex& v, int zoom, int m, int nameWidth);

// Grows the extent to hold a box's right end and centre line.
void Extend(TExtent& extent, const TBoxGeometry& g);

// Fills sx, sy, rightEnd and box of every vertex for the zoom; the names are measured in the
// diagram font, whose line height is h. Returns the extent.
TExtent ComputeBoxes(TVertexList& master, int zoom, int h,
                     const std::function<int(std::string_view)>& measure);

// The first vertex in master-list order whose box holds the point; null when none does.
TVertex* HitTest(const TVertexList& master, int x, int y);

// Whether the rectangle spanned by a line's end points meets the area. The span holds both end
// points (a line covers its last pixel) while the area stops before its right and bottom edges:
// a horizontal or vertical line, whose span is one pixel thick, meets the area it runs through.
bool LineMeets(TVertex::Point a, TVertex::Point b, const TVertex::Rect& area);

// Stricter than LineMeets and still never false for a line that puts a pixel in the area: the
// span meets the area and the segment passes within one pixel of it. A long diagonal line's
// span meets most of the diagram; the line itself crosses little of it.
bool SegmentMeets(TVertex::Point a, TVertex::Point b, const TVertex::Rect& area);

// Whether a box meets the area; both stop before their right and bottom edges.
bool BoxMeets(const TVertex::Rect& box, const TVertex::Rect& area);

// Whether a box holds the point: left <= x < right and top <= y < bottom.
bool BoxHolds(const TVertex::Rect& box, int x, int y);

// How far to scroll, in pixels, so that the diagram point at the centre of the view stays there
// when the zoom changes; centre is the view's centre in diagram coordinates at the old zoom.
TVertex::Point KeepCentre(TVertex::Point centre, int oldZoom, int newZoom);

// One axis of the scroller over the diagram: its position and largest position, in units of
// unit pixels, and the distance of the view's centre from the view's edge.
struct TScrollAxis {
    int position = 0, maximum = 0, unit = 1, half = 0;
};

// The position after a zoom that brings the diagram point at the view's centre back to the
// centre, to the nearest unit, as far as [0, maximum] allows. The axis holds the position from
// before the zoom and the range from after it: moving from a position the new range has already
// clamped would lose the centre.
int ZoomedPosition(const TScrollAxis& axis, int oldZoom, int newZoom);

// How far to scroll, in pixels, to bring the middle of v's name to the centre of the view.
TVertex::Point CentreOn(const TVertex& v, TVertex::Point centre);

} // namespace diagram
