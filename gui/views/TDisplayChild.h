#pragma once

#include "gui/views/TChildWindow.h"
#include "gui/views/TPane.h"

#include <optional>

// The child window that holds one pane widget: an element's definition, the messages, the index,
// a used-by or find list, the relationships diagram. It owns the pane.
class TDisplayChild : public TChildWindow {
    Q_OBJECT
public:
    // extent: the total size of a definition pane's content; none for other panes.
    template <class Pane>
    TDisplayChild(const QString& caption, TChildKey key, Pane* pane, int helpContext,
                  std::optional<QSize> extent = std::nullopt)
        : TDisplayChild(caption, key, *pane, pane, helpContext, extent)
    {
    }

    QWidget* Pane() const { return widget(); }
    // The content size the child asks the main frame for: wide enough for the pane and a
    // vertical scroll bar; 400 by 400 for a pane that is not a definition.
    QSize RequestedSize() const;
    // The width at which the title bar shows the whole caption (at most 100 characters).
    int CaptionWidth() const;

private:
    TDisplayChild(const QString& caption, TChildKey key, TPane& pane, QWidget* widget,
                  int helpContext, std::optional<QSize> extent);

    std::optional<QSize> extent;
};
