#pragma once

#include <string>
#include <string_view>
#include <vector>

class TDefBase;
struct TScriptPiece;

// A rectangle in a pane's content coordinates; left and top inclusive, right and bottom exclusive.
struct TPaneRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const TPaneRect&) const = default;
};

// One text a pane draws, its top-left corner in content coordinates.
struct TPaneText {
    enum TStyle {
        Plain,     // the pane's text colour and font
        Piece,     // the piece's colour; underlined when the piece has TScriptPiece::kUnderlined
        Highlight, // the colour scheme's highlight colour (report areas)
        Symbol,    // the symbol font (a control character shown as a glyph)
    };

    int x = 0, y = 0;
    std::string text; // bytes as read; see Columns() for how many columns they take
    TStyle style = Plain;
    const TScriptPiece* piece = nullptr; // set for style Piece
    // How the bytes read: a run cut out of a script reads as the whole script does, valid UTF-8
    // or Windows-1252, even where the run alone would read otherwise.
    bool utf8 = true;
};

// A piece a click can hit, where this pane laid it out.
struct TPieceRect {
    const TScriptPiece* piece = nullptr;
    TPaneRect rect;
};

// A report area: where it lies and the picture it opens (may be null).
struct TAreaRect {
    TPaneRect rect;
    TDefBase* picture = nullptr;
};

// Where a pane laid out a script element: the top-left corner of its first line.
struct TScriptOrigin {
    const TDefBase* element = nullptr;
    int x = 0, y = 0;
};

// What a definition pane shows, laid out without a screen from the character width W and the
// line height L. The pane keeps it: painting draws the texts, clicks test the pieces and areas.
// Nothing here is written into the model, so one script shown in two panes answers each right.
struct TPaneLayout {
    // Sorted by y (a later text at the same y draws over an earlier one), so that painting can
    // start at the first text of the exposed area.
    std::vector<TPaneText> texts;
    std::vector<TPieceRect> pieces;     // in hit-test order
    std::vector<TAreaRect> areas;       // in hit-test order (report panes)
    std::vector<TScriptOrigin> scripts; // the script elements laid out, so a line can be shown
    int width = 0, height = 0;          // the extent
};

namespace panes {
// The columns a text takes: in valid UTF-8 a multi-byte sequence is one column; otherwise every
// byte is one (Windows-1252).
int Columns(std::string_view text);
bool IsUtf8(std::string_view text);
// The first piece whose rectangle holds the point, or null.
const TPieceRect* HitPiece(const TPaneLayout& layout, int x, int y);
// The first area whose rectangle holds the point, or null.
const TAreaRect* HitArea(const TPaneLayout& layout, int x, int y);
// Whether the pane laid this piece out (a piece it never laid out is never explained).
bool LaidOut(const TPaneLayout& layout, const TScriptPiece* piece);
// The index of the first text that may reach below y (texts are sorted by y; each is one line
// of height L): painting an area from y starts there.
size_t FirstTextFrom(const TPaneLayout& layout, int y, int lineHeight);
} // namespace panes
