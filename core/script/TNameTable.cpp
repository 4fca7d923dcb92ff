#include "script/TNameTable.h"

#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TDefField.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "model/TInternalError.h"
#include "model/TMessageLog.h"
#include "script/TNameTable_Parser.h"
#include "script/TScriptList.h"
#include "script/TUsedSet.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

namespace {
using Parser = TNameTable::Parser;

// The class names shown for elements, by kind code 0 to 54; most codes have none.
struct ClassNameTable {
    std::string_view names[55] = {};
    constexpr ClassNameTable()
    {
        names[kinds::Choice] = "Choice";
        names[kinds::Field] = "Field";
        names[kinds::Group] = "Group";
        names[kinds::Picture] = "Picture";
        names[kinds::PlanPicture] = "Plan Picture";
        names[kinds::Record] = "Record";
        names[kinds::Word] = "Word";
        names[kinds::Alias] = "Alias";
        names[kinds::Variable] = "Variable";
        names[kinds::BuiltIn] = "Built in";
    }
};
constexpr ClassNameTable kClassNames;

struct BuiltInRow {
    const char* name;
    int kind;
    const char* owner; // nullptr: none
    const char* type;  // nullptr: none
};

// Later rows refer to earlier ones: "date" comes before "today", the built-ins before the
// aliases of the database's "person" record.
constexpr BuiltInRow kBuiltIns[] = {
    {"text", kinds::BuiltIn, nullptr, nullptr},
    {"chart", kinds::BuiltIn, nullptr, nullptr},
    {"date", kinds::BuiltIn, nullptr, nullptr},
    {"plan", kinds::BuiltIn, nullptr, nullptr},
    {"longtext", kinds::BuiltIn, nullptr, nullptr},
    {"mother", kinds::Alias, "person", "person"},
    {"father", kinds::Alias, "person", "person"},
    {"childnumber", kinds::Variable, nullptr, nullptr},
    {"descendant", kinds::Variable, nullptr, "person"},
    {"generation", kinds::Variable, nullptr, nullptr},
    {"marriagenumber", kinds::Variable, nullptr, nullptr},
    {"spouses", kinds::Alias, "person", "person"},
    {"showrins", kinds::Variable, nullptr, "logical"},
    {"rin", kinds::Variable, nullptr, nullptr},
    {"spouse", kinds::Alias, nullptr, "person"},
    {"strip", kinds::Variable, nullptr, nullptr},
    {"today", kinds::Variable, nullptr, "date"},
    {"treemarriage", kinds::Variable, nullptr, "marriage"},
    {"treeref", kinds::Variable, nullptr, nullptr},
    {"internal use", kinds::BuiltIn, nullptr, nullptr},
};
static_assert(std::size(kBuiltIns) == 20);

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

bool IsGroupOrRecord(const TDefBase* e)
{
    return e && (e->kind == kinds::Group || e->kind == kinds::Record);
}
} // namespace

TDefBase* TNameTable::Add(TDefBase* element)
{
    defs.Add(element);
    index.Add(element);
    return element;
}

void TNameTable::Clear()
{
    index.Clear();
    arrayRecordsMade = false;
    arrayRecords.clear();
    nextPicture.clear();
    collectingUses = false;
    pendingUses.clear();
}

TDefBase* TNameTable::Find(std::string_view name, const TDefBase* owner, int kind) const
{
    return index.FindIn(index.NameRange(name), owner, kind);
}

TDefBase* TNameTable::FindAnyClass(std::string_view name) const
{
    return index.First(index.NameRange(name));
}

std::string_view TNameTable::ClassName(int kind)
{
    if (kind < 0 || kind >= static_cast<int>(std::size(kClassNames.names)))
        return {};
    return kClassNames.names[kind];
}

void TNameTable::Build(TMessageLog& log)
{
    InsertBuiltIns();
    ResolveTypes(log);
    FindUses(log);
}

