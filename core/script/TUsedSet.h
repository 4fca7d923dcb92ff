#pragma once

#include <cstddef>
#include <unordered_set>
#include <vector>

class TDefBase;

// The elements that use one element, in the order they were added, without two equal elements
// (same name ignoring case, same owner, same kind). Refers to the elements; owns none.
class TUsedSet {
public:
    // False when an equal element is there already.
    bool Add(TDefBase* user);

    bool empty() const { return users.empty(); }
    size_t size() const { return users.size(); }
    TDefBase* operator[](size_t i) const { return users[i]; }
    auto begin() const { return users.begin(); }
    auto end() const { return users.end(); }

private:
    struct Hash {
        size_t operator()(const TDefBase* e) const;
    };
    struct Same {
        bool operator()(const TDefBase* a, const TDefBase* b) const;
    };

    std::vector<TDefBase*> users;
    // Made once the set is long enough for a linear search to cost more than hashing.
    std::unordered_set<const TDefBase*, Hash, Same> index;
};
