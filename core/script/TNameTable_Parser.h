#pragma once

#include "script/TNameTable.h"

#include <array>
#include <string_view>

class TDefBase;
class TDefPicture;
class TMessageLog;

// The scanner of one script: splits it into terms, one per NextTerm. Made for one scan and
// discarded; borrows the element, its script and the log, which must outlive it.
class TNameTable::Parser {
public:
    // Term kinds, shared with the script pieces and the colour scheme.
    enum TermKind {
        kEnd = 0,
        kName = 1,
        kCallName = 2,
        kClosingName = 3,
        kQualifier = 4,
        kNumber = 5,
        kMonth = 6,
        kLiteral = 7,
        kComparison = 8,
        kBetween = 9,
        kAnd = 10,
        kKeyword = 11,
        kLineEnd = 12,
    };
    static constexpr size_t kTermTextLimit = 49;

    Parser(TDefPicture& element, TMessageLog& log);
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Reads the next term and returns its kind. At the end of the text (the first NUL byte) it
    // returns kEnd, again on every call.
    int NextTerm();

    // At most kTermTextLimit characters of the term; empty for literals.
    std::string_view TermText() const { return {termText.data(), termTextSize}; }
    int TermOffset() const { return static_cast<int>(termStart - text); }

    TDefPicture& element;
    TMessageLog& log;
    TDefBase* scope;
    TDefBase* resolved = nullptr;
    const char* text;
    const char* position;
    int termKind = kEnd;
    const char* termStart;
    int termLength = 0;
    bool inLiteral = false;
    bool inCall = false;
    bool afterHash = false;

private:
    void SkipBetweenTerms();
    void ReadWord();
    void SetTermText(const char* from, size_t length);

    std::array<char, kTermTextLimit> termText{};
    size_t termTextSize = 0;
};
