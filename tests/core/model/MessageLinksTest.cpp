#include "model/MessageLinks.h"
#include "core/LoadHelpers.h"
#include "model/TDefinedArray.h"

#include <gtest/gtest.h>

namespace {

// Every case asks the indexed look-up too, which must agree.
const TDefBase* Named(const TLoaded& t, std::string_view line)
{
    const TDefBase* found = messages::ElementNamedBy(line, t.db.Definitions());
    EXPECT_EQ(messages::TMessageLinks(t.db.Definitions()).ElementNamedBy(line), found) << line;
    return found;
}

} // namespace

// Every line a real load writes either leads to the element it is about or to nothing.
TEST(MessageLinks, LinesOfALoadLeadToTheirElements)
{
    std::string columns;
    for (int i = 0; i < 17; ++i)
        columns += "1 COLUMN\n2 PICTURE name\n";
    const TLoaded t("0 @person@ RECORD\n"
                    "1 @name@ FIELD text\n2 TAG NAME\n"
                    "1 @City@ FIELD text\n"
                    "1 @show@ PICTURE name nothing\n"
                    "0 @T@ TABLE\n1 TYPE person\n" +
                    columns +
                    "0 @R@ REPORT\n1 TYPE person\n1 WIDTH 10\n1 HEIGHT 5\n"
                    "1 AREA\n2 Y 9\n2 PICTURE name\n"
                    "0 TRLR\n");
    const auto lines = t.db.Log().Lines();
    const auto lineWith = [&](std::string_view start) {
        for (const std::string& line : lines)
            if (line.starts_with(start))
                return line;
        ADD_FAILURE() << "no line starts with " << start;
        return std::string();
    };
    EXPECT_EQ(Named(t, lineWith("Cannot find nothing")), t.Titled("person picture script show"));
    EXPECT_EQ(Named(t, lineWith("Tag missing from field")), t.Titled("person Field City"));
    EXPECT_EQ(Named(t, lineWith("Too many columns")), t.Titled("person Table T"));
    EXPECT_EQ(Named(t, lineWith("person Report R Area A")), t.Titled("person Report R"));
    EXPECT_EQ(Named(t, lines.front()), nullptr); // "Reading test"
    EXPECT_EQ(Named(t, lineWith("0 lists, 1 Tables")), nullptr);
}

TEST(MessageLinks, ShapesWithoutTheirElementNameNothing)
{
    const TLoaded t("0 @person@ RECORD\n1 @show@ PICTURE name\n0 TRLR\n");
    const TDefBase* show = t.Titled("person picture script show");
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(Named(t, "x not handled in NextTerm() in person picture script show"), show);
    // The title must be the whole rest of the line, and kinds must match.
    EXPECT_EQ(Named(t, "x not handled in NextTerm() in person picture script sh"), nullptr);
    EXPECT_EQ(Named(t, "Tag missing from field show"), nullptr);
    EXPECT_EQ(Named(t, "Too many columns in Table "), nullptr);
    EXPECT_EQ(Named(t, " Area "), nullptr);
    EXPECT_EQ(Named(t, " in "), nullptr);
    EXPECT_EQ(Named(t, ""), nullptr);
    EXPECT_EQ(Named(t, "Unrecognised tag in 0 BOGUS"), nullptr);
}
