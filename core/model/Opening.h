#pragma once

#include "model/TDisplayHost.h"

#include <string>

class TDefBase;

// What opening an element shows, as a double-click in the tree, the index or a script does: a
// field or word its owner's definition window, an alias, variable or built-in a message saying
// what it is, any other element with a window that window, and the rest nothing.
struct TOpening {
    enum TAction { Nothing, Pane, Explain };
    TAction action = Nothing;
    // Pane: the element whose definition window shows, in a pane of this kind.
    const TDefBase* shown = nullptr;
    TPaneKind pane = TPaneKind::Fields;
    // Explain: the message, and whether the element is a type (else a value).
    std::string text;
    bool type = false;
};

TOpening OpeningOf(const TDefBase& element);
