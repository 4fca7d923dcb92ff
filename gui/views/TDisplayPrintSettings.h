#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of a chart's, table's or report's print settings.
class TDisplayPrintSettings : public TDisplayWindow {
    Q_OBJECT
public:
    TDisplayPrintSettings(TPaneHost& host, TDefBase& def);

protected:
    // The form does not react to the mouse.
    void Click(QPoint) override {}
    void DoubleClick(QPoint) override {}
};
