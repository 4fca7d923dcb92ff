#include "views/ListRows.h"

#include "model/Kinds.h"
#include "model/Names.h"
#include "model/TDefBase.h"
#include "model/TUsedSet.h"
#include "script/TNameTable.h"

namespace {

bool IsBuiltInKind(int kind)
{
    return kind == kinds::Alias || kind == kinds::Variable || kind == kinds::BuiltIn;
}

// The length of the UTF-8 sequence that starts at text[at], or 0 when none does there.
size_t SequenceLength(std::string_view text, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong form
        if (lead == 0xED)
            high = 0x9F; // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (size_t i = at + 2; i < at + length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

// The first kCellLimit characters of a cell. A multi-byte sequence of a text that is valid UTF-8
// is one character, so a cut never splits one; in any other text a byte is a character.
std::string_view Cut(std::string_view cell)
{
    if (cell.size() <= lists::kCellLimit)
        return cell;
    size_t end = 0;
    size_t characters = 0;
    size_t at = 0;
    while (at < cell.size()) {
        const size_t length = SequenceLength(cell, at);
        if (length == 0)
            return cell.substr(0, lists::kCellLimit);
        if (characters < lists::kCellLimit) {
            ++characters;
            end = at + length;
        }
        at += length;
    }
    return cell.substr(0, end);
}

} // namespace

namespace lists {

std::string_view MarkText(TMark mark)
{
    switch (mark) {
    case TMark::Page:
        return "built in";
    case TMark::Info:
        return "used by the program itself";
    case TMark::None:
        break;
    }
    return {};
}

TIndexRow IndexRow(const TDefBase& element)
{
    TIndexRow row;
    row.name = element.name;
    row.className = TNameTable::ClassName(element.kind);
    if (element.context)
        row.owner = element.context->name;
    row.mark = IsBuiltInKind(element.kind) ? TMark::Page : TMark::None;
    return row;
}

TUsedRow UsedRow(const TDefBase& user)
{
    TUsedRow row;
    row.text = user.Title();
    if (user.kind == kinds::BuiltIn && names::Equal(user.name, "internal use"))
        row.mark = TMark::Info;
    else if (IsBuiltInKind(user.kind))
        row.mark = TMark::Page;
    return row;
}

std::string IndexCopyText(const TNameTable& names)
{
    std::string text = "Name\tClass\tOwner\n\n";
    for (const TDefBase* element : names.Elements()) {
        const TIndexRow row = IndexRow(*element);
        text.append(Cut(row.name)).append(1, '\t');
        text.append(Cut(row.className)).append(1, '\t');
        text.append(Cut(row.owner)).append(1, '\n');
    }
    return text;
}

bool OpensFromUsedBy(const TDefBase& user)
{
    return user.kind != kinds::BuiltIn;
}

std::string UsedByCopyText(const TDefBase& element)
{
    std::string text;
    if (element.users)
        for (const TDefBase* user : *element.users)
            text.append(UsedRow(*user).text).append(1, '\n');
    return text;
}

} // namespace lists
