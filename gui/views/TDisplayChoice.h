#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of a choice: its words on one line.
class TDisplayChoice : public TDisplayWindow {
    Q_OBJECT
public:
    TDisplayChoice(TPaneHost& host, TDefBase& def);

protected:
    // The form does not react to the mouse.
    void Click(QPoint) override {}
    void DoubleClick(QPoint) override {}
};
