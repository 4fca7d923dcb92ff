#include "views/TDisplayOptions.h"

#include "model/TDefOption.h"
#include "views/FormLayouts.h"
#include "views/TPaneHost.h"

TDisplayOptions::TDisplayOptions(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayOptions(static_cast<const TDefOption&>(def), CharWidth(), LineHeight()));
}
