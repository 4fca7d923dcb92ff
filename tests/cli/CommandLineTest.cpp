#include "StemlookTextRun.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <regex>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;

// "DB" stands for the design's folder, "OUT" for the output file.
struct TArgsCase {
    Args args;
    int status;
    Args sameAs;        // a spelling that must write the same text; empty: no such check
    std::string errHas; // a text standard error must hold
};

const TArgsCase kCases[] = {
    {{"--output=OUT", "--messages", "DB"}, 0, {"--messages", "DB"}, ""},
    {{"-oOUT", "--messages", "DB"}, 0, {"--messages", "DB"}, ""},
    {{"--output", "OUT", "--messages", "DB"}, 0, {"--messages", "DB"}, ""},
    {{"--select=all", "DB"}, 0, {"--select", "all", "DB"}, ""},
    {{"--copy=Record person", "DB"}, 0, {"--copy", "Record person", "DB"}, ""},
    {{"DB", "--index"}, 0, {"--index", "DB"}, ""},
    {{"--index", "--", "DB"}, 0, {"--index", "DB"}, ""},
    {{"--mess", "DB"}, 0, {"--messages", "DB"}, ""},
    // After "--" an option's spelling is the folder.
    {{"--index", "--", "--dot"}, 1, {}, "File Missing: --dot/control.ged"},
    {{"--u", "DB"}, 2, {}, "--u"},
    {{"--dot=x", "DB"}, 2, {}, "--dot"},
    {{"--bogus", "DB"}, 2, {}, "--bogus"},
    {{"-x", "DB"}, 2, {}, "-x"},
    {{"--copy"}, 2, {}, "--copy"},
    {{"-o"}, 2, {}, "-o"},
    {{"-o", "", "DB"}, 2, {}, ""},
    {{}, 2, {}, "no database folder"},
    {{"DB", "DB"}, 2, {}, "more than one folder"},
    {{"--select", "all", "--index", "DB"}, 2, {}, "--select"},
    {{"--select", "groups,nonsense", "DB"}, 2, {}, "nonsense"},
    // One rule for every repeat.
    {{"--select", "all", "--select", "lists", "DB"}, 2, {}, "--select"},
    {{"--select", "all", "--select=all", "DB"}, 2, {}, "--select"},
    {{"-o", "OUT", "--output=OUT", "DB"}, 2, {}, "--output"},
    {{"--messages", "--messages", "DB"}, 2, {}, "--messages"},
    {{"--dot", "--svg", "DB"}, 2, {}, "--svg"},
    {{"--find", "a", "--find", "b", "DB"}, 2, {}, "--find"},
    {{"--diff", "DB"}, 2, {}, "--diff needs two designs"},
    {{"--diff", "DB", "DB", "DB"}, 2, {}, "--diff needs two designs"},
    {{"--diff", "--brief", "DB", "DB"}, 0, {}, ""},
    {{"--brief", "DB"}, 2, {}, "--brief only applies"},
    {{"--diff", "--index", "DB", "DB"}, 2, {}, "--index"},
    {{"--name=x", "--index", "DB"}, 0, {"--index", "DB"}, ""},
    {{"--name", "", "DB"}, 2, {}, "--name needs a name"},
    {{"--help"}, 0, {}, ""},
    {{"-h"}, 0, {"--help"}, ""},
    {{"--version"}, 0, {}, ""},
};

std::string Substituted(std::string arg, const std::string& folder, const std::string& output)
{
    for (const auto& [from, to] : {std::pair{std::string("DB"), folder}, {"OUT", output}})
        for (size_t at = arg.find(from); at != std::string::npos; at = arg.find(from, at))
            arg.replace(at, from.size(), to), at += to.size();
    return arg;
}

// A standard output that takes nothing, as a full disk or a closed pipe.
class TFullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// How many names the folder holds.
long Entries(const std::string& folder)
{
    return std::distance(fs::directory_iterator(folder), {});
}

// True when text names the option as a word of its own.
bool Names(const std::string& text, const std::string& option)
{
    const std::string escaped = std::regex_replace(option, std::regex(R"([-\\])"), "\\$&");
    return std::regex_search(text, std::regex("(^|[ \t\n(\\[`])" + escaped + "[ \t\n,=)\\]`]"));
}

// The digits of the items that start with `item` in text's section `from`, up to the next.
std::string Statuses(const std::string& text, const std::string& from, const std::string& item)
{
    const size_t begin = text.find(from);
    if (begin == std::string::npos)
        return {};
    const std::string section = text.substr(begin, text.find("\n.SH", begin + 1) - begin);
    std::string found;
    const std::regex digit(item + "([0-9])\\s");
    for (auto m = std::sregex_iterator(section.begin(), section.end(), digit);
         m != std::sregex_iterator(); ++m)
        found += (*m)[1].str();
    return found;
}

} // namespace

TEST_F(StemlookTextTest, ArgumentsTakeTheGnuFormsAndRefuseEveryRepeat)
{
    WriteDesign();
    const std::string out = dir.Path() + "/out.txt";
    const auto run = [&](const Args& pattern) {
        Args args;
        for (const std::string& a : pattern)
            args.push_back(Substituted(a, db, out));
        std::filesystem::remove(out);
        TextRun r = StemlookText(args);
        r.out += TTempFolder::Read(out);
        return r;
    };
    for (const TArgsCase& c : kCases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const TextRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (!c.sameAs.empty()) {
            const TextRun same = run(c.sameAs);
            ASSERT_EQ(same.status, 0);
            EXPECT_FALSE(same.out.empty());
            EXPECT_EQ(r.out, same.out);
        }
        EXPECT_NE(r.err.find(c.errHas), std::string::npos) << r.err;
        if (c.status != 0) {
            EXPECT_EQ(r.err.rfind("stemlook-text: ", 0), 0u) << r.err;
        }
        if (c.status == 2) {
            EXPECT_NE(r.err.find("Usage: stemlook-text"), std::string::npos);
            EXPECT_EQ(r.out, "");
        }
    }
}

