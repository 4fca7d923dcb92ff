#include "gui/views/TDisplayTable.h"

#include "gui/views/TPaneHost.h"
#include "model/TDefTable.h"
#include "views/HostLayouts.h"

TDisplayTable::TDisplayTable(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayTable(static_cast<const TDefTable&>(def), CharWidth(), LineHeight()));
}
