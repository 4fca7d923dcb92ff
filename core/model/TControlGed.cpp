#include "model/TControlGed.h"

#include "model/TGedInput.h"
#include "model/TMessageLog.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

struct TagEntry {
    std::string_view tag;
    int code;
};

// Sorted by tag: the codes are part of the log lines, so they never change.
constexpr std::array<TagEntry, 62> kTagTable{{
    {"ACHART", 2},       {"ANCESTOR", 3},    {"AREA", 4},         {"BACKGROUND", 5},
    {"BASE", 6},         {"BRIEF", 7},       {"CACHE", 8},        {"CHANGES", 1},
    {"CHOICE", 9},       {"CODES", 1},       {"COLUMN", 10},      {"CONT", 11},
    {"CUREDIT", 1},      {"CURLIST", 1},     {"CURRENT", 1},      {"DATEFORMAT", 12},
    {"DATEPREFIX", 13},  {"DCHART", 14},     {"DESCRIPTION", 15}, {"DETAILED", 16},
    {"DIRECTION", 17},   {"EDITPANEL", 18},  {"EOF", 19},         {"EOL", 1},
    {"EOP", 1},          {"EXPRESSION", 20}, {"FIELD", 21},       {"FILTER", 22},
    {"GENERATIONS", 23}, {"GROUP", 24},      {"HEIGHT", 25},      {"JUSTIFICATION", 26},
    {"KEY", 27},         {"LINES", 29},      {"LIST", 28},        {"METHOD", 30},
    {"NORMAL", 31},      {"PICTURE", 32},    {"PIN", 33},         {"PLANPIC", 34},
    {"PREPRINT", 1},     {"PRINTER", 35},    {"PRINTINFO", 36},   {"RECORD", 37},
    {"REFERENCE", 38},   {"REPORT", 39},     {"SEQUENCE", 1},     {"SHOWRINS", 40},
    {"SIZE", 41},        {"TABLE", 42},      {"TAG", 43},         {"TITLE", 44},
    {"TRANSLATE", 1},    {"TREE", 45},       {"TRLR", 19},        {"TRUNC", 46},
    {"TYPE", 47},        {"VERSION", 1},     {"WIDTH", 48},       {"WORD", 49},
    {"X", 50},           {"Y", 51},
}};

bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

bool EndsLine(int c)
{
    return c == '\n' || c == TGedInput::kEnd;
}

void TrimTrailingSpaces(std::string& s)
{
    const size_t keep = s.find_last_not_of(' ');
    s.resize(keep == std::string::npos ? 0 : keep + 1);
}

// The level, xref and tag at the start of a line, collected uncut: only the text of an invalid
// line is cut, and a valid line may have any number of spaces before its tag. Past kHeaderLimit
// a line is taken as invalid, so memory stays bounded. Each part reads from c on and leaves c at
// the character after it; false when the line is invalid, with c the character its text goes on
// with.
struct THeaderScan {
    static constexpr size_t kHeaderLimit = 4096;

    TGedInput& in;
    std::string& text;
    int c;

    // False once text has reached the limit.
    bool Put(int ch)
    {
        text.push_back(static_cast<char>(ch));
        return text.size() < kHeaderLimit;
    }
    bool SkipSpaces()
    {
        while (c == ' ') {
            if (!Put(c))
                return false;
            c = in.Get();
        }
        return true;
    }
    // One digit, at most 6, and the spaces after it.
    bool Level(int& digit)
    {
        if (!IsDigit(c))
            return false;
        digit = c - '0';
        Put(c);
        c = in.Get();
        return c == ' ' && digit <= 6 && SkipSpaces();
    }
    // The xref between @ signs and the spaces after it; empty when the line has none.
    bool Xref(std::string& xref)
    {
        xref.clear();
        if (c != '@')
            return true;
        Put(c);
        for (c = in.Get(); c != '@' && !EndsLine(c); c = in.Get()) {
            if (xref.size() <= TGedData::kXrefLimit)
                xref.push_back(static_cast<char>(c));
            if (!Put(c)) {
                c = in.Get();
                return false;
            }
        }
        if (c != '@' || xref.size() > TGedData::kXrefLimit)
            return false;
        Put(c);
        c = in.Get();
        return SkipSpaces();
    }
    // The tag, up to a space or the line's end.
    bool Tag(std::string& tag)
    {
        tag.clear();
        for (; c != ' ' && !EndsLine(c); c = in.Get()) {
            if (tag.size() <= TGedData::kTagLimit)
                tag.push_back(static_cast<char>(c));
            if (!Put(c)) {
                c = in.Get();
                return false;
            }
        }
        return !tag.empty() && tag.size() <= TGedData::kTagLimit;
    }
};

} // namespace

