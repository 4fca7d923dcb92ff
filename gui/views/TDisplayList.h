#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of a list: its method, sort keys and filter script.
class TDisplayList : public TDisplayWindow {
    Q_OBJECT
public:
    TDisplayList(TPaneHost& host, TDefBase& def);
};
