#include "views/TDisplayPrintSettings.h"

#include "model/TDefPrintSetting.h"
#include "views/FormLayouts.h"
#include "views/TPaneHost.h"

TDisplayPrintSettings::TDisplayPrintSettings(TPaneHost& host, TDefBase& def)
    : TDisplayWindow(host, def)
{
    SetLayout(panes::LayPrintSettings(static_cast<const TDefPrintSetting&>(def), CharWidth(),
                                      LineHeight()));
}