void TNameTable::InsertBuiltIns()
{
    for (const BuiltInRow& row : kBuiltIns) {
        TDefBase* owner = nullptr;
        if (row.owner) {
            owner = Find(row.owner, nullptr, kinds::Record);
            if (!owner)
                owner = Find(row.owner, nullptr, kinds::BuiltIn);
            if (!owner)
                throw TInternalError(std::string("Find(") + row.owner +
                                     ") failed in InsertBuiltIns()");
        }
        std::unique_ptr<TDefBase> made;
        if (!row.owner && row.type) {
            auto field = std::make_unique<TDefField>(row.name, row.type, nullptr);
            field->kind = row.kind;
            made = std::move(field);
        } else {
            made = std::make_unique<TDefBase>(row.kind, row.name, owner);
        }
        TDefBase* element = Add(made.release());
        if (row.type) {
            TDefBase* type = nullptr;
            for (int kind : {kinds::Record, kinds::Choice, kinds::BuiltIn})
                if (!type)
                    type = Find(row.type, nullptr, kind);
            if (IsGroupOrRecord(type))
                element->base = type;
        }
    }
}

TDefBase* TNameTable::FindRecordInArray(std::string_view name)
{
    if (!arrayRecordsMade) {
        arrayRecords.clear();
        for (const auto& e : defs)
            if (e->kind == kinds::Record && !e->owner)
                arrayRecords.push_back(e.get());
        std::stable_sort(arrayRecords.begin(), arrayRecords.end(),
                         [](const TDefBase* a, const TDefBase* b) {
                             return names::Compare(a->name, b->name) < 0;
                         });
        arrayRecordsMade = true;
    }
    const auto it = std::lower_bound(
        arrayRecords.begin(), arrayRecords.end(), name,
        [](const TDefBase* e, std::string_view n) { return names::Compare(e->name, n) < 0; });
    return it != arrayRecords.end() && names::Equal((*it)->name, name) ? *it : nullptr;
}

void TNameTable::ResolveTypes(TMessageLog& log)
{
    index.Freeze(defs);
    arrayRecordsMade = false;
    StartCollectingUses();
    for (const auto& owned : defs) {
        TDefBase* e = owned.get();
        switch (e->kind) {
        case kinds::Field: {
            const std::string type = e->TypeName();
            const TNameIndex::Range range = index.NameRange(type);
            TDefBase* found = nullptr;
            for (int kind : {kinds::BuiltIn, kinds::Record, kinds::Group, kinds::Choice})
                if (!found)
                    found = index.FindIn(range, nullptr, kind);
            if (!found)
                log.Line("Field type not found for " + type);
            AddPiece(*e, Parser::kName, 0, 0, e);
            AddPiece(*e, Parser::kName, 0, 0, found);
            if (found && found->kind != kinds::BuiltIn)
                Use(*found, e);
            if (IsGroupOrRecord(found))
                e->base = found;
            break;
        }
        case kinds::Filter:
            if (e->context && e->context->context)
                e->context = e->context->context;
            break;
        case kinds::List:
        case kinds::Report:
        case kinds::Table: {
            const std::string type = e->TypeName();
            TDefBase* record = Find(type, nullptr, kinds::Record);
            e->context = record ? record : FindRecordInArray(type);
            break;
        }
        case kinds::Picture:
            if (!e->owner)
                break;
            if (kinds::IsChart(e->owner->kind))
                e->context = Find("chart", nullptr, kinds::BuiltIn);
            else if (e->owner->kind == kinds::Report || e->owner->kind == kinds::Table)
                e->context = e->owner->context;
            break;
        case kinds::PlanPicture:
            e->context = Find("plan", nullptr, kinds::BuiltIn);
            break;
        default:
            break;
        }
    }
    AddCollectedUses();
}

