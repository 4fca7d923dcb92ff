#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

class TDefBase;

// The elements that use one element, in the order they were added, without two equal elements
// (same name ignoring case, same owner, same kind). Refers to the elements; owns none.
class TUsedSet {
public:
    // False when an equal element is there already.
    bool Add(TDefBase* user) { return Add(user, HashOf(user)); }
    // The same, with the user's HashOf worked out beforehand (it reads the user's name).
    bool Add(TDefBase* user, uint64_t hash);
    // Room for this many users, when the count is known beforehand: no spare room is left then.
    void Reserve(size_t count);
    // Equal elements (same name ignoring case, owner and kind) hash alike.
    static uint64_t HashOf(const TDefBase* element);

    bool empty() const { return users.empty(); }
    size_t size() const { return users.size(); }
    TDefBase* operator[](size_t i) const { return users[i]; }
    auto begin() const { return users.begin(); }
    auto end() const { return users.end(); }

private:
    struct Entry {
        const TDefBase* user;
        uint64_t hash;
    };
    struct EntryHash {
        size_t operator()(const Entry& e) const { return static_cast<size_t>(e.hash); }
    };
    struct EntrySame {
        bool operator()(const Entry& a, const Entry& b) const;
    };

    std::vector<TDefBase*> users;
    // While the set is short: the users' hashes, so that a search rarely touches an element.
    std::vector<uint64_t> hashes;
    // Once it is long: every user, hashed. Most sets stay short and never make one.
    std::unique_ptr<std::unordered_set<Entry, EntryHash, EntrySame>> index;
};
