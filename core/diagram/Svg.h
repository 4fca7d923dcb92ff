#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

class TDefBase;
class TVertex;
class TVertexList;

// The relationships diagram as an SVG picture, drawn as the diagram window draws it.
namespace diagram {

// The page a box links to; empty: the box links nowhere.
using TBoxLink = std::function<std::string_view(const TDefBase&)>;

// Writes the laid-out graph at the zoom as the window shows it, without changing the vertices:
// the light grey background over the extent and the margin, the lines (those touching the
// selected vertex last, in the highlight colour), then each box in master-list order with its
// shadow and its name. Names are measured with measure in a font whose line height is h and
// drawn in fontFamily at fontPixels pixels; the selected vertex's name is in the highlight
// colour, given as 0x00BBGGRR. With a link, each box that has a page is an <a> to it. Without
// the XML declaration, the picture can stand inside an HTML page.
void WriteSvg(std::ostream& out, const TVertexList& master, int zoom, int h,
              const std::function<int(std::string_view)>& measure, const std::string& fontFamily,
              int fontPixels, const TVertex* selected = nullptr, uint32_t highlight = 0x0000c8,
              const TBoxLink& link = {}, bool xmlDeclaration = true);

// The bytes of a name as XML character data: UTF-8 kept when they are valid UTF-8, otherwise
// read as Windows-1252; &, <, > and " escaped; control characters XML can't hold become U+FFFD.
std::string XmlText(std::string_view bytes);
// The same for bytes known to read as the text they were cut from reads: as UTF-8 only when
// utf8 is set and they are valid UTF-8.
std::string XmlText(std::string_view bytes, bool utf8);

} // namespace diagram
