#include "script/TNameIndex.h"

#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <algorithm>
#include <functional>

namespace {
// Up to this many adds are inserted one by one rather than sorted and merged in.
constexpr size_t kFewAdds = 64;

int CompareOwners(const TDefBase* a, const TDefBase* b)
{
    if (a == b)
        return 0;
    if (!a || !b)
        return a ? 1 : -1;
    if (a->index != b->index)
        return a->index < b->index ? -1 : 1;
    // Only elements outside the definition array can share an index; any fixed order will do.
    return std::less<const TDefBase*>{}(a, b) ? -1 : 1;
}

// The order within one name: owner, then kind.
bool OwnerKindLess(const TDefBase* e, const TDefBase* owner, int kind)
{
    const int c = CompareOwners(e->owner, owner);
    return c < 0 || (c == 0 && e->kind < kind);
}

// What sorting compares, gathered so that most comparisons touch no element. The prefix packs
// the first 8 folded bytes of the name, so prefixes order as names::Compare orders the names.
struct SortKey {
    uint64_t prefix;
    TDefBase* element;
    const TDefBase* owner;
    int32_t ownerIndex;
    int32_t kind;
    bool wholeName; // the prefix holds the whole name: at most 8 bytes, none of them 0

    explicit SortKey(TDefBase* e)
        : prefix(0), element(e), owner(e->owner), ownerIndex(e->owner ? e->owner->index : -1),
          kind(e->kind), wholeName(e->name.size() <= 8)
    {
        for (size_t i = 0; i < 8; ++i) {
            const auto c =
                static_cast<unsigned char>(i < e->name.size() ? names::Fold(e->name[i]) : 0);
            wholeName = wholeName && (i >= e->name.size() || c != 0);
            prefix = prefix << 8 | c;
        }
    }

    bool operator<(const SortKey& other) const
    {
        if (prefix != other.prefix)
            return prefix < other.prefix;
        if (!wholeName || !other.wholeName) {
            const int c = names::Compare(element->name, other.element->name);
            if (c != 0)
                return c < 0;
        }
        if (owner == other.owner)
            return kind < other.kind;
        if (ownerIndex != other.ownerIndex && owner && other.owner)
            return ownerIndex < other.ownerIndex;
        return OwnerKindLess(element, other.owner, other.kind);
    }
};

bool Less(const TDefBase* a, const TDefBase* b)
{
    const int c = names::Compare(a->name, b->name);
    if (c != 0)
        return c < 0;
    return OwnerKindLess(a, b->owner, b->kind);
}

struct ByName {
    bool operator()(const TDefBase* e, std::string_view n) const
    {
        return names::Compare(e->name, n) < 0;
    }
    bool operator()(std::string_view n, const TDefBase* e) const
    {
        return names::Compare(n, e->name) < 0;
    }
};
} // namespace

void TNameIndex::Add(TDefBase* element)
{
    elements.push_back(element);
}

void TNameIndex::Clear()
{
    Thaw();
    elements.clear();
    sortedCount = 0;
}

void TNameIndex::Thaw() const
{
    frozen = false;
    defsFrozen = nullptr;
    runs.clear();
    slots.clear();
}

void TNameIndex::Settle() const
{
    if (sortedCount == elements.size())
        return;
    Thaw();
    const size_t added = elements.size() - sortedCount;
    if (added <= kFewAdds && sortedCount > 0) {
        // One by one, each after its equals: a merge would compare every element.
        for (size_t i = sortedCount; i < elements.size(); ++i) {
            const auto at = elements.begin() + static_cast<std::ptrdiff_t>(i);
            std::rotate(std::upper_bound(elements.begin(), at, *at, Less), at, at + 1);
        }
        sortedCount = elements.size();
        return;
    }
    const auto middle = elements.begin() + static_cast<std::ptrdiff_t>(sortedCount);
    std::vector<SortKey> keys;
    keys.reserve(added);
    for (auto it = middle; it != elements.end(); ++it)
        keys.emplace_back(*it);
    // Stable, so that equal keys keep the order in which they were added.
    std::stable_sort(keys.begin(), keys.end());
    std::transform(keys.begin(), keys.end(), middle, [](const SortKey& k) { return k.element; });
    std::inplace_merge(elements.begin(), middle, elements.end(), Less);
    sortedCount = elements.size();
}

const std::vector<TDefBase*>& TNameIndex::Elements() const
{
    Settle();
    return elements;
}

void TNameIndex::Freeze(const TDefinedArray& defs)
{
    Settle();
    if (frozen)
        return;
    size_t room = 16;
    while (room < 2 * elements.size())
        room *= 2;
    runs.assign(room, RunSlot{});
    for (size_t first = 0; first < elements.size();) {
        size_t last = first + 1;
        while (last < elements.size() && names::Equal(elements[last]->name, elements[first]->name))
            ++last;
        const uint64_t hash = names::Hash(elements[first]->name);
        size_t at = hash & (room - 1);
        while (runs[at].run.last != 0)
            at = (at + 1) & (room - 1);
        runs[at] = {hash, {static_cast<uint32_t>(first), static_cast<uint32_t>(last)}};
        first = last;
    }
    // Owner indices order the runs only when no two owners share one.
    bool ownersInPlace = true;
    slots.reserve(elements.size());
    for (const TDefBase* e : elements) {
        const TDefBase* owner = e->owner;
        if (owner && !defs.Holds(owner))
            ownersInPlace = false;
        slots.push_back({owner ? owner->index : -1, e->kind});
    }
    if (!ownersInPlace)
        slots.clear();
    defsFrozen = &defs;
    frozen = true;
}

TNameIndex::Range TNameIndex::NameRange(std::string_view name) const
{
    Settle();
    if (frozen) {
        const uint64_t hash = names::Hash(name);
        const size_t mask = runs.size() - 1;
        for (size_t at = hash & mask; runs[at].run.last != 0; at = (at + 1) & mask)
            if (runs[at].hash == hash && names::Equal(elements[runs[at].run.first]->name, name))
                return runs[at].run;
        return {};
    }
    const auto [first, last] = std::equal_range(elements.begin(), elements.end(), name, ByName{});
    return {static_cast<uint32_t>(first - elements.begin()),
            static_cast<uint32_t>(last - elements.begin())};
}

TDefBase* TNameIndex::FindIn(Range range, const TDefBase* owner, int kind) const
{
    const auto begin = elements.begin();
    if (!slots.empty()) {
        // Every owner in the table is where its index says; any other owns nothing here.
        if (owner && !defsFrozen->Holds(owner))
            return nullptr;
        const int32_t ownerIndex = owner ? owner->index : -1;
        const auto slot =
            std::lower_bound(slots.begin() + range.first, slots.begin() + range.last, ownerIndex,
                             [kind](const Slot& s, int32_t o) {
                                 return s.ownerIndex < o || (s.ownerIndex == o && s.kind < kind);
                             });
        const auto i = static_cast<size_t>(slot - slots.begin());
        return i < range.last && slot->ownerIndex == ownerIndex && slot->kind == kind ? elements[i]
                                                                                      : nullptr;
    }
    const auto it = std::lower_bound(
        begin + range.first, begin + range.last, owner,
        [kind](const TDefBase* e, const TDefBase* o) { return OwnerKindLess(e, o, kind); });
    if (it != begin + range.last && (*it)->owner == owner && (*it)->kind == kind)
        return *it;
    return nullptr;
}
