#include "gui/views/TDisplayPrintSettings.h"

#include "gui/views/TPaneHost.h"
#include "model/TDefPrintSetting.h"
#include "views/FormLayouts.h"

TDisplayPrintSettings::TDisplayPrintSettings(TPaneHost& host, TDefBase& def)
    : TDisplayWindow(host, def)
{
    SetLayout(panes::LayPrintSettings(static_cast<const TDefPrintSetting&>(def), CharWidth(),
                                      LineHeight()));
}
