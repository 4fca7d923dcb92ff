#include "model/Kinds.h"
#include "model/TDefPicture.h"
#include "model/TMessageLog.h"
#include "script/TNameTable_Parser.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {
using Parser = TNameTable::Parser;

struct Term {
    int kind;
    int offset;
    int length;
    std::string text;
    bool operator==(const Term&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Term& t)
{
    return os << "{" << t.kind << ", " << t.offset << ", " << t.length << ", \"" << t.text << "\"}";
}

Term Current(const Parser& p)
{
    return {p.termKind, p.TermOffset(), p.termLength, std::string(p.TermText())};
}

// A picture named "P" holding one script, and its log.
struct Script {
    TDefPicture picture;
    TMessageLog log;
    Parser parser{picture, log};

    explicit Script(std::string text) : picture(kinds::Picture, "P", std::move(text), nullptr) {}

    // Every term up to the end of the text.
    std::vector<Term> Terms()
    {
        std::vector<Term> terms;
        while (parser.NextTerm() != Parser::kEnd)
            terms.push_back(Current(parser));
        return terms;
    }
};

std::vector<Term> TermsOf(std::string text)
{
    return Script(std::move(text)).Terms();
}
} // namespace

TEST(Scanner, QualifiersCallsAndClosingNames)
{
    EXPECT_EQ(TermsOf("a.b"), (std::vector<Term>{{4, 0, 1, "a"}, {1, 2, 1, "b"}}));

    Script call("show(name) x");
    EXPECT_EQ(call.parser.NextTerm(), Parser::kCallName);
    EXPECT_EQ(Current(call.parser), (Term{2, 0, 4, "show"}));
    EXPECT_TRUE(call.parser.inCall);
    call.parser.NextTerm();
    EXPECT_EQ(Current(call.parser), (Term{3, 5, 4, "name"}));
    EXPECT_FALSE(call.parser.inCall);
    call.parser.NextTerm();
    EXPECT_EQ(Current(call.parser), (Term{1, 11, 1, "x"}));

    // A bare ')' closes a call as a term of length 0; outside a call it is skipped.
    EXPECT_EQ(TermsOf("f(1) )x"),
              (std::vector<Term>{{2, 0, 1, "f"}, {5, 2, 1, "1"}, {3, 3, 0, ""}, {1, 6, 1, "x"}}));
    // Nested calls are not counted: the first ')' ends the call.
    EXPECT_EQ(TermsOf("f(g(a) b)"),
              (std::vector<Term>{{2, 0, 1, "f"}, {2, 2, 1, "g"}, {3, 4, 1, "a"}, {1, 7, 1, "b"}}));
    // A word before ')' outside a call keeps its kind; the ')' goes with it.
    EXPECT_EQ(TermsOf("if) x"), (std::vector<Term>{{11, 0, 2, "if"}, {1, 4, 1, "x"}}));
    EXPECT_EQ(TermsOf("( name )"), (std::vector<Term>{{1, 2, 4, "name"}}));
}

TEST(Scanner, KeywordsInAnyCaseNumbersAndComparisons)
{
    EXPECT_EQ(TermsOf("If Present"), (std::vector<Term>{{11, 0, 2, "If"}, {11, 3, 7, "Present"}}));
    EXPECT_EQ(TermsOf("MAY Sep september between and after BEFORE like or then"),
              (std::vector<Term>{{6, 0, 3, "MAY"},
                                 {6, 4, 3, "Sep"},
                                 {6, 8, 9, "september"},
                                 {9, 18, 7, "between"},
                                 {10, 26, 3, "and"},
                                 {8, 30, 5, "after"},
                                 {8, 36, 6, "BEFORE"},
                                 {8, 43, 4, "like"},
                                 {11, 48, 2, "or"},
                                 {11, 51, 4, "then"}}));
    EXPECT_EQ(TermsOf("ma mayday"), (std::vector<Term>{{1, 0, 2, "ma"}, {1, 3, 6, "mayday"}}));
    EXPECT_EQ(TermsOf("age <= 12"),
              (std::vector<Term>{{1, 0, 3, "age"}, {8, 4, 2, "<="}, {5, 7, 2, "12"}}));
    EXPECT_EQ(TermsOf("a<>=b"),
              (std::vector<Term>{{1, 0, 1, "a"}, {8, 1, 3, "<>="}, {1, 4, 1, "b"}}));
    // A word ends at a digit; '_' and bytes above 127 are not letters.
    EXPECT_EQ(TermsOf("abc123"), (std::vector<Term>{{1, 0, 3, "abc"}, {5, 3, 3, "123"}}));
    Script odd("a_b\xe9");
    EXPECT_EQ(odd.Terms(), (std::vector<Term>{
                               {1, 0, 1, "a"}, {1, 1, 1, "_"}, {1, 2, 1, "b"}, {1, 3, 1, "\xe9"}}));
    EXPECT_EQ(odd.log.Lines(), (std::vector<std::string>{"_ not handled in NextTerm() in P",
                                                         "\xe9 not handled in NextTerm() in P"}));
}

