#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of a group or record: its fields with their types and GEDCOM tags. A
// field's name or type can be selected; a double-click on a type opens or explains it.
class TDisplayFields : public TDisplayWindow {
    Q_OBJECT
public:
    using TDisplayWindow::TDisplayWindow;

protected:
    void DoubleClick(QPoint content) override;
};
