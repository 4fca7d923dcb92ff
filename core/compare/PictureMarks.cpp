#include "compare/PictureMarks.h"

#include "model/Kinds.h"
#include "model/TDefBase.h"

namespace compare {

TPictureStatus PictureMarks(const TComparison& comparison)
{
    TPictureStatus pictures;
    for (const TDifference& d : comparison.Differences()) {
        const TDefBase* element = comparison.NewElement(d);
        if (element && d.status != TStatus::Removed && kinds::IsPictureKind(element->kind))
            pictures.emplace(element, d.status);
    }
    return pictures;
}

} // namespace compare
