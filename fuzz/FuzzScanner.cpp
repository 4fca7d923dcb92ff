// Scans the input as the script of a picture of the person record in a small fixed design: first
// term by term, checking that terms move forward inside the text and that the scan ends, then
// through the name table, which resolves each name and records pieces and uses.
#include "load/TDatabase.h"
#include "model/Kinds.h"
#include "model/TDefPicture.h"
#include "model/TMessageLog.h"
#include "script/TNameTable.h"
#include "script/TNameTable_Parser.h"
#include "script/TScriptAnalysis.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
constexpr size_t kMaxInput = 64 * 1024;

// Records that refer to each other, a group, a choice with words, and pictures, so that scopes,
// qualifiers, aliases, calls and the link rule all have something to find.
const char* const kDesign = "0 @sex@ CHOICE\n1 WORD male\n1 WORD female\n"
                            "0 @event@ GROUP\n1 @date@ FIELD date\n2 TAG DATE\n"
                            "1 @place@ FIELD text\n2 TAG PLAC\n1 @when@ PICTURE date place\n"
                            "0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                            "1 @sex@ FIELD sex\n2 TAG SEX\n1 @birth@ FIELD event\n2 TAG BIRT\n"
                            "1 @family@ FIELD family\n2 TAG FAMS\n"
                            "1 @BORN@ PICTURE birth.when\n1 @show@ PICTURE name\n"
                            "0 @family@ RECORD\n1 @husband@ FIELD person\n2 TAG HUSB\n"
                            "1 @wife@ FIELD person\n2 TAG WIFE\n1 @brief@ PICTURE husband.name\n"
                            "0 TRLR\n";

void Check(bool holds)
{
    if (!holds)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput)
        return 0;
    const std::string script(reinterpret_cast<const char*>(data), size);
    // Scanning adds uses to the design's elements: a fresh design for each input keeps runs
    // independent.
    TDatabase db;
    db.ReadText(kDesign, "fuzz.kvd");
    TDefBase* const person = db.Names().Find("person", nullptr, kinds::Record);
    Check(person != nullptr && db.InternalError().empty());

    TDefPicture picture(kinds::Picture, "fuzz", script, person);
    picture.context = person;
    TMessageLog log;
    {
        TNameTable::Parser parser(picture, log);
        const int textEnd = static_cast<int>(script.find('\0'));
        const int limit = textEnd < 0 ? static_cast<int>(size) : textEnd;
        int previousEnd = 0;
        size_t calls = 0;
        while (parser.NextTerm() != TNameTable::Parser::kEnd) {
            Check(++calls <= size);
            Check(parser.TermOffset() >= previousEnd && parser.termLength >= 0);
            previousEnd = parser.TermOffset() + parser.termLength;
            Check(previousEnd <= limit);
            Check(parser.TermText().size() <= TNameTable::Parser::kTermTextLimit);
        }
        // Only the true end repeats: a stray first character also ends the loop, with kind 0.
        if (parser.termLength == 0)
            Check(parser.NextTerm() == TNameTable::Parser::kEnd);
    }
    TNameTable::Parser parser(picture, log);
    TScriptAnalysis(db.Names()).ScanScript(parser);
    return 0;
}
