#include "export/TOwnerIndex.h"

#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

namespace {
// The owner's index, or -1 when the owner is not the element at that index of this array.
int OwnerIndex(const TDefinedArray& defs, const TDefBase& element)
{
    const TDefBase* owner = element.owner;
    return defs.Holds(owner) ? owner->index : -1;
}
} // namespace

TOwnerIndex::TOwnerIndex(const TDefinedArray& defs) : defs(defs), first(defs.Count() + 1, 0)
{
    for (const auto& e : defs) {
        const int o = OwnerIndex(defs, *e);
        if (o >= 0)
            ++first[static_cast<size_t>(o) + 1];
    }
    for (size_t i = 1; i < first.size(); ++i)
        first[i] += first[i - 1];
    items.resize(first.back());
    std::vector<uint32_t> next(first.begin(), first.end() - 1);
    for (const auto& e : defs) {
        const int o = OwnerIndex(defs, *e);
        if (o >= 0)
            items[next[static_cast<size_t>(o)]++] = e.get();
    }
}

std::span<TDefBase* const> TOwnerIndex::Owned(const TDefBase& owner) const
{
    const int i = owner.index;
    if (i < 0 || static_cast<size_t>(i) + 1 >= first.size() ||
        defs.At(static_cast<size_t>(i)) != &owner)
        return {};
    return std::span<TDefBase* const>(items).subspan(first[static_cast<size_t>(i)],
                                                     first[static_cast<size_t>(i) + 1] -
                                                         first[static_cast<size_t>(i)]);
}
