#include "model/TLoadContext.h"

#include "model/TControlGed.h"

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
