#pragma once

#include "compare/TitleMatch.h"
#include "gui/views/TChildWindow.h"
#include "gui/views/TPane.h"
#include "views/TNavigationHistory.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <string>
#include <vector>

class TSpecMDI;

// A child window as a reload or the next start makes it again: what it shows (its element by
// title, as the comparison matches units), its place and scroll, and what its pane gives back.
struct TWindowMemo {
    TChildKey::TRole role = TChildKey::Structure;
    std::optional<compare::TTitleKey> element; // a definition, used-by or focused diagram's
    int paneKind = 0;                          // a definition window's TPaneKind
    std::string text;                          // a find window's text
    int depth = 0;                             // a focused diagram's
    QRect place;
    bool minimised = false;
    bool maximised = false;
    bool active = false;
    QPoint scroll;
    TPaneMemo pane; // its selected element is in `selected`
    std::optional<compare::TTitleKey> selected;
};

// The definition windows' history, each entry by title, as a reload carries it over.
struct THistoryMemo {
    TNavigationHistory history;
    std::vector<std::optional<compare::TTitleKey>> keys; // one an entry
};

namespace windowmemos {

// Every child window of the client, bottom of the stack first.
std::vector<TWindowMemo> Take(const TSpecMDI& mdi);
// Opens the windows again over the design loaded now, in their places, the active one last; the
// windows whose element this design has not (and a Differences window, whose design is gone)
// are not opened. Returns how many were not.
int Restore(TSpecMDI& mdi, const std::vector<TWindowMemo>& memos);

THistoryMemo TakeHistory(const TSpecMDI& mdi);
// The entries whose element this design has too, in place of the history the reopened windows
// made.
void RestoreHistory(TSpecMDI& mdi, THistoryMemo memo);

} // namespace windowmemos
