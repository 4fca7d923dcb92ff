#include "script/TDispColour.h"

#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TScriptPiece.h"
#include "script/TNameTable_Parser.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {
constexpr int kLiteralsSlot = 0;
constexpr int kFieldsSlot = 1;
constexpr int kVariablesSlot = 2;
constexpr int kRecordsSlot = 3;
constexpr int kTypesSlot = 4;
constexpr int kPicturesSlot = 5;
constexpr int kHighlightSlot = 6;
constexpr int kDefaultSlot = 7;

// The settings file keeps values of at most this many characters.
constexpr size_t kValueLimit = 19;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string CustomKey(int i)
{
    return std::string("Custom").append(std::to_string(i));
}
} // namespace

const std::array<TDispColour::TRow, TDispColour::kRows>& TDispColour::Rows()
{
    static const std::array<TRow, kRows> rows = {{
        // The dark colours keep the light ones' hues, bright enough to read on the dark
        // background, and dark enough once a selection inverts them.
        {"Literals", kLiteralsSlot, "FF0000", "FFB66C"},
        {"Fields", kFieldsSlot, "00C800", "87E77E"},
        {"Pictures", kPicturesSlot, "0000C8", "9090FF"},
        {"Variables", kVariablesSlot, "00C0C0", "6FD2E3"},
        {"Records", kRecordsSlot, "C8C800", "DDD456"},
        {"Types", kTypesSlot, "C800C8", "F08CF0"},
        {"Highlight", kHighlightSlot, "0000C8", "57A6FF"},
        {"Default", kDefaultSlot, "000000", "D4D4D4"},
    }};
    return rows;
}

TDispColour::TDispColour(TScheme scheme)
{
    for (int row = 0; row < kRows; ++row) {
        const TRow& r = Rows()[static_cast<size_t>(row)];
        const TColourRef value =
            ParseHex(scheme == TScheme::Dark ? r.darkText : r.defaultText).value_or(0);
        RowColour(row) = value;
        custom[static_cast<size_t>(row)] = value;
    }
}

void TDispColour::Read(const std::function<std::optional<std::string>(const std::string&)>& read)
{
    const auto readInto = [&](const std::string& key, TColourRef& colour) {
        if (const auto text = read(key))
            if (const auto value = ParseHex(*text))
                colour = *value;
    };
    for (int row = 0; row < kRows; ++row)
        readInto(Rows()[static_cast<size_t>(row)].key, RowColour(row));
    for (int i = 0; i < kCustomColours; ++i)
        readInto(CustomKey(i), CustomColour(i));
}

std::vector<std::pair<std::string, std::string>> TDispColour::Entries() const
{
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(kRows + kCustomColours);
    for (int row = 0; row < kRows; ++row)
        entries.emplace_back(Rows()[static_cast<size_t>(row)].key, Hex(RowColour(row)));
    for (int i = 0; i < kCustomColours; ++i)
        entries.emplace_back(CustomKey(i), Hex(CustomColour(i)));
    return entries;
}

TDispColour::TColourRef TDispColour::PieceColour(const TScriptPiece& piece) const
{
    return PieceColour(piece.kind, piece.target ? piece.target->kind : -1, piece.flags);
}

int TDispColour::PieceSlot(const TScriptPiece& piece)
{
    return PieceSlot(piece.kind, piece.target ? piece.target->kind : -1, piece.flags);
}

TDispColour::TColourRef TDispColour::PieceColour(uint32_t kind, int targetKind,
                                                 uint32_t flags) const
{
    return colours[static_cast<size_t>(PieceSlot(kind, targetKind, flags))];
}

int TDispColour::PieceSlot(uint32_t kind, int targetKind, uint32_t flags)
{
    using Parser = TNameTable::Parser;
    int slot = kDefaultSlot;
    switch (kind) {
    case Parser::kName:
    case Parser::kClosingName:
    case Parser::kQualifier:
        switch (targetKind) {
        case kinds::Choice:
        case kinds::Group:
        case kinds::Record:
            slot = kRecordsSlot;
            break;
        case kinds::Field:
        case kinds::Word:
            slot = (flags & TScriptPiece::kLinked) ? kPicturesSlot : kFieldsSlot;
            break;
        case kinds::Alias:
        case kinds::Variable:
            slot = kVariablesSlot;
            break;
        default:
            slot = kTypesSlot;
            break;
        }
        break;
    case Parser::kCallName:
        slot = kPicturesSlot;
        break;
    case Parser::kNumber:
    case Parser::kMonth:
    case Parser::kLiteral:
        slot = kLiteralsSlot;
        break;
    case static_cast<uint32_t>(kHighlightKind):
        slot = kHighlightSlot;
        break;
    default:
        break;
    }
    return slot;
}

TDispColour::TColourRef& TDispColour::RowColour(int row)
{
    return colours[static_cast<size_t>(Rows()[static_cast<size_t>(row)].slot)];
}

TDispColour::TColourRef TDispColour::RowColour(int row) const
{
    return colours[static_cast<size_t>(Rows()[static_cast<size_t>(row)].slot)];
}

std::string TDispColour::Hex(TColourRef value)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return text;
}

std::optional<TDispColour::TColourRef> TDispColour::ParseHex(const std::string& text)
{
    // Blanks around the number and a "0x" prefix are tolerated, as a hand-edited file may hold
    // them; anything else that is not a hexadecimal digit makes the value no colour at all.
    std::string_view s(text.data(), std::min(text.size(), kValueLimit));
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s.remove_prefix(2);
    if (s.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : s) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
        // A colour reference has 32 bits; a larger number is no colour.
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return static_cast<TColourRef>(value);
}

double TDispColour::Luminance(TColourRef colour)
{
    const auto channel = [](TColourRef value) {
        const double c = static_cast<double>(value & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour) + 0.7152 * channel(colour >> 8) +
           0.0722 * channel(colour >> 16);
}

double TDispColour::Contrast(TColourRef a, TColourRef b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
