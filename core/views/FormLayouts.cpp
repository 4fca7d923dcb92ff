#include "views/FormLayouts.h"

#include "export/TOwnerIndex.h"
#include "model/Kinds.h"
#include "model/TDefField.h"
#include "model/TDefOption.h"
#include "model/TDefPrintSetting.h"
#include "model/TDefinedArray.h"
#include "model/TScriptList.h"

#include <string>

namespace panes {

namespace {

void Add(TPaneLayout& layout, int x, int y, std::string text,
         TPaneText::TStyle style = TPaneText::Plain, const TScriptPiece* piece = nullptr)
{
    layout.texts.push_back({x, y, std::move(text), style, piece});
}

const char* YesNo(bool value)
{
    return value ? "Yes" : "No";
}

// The marker's character: the low byte of its code.
std::string MarkerCharacter(int32_t code)
{
    return std::string(1, static_cast<char>(code & 0xFF));
}

} // namespace

TPaneLayout LayFields(const TDefBase& groupOrRecord, const TDefinedArray& defs, int W, int L)
{
    return LayFields(groupOrRecord, TOwnerIndex(defs), W, L);
}

TPaneLayout LayFields(const TDefBase& groupOrRecord, const TOwnerIndex& owned, int W, int L)
{
    const int x0 = W;
    const int columns[] = {x0, x0 + 15 * W, x0 + 30 * W};
    TPaneLayout layout;
    Add(layout, columns[0], 0, "Field");
    Add(layout, columns[1], 0, "Type");
    Add(layout, columns[2], 0, "Tag");

    int rows = 0;
    for (const TDefBase* part : owned.Owned(groupOrRecord)) {
        const auto* field =
            part->kind == kinds::Field ? dynamic_cast<const TDefField*>(part) : nullptr;
        if (!field)
            continue;
        const int y = (rows + 1) * L + L / 2;
        ++rows;
        const TScriptList* pieces = field->pieces.get();
        const size_t pieceCount = pieces ? pieces->size() : 0;
        // Piece 0 stands for the field's name, piece 1 for its type.
        const std::string* texts[] = {&field->name, &field->fieldType};
        for (size_t i = 0; i < 2; ++i) {
            const int x = columns[i];
            if (i < pieceCount) {
                const TScriptPiece* piece = &(*pieces)[i];
                Add(layout, x, y, *texts[i], TPaneText::Piece, piece);
                layout.pieces.push_back({piece, {x, y, x + Columns(*texts[i]) * W, y + L}});
            } else {
                Add(layout, x, y, *texts[i]);
            }
        }
        Add(layout, columns[2], y, field->GedcomTag());
    }
    layout.width = 35 * W;
    layout.height = (rows + 2) * L;
    return layout;
}

TPaneLayout LayChoice(const TDefBase& choice, const TDefinedArray& defs, int W, int L)
{
    return LayChoice(choice, TOwnerIndex(defs), W, L);
}

TPaneLayout LayChoice(const TDefBase& choice, const TOwnerIndex& owned, int W, int L)
{
    TPaneLayout layout;
    std::string line;
    int columns = 0;
    for (const TDefBase* part : owned.Owned(choice)) {
        if (part->kind != kinds::Word)
            continue;
        if (columns > 0) // every word before took at least its separator's two columns
            line += ", ";
        line += part->name;
        columns += Columns(part->name) + 2;
    }
    Add(layout, W, 0, std::move(line));
    layout.width = columns * W;
    layout.height = L;
    return layout;
}

TPaneLayout LayOptions(const TDefOption& options, int W, int L)
{
    const int x0 = W;
    const int a = x0, b = x0 + W, c = x0 + 10 * W, d = x0 + 20 * W, e = x0 + 25 * W;
    TPaneLayout layout;
    Add(layout, a, 0, "Dates");
    Add(layout, b, L, "Format");
    Add(layout, d, L, TDefOption::DateFormatText(options.dateFormat));
    Add(layout, b, 2 * L, "Prefixes");
    Add(layout, c, 2 * L, "Before");
    Add(layout, d, 2 * L, options.prefixBefore);
    Add(layout, c, 3 * L, "About");
    Add(layout, d, 3 * L, options.prefixAbout);
    Add(layout, c, 4 * L, "After");
    Add(layout, d, 4 * L, options.prefixAfter);

    const int step = L + L / 2;
    int y = 4 * L + step;
    Add(layout, a, y, "Printer Name");
    Add(layout, d, y, options.printerName);

    y += step;
    const int32_t marker = options.truncMarker;
    std::string value = TDefOption::MarkerText(marker);
    Add(layout, a, y, "Truncation Marker");
    Add(layout, d, y, std::move(value));
    // A control character has no glyph in the display font; the symbol font shows one.
    if (marker < 32)
        Add(layout, e, y + L / 5, std::string("(").append(MarkerCharacter(marker)).append(")"),
            TPaneText::Symbol);

    y += step;
    Add(layout, a, y, "Show RINs");
    Add(layout, d, y, YesNo(options.showRins));
    y += step;
    Add(layout, a, y, "Show Lines");
    Add(layout, d, y, YesNo(options.showLines));

    layout.width = x0 + 35 * W;
    layout.height = 11 * L;
    return layout;
}

TPaneLayout LayPrintSettings(const TDefPrintSetting& settings, int W, int L)
{
    const int x0 = W;
    const std::pair<const char*, uint32_t> rows[] = {
        {"Sequence 1", settings.sequence1},     {"Sequence 2", settings.sequence2},
        {"Sequence 3", settings.sequence3},     {"Page Width", settings.pageWidth},
        {"Page Height", settings.pageHeight},   {"Left Margin", settings.leftMargin},
        {"Right Margin", settings.rightMargin}, {"Top Space", settings.topSpace},
        {"Bottom Space", settings.bottomSpace}};
    TPaneLayout layout;
    int y = 0;
    for (const auto& [label, value] : rows) {
        Add(layout, x0, y, label);
        Add(layout, x0 + 15 * W, y, std::to_string(value));
        y += L;
    }
    Add(layout, x0, y, "Page pause");
    Add(layout, x0 + 15 * W, y, YesNo(settings.pagePause));
    layout.width = 18 * W;
    layout.height = 10 * L;
    return layout;
}

} // namespace panes
