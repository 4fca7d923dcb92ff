#include "StemlookTextRun.h"

TEST_F(StemlookTextTest, MessagesWritesTheLogOfTheLoad)
{
    dir.Write("db.kvd/control.ged", "0 HEAD\r\n0 @person@ RECORD\r\n1 LIST\r\n0 TRLR\r\n");
    const TextRun r = StemlookText({"--messages", dir.Path() + "/db.kvd"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Reading db.kvd\nUnrecognised tag in 0 HEAD \ntype 28 not handled in Read()\n"
                     "0 lists, 0 Tables, 0 Reports\n");
    EXPECT_EQ(TTempFolder::Read(dir.Path() + "/Kinvault Software/stemlook.log"), r.out);
}

TEST_F(StemlookTextTest, MissingFolderAndBadUsage)
{
    const TextRun missing = StemlookText({"--messages", dir.Path() + "/none"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "stemlook-text: File Missing: " + dir.Path() + "/none/control.ged\n");

    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"--bogus", "x"}, {"a", "b"}, {"--messages", "--messages", "x"}, {"-o"}}) {
        const TextRun r = StemlookText(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("Usage: stemlook-text"), std::string::npos);
    }
    EXPECT_EQ(StemlookText({"--help"}).status, 0);
    EXPECT_NE(StemlookText({"--version"}).out.find("stemlook-text "), std::string::npos);
}

