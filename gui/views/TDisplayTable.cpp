#include "views/TDisplayTable.h"

#include "model/TDefTable.h"
#include "views/HostLayouts.h"
#include "views/TPaneHost.h"

TDisplayTable::TDisplayTable(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayTable(static_cast<const TDefTable&>(def), CharWidth(), LineHeight()));
}
