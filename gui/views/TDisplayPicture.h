#pragma once

#include "gui/views/TDisplayWindow.h"

// The definition pane of a picture, plan picture, edit panel or filter: its script.
class TDisplayPicture : public TDisplayWindow {
    Q_OBJECT
public:
    TDisplayPicture(TPaneHost& host, TDefBase& def);
};