bool TNameTable::IsInternalUse(const TDefBase& element)
{
    for (const InternalUseRow& row : kInternalUse) {
        if (!names::Equal(row.picture, element.name))
            continue;
        if (!row.record)
            return true;
        const TDefBase* record = Find(row.record, nullptr, kinds::Record);
        if (!record || record == element.context)
            return true;
    }
    return false;
}

void TNameTable::FindUses(TMessageLog& log)
{
    index.Freeze(defs);
    nextPicture.clear();
    StartCollectingUses();
    TDefBase* const internal = Find("internal use", nullptr, kinds::BuiltIn);
    for (const auto& owned : defs) {
        if (!kinds::IsPictureKind(owned->kind))
            continue;
        auto* picture = dynamic_cast<TDefPicture*>(owned.get());
        if (!picture)
            continue;
        Parser parser(*picture, log);
        ScanScript(parser);
        if (internal && IsInternalUse(*picture))
            Use(*picture, internal);
    }
    AddCollectedUses();
}

bool TNameTable::InArray(const TDefBase* element) const
{
    return element->index >= 0 && static_cast<size_t>(element->index) < defs.Count() &&
           defs.At(static_cast<size_t>(element->index)) == element;
}

void TNameTable::StartCollectingUses()
{
    pendingUses.clear();
    collectingUses = true;
}

void TNameTable::Use(TDefBase& element, TDefBase* user)
{
    if (collectingUses && InArray(&element) && InArray(user)) {
        pendingUses.push_back(
            {static_cast<uint32_t>(element.index), static_cast<uint32_t>(user->index)});
        return;
    }
    // An element outside the array can't wait: what was collected goes first, and the rest of
    // the pass adds directly, so the order stays the order of the uses.
    AddCollectedUses();
    AddUsedBy(element, user);
}

