#include "script/TTypeResolver.h"

#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TDefField.h"
#include "model/TDefinedArray.h"
#include "model/TInternalError.h"
#include "model/TMessageLog.h"
#include "script/TNameTable.h"
#include "script/TNameTable_Parser.h"
#include "script/TScriptAnalysis.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

namespace {
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
} // namespace

TTypeResolver::TTypeResolver(TNameTable& table) : table(table), uses(table.Definitions()) {}

void TTypeResolver::InsertBuiltIns()
{
    for (const BuiltInRow& row : kBuiltIns) {
        TDefBase* owner = nullptr;
        if (row.owner) {
            owner = table.Find(row.owner, nullptr, kinds::Record);
            if (!owner)
                owner = table.Find(row.owner, nullptr, kinds::BuiltIn);
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
        TDefBase* element = table.Add(made.release());
        if (row.type) {
            TDefBase* type = nullptr;
            for (int kind : {kinds::Record, kinds::Choice, kinds::BuiltIn})
                if (!type)
                    type = table.Find(row.type, nullptr, kind);
            if (type && kinds::IsGroupOrRecord(type->kind))
                element->base = type;
        }
    }
}

TDefBase* TTypeResolver::FindRecordInArray(std::string_view name)
{
    if (!arrayRecordsMade) {
        arrayRecords.clear();
        for (const auto& e : table.Definitions())
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

void TTypeResolver::ResolveField(TDefBase& field, TMessageLog& log)
{
    const std::string type = field.TypeName();
    const TNameIndex& index = table.Index();
    const TNameIndex::Range range = index.NameRange(type);
    TDefBase* found = nullptr;
    for (int kind : {kinds::BuiltIn, kinds::Record, kinds::Group, kinds::Choice})
        if (!found)
            found = index.FindIn(range, nullptr, kind);
    if (!found)
        log.Line("Field type not found for " + type);
    TScriptAnalysis::AddPiece(field, TNameTable::Parser::kName, 0, 0, &field);
    TScriptAnalysis::AddPiece(field, TNameTable::Parser::kName, 0, 0, found);
    if (found && found->kind != kinds::BuiltIn)
        uses.Use(*found, &field);
    if (found && kinds::IsGroupOrRecord(found->kind))
        field.base = found;
}

void TTypeResolver::ResolveTypes(TMessageLog& log)
{
    table.Freeze();
    arrayRecordsMade = false;
    uses.Start();
    for (const auto& owned : table.Definitions()) {
        TDefBase* e = owned.get();
        switch (e->kind) {
        case kinds::Field:
            ResolveField(*e, log);
            break;
        case kinds::Filter:
            if (e->context && e->context->context)
                e->context = e->context->context;
            break;
        case kinds::List:
        case kinds::Report:
        case kinds::Table: {
            const std::string type = e->TypeName();
            TDefBase* record = table.Find(type, nullptr, kinds::Record);
            e->context = record ? record : FindRecordInArray(type);
            break;
        }
        case kinds::Picture:
            if (!e->owner)
                break;
            if (kinds::IsChart(e->owner->kind))
                e->context = table.Find("chart", nullptr, kinds::BuiltIn);
            else if (e->owner->kind == kinds::Report || e->owner->kind == kinds::Table)
                e->context = e->owner->context;
            break;
        case kinds::PlanPicture:
            e->context = table.Find("plan", nullptr, kinds::BuiltIn);
            break;
        default:
            break;
        }
    }
    uses.Finish();
}
