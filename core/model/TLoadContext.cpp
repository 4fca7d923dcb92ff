#include "model/TLoadContext.h"

#include "model/TControlGed.h"
#include "model/TMessageLog.h"

#include <string>

bool TLoadContext::Next()
{
    return ged.NextLine(in, log);
}

void TLoadContext::SkipToLevel0()
{
    do
        Next();
    while (ged.level > 0);
}

void TLoadContext::NotHandled()
{
    log.Line("type " + std::to_string(ged.tagCode) + " not handled in Read()");
}