TEST(Scanner, EveryKeywordInSmallAndCapitalLetters)
{
    const std::vector<std::pair<std::string, int>> table{
        {"absent", 11},    {"after", 8},     {"and", 10},   {"apr", 6},      {"april", 6},
        {"aug", 6},        {"august", 6},    {"before", 8}, {"between", 9},  {"contains", 11},
        {"dec", 6},        {"december", 6},  {"else", 11},  {"end", 11},     {"feb", 6},
        {"february", 6},   {"if", 11},       {"jan", 6},    {"january", 6},  {"jul", 6},
        {"july", 6},       {"jun", 6},       {"june", 6},   {"like", 8},     {"mar", 6},
        {"march", 6},      {"may", 6},       {"not", 11},   {"nov", 6},      {"november", 6},
        {"oct", 6},        {"october", 6},   {"or", 11},    {"present", 11}, {"sep", 6},
        {"separator", 11}, {"september", 6}, {"then", 11}};
    for (const auto& [word, kind] : table) {
        std::string upper = word;
        for (char& c : upper)
            c = static_cast<char>(c - 'a' + 'A');
        for (const std::string& spelling : {word, upper, word + "s"}) {
            Script s(spelling);
            s.parser.NextTerm();
            EXPECT_EQ(s.parser.termKind, spelling == word + "s" ? 1 : kind) << spelling;
        }
    }
}

TEST(Scanner, CommentsNestAndSwallowAnUnclosedRest)
{
    EXPECT_EQ(TermsOf("/* a /* b */ c */word"), (std::vector<Term>{{1, 17, 4, "word"}}));
    EXPECT_EQ(TermsOf("x /* a /* b */ c"), (std::vector<Term>{{1, 0, 1, "x"}}));
    EXPECT_EQ(TermsOf("x/**/y"), (std::vector<Term>{{1, 0, 1, "x"}, {1, 5, 1, "y"}}));
}

TEST(Scanner, AfterHashFollowsTheLastSeparatorOnly)
{
    const auto hashOfFirstWord = [](const std::string& text) {
        Script s(text);
        s.parser.NextTerm();
        EXPECT_EQ(s.parser.termKind, Parser::kName) << text;
        return s.parser.afterHash;
    };
    EXPECT_TRUE(hashOfFirstWord("#name"));
    EXPECT_FALSE(hashOfFirstWord("# name"));
    EXPECT_FALSE(hashOfFirstWord("name"));
    EXPECT_TRUE(hashOfFirstWord("$[#name"));
    // '(', ')' and comments leave the flag as it was.
    EXPECT_TRUE(hashOfFirstWord("#(name"));
    EXPECT_TRUE(hashOfFirstWord("#/* c */name"));

    // The flag carries over to later terms until another separator is skipped.
    Script s("#a\nb c");
    s.parser.NextTerm();
    s.parser.NextTerm();
    EXPECT_EQ(s.parser.termKind, Parser::kLineEnd);
    EXPECT_TRUE(s.parser.afterHash);
    s.parser.NextTerm();
    EXPECT_TRUE(s.parser.afterHash);
    s.parser.NextTerm();
    EXPECT_FALSE(s.parser.afterHash);
}