TEST_F(StemlookTextTest, OutputFileAndUnwritableOutput)
{
    dir.Write("db.kvd/control.ged", "0 @person@ RECORD\n0 TRLR\n");
    const std::string file = dir.Path() + "/out.txt";
    const TextRun r = StemlookText({"--messages", "-o", file, dir.Path() + "/db.kvd"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(TTempFolder::Read(file), "Reading db.kvd\n0 lists, 0 Tables, 0 Reports\n");

    const TextRun bad =
        StemlookText({"--messages", "-o", dir.Path() + "/no/dir/out.txt", dir.Path() + "/db.kvd"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("cannot write " + dir.Path() + "/no/dir/out.txt"), std::string::npos);
}

namespace {
const char* const kSmallDesign = "0 @person@ RECORD\n"
                                 "1 @name@ FIELD text\n2 TAG NAME\n"
                                 "1 @mother@ FIELD person\n2 TAG MOTH\n"
                                 "1 @short@ PICTURE name\n"
                                 "1 @long@ PICTURE short(mother) nosuch\n"
                                 "0 LIST\n1 TYPE person\n1 SIZE 2\n"
                                 "0 ACHART\n1 BRIEF name\n"
                                 "0 TRLR\n";
}

TEST_F(StemlookTextTest, IndexUsedByAndPieces)
{
    dir.Write("db.kvd/control.ged", kSmallDesign);
    const std::string folder = dir.Path() + "/db.kvd";

    const TextRun index = StemlookText({"--index", folder});
    EXPECT_EQ(index.status, 0);
    EXPECT_EQ(index.out.rfind("Name\tClass\tOwner\n\n", 0), 0u);
    EXPECT_NE(index.out.find("\nname\tField\tperson\n"), std::string::npos);
    EXPECT_NE(index.out.find("\nperson\tRecord\t\n"), std::string::npos);

    const TextRun usedBy = StemlookText({"--used-by", "NAME", folder});
    EXPECT_EQ(usedBy.status, 0);
    EXPECT_EQ(usedBy.out, "person Field name used by\n\tperson picture script short\n"
                          "\tAncestor Chart picture script Brief\n");
    const TextRun nobody = StemlookText({"--used-by", "nosuch", folder});
    EXPECT_EQ(nobody.status, 1);
    EXPECT_EQ(nobody.out, "");
    EXPECT_NE(nobody.err.find("nosuch"), std::string::npos);

    const TextRun pieces = StemlookText({"--pieces", "person picture script long", folder});
    EXPECT_EQ(pieces.status, 0);
    EXPECT_EQ(pieces.out, "0\t5\t2\t3\tshort\tperson picture script short\n"
                          "6\t6\t3\t3\tmother\tperson Field mother\n"
                          "14\t6\t1\t0\tnosuch\t\n");
    EXPECT_EQ(StemlookText({"--pieces", "Nothing", folder}).status, 1);
}

TEST_F(StemlookTextTest, DocumentSelectionsAndCopy)
{
    dir.Write("db.kvd/control.ged", kSmallDesign);
    const std::string folder = dir.Path() + "/db.kvd";

    const TextRun document = StemlookText({folder});
    EXPECT_EQ(document.status, 0);
    EXPECT_EQ(
        document.out.rfind("Kinvault Specifications for db.kvd Database\n\nRecord person\n", 0),
        0u);
    EXPECT_EQ(document.out.find("List 1"), std::string::npos);
    const TextRun lists = StemlookText({"--select", "lists", folder});
    EXPECT_NE(lists.out.find("List 1: (person) 2 entries\n"), std::string::npos);
    EXPECT_EQ(lists.out.find("Record person"), std::string::npos);
    EXPECT_EQ(StemlookText({"--select", "tables", folder}).status, 1); // nothing to save
    EXPECT_EQ(StemlookText({"--select", "groups,nonsense", folder}).status, 2);
    EXPECT_EQ(StemlookText({"--select", "all", "--index", folder}).status, 2);

    const TextRun copy = StemlookText({"--copy", "Record person", folder});
    EXPECT_EQ(copy.status, 0);
    EXPECT_EQ(copy.out, "name\ttext\tNAME\nmother\tperson\tMOTH\n");
    const TextRun chart = StemlookText({"--copy", "Ancestor Chart", folder});
    EXPECT_EQ(chart.status, 0);
    EXPECT_EQ(chart.err, "stemlook-text: TDefBase::AsText: Should not be called\n");
    EXPECT_EQ(StemlookText({"--copy", "record person", folder}).status, 1);
}

TEST_F(StemlookTextTest, InternalErrorStillWritesTheOutput)
{
    dir.Write("db.kvd/control.ged", "0 @G@ GROUP\n0 TRLR\n");
    const TextRun r = StemlookText({"--messages", dir.Path() + "/db.kvd"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "Reading db.kvd\n0 lists, 0 Tables, 0 Reports\n");
    EXPECT_EQ(r.err.rfind("stemlook-text: Internal Error: Find(", 0), 0u);

    const TextRun both = StemlookText({"--used-by", "x", dir.Path() + "/db.kvd"});
    EXPECT_EQ(both.status, 1);
    EXPECT_NE(both.err.find("Internal Error: "), std::string::npos);
}

TEST_F(StemlookTextTest, SvgDrawsTheLaidOutRelationships)
{
    dir.Write("db.kvd/control.ged", kSmallDesign);
    const std::string folder = dir.Path() + "/db.kvd";
    const TextRun svg = StemlookText({"--svg", folder});
    EXPECT_EQ(svg.status, 0);
    EXPECT_EQ(svg.out.rfind("<?xml", 0), 0u);
    const auto count = [&](const std::string& what) {
        size_t n = 0;
        for (size_t at = svg.out.find(what); at != std::string::npos;
             at = svg.out.find(what, at + 1))
            ++n;
        return n;
    };
    // "short" is used by "long": two boxes with their shadows, one line, as --dot has them.
    EXPECT_EQ(count("<rect"), 5u);
    EXPECT_EQ(count("<line"), 1u);
    EXPECT_EQ(count(">person picture script short</text>"), 1u);
    EXPECT_EQ(count(">person picture script long</text>"), 1u);
    EXPECT_EQ(count("font-size=\"16px\""), 1u);
    const TextRun dot = StemlookText({"--dot", folder});
    EXPECT_NE(dot.out.find("v3 -> v4;"), std::string::npos);

    const std::string file = dir.Path() + "/rel.svg";
    EXPECT_EQ(StemlookText({"--svg", "-o", file, folder}).status, 0);
    EXPECT_EQ(TTempFolder::Read(file), svg.out);
    EXPECT_EQ(StemlookText({"--svg", "--dot", folder}).status, 2);
}

TEST_F(StemlookTextTest, FindPrintsEveryMatchingScriptLine)
{
    dir.Write("db.kvd/control.ged", kSmallDesign);
    const std::string folder = dir.Path() + "/db.kvd";
    const TextRun name = StemlookText({"--find", "NAME", folder});
    EXPECT_EQ(name.status, 0);
    EXPECT_EQ(name.out, "person picture script short\t1\tname\n"
                        "Ancestor Chart picture script Brief\t1\tname\n");
    const TextRun none = StemlookText({"--find", "mother)x", folder});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(StemlookText({"--find", folder}).status, 2); // the folder taken as the text
}

TEST_F(StemlookTextTest, UnusedListsClassAndTitle)
{
    dir.Write("db.kvd/control.ged", kSmallDesign);
    const TextRun unused = StemlookText({"--unused", dir.Path() + "/db.kvd"});
    EXPECT_EQ(unused.status, 0);
    // The chart's picture belongs to the chart; the field "mother" uses the record.
    EXPECT_EQ(unused.out, "Picture\tperson picture script long\n");
}

TEST_F(StemlookTextTest, DiffWritesAUnifiedDiffPerElementWithDiffsExitStatus)
{
    const std::string oldFile = WriteDesign();
    std::string changed = kTextDesign;
    changed.replace(changed.find("PICTURE name"), 12, "PICTURE name name\n2 CONT name");
    changed.insert(changed.find("0 TRLR"), "0 @place@ GROUP\n1 @town@ FIELD text\n");
    // Any file name will do, as git hands over temporary files.
    const std::string newFile = dir.Write("any/where.tmp", changed);

    const TextRun same = StemlookText({"--diff", db, oldFile});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out + same.err, "");
    const TextRun diff = StemlookText({"--diff", db, newFile});
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out, "--- a/person picture script short\n+++ b/person picture script short\n"
                        "@@ -1 +1,2 @@\n+name name\n name\n"
                        "--- /dev/null\n+++ b/Group place\n@@ -0,0 +1 @@\n+town\ttext\t\n");
    EXPECT_EQ(StemlookText({"--diff", "--brief", newFile, db}).out,
              "changed person picture script short\nremoved Group place\n");

    const TextRun missing = StemlookText({"--diff", db, dir.Path()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "stemlook-text: File Missing: " + dir.Path() + "/control.ged\n");
    // The name a definition file's text goes by: its folder's, or the one given.
    EXPECT_EQ(StemlookText({newFile}).out.rfind("Kinvault Specifications for any Database", 0), 0u);
    EXPECT_EQ(StemlookText({"--name", "design", newFile})
                  .out.rfind("Kinvault Specifications for design Database", 0),
              0u);
}

TEST_F(StemlookTextTest, HtmlWritesASiteAndRefusesAFolderItDidNotWrite)
{
    WriteDesign();
    const std::string site = dir.Path() + "/site";
    const TextRun written = StemlookText({"--html", site, db});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_NE(TTempFolder::Read(site + "/index.html").find("<h1>db.kvd</h1>"), std::string::npos);
    EXPECT_EQ(StemlookText({"--html", site, db}).status, 0);

    const std::string mine = dir.Write("mine/notes.txt", "keep me");
    const TextRun refused = StemlookText({"--html", dir.Path() + "/mine", db});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "stemlook-text: " + dir.Path() +
                  "/mine is not empty and was not written by --html; nothing written\n");
    EXPECT_EQ(TTempFolder::Read(mine), "keep me");

    const std::string file = dir.Write("plain", "a file");
    const TextRun failed = StemlookText({"--html", file + "/site", db});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.starts_with("stemlook-text: cannot write " + file + "/")) << failed.err;
    EXPECT_TRUE(failed.err.ends_with(": Not a directory\n")) << failed.err;

    const TextRun usage = StemlookText({"--html", site, "-o", dir.Path() + "/out", db});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.starts_with("stemlook-text: --output does not apply to --html\n"));
}
