#pragma once

#include <iosfwd>

class TVertexList;

// The relationships graph as Graphviz DOT text, with the positions of our own layout so that
// `neato -n` draws it as laid out.
namespace dot {

// One node per vertex in list order (labelled with its picture's title, at x and minus y, since
// Graphviz's y axis points up), then one edge per successor, from used to using picture.
void WriteDot(std::ostream& out, const TVertexList& master);

} // namespace dot
