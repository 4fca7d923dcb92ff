#pragma once

#include "model/TDisplayHost.h"

class TDefBase;
class TDisplayWindow;
class TPaneHost;

// The definition pane of each kind and its help topic, in one table: most kinds show their
// layout alone; the fields and the report panes answer clicks of their own.
namespace definitions {

TDisplayWindow* MakePane(TPaneHost& host, const TDefBase& element, TPaneKind pane);
int HelpContext(TPaneKind pane);

} // namespace definitions
