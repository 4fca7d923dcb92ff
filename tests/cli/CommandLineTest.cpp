#include "StemlookTextRun.h"

#include <cctype>
#include <filesystem>
#include <streambuf>

namespace {

using Args = std::vector<std::string>;

// "DB" stands for the design's folder, "OUT" for the output file.
struct TArgsCase {
    Args args;
    int status;
    Args sameAs;        // a spelling that must write the same text; empty: no such check
    std::string errHas; // a text standard error must hold; empty: no check
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
        std::string shown;
        for (const std::string& a : c.args)
            shown += " [" + a + "]";
        SCOPED_TRACE(shown);
        const TextRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (!c.sameAs.empty()) {
            const TextRun same = run(c.sameAs);
            ASSERT_EQ(same.status, 0);
            EXPECT_FALSE(same.out.empty());
            EXPECT_EQ(r.out, same.out);
        }
        if (!c.errHas.empty()) {
            EXPECT_NE(r.err.find(c.errHas), std::string::npos) << r.err;
        }
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

// True when text names the option as a word of its own.
bool Names(const std::string& text, const std::string& option)
{
    const std::string before = " \t\n([`", after = " \t\n,=)]`";
    for (size_t at = text.find(option); at != std::string::npos; at = text.find(option, at + 1)) {
        const size_t end = at + option.size();
        if ((at == 0 || before.find(text[at - 1]) != std::string::npos) && end < text.size() &&
            after.find(text[end]) != std::string::npos)
            return true;
    }
    return false;
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
    const auto manSpelling = [](std::string text) {
        for (size_t at = text.find('-'); at != std::string::npos; at = text.find('-', at + 2))
            text.insert(at, "\\");
        return text;
    };
    for (const char* option :
         {"--select", "--copy", "--messages", "--index", "--used-by", "--pieces", "--dot", "--svg",
          "--find", "--unused", "--output", "-o", "--help", "-h", "--version", "--"}) {
        SCOPED_TRACE(option);
        EXPECT_TRUE(Names(help.str(), option));
        EXPECT_TRUE(Names(man, manSpelling(option)));
    }
    // The exit statuses: "  N  " lines in the help, ".B N" items in the manual page's section.
    const auto statuses = [](const std::string& text, const std::string& from,
                             const std::string& item) {
        std::string found;
        const size_t begin = text.find(from);
        const size_t end = text.find("\n.SH", begin + 1);
        for (size_t at = text.find(item, begin); begin != std::string::npos && at < end;
             at = text.find(item, at + 1))
            if (at + item.size() + 1 < text.size() &&
                std::isdigit(static_cast<unsigned char>(text[at + item.size()])) &&
                std::isspace(static_cast<unsigned char>(text[at + item.size() + 1])))
                found += text[at + item.size()];
        return found;
    };
    EXPECT_EQ(statuses(help.str(), "\nExit status:\n", "\n  "), "0123");
    EXPECT_EQ(statuses(man, ".SH EXIT STATUS", "\n.B "), "0123");
}
