#include "model/TUsedSet.h"

#include "model/Names.h"
#include "model/TDefBase.h"

#include <algorithm>
#include <functional>

namespace {
constexpr size_t kLinearLimit = 32;
constexpr size_t kFirstRoom = 4;

bool Same(const TDefBase* a, const TDefBase* b)
{
    return a == b || (a->kind == b->kind && a->owner == b->owner && names::Equal(a->name, b->name));
}
} // namespace

uint64_t TUsedSet::HashOf(const TDefBase* e)
{
    uint64_t h = names::Hash(e->name);
    h ^= std::hash<const void*>{}(e->owner) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    h ^= static_cast<uint64_t>(e->kind) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

bool TUsedSet::EntrySame::operator()(const Entry& a, const Entry& b) const
{
    return a.hash == b.hash && Same(a.user, b.user);
}

bool TUsedSet::Add(TDefBase* user, uint64_t hash)
{
    // A script naming one element many times adds the same user over and over.
    if (!users.empty() && users.back() == user)
        return false;
    if (users.size() >= kLinearLimit) {
        if (!index->insert({user, hash}).second)
            return false;
        users.push_back(user);
        return true;
    }
    for (size_t i = 0; i < users.size(); ++i)
        if (hashes[i] == hash && Same(users[i], user))
            return false;
    if (users.capacity() == 0) {
        users.reserve(kFirstRoom);
        hashes.reserve(kFirstRoom);
    }
    users.push_back(user);
    hashes.push_back(hash);
    if (users.size() == kLinearLimit) {
        index = std::make_unique<std::unordered_set<Entry, EntryHash, EntrySame>>();
        for (size_t i = 0; i < users.size(); ++i)
            index->insert({users[i], hashes[i]});
        hashes = {};
    }
    return true;
}

void TUsedSet::Reserve(size_t count)
{
    users.reserve(count);
    if (!index)
        hashes.reserve(std::min(count, kLinearLimit));
}
