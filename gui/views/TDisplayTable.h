#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of a table: its titles and columns, each with its picture script.
class TDisplayTable : public TDisplayWindow {
    Q_OBJECT
public:
    TDisplayTable(TPaneHost& host, TDefBase& def);
};
