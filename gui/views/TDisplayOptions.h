#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of the options: dates, printer, truncation marker, RINs and lines.
class TDisplayOptions : public TDisplayWindow {
    Q_OBJECT
public:
    TDisplayOptions(TPaneHost& host, TDefBase& def);

protected:
    // The form does not react to the mouse.
    void Click(QPoint) override {}
    void DoubleClick(QPoint) override {}
};
