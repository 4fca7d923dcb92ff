#include "model/TDefinedArray.h"

#include "core/LoadHelpers.h"
#include "model/TDefBase.h"

#include <gtest/gtest.h>
#include <map>

namespace {
// Titles repeat: two groups G, a field f in each, a picture P in each; the record g and its field
// F differ from them in letter case.
const char* const kRepeatedTitles = "0 @G@ GROUP\n1 @f@ FIELD a\n2 TAG A\n1 @P@ PICTURE x\n"
                                    "0 @G@ GROUP\n1 @f@ FIELD b\n2 TAG B\n1 @P@ PICTURE y\n"
                                    "0 @g@ RECORD\n1 @F@ FIELD c\n2 TAG C\n"
                                    "0 TRLR\n";
} // namespace

TEST(FindTitled, EveryTitleFindsItsFirstElementInArrayOrder)
{
    TLoaded t(kRepeatedTitles);
    const TDefinedArray& defs = t.db.Definitions();
    // The reference: walking backwards, the last element written for a title is its first.
    std::map<std::string, const TDefBase*> first;
    for (size_t i = defs.Count(); i-- > 0;)
        first[defs.At(i)->Title()] = defs.At(i);
    ASSERT_LT(first.size(), defs.Count()) << "the design must repeat a title";
    for (const auto& [title, element] : first)
        EXPECT_EQ(defs.FindTitled(title), element) << title;
}

TEST(FindTitled, TitleMatchesExactlyOrNotAtAll)
{
    TLoaded t(kRepeatedTitles);
    const TDefinedArray& defs = t.db.Definitions();
    ASSERT_NE(defs.FindTitled("Group G"), nullptr);
    EXPECT_EQ(defs.FindTitled("group G"), nullptr);
    EXPECT_EQ(defs.FindTitled("Group G "), nullptr);
    EXPECT_EQ(defs.FindTitled("G"), nullptr);
    EXPECT_EQ(defs.FindTitled(""), nullptr);
    const TDefBase* upper = defs.FindTitled("g Field F");
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(upper->name, "F");
    EXPECT_EQ(defs.FindTitled("G Field F"), nullptr);
    EXPECT_EQ(TDefinedArray().FindTitled("Group G"), nullptr);
}

TEST(Holds, OnlyTheElementItsIndexPointsAt)
{
    TLoaded t(kRepeatedTitles);
    const TDefinedArray& defs = t.db.Definitions();
    for (size_t i = 0; i < defs.Count(); ++i)
        EXPECT_TRUE(defs.Holds(defs.At(i))) << i;
    EXPECT_FALSE(defs.Holds(nullptr));
    // Same name, kind and index as the first element, but not that element.
    TDefBase twin(defs.At(0)->kind, defs.At(0)->name, nullptr);
    twin.index = 0;
    EXPECT_FALSE(defs.Holds(&twin));
    twin.index = static_cast<int>(defs.Count());
    EXPECT_FALSE(defs.Holds(&twin));
    EXPECT_FALSE(TDefinedArray().Holds(defs.At(0)));
}
