#include "export/SaveAsText.h"

#include "core/LoadHelpers.h"
#include "core/export/RecordingHost.h"
#include "export/TSelectionTree.h"

#include <gtest/gtest.h>
#include <sstream>

using Errors = std::vector<std::string>;

namespace {
const char* const kDesign = "0 @G@ GROUP\n1 @f@ FIELD a\n2 TAG A\n1 @P@ PICTURE x\n"
                            "0 @G@ GROUP\n1 @f@ FIELD b\n2 TAG B\n"
                            "0 @Sex@ CHOICE\n1 WORD m\n1 WORD f\n0 LIST\n1 METHOD fill\n0 ACHART\n"
                            "0 TRLR\n";
} // namespace

TEST(SaveAsTextDocument, OpeningSelectionWritesGroupsChoicesAndPictures)
{
    TLoaded t(kDesign, "family");
    TRecordingHost host;
    std::ostringstream out;
    EXPECT_TRUE(SaveAsTextDocument(t.db, 3, out, host));
    EXPECT_EQ(out.str(), "Kinvault Specifications for family Database\n\n"
                         "Group G\n\tField\tType\tTag\n\tf\ta\tA\n\n\n"
                         "G picture script P\n\tx\n\n\n"
                         "Group G\n\tField\tType\tTag\n\tf\tb\tB\n\n\n"
                         "Choice Sex\n\tm, f\n\n\n");
    EXPECT_TRUE(host.errors.empty());
}

TEST(SaveAsTextDocument, NothingSelectedWritesNothing)
{
    TLoaded t(kDesign);
    TRecordingHost host;
    std::ostringstream out;
    EXPECT_FALSE(SaveAsTextDocument(t.db, TSelectionTree::kTablesAndReports, out, host));
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(SaveAsTextDocument(t.db, TSelectionTree::kAll, out, host));
    EXPECT_NE(out.str().find("Method: Fill"), std::string::npos);
}

TEST(CopyText, FirstElementWithExactlyThatTitleAtLevelZero)
{
    TLoaded t(kDesign);
    TRecordingHost host;
    std::string text = "kept:";
    EXPECT_TRUE(CopyText(t.db, "Group G", text, host));
    EXPECT_EQ(text, "kept:f\ta\tA\n");
    // Marks are cleared first, so a second copy gives the same text.
    text.clear();
    EXPECT_TRUE(CopyText(t.db, "Group G", text, host));
    EXPECT_EQ(text, "f\ta\tA\n");
    text.clear();
    EXPECT_FALSE(CopyText(t.db, "group G", text, host));
    EXPECT_FALSE(CopyText(t.db, "Group", text, host));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(host.errors.empty());
}

TEST(CopyText, KindWithoutWriterReportsAndCopiesNothing)
{
    TLoaded t(kDesign);
    TRecordingHost host;
    std::string text;
    EXPECT_TRUE(CopyText(t.db, "Ancestor Chart", text, host));
    EXPECT_EQ(text, "");
    EXPECT_EQ(host.errors, Errors{"TDefBase::AsText: Should not be called"});
}