void TNameTable::AddCollectedUses()
{
    collectingUses = false;
    if (pendingUses.empty())
        return;
    // A counting sort by element that keeps each element's uses in the order they came.
    std::vector<uint32_t> start(defs.Count() + 1, 0);
    for (const PendingUse& use : pendingUses)
        ++start[use.element + 1];
    for (size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    std::vector<uint32_t> users(pendingUses.size());
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (const PendingUse& use : pendingUses)
        users[next[use.element]++] = use.user;
    pendingUses.clear();
    pendingUses.shrink_to_fit();
    // Each user's hash once, not once per use.
    std::vector<uint64_t> hashes(defs.Count(), 0);
    std::vector<bool> hashed(defs.Count(), false);
    for (size_t e = 0; e + 1 < start.size(); ++e) {
        if (start[e + 1] > start[e] && !defs.At(e)->HasUsers())
            defs.At(e)->Users().Reserve(start[e + 1] - start[e]);
        for (uint32_t k = start[e]; k < start[e + 1]; ++k) {
            const uint32_t u = users[k];
            if (!hashed[u]) {
                hashes[u] = TUsedSet::HashOf(defs.At(u));
                hashed[u] = true;
            }
            defs.At(e)->Users().Add(defs.At(u), hashes[u]);
        }
    }
}

void TNameTable::AddUsedBy(TDefBase& element, TDefBase* user)
{
    element.Users().Add(user);
}

void TNameTable::AddPiece(TDefBase& element, int kind, int offset, int length, TDefBase* target)
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

void TNameTable::TermUsed(Parser& parser, std::string_view name, int wanted)
{
    const TNameIndex::Range range = index.NameRange(name);
    TDefBase* found = nullptr;
    if (!range.empty()) {
        const auto tryFind = [&](const TDefBase* owner, std::initializer_list<int> kinds) {
            for (int kind : kinds)
                if (!found)
                    found = index.FindIn(range, owner, kind);
        };
        const auto person = [this] { return Find("person", nullptr, kinds::Record); };
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
        Use(*found, &parser.element);
        if (TakesScopeFromBase(found->kind) && found->base)
            parser.scope = found->base;
    } else {
        parser.log.Line("Cannot find " + std::string(name) + " in TermUsed() in " +
                        parser.element.Title());
    }
    parser.resolved = found;
}

TDefBase* TNameTable::FirstPictureAfter(const TDefBase& element)
{
    const size_t count = defs.Count();
    if (nextPicture.size() != count + 1) {
        nextPicture.assign(count + 1, -1);
        for (size_t i = count; i-- > 0;)
            nextPicture[i] =
                defs.At(i)->kind == kinds::Picture ? static_cast<int>(i) : nextPicture[i + 1];
    }
    if (!InArray(&element))
        return nullptr;
    const int found = nextPicture[static_cast<size_t>(element.index) + 1];
    return found < 0 ? nullptr : defs.At(static_cast<size_t>(found));
}

void TNameTable::ApplyLinkRule(Parser& parser, TDefBase* target)
{
    TDefBase& element = parser.element;
    if (names::Equal(element.name, "links") || element.kind == kinds::EditPanel || !target ||
        !IsGroupOrRecord(target->base))
        return;
    TDefBase* picture = FirstPictureAfter(*target->base);
    if (!picture)
        return;
    Use(*picture, &element);
    // The last piece by offset is the name's own: the rule runs right after it was recorded.
    if (element.pieces && !element.pieces->empty())
        element.pieces->back().flags |= TScriptPiece::kLinked;
}

void TNameTable::ScanScript(Parser& parser)
{
    TDefBase& element = parser.element;
    TDefBase* const savedScope = parser.scope;
    int previousKind = Parser::kEnd;
    TDefBase* previousTarget = nullptr;
    bool previousHash = false;
    const auto record = [&] {
        AddPiece(element, parser.termKind, parser.TermOffset(), parser.termLength, parser.resolved);
    };
    const auto resolveName = [&] {
        TermUsed(parser, parser.TermText(), kAnyName);
        record();
    };
    const auto endsName = [&] {
        previousKind = Parser::kName;
        previousTarget = parser.resolved;
        previousHash = parser.afterHash;
    };
    const auto linkDue = [&] { return previousKind == Parser::kName && !previousHash; };

    parser.NextTerm();
    while (parser.termKind != Parser::kEnd) {
        parser.scope = savedScope;
        switch (parser.termKind) {
        case Parser::kName:
            resolveName();
            endsName();
            break;
        case Parser::kCallName: {
            const std::string called(parser.TermText());
            const int calledOffset = parser.TermOffset();
            const int calledLength = parser.termLength;
            do {
                parser.NextTerm();
                if (parser.termLength >= 1)
                    resolveName();
            } while (parser.termKind != Parser::kClosingName && parser.termKind != Parser::kEnd);
            TermUsed(parser, called, kinds::Picture);
            AddPiece(element, Parser::kCallName, calledOffset, calledLength, parser.resolved);
            previousKind = parser.termKind;
            break;
        }
        case Parser::kQualifier:
            do {
                if (parser.termKind == Parser::kQualifier)
                    resolveName();
                parser.NextTerm();
            } while (parser.termKind != Parser::kName && parser.termKind != Parser::kEnd);
            if (parser.termKind == Parser::kName) {
                resolveName();
                endsName();
            }
            break;
        case Parser::kComparison:
        case Parser::kBetween:
            record();
            break;
        case Parser::kLineEnd:
            if (linkDue())
                ApplyLinkRule(parser, previousTarget);
            previousTarget = parser.resolved;
            previousKind = Parser::kLineEnd;
            previousHash = parser.afterHash;
            break;
        default:
            if (linkDue() && parser.termKind == Parser::kLiteral)
                ApplyLinkRule(parser, previousTarget);
            parser.resolved = nullptr;
            record();
            previousTarget = nullptr;
            previousKind = parser.termKind;
            previousHash = parser.afterHash;
            break;
        }
        parser.NextTerm();
    }
    if (linkDue())
        ApplyLinkRule(parser, previousTarget);
    if (element.pieces)
        element.pieces->Compact();
}
