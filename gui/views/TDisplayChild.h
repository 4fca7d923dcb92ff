#pragma once

#include "gui/views/TChildWindow.h"

#include <optional>

// The child window that holds one pane: an element's definition, or the messages (later also the
// index, used-by lists and the relationships diagram). It owns the pane.
class TDisplayChild : public TChildWindow {
    Q_OBJECT
public:
    // extent: the total size of a definition pane's content; none for other panes.
    TDisplayChild(const QString& caption, TChildKey key, QWidget* pane, int helpContext,
                  std::optional<QSize> extent = std::nullopt);

    QWidget* Pane() const { return widget(); }
    // The content size the child asks the main frame for: wide enough for the pane and a
    // vertical scroll bar, and for the caption (at most 100 characters) beside four caption
    // buttons; 400 by 400 for a pane that is not a definition.
    QSize RequestedSize() const;

private:
    std::optional<QSize> extent;
};
