#include "script/TUseCollector.h"

#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"

void TUseCollector::Start()
{
    pending.clear();
    collecting = true;
}

void TUseCollector::Use(TDefBase& element, TDefBase* user)
{
    if (collecting && defs.Holds(&element) && defs.Holds(user)) {
        pending.push_back(
            {static_cast<uint32_t>(element.index), static_cast<uint32_t>(user->index)});
        return;
    }
    // An element outside the array can't wait: what was collected goes first, and the rest of
    // the pass adds directly, so the order stays the order of the uses.
    Finish();
    element.Users().Add(user);
}

void TUseCollector::Finish()
{
    collecting = false;
    if (pending.empty())
        return;
    // A counting sort by element that keeps each element's uses in the order they came.
    std::vector<uint32_t> start(defs.Count() + 1, 0);
    for (const PendingUse& use : pending)
        ++start[use.element + 1];
    for (size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    std::vector<uint32_t> users(pending.size());
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (const PendingUse& use : pending)
        users[next[use.element]++] = use.user;
    pending.clear();
    pending.shrink_to_fit();
    // Each user's hash once, not once per use.
    std::vector<uint64_t> hashes(defs.Count(), 0);
    std::vector<bool> hashed(defs.Count(), false);
    for (size_t e = 0; e + 1 < start.size(); ++e) {
        TDefBase& element = *defs.At(e);
        if (start[e + 1] > start[e] && !element.HasUserSet())
            element.Users().Reserve(start[e + 1] - start[e]);
        for (uint32_t k = start[e]; k < start[e + 1]; ++k) {
            const uint32_t u = users[k];
            if (!hashed[u]) {
                hashes[u] = TUsedSet::HashOf(defs.At(u));
                hashed[u] = true;
            }
            element.Users().Add(defs.At(u), hashes[u]);
        }
    }
}
