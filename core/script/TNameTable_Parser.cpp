#include "script/TNameTable_Parser.h"

#include "model/Names.h"
#include "model/TDefPicture.h"
#include "model/TMessageLog.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

namespace {
struct Keyword {
    std::string_view word;
    int kind;
};

using P = TNameTable::Parser;

// Sorted by names::Compare for the binary search. "may" is there twice, as abbreviation and
// as full month name.
constexpr Keyword kKeywords[] = {
    {"absent", P::kKeyword},    {"after", P::kComparison},  {"and", P::kAnd},
    {"apr", P::kMonth},         {"april", P::kMonth},       {"aug", P::kMonth},
    {"august", P::kMonth},      {"before", P::kComparison}, {"between", P::kBetween},
    {"contains", P::kKeyword},  {"dec", P::kMonth},         {"december", P::kMonth},
    {"else", P::kKeyword},      {"end", P::kKeyword},       {"feb", P::kMonth},
    {"february", P::kMonth},    {"if", P::kKeyword},        {"jan", P::kMonth},
    {"january", P::kMonth},     {"jul", P::kMonth},         {"july", P::kMonth},
    {"jun", P::kMonth},         {"june", P::kMonth},        {"like", P::kComparison},
    {"mar", P::kMonth},         {"march", P::kMonth},       {"may", P::kMonth},
    {"may", P::kMonth},         {"not", P::kKeyword},       {"nov", P::kMonth},
    {"november", P::kMonth},    {"oct", P::kMonth},         {"october", P::kMonth},
    {"or", P::kKeyword},        {"present", P::kKeyword},   {"sep", P::kMonth},
    {"separator", P::kKeyword}, {"september", P::kMonth},   {"then", P::kKeyword},
};
static_assert(std::size(kKeywords) == 39);

// Per initial letter, a bit for every length of a keyword with that initial: most words of a
// script are names, and this settles nearly all of them without a search.
struct KeywordShapes {
    uint32_t lengths[26] = {};
    constexpr KeywordShapes()
    {
        for (const Keyword& k : kKeywords)
            lengths[k.word[0] - 'a'] |= 1u << k.word.size();
    }
    constexpr bool Possible(std::string_view word) const
    {
        const char initial = names::Fold(word[0]);
        return initial >= 'a' && initial <= 'z' && word.size() < 32 &&
               (lengths[initial - 'a'] >> word.size() & 1u) != 0;
    }
};
constexpr KeywordShapes kKeywordShapes;

// The kind of a run of letters: a keyword's, or a name's.
int WordKind(std::string_view word)
{
    if (!kKeywordShapes.Possible(word))
        return P::kName;
    const auto it = std::lower_bound(
        std::begin(kKeywords), std::end(kKeywords), word,
        [](const Keyword& k, std::string_view w) { return names::Compare(k.word, w) < 0; });
    if (it != std::end(kKeywords) && names::Equal(it->word, word))
        return it->kind;
    return P::kName;
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsComparison(char c)
{
    return c == '<' || c == '=' || c == '>';
}

bool IsSeparator(char c)
{
    return c == ' ' || c == '[' || c == ']' || c == '#' || c == '$';
}
} // namespace

TNameTable::Parser::Parser(TDefPicture& element, TMessageLog& log)
    : element(element), log(log), scope(element.context), text(element.script.c_str()),
      position(text), termStart(text)
{
}

void TNameTable::Parser::SetTermText(const char* from, size_t length)
{
    termTextSize = std::min(length, kTermTextLimit);
    std::copy_n(from, termTextSize, termText.begin());
}

void TNameTable::Parser::SkipBetweenTerms()
{
    while (true) {
        const char c = *position;
        if (IsSeparator(c)) {
            afterHash = c == '#';
            ++position;
        } else if (c == '(' || (c == ')' && !inCall)) {
            ++position;
        } else if (c == '/' && position[1] == '*') {
            position += 2;
            // Comments nest; an unclosed one runs to the end of the text.
            int depth = 1;
            while (depth > 0 && *position != '\0') {
                if (position[0] == '/' && position[1] == '*') {
                    ++depth;
                    position += 2;
                } else if (position[0] == '*' && position[1] == '/') {
                    --depth;
                    position += 2;
                } else {
                    ++position;
                }
            }
        } else {
            return;
        }
    }
}

void TNameTable::Parser::ReadWord()
{
    const char* end = position;
    while (IsLetter(*end))
        ++end;
    termLength = static_cast<int>(end - position);
    SetTermText(position, static_cast<size_t>(termLength));
    termKind = WordKind({position, static_cast<size_t>(termLength)});
    position = end;
    // The character that ends the word decides its role; '(', ')' and '.' go with the word
    // without counting in its length.
    switch (*end) {
    case '(':
        termKind = kCallName;
        inCall = true;
        ++position;
        break;
    case ')':
        if (inCall)
            termKind = kClosingName;
        inCall = false;
        ++position;
        break;
    case '.':
        termKind = kQualifier;
        ++position;
        break;
    default:
        break;
    }
}

int TNameTable::Parser::NextTerm()
{
    termTextSize = 0;
    if (inLiteral && *position == '"') {
        inLiteral = false;
        ++position;
    }
    if (!inLiteral)
        SkipBetweenTerms();
    termStart = position;
    const char c = *position;
    if (IsLetter(c) && !inLiteral) {
        ReadWord();
        return termKind;
    }
    if (c == '\0') {
        // Also while a literal is open: the text is over.
        termKind = kEnd;
        termLength = 0;
        return termKind;
    }
    if (c == '\n') {
        termKind = kLineEnd;
        ++position;
    } else if (c == '"' || inLiteral) {
        termKind = kLiteral;
        ++position;
        while (*position != '"' && *position != '\n' && *position != '\0')
            ++position;
        inLiteral = *position != '"';
        if (!inLiteral)
            ++position;
    } else if (c == ')') {
        termKind = kClosingName;
        termLength = 0;
        inCall = false;
        ++position;
        return termKind;
    } else if (IsDigit(c)) {
        termKind = kNumber;
        while (IsDigit(*position))
            ++position;
    } else if (IsComparison(c)) {
        termKind = kComparison;
        while (IsComparison(*position))
            ++position;
    } else if (c == '|') {
        termKind = kLiteral;
        ++position;
    } else {
        // The kind stays that of the previous term.
        log.Line(std::string(1, c) + " not handled in NextTerm() in " + element.Title());
        ++position;
    }
    termLength = static_cast<int>(position - termStart);
    if (termLength > 0 && termKind != kLiteral)
        SetTermText(termStart, static_cast<size_t>(termLength));
    return termKind;
}
