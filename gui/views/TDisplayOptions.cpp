#include "gui/views/TDisplayOptions.h"

#include "gui/views/TPaneHost.h"
#include "model/TDefOption.h"
#include "views/FormLayouts.h"

TDisplayOptions::TDisplayOptions(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayOptions(static_cast<const TDefOption&>(def), CharWidth(), LineHeight()));
}
