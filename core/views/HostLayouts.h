#pragma once

#include "model/TDisplayHost.h"
#include "views/TPaneLayout.h"

#include <cstddef>
#include <optional>

class TDefBase;
class TDefinedArray;
class TOwnerIndex;
class TDefList;
class TDefPicture;
class TDefReport;
class TDefTable;

// The layouts of the definition panes that host scripts or a character page: what each draws,
// where its scripts' pieces and its report areas answer clicks, and its extent. The first text
// column of every pane is X0 = W.
namespace panes {

// The script of a picture kind element at (X0, 0); an element that is not a script element
// shows an empty script.
TPaneLayout LayPicture(const TDefBase& picture, int W, int L);
// The list's method, sort keys and filter script.
TPaneLayout LayList(const TDefList& list, int W, int L);
// The table's titles and its columns, each with its picture script.
TPaneLayout LayTable(const TDefTable& table, int W, int L);
// The report's background lines with its areas' fill letters drawn over them.
TPaneLayout LayReport(const TDefReport& report, int W, int L);

// The layout of the definition pane of this kind for the element; empty when the element is not
// of the class that kind shows (so no pane reads an element as what it is not).
TPaneLayout LayPane(const TDefBase& element, TPaneKind pane, const TDefinedArray& defs, int W,
                    int L);
// The same with the array's owner index, made once for many panes.
TPaneLayout LayPane(const TDefBase& element, TPaneKind pane, const TOwnerIndex& owned, int W,
                    int L);

// The element whose definition window lays the script out: a table its columns' scripts, a list
// its filter; every other script element its own.
const TDefBase& ScriptHost(const TDefPicture& script);
// Where the pane shows bytes [offset, offset + length) of a line (from 1) of the script; nothing
// when the pane did not lay that script out or the script has no such line.
std::optional<TPaneRect> ScriptTextRect(const TPaneLayout& layout, const TDefPicture& script,
                                        size_t line, size_t offset, size_t length, int W, int L);

} // namespace panes
