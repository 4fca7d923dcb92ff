#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct TScriptPiece;

// The script colour scheme: eight colours by script element class and the colour chooser's
// sixteen custom colours. Colours are colour references, 0x00BBGGRR (red in the low byte), as the
// settings file keeps them. There are two default schemes: one for the light panes and one for
// the dark theme's.
class TDispColour {
public:
    using TColourRef = uint32_t;
    enum class TScheme { Light, Dark };
    // The dark theme's pane background, which every colour of the dark scheme is read against.
    static constexpr TColourRef kDarkBackground = 0x1e1e1e;
    static constexpr int kRows = 8;
    static constexpr int kCustomColours = 16;
    static constexpr int kHighlightKind = 13; // the piece kind report areas are drawn with

    // One row of the key table: its settings key, the slot it sets and its default texts.
    struct TRow {
        const char* key;
        int slot;
        const char* defaultText;
        const char* darkText;
    };
    static const std::array<TRow, kRows>& Rows();

    explicit TDispColour(TScheme scheme = TScheme::Light); // the scheme's defaults

    // Reads every key through read (key -> value, or none when missing); a missing value, or one
    // that is not hexadecimal, keeps the default.
    void Read(const std::function<std::optional<std::string>(const std::string&)>& read);
    // The keys and values to write, in order: the eight rows, then "Custom0" to "Custom15".
    std::vector<std::pair<std::string, std::string>> Entries() const;

    // The slot of the row whose colour a piece is drawn in (TRow::slot).
    static int PieceSlot(const TScriptPiece& piece);
    static int PieceSlot(uint32_t kind, int targetKind, uint32_t flags);

    TColourRef PieceColour(const TScriptPiece& piece) const;
    TColourRef PieceColour(uint32_t kind, int targetKind, uint32_t flags) const;
    TColourRef& RowColour(int row);
    TColourRef RowColour(int row) const;
    TColourRef& CustomColour(int i) { return custom[static_cast<size_t>(i)]; }
    TColourRef CustomColour(int i) const { return custom[static_cast<size_t>(i)]; }

    // Hexadecimal, small letters, no prefix, no leading zeros ("ff0000", "c8", "0").
    static std::string Hex(TColourRef value);
    // The value of a hexadecimal text (at most 19 characters are read); none when it isn't one.
    static std::optional<TColourRef> ParseHex(const std::string& text);

    // WCAG's relative luminance of a colour (0 black to 1 white), and the contrast ratio of two
    // colours (1 to 21).
    static double Luminance(TColourRef colour);
    static double Contrast(TColourRef a, TColourRef b);

private:
    std::array<TColourRef, kRows> colours{};
    std::array<TColourRef, kCustomColours> custom{};
};