TEST(Scanner, LiteralCutByLineEndContinues)
{
    EXPECT_EQ(TermsOf("\"abc\ndef\" x"),
              (std::vector<Term>{{7, 0, 4, ""}, {12, 4, 1, "\n"}, {7, 5, 4, ""}, {1, 10, 1, "x"}}));
    // A continuation keeps its leading spaces, and letters, brackets and '#' inside a literal.
    EXPECT_EQ(
        TermsOf("\"a\n  #(b)\n\"c"),
        (std::vector<Term>{
            {7, 0, 2, ""}, {12, 2, 1, "\n"}, {7, 3, 6, ""}, {12, 9, 1, "\n"}, {1, 11, 1, "c"}}));
    EXPECT_EQ(TermsOf("\"one\" | \"\""),
              (std::vector<Term>{{7, 0, 5, ""}, {7, 6, 1, ""}, {7, 8, 2, ""}}));

    // The end of the text ends an open literal, which stays open.
    Script open("\"abc");
    EXPECT_EQ(open.Terms(), (std::vector<Term>{{7, 0, 4, ""}}));
    EXPECT_TRUE(open.parser.inLiteral);
    EXPECT_EQ(open.parser.NextTerm(), Parser::kEnd);
}

TEST(Scanner, CharactersOutsideTheLanguageComeWithThePreviousKind)
{
    Script tab("a\tb");
    EXPECT_EQ(tab.Terms(), (std::vector<Term>{{1, 0, 1, "a"}, {1, 1, 1, "\t"}, {1, 2, 1, "b"}}));
    EXPECT_EQ(tab.log.Lines(), (std::vector<std::string>{"\t not handled in NextTerm() in P"}));

    Script after("12+x");
    EXPECT_EQ(after.Terms(), (std::vector<Term>{{5, 0, 2, "12"}, {5, 2, 1, "+"}, {1, 3, 1, "x"}}));

    // First in the text, it comes with the initial kind 0: a caller reading to kind 0 stops.
    Script first("\tname");
    EXPECT_EQ(first.parser.NextTerm(), Parser::kEnd);
    EXPECT_EQ(Current(first.parser), (Term{0, 0, 1, "\t"}));
    EXPECT_EQ(first.log.Lines(), (std::vector<std::string>{"\t not handled in NextTerm() in P"}));
}

TEST(Scanner, EndOfTextAndNulByte)
{
    Script empty("");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(empty.parser.NextTerm(), Parser::kEnd);
        EXPECT_EQ(empty.parser.termLength, 0);
        EXPECT_EQ(empty.parser.position, empty.parser.text);
    }
    EXPECT_EQ(TermsOf(std::string("a\0b", 3)), (std::vector<Term>{{1, 0, 1, "a"}}));
    EXPECT_EQ(TermsOf("a\n"), (std::vector<Term>{{1, 0, 1, "a"}, {12, 1, 1, "\n"}}));
}

TEST(Scanner, TermTextKeeps49CharactersOfALongRun)
{
    const std::string word(300, 'w');
    Script s(word + " " + std::string(70, '7'));
    s.parser.NextTerm();
    EXPECT_EQ(s.parser.termLength, 300);
    EXPECT_EQ(s.parser.TermText(), std::string(49, 'w'));
    s.parser.NextTerm();
    EXPECT_EQ(s.parser.termKind, Parser::kNumber);
    EXPECT_EQ(s.parser.termLength, 70);
    EXPECT_EQ(s.parser.TermText(), std::string(49, '7'));
}

TEST(Scanner, RandomBytesEndWithinOneCallPerCharacter)
{
    std::mt19937 random(12345);
    const std::string alphabet = "ab(). \n\"#$[]/*<=>|19)\t\x80,";
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            text += round % 2 ? static_cast<char>(random() % 255 + 1)
                              : alphabet[random() % alphabet.size()];
        Script s(text);
        size_t calls = 0;
        int previousEnd = -1;
        while (s.parser.NextTerm() != Parser::kEnd && calls <= text.size()) {
            ++calls;
            // Terms move forward and stay inside the text.
            EXPECT_GE(s.parser.TermOffset(), previousEnd);
            EXPECT_LE(s.parser.TermOffset() + s.parser.termLength, static_cast<int>(text.size()));
            previousEnd = s.parser.TermOffset() + s.parser.termLength;
        }
        EXPECT_LE(calls, text.size());
    }
}
