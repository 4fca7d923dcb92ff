#pragma once

#include <string>

class TDefinedArray;
struct TScriptPiece;

namespace panes {
// What resting the mouse on a piece of a script tells, and the status bar tells of the selected
// piece: what clicking it would explain or open. For a name of an element with a definition, its
// class and name, its owner's title, and on a second line the first line of its text; for a
// built-in, an alias or a variable, what opening it says; for any other piece laid out, its
// explanation. Empty when there is nothing to tell.
std::string HoverText(const TDefinedArray& defs, const TScriptPiece& piece, bool laidOut);
} // namespace panes