int TControlGed::TagCode(std::string_view tag)
{
    const auto it =
        std::lower_bound(kTagTable.begin(), kTagTable.end(), tag,
                         [](const TagEntry& e, std::string_view t) { return e.tag < t; });
    return (it != kTagTable.end() && it->tag == tag) ? it->code : 0;
}

// Appends c; at the limit the buffer is cut at its last space and the rest of the physical line
// becomes pending. Returns false once cut: the caller stops collecting.
bool TControlGed::Put(std::string& buffer, int c)
{
    buffer.push_back(static_cast<char>(c));
    if (buffer.size() < kValueLimit)
        return true;
    Cut(buffer);
    return false;
}

// Cuts at the last space among the first kValueLimit characters, or at kValueLimit.
void TControlGed::Cut(std::string& buffer)
{
    const size_t space = buffer.rfind(' ', kValueLimit - 1);
    const size_t cut = space == std::string::npos ? kValueLimit : space;
    pending.assign(buffer, std::min(cut + (space == std::string::npos ? 0 : 1), buffer.size()));
    buffer.resize(std::min(cut, buffer.size()));
    splitPending = true;
    pendingComplete = false;
}

void TControlGed::CollectRest(TGedInput& in, std::string& buffer)
{
    if (!in.AppendLine(buffer, kValueLimit))
        Cut(buffer);
}

void TControlGed::DeliverContinuation(const std::string& text)
{
    if (tag != "CONT" && tag != "CONC")
        ++level;
    xref.clear();
    tag = "CONC";
    value = text;
    isPointer = false;
}

bool TControlGed::ReadLine(TGedInput& in, TMessageLog& log)
{
    while (true) {
        const bool beforeFirstValid = level == -1;
        std::string& text = lineText;
        text.clear();
        if (splitPending) {
            splitPending = false;
            text.swap(pending);
            if (text.size() >= kValueLimit) {
                const bool complete = pendingComplete;
                Cut(text);
                pendingComplete = complete;
            } else if (!pendingComplete) {
                CollectRest(in, text);
            }
        } else {
            int c = in.Get();
            while (c == ' ' || c == '\n')
                c = in.Get();
            if (c == TGedInput::kEnd)
                return false;
            value.clear();
            isPointer = false;
            if (ParseLine(in, c, text))
                return true;
        }
        TrimTrailingSpaces(text);
        if (beforeFirstValid) {
            log.Line("Warning: invalid GEDCOM line ignored:-\n" + text);
            continue;
        }
        DeliverContinuation(text);
        return true;
    }
}

// Parses one physical line starting at c. True: a valid line is now in the fields. False: text
// holds the line's text (the rest may be pending after a cut).
bool TControlGed::ParseLine(TGedInput& in, int c, std::string& text)
{
    THeaderScan scan{in, text, c};
    int digit = 0;
    if (!scan.Level(digit) || !scan.Xref(scratchXref) || !scan.Tag(scratchTag))
        return Invalid(in, scan.c, text);
    level = static_cast<int16_t>(digit);
    xref = scratchXref;
    tag = scratchTag;
    if (scan.c == ' ')
        ReadValue(in);
    return true;
}

// The rest of an invalid line, from current on, goes to text: what passes kValueLimit is cut
// and continues as the next line.
bool TControlGed::Invalid(TGedInput& in, int current, std::string& text)
{
    const bool ended = EndsLine(current);
    if (!ended)
        text.push_back(static_cast<char>(current));
    if (text.size() >= kValueLimit) {
        Cut(text);
        pendingComplete = ended;
    } else if (!ended) {
        CollectRest(in, text);
    }
    return false;
}

// The value after the tag's space: a pointer between @ signs, or text up to the line's end.
void TControlGed::ReadValue(TGedInput& in)
{
    int c = in.Get();
    if (c == '@' && in.Peek() != '@') {
        isPointer = true;
        for (c = in.Get(); c != '@' && !EndsLine(c); c = in.Get())
            if (!Put(value, c))
                break;
        if (c == '@')
            in.Get();
    } else if (!EndsLine(c) && Put(value, c)) {
        CollectRest(in, value);
    }
    TrimTrailingSpaces(value);
}

bool TControlGed::NextLine(TGedInput& in, TMessageLog& log)
{
    while (ReadLine(in, log)) {
        tagCode = TagCode(tag);
        if (tagCode != 0)
            return true;
        log.Line("Unrecognised tag in " + std::to_string(level) + " " + tag + " " + value);
    }
    tagCode = 0;
    level = 0;
    return false;
}
