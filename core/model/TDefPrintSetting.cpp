#include "model/TDefPrintSetting.h"

#include "model/Kinds.h"
#include "model/TControlGed.h"
#include "model/TLoadContext.h"

#include <cstdlib>

TDefPrintSetting::TDefPrintSetting(TDefBase* owner)
    : TDefBase(kinds::PrintSettings, std::string(), owner)
{
}

void TDefPrintSetting::Read(TLoadContext& rc)
{
    uint32_t* const targets[] = {&pageWidth,   &pageHeight, &leftMargin, &rightMargin, &topSpace,
                                 &bottomSpace, &sequence1,  &sequence2,  &sequence3};
    const char* p = rc.ged.value.c_str();
    for (int i = 0; i < 10; ++i) {
        char* end = nullptr;
        const long n = std::strtol(p, &end, 10);
        if (end == p)
            break;
        p = end;
        if (i < 9)
            *targets[i] = static_cast<uint32_t>(n);
        else
            pagePause = n == 1;
    }
    rc.Next();
}

std::string TDefPrintSetting::MakeTitle() const
{
    if (!owner)
        return name;
    switch (owner->kind) {
    case kinds::Table:
        return owner->TypeName() + " Table " + owner->name + " Print Settings";
    case kinds::Report:
        return owner->TypeName() + " Report " + owner->name + " Print Settings";
    default:
        return owner->name + " Print Settings";
    }
}

bool TDefPrintSetting::PaneKind(TPaneKind& pane) const
{
    pane = TPaneKind::PrintSettings;
    return true;
}
