#include "script/TScriptAnalysis.h"

#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "model/TMessageLog.h"
#include "model/TScriptList.h"
#include "script/TNameTable_Parser.h"

#include <initializer_list>
#include <iterator>
#include <string>

namespace {
// Pictures the program itself relies on, with the record they must belong to (or none).
struct InternalUseRow {
    const char* picture;
    const char* record;
};
constexpr InternalUseRow kInternalUse[] = {
    {"BORN", "person"},   {"child", "person"},    {"detailbox", nullptr}, {"familymar", "marriage"},
    {"GEDCOM", nullptr},  {"htmDates", "person"}, {"htmName", "person"},  {"htmMarr", "marriage"},
    {"list", nullptr},    {"marked", "person"},   {"parent", "person"},   {"lineup", "plan"},
    {"linedown", "plan"}, {"validate", nullptr},
};
static_assert(std::size(kInternalUse) == 14);

bool TakesScopeFromBase(int kind)
{
    return kind == kinds::Field || kind == kinds::Alias || kind == kinds::Variable;
}
} // namespace

struct TScriptAnalysis::Scan {
    Parser& parser;
    TDefBase* const savedScope;
    int previousKind = Parser::kEnd;
    TDefBase* previousTarget = nullptr;
    bool previousHash = false;

    explicit Scan(Parser& parser) : parser(parser), savedScope(parser.scope) {}

    // A name not after '#' ends at a line end, a literal or the end of the script.
    bool LinkDue() const { return previousKind == Parser::kName && !previousHash; }
    void EndsName()
    {
        previousKind = Parser::kName;
        previousTarget = parser.resolved;
        previousHash = parser.afterHash;
    }
};

TScriptAnalysis::TScriptAnalysis(TNameTable& table)
    : table(table), uses(table.Definitions()), pictureAfter(table.Definitions())
{
}

bool TScriptAnalysis::IsInternalUse(const TDefBase& element) const
{
    for (const InternalUseRow& row : kInternalUse) {
        if (!names::Equal(row.picture, element.name))
            continue;
        if (!row.record)
            return true;
        const TDefBase* record = table.Find(row.record, nullptr, kinds::Record);
        if (!record || record == element.context)
            return true;
    }
    return false;
}

void TScriptAnalysis::FindUses(TMessageLog& log)
{
    table.Freeze();
    uses.Start();
    TDefBase* const internal = table.Find("internal use", nullptr, kinds::BuiltIn);
    for (const auto& owned : table.Definitions()) {
        if (!kinds::IsPictureKind(owned->kind))
            continue;
        auto* picture = dynamic_cast<TDefPicture*>(owned.get());
        if (!picture)
            continue;
        Parser parser(*picture, log);
        ScanScript(parser);
        if (internal && IsInternalUse(*picture))
            uses.Use(*picture, internal);
    }
    uses.Finish();
}

void TScriptAnalysis::AddPiece(TDefBase& element, int kind, int offset, int length,
                               TDefBase* target)
{
    TScriptPiece piece;
    piece.kind = static_cast<uint32_t>(kind);
    piece.offset = offset;
    piece.length = length;
    piece.target = target;
    if (target && kind >= Parser::kName && kind <= Parser::kQualifier) {
        piece.flags = TScriptPiece::kRefers;
        if (target->kind != kinds::Alias && target->kind != kinds::Variable &&
            target->kind != kinds::BuiltIn)
            piece.flags |= TScriptPiece::kUnderlined;
    }
    element.Pieces().Insert(piece);
}

void TScriptAnalysis::TermUsed(Parser& parser, std::string_view name, int wanted)
{
    const TNameIndex& index = table.Index();
    const TNameIndex::Range range = index.NameRange(name);
    TDefBase* found = nullptr;
    if (!range.empty()) {
        const auto tryFind = [&](const TDefBase* owner, std::initializer_list<int> kinds) {
            for (int kind : kinds)
                if (!found)
                    found = index.FindIn(range, owner, kind);
        };
        const auto person = [this] { return table.Find("person", nullptr, kinds::Record); };
        if (wanted == kAnyName) {
            tryFind(parser.scope, {kinds::Field, kinds::Word, kinds::Variable, kinds::Alias});
            if (!found)
                tryFind(person(), {kinds::Field, kinds::Variable, kinds::Alias});
            tryFind(nullptr, {kinds::Variable, kinds::Alias});
        } else {
            tryFind(parser.scope, {wanted});
            if (!found)
                tryFind(person(), {wanted});
            tryFind(nullptr, {wanted});
        }
        if (!found)
            found = index.First(range);
    }
    if (found) {
        uses.Use(*found, &parser.element);
        if (TakesScopeFromBase(found->kind) && found->base)
            parser.scope = found->base;
    } else {
        parser.log.Line("Cannot find " + std::string(name) + " in TermUsed() in " +
                        parser.element.Title());
    }
    parser.resolved = found;
}

