#include "script/UnusedElements.h"
#include "core/LoadHelpers.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"

#include <gtest/gtest.h>

TEST(UnusedElements, ListsWhatNothingUsesByClassThenName)
{
    const TLoaded t("0 @person@ RECORD\n"
                    "1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @Zeta@ FIELD text\n2 TAG ZETA\n"
                    "1 @alpha@ FIELD text\n2 TAG ALPH\n"
                    "1 @show@ PICTURE name\n"
                    "1 @caller@ PICTURE show\n"
                    "0 @Lonely@ RECORD\n"
                    "0 @Sex@ CHOICE\n1 @Male@ WORD\n"
                    "0 @T@ TABLE\n1 TYPE person\n1 COLUMN\n2 PICTURE name\n"
                    "0 TRLR\n");
    const auto found = unused::UnusedElements(t.db.Definitions());
    EXPECT_EQ(unused::UnusedText(found), "Choice\tChoice Sex\n"
                                         "Field\tperson Field alpha\n"
                                         "Field\tperson Field Zeta\n"
                                         "Picture\tperson picture script caller\n"
                                         "Record\tRecord Lonely\n"
                                         "Record\tRecord person\n");
    // The reference: each candidate is listed exactly when its used-by set is empty and it does
    // not belong to a table.
    for (const auto& e : t.db.Definitions()) {
        const bool candidate = e->kind == kinds::Field || e->kind == kinds::Picture ||
                               e->kind == kinds::Record || e->kind == kinds::Choice;
        const bool inTable = e->owner && e->owner->kind == kinds::Table;
        const bool listed = std::find(found.begin(), found.end(), e.get()) != found.end();
        EXPECT_EQ(listed, candidate && !inTable && (!e->users || e->users->empty())) << e->Title();
    }
}

TEST(UnusedElements, EmptyDesignHasNone)
{
    const TLoaded t("0 TRLR\n");
    EXPECT_TRUE(unused::UnusedElements(t.db.Definitions()).empty());
    EXPECT_EQ(unused::UnusedText({}), "");
}

// A list's REFERENCE names the plan picture it draws, letter case aside: that plan picture is
// used by the list.
TEST(UnusedElements, PlanPictureNamedByAListIsUsed)
{
    const TLoaded t("0 @person@ RECORD\n"
                    "1 @Tree@ PLANPIC line\n"
                    "1 @Fan@ PLANPIC line\n"
                    "1 @Spare@ PLANPIC line\n"
                    "1 @Other@ PLANPIC line\n"
                    "0 LIST\n1 METHOD anctree\n1 REFERENCE tree\n"
                    "0 LIST\n1 REFERENCE FAN\n"
                    "0 LIST\n1 REFERENCE Spar\n"
                    "0 TRLR\n");
    std::vector<std::string> plans;
    for (const TDefBase* e : unused::UnusedElements(t.db.Definitions()))
        if (e->kind == kinds::PlanPicture)
            plans.push_back(e->name);
    EXPECT_EQ(plans, (std::vector<std::string>{"Other", "Spare"}));
}
