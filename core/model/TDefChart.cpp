#include "model/TDefChart.h"

#include "model/Kinds.h"
#include "model/TControlGed.h"
#include "model/TDefPicture.h"
#include "model/TDefPrintSetting.h"
#include "model/TDefinedArray.h"
#include "model/TLoadContext.h"
#include "model/TMessageLog.h"

TDefChart::TDefChart(int kind) : TDefBase(kind, NameOf(kind), nullptr) {}

const char* TDefChart::NameOf(int kind)
{
    switch (kind) {
    case kinds::AncestorChart:
        return "Ancestor Chart";
    case kinds::DescendantChart:
        return "Descendant Chart";
    default:
        return "Tree";
    }
}

void TDefChart::Read(TLoadContext& rc)
{
    TControlGed& ged = rc.ged;
    rc.Next();
    while (ged.level > 0) {
        switch (ged.tagCode) {
        case tags::Brief:
            rc.defs.Add(new TDefPicture(kinds::Picture, "Brief", ged.value, this))->Read(rc);
            break;
        case tags::Detailed:
            rc.defs.Add(new TDefPicture(kinds::Picture, "Detail", ged.value, this))->Read(rc);
            break;
        case tags::Normal:
            rc.defs.Add(new TDefPicture(kinds::Picture, "Normal", ged.value, this))->Read(rc);
            break;
        case kinds::PrintSettings:
            rc.defs.Add(new TDefPrintSetting(this))->Read(rc);
            break;
        default:
            rc.NotHandled();
            rc.Next();
            break;
        }
    }
}
