#pragma once

#include "views/TPaneLayout.h"

class TDefBase;
class TDefList;
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

} // namespace panes
