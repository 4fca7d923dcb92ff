#pragma once

#include <functional>
#include <string>
#include <string_view>

class TDefBase;
struct TPaneLayout;
struct TScriptPiece;

// A definition pane as HTML text: what the pane draws, character for character, with each piece
// in a span of its colour kind's class and each underlined piece and report area a link.
namespace publish {

// The page opening an element shows; empty when there is none.
using TPageOf = std::function<std::string_view(const TDefBase&)>;

// The class of the colour scheme's row at this slot (TDispColour::TRow::slot): "literal",
// "field", "picture", "variable", "record", "type", "highlight" or "keyword".
const char* SlotClass(int slot);

// Appends the content of a <pre> that shows the layout, laid out with a character width and
// line height of 1: line y of the layout is line y of the text, column x - 1 its column x.
void AppendPane(std::string& out, const TPaneLayout& layout, const TPageOf& pageOf);

} // namespace publish
