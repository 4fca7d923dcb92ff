#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"
#include "script/TNameIndex.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {
// Every (name, owner, kind) lookup of a few spellings over a few owners.
std::vector<TDefBase*> AllLookups(const TNameIndex& index, const std::vector<std::string>& names,
                                  const std::vector<const TDefBase*>& owners)
{
    std::vector<TDefBase*> found;
    for (const std::string& name : names) {
        const TNameIndex::Range range = index.NameRange(name);
        found.push_back(index.First(range));
        for (const TDefBase* owner : owners)
            for (int kind : {kinds::Field, kinds::Word, kinds::Picture, kinds::Record})
                found.push_back(index.FindIn(range, owner, kind));
    }
    return found;
}
} // namespace

TEST(NameIndex, FrozenLookupsFindWhatBinarySearchFinds)
{
    std::mt19937 random(99);
    TDefinedArray defs;
    // An owner outside the array, whose index says nothing, and one that shares index 0.
    TDefBase stray(kinds::Record, "stray", nullptr);
    TDefBase twin(kinds::Record, "twin", nullptr);
    twin.index = 0;
    const std::vector<std::string> spellings{"a", "B", "ab", "Ab", "_", "b_", "zz", "missing"};
    for (bool foreignOwners : {false, true}) {
        TNameIndex index;
        std::vector<const TDefBase*> owners{nullptr};
        for (int i = 0; i < 300; ++i) {
            const TDefBase* owner = owners[random() % owners.size()];
            if (foreignOwners && i % 50 == 7)
                owner = i % 100 == 7 ? &stray : &twin;
            auto* e = defs.Add(new TDefBase(i % 7 == 0 ? kinds::Record : kinds::Field,
                                            spellings[random() % 7], const_cast<TDefBase*>(owner)));
            index.Add(e);
            if (random() % 5 == 0)
                owners.push_back(e);
        }
        owners.push_back(&stray);
        owners.push_back(&twin);
        const std::vector<TDefBase*> searched = AllLookups(index, spellings, owners);
        index.Freeze(defs);
        EXPECT_EQ(AllLookups(index, spellings, owners), searched) << foreignOwners;
        // An add thaws the index; the new element is found.
        TDefBase* late = defs.Add(new TDefBase(kinds::Word, "missing", nullptr));
        index.Add(late);
        EXPECT_EQ(index.FindIn(index.NameRange("MISSING"), nullptr, kinds::Word), late);
    }
}

TEST(UsedSet, LongSetsStillRefuseEqualElementsAndKeepTheirOrder)
{
    TDefinedArray defs;
    TDefBase* owner = defs.Add(new TDefBase(kinds::Record, "r", nullptr));
    std::vector<TDefBase*> users;
    for (int i = 0; i < 100; ++i)
        users.push_back(defs.Add(
            new TDefBase(kinds::Picture, std::string("p").append(std::to_string(i)), owner)));
    TUsedSet set;
    for (TDefBase* u : users)
        EXPECT_TRUE(set.Add(u));
    for (TDefBase* u : users)
        EXPECT_FALSE(set.Add(u));
    // Equal elements: the same name in other letter case, owner and kind.
    TDefBase early(kinds::Picture, "P3", owner);
    TDefBase late(kinds::Picture, "P70", owner);
    EXPECT_FALSE(set.Add(&early));
    EXPECT_FALSE(set.Add(&late));
    // Different owner or kind: not equal.
    TDefBase otherKind(kinds::Field, "p3", owner);
    TDefBase noOwner(kinds::Picture, "p70", nullptr);
    EXPECT_TRUE(set.Add(&otherKind));
    EXPECT_TRUE(set.Add(&noOwner));
    ASSERT_EQ(set.size(), 102u);
    EXPECT_TRUE(std::equal(users.begin(), users.end(), set.begin()));
    EXPECT_EQ(set[100], &otherKind);
    EXPECT_EQ(set[101], &noOwner);
}