TEST_F(StemlookTextTest, HelpAndVersionFailWhenStandardOutputCannotBeWritten)
{
    for (const char* option : {"--help", "--version"}) {
        SCOPED_TRACE(option);
        TFullBuffer full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(RunStemlookText({option}, out, err), 1);
        EXPECT_EQ(err.str(), "stemlook-text: cannot write standard output\n");
    }
}

// The README shows the help text as it is; the manual page names every option the parser takes
// and every exit status the help lists.
TEST(StemlookTextDocs, HelpReadmeAndManualPageAgree)
{
    const std::string readme = TTempFolder::Read(STEMLOOK_EXAMPLES_DIR "/../README.md");
    const std::string man =
        TTempFolder::Read(STEMLOOK_EXAMPLES_DIR "/../packaging/stemlook-text.1");
    ASSERT_FALSE(man.empty());
    std::ostringstream help, err;
    ASSERT_EQ(RunStemlookText({"--help"}, help, err), 0);
    EXPECT_NE(readme.find("```\n" + help.str() + "```\n"), std::string::npos);

    // The manual page writes a minus as "\-".
    for (const char* option :
         {"--select", "--copy", "--messages", "--index", "--used-by", "--pieces", "--dot",
          "--svg",    "--find", "--unused",   "--html",  "--diff",    "--brief",  "--name",
          "--output", "-o",     "--help",     "-h",      "--version", "--"}) {
        SCOPED_TRACE(option);
        EXPECT_TRUE(Names(help.str(), option));
        EXPECT_TRUE(Names(man, std::regex_replace(option, std::regex("-"), "\\-")));
    }
    // The exit statuses: "  N  " lines in the help, ".B N" items in the manual page's section.
    EXPECT_EQ(Statuses(help.str(), "\nExit status:\n", "\n  "), "0123");
    EXPECT_EQ(Statuses(man, ".SH EXIT STATUS", "\n\\.B "), "0123");
}

TEST_F(StemlookTextTest, OnlyAJobThatSucceedsReplacesTheOutputFile)
{
    WriteDesign();
    const std::string out = dir.Write("out/old.txt", "what was there\n");
    for (const char* job :
         {"--select=tables", "--used-by=nosuch", "--copy=Nothing", "--pieces=Nothing"}) {
        SCOPED_TRACE(job);
        EXPECT_EQ(StemlookText({job, "-o", out, db}).status, 1);
        EXPECT_EQ(TTempFolder::Read(out), "what was there\n");
        EXPECT_EQ(Entries(dir.Path() + "/out"), 1);
    }
    // Success keeps the file's permissions, leaves nothing beside it, and through a symbolic link
    // writes the link's target.
    const std::string index = StemlookText({"--index", db}).out;
    ::chmod(out.c_str(), 0640);
    ASSERT_EQ(StemlookText({"--index", "-o", out, db}).status, 0);
    EXPECT_EQ(TTempFolder::Read(out), index);
    struct stat st {};
    ASSERT_EQ(::stat(out.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(dir.Path() + "/out"), 1);
    const std::string target = dir.Write("target.txt", "old\n");
    fs::create_symlink(target, dir.Path() + "/link.txt");
    ASSERT_EQ(StemlookText({"--index", "-o", dir.Path() + "/link.txt", db}).status, 0);
    EXPECT_TRUE(fs::is_symlink(dir.Path() + "/link.txt"));
    EXPECT_EQ(TTempFolder::Read(target), index);
}

// Which spellings name the same file is SameFile's to tell; a hard link shows it is asked.
TEST_F(StemlookTextTest, OutputIsNeverTheDefinitionFileBeingRead)
{
    const std::string ged = WriteDesign(), output = dir.Path() + "/hardlink.ged";
    fs::create_hard_link(ged, output);
    const TextRun r = StemlookText({"--index", "-o", output, db});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("stemlook-text: " + output, 0), 0u) << r.err;
    EXPECT_EQ(TTempFolder::Read(ged), kTextDesign);
    EXPECT_EQ(Entries(db), 1);
}

TEST_F(StemlookTextTest, DefinitionFileThatCannotBeReadSaysWhy)
{
    const std::string ged = db + "/control.ged";
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] {}, ""}, // missing
        {[&] { fs::create_directories(ged); }, std::strerror(EISDIR)},
        {[&] { ASSERT_EQ(::mkfifo(ged.c_str(), 0600), 0); }, "Not a regular file"},
        {[&] { fs::create_symlink(dir.Path() + "/nowhere", ged); }, ""},
        {[&] { ::chmod(WriteDesign().c_str(), 0); }, std::strerror(EACCES)},
    };
    for (const auto& [make, reason] : cases) {
        SCOPED_TRACE(reason);
        // Permission bits do not keep root from reading.
        if (reason == std::strerror(EACCES) && ::geteuid() == 0)
            continue;
        fs::remove_all(db);
        fs::create_directories(db);
        make();
        const TextRun r = StemlookText({"--messages", db});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, reason.empty()
                             ? "stemlook-text: File Missing: " + ged + "\n"
                             : "stemlook-text: cannot read " + ged + ": " + reason + "\n");
    }
}
