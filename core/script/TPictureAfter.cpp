#include "script/TPictureAfter.h"

#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

namespace {
constexpr int kUnknown = -2;
constexpr int kNone = -1;
} // namespace

TDefBase* TPictureAfter::FirstAfter(const TDefBase& element)
{
    if (!defs.Holds(&element))
        return nullptr;
    const size_t count = defs.Count();
    if (next.size() != count + 1) {
        next.assign(count + 1, kUnknown);
        next[count] = kNone;
    }
    const size_t from = static_cast<size_t>(element.index) + 1;
    size_t j = from;
    while (next[j] == kUnknown && defs.At(j)->kind != kinds::Picture)
        ++j;
    const int found = next[j] == kUnknown ? static_cast<int>(j) : next[j];
    for (size_t k = from; k <= j; ++k)
        next[k] = found;
    return found < 0 ? nullptr : defs.At(static_cast<size_t>(found));
}