void TScriptAnalysis::ApplyLinkRule(Parser& parser, TDefBase* target)
{
    TDefBase& element = parser.element;
    if (names::Equal(element.name, "links") || element.kind == kinds::EditPanel || !target ||
        !target->base || !kinds::IsGroupOrRecord(target->base->kind))
        return;
    TDefBase* picture = pictureAfter.FirstAfter(*target->base);
    if (!picture)
        return;
    uses.Use(*picture, &element);
    // The last piece by offset is the name's own: the rule runs right after it was recorded.
    if (element.pieces && !element.pieces->empty())
        element.pieces->back().flags |= TScriptPiece::kLinked;
}

void TScriptAnalysis::RecordTerm(Parser& parser)
{
    AddPiece(parser.element, parser.termKind, parser.TermOffset(), parser.termLength,
             parser.resolved);
}

void TScriptAnalysis::ResolveName(Parser& parser)
{
    TermUsed(parser, parser.TermText(), kAnyName);
    RecordTerm(parser);
}

void TScriptAnalysis::ScanCall(Scan& scan)
{
    Parser& parser = scan.parser;
    const std::string called(parser.TermText());
    const int calledOffset = parser.TermOffset();
    const int calledLength = parser.termLength;
    do {
        parser.NextTerm();
        if (parser.termLength >= 1)
            ResolveName(parser);
    } while (parser.termKind != Parser::kClosingName && parser.termKind != Parser::kEnd);
    TermUsed(parser, called, kinds::Picture);
    AddPiece(parser.element, Parser::kCallName, calledOffset, calledLength, parser.resolved);
    scan.previousKind = parser.termKind;
}

void TScriptAnalysis::ScanQualifiers(Scan& scan)
{
    Parser& parser = scan.parser;
    do {
        if (parser.termKind == Parser::kQualifier)
            ResolveName(parser);
        parser.NextTerm();
    } while (parser.termKind != Parser::kName && parser.termKind != Parser::kEnd);
    if (parser.termKind == Parser::kName) {
        ResolveName(parser);
        scan.EndsName();
    }
}

void TScriptAnalysis::ScanOther(Scan& scan)
{
    Parser& parser = scan.parser;
    if (scan.LinkDue() && parser.termKind == Parser::kLiteral)
        ApplyLinkRule(parser, scan.previousTarget);
    parser.resolved = nullptr;
    RecordTerm(parser);
    scan.previousTarget = nullptr;
    scan.previousKind = parser.termKind;
    scan.previousHash = parser.afterHash;
}

void TScriptAnalysis::ScanScript(Parser& parser)
{
    Scan scan(parser);
    parser.NextTerm();
    while (parser.termKind != Parser::kEnd) {
        parser.scope = scan.savedScope;
        switch (parser.termKind) {
        case Parser::kName:
            ResolveName(parser);
            scan.EndsName();
            break;
        case Parser::kCallName:
            ScanCall(scan);
            break;
        case Parser::kQualifier:
            ScanQualifiers(scan);
            break;
        case Parser::kComparison:
        case Parser::kBetween:
            RecordTerm(parser);
            break;
        case Parser::kLineEnd:
            if (scan.LinkDue())
                ApplyLinkRule(parser, scan.previousTarget);
            scan.previousTarget = parser.resolved;
            scan.previousKind = Parser::kLineEnd;
            scan.previousHash = parser.afterHash;
            break;
        default:
            ScanOther(scan);
            break;
        }
        parser.NextTerm();
    }
    if (scan.LinkDue())
        ApplyLinkRule(parser, scan.previousTarget);
    if (parser.element.pieces)
        parser.element.pieces->Compact();
}
