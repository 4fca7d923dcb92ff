#include "script/TUsedSet.h"

#include "model/Names.h"
#include "model/TDefBase.h"

#include <functional>

namespace {
constexpr size_t kLinearLimit = 16;
} // namespace

size_t TUsedSet::Hash::operator()(const TDefBase* e) const
{
    // FNV-1a over the name with ASCII letters folded, as names::Equal compares them.
    size_t h = 1469598103934665603ULL;
    for (char c : e->name) {
        auto u = static_cast<unsigned char>(c);
        if (u >= 'A' && u <= 'Z')
            u = static_cast<unsigned char>(u + ('a' - 'A'));
        h = (h ^ u) * 1099511628211ULL;
    }
    h ^= std::hash<const void*>{}(e->owner) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    h ^= static_cast<size_t>(e->kind) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

bool TUsedSet::Same::operator()(const TDefBase* a, const TDefBase* b) const
{
    return a == b || (a->kind == b->kind && a->owner == b->owner && names::Equal(a->name, b->name));
}

bool TUsedSet::Add(TDefBase* user)
{
    // A script naming one element many times adds the same user over and over.
    if (!users.empty() && users.back() == user)
        return false;
    if (users.size() < kLinearLimit) {
        for (const TDefBase* u : users)
            if (Same{}(u, user))
                return false;
        users.push_back(user);
        if (users.size() == kLinearLimit)
            index.insert(users.begin(), users.end());
        return true;
    }
    if (!index.insert(user).second)
        return false;
    users.push_back(user);
    return true;
}
