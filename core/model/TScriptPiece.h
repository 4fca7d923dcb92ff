#pragma once

#include <cstdint>

class TDefBase;

// One classified term of a script (or a field's name and type), with the element it names.
// Pieces compare by offset alone.
struct TScriptPiece {
    enum Flags : uint32_t {
        kRefers = 1,     // the piece names an element
        kUnderlined = 2, // that element has a definition of its own
        kLinked = 4,     // shown with the first picture of the record it links to
    };

    uint32_t kind = 1; // term kind, 0 to 12
    int32_t offset = 0;
    int32_t length = 0;
    // Kept before the pointer so that a piece takes 24 bytes, not 32: a large design has
    // millions.
    uint32_t flags = 0;
    TDefBase* target = nullptr;

    bool operator==(const TScriptPiece& other) const { return offset == other.offset; }
    bool operator<(const TScriptPiece& other) const { return offset < other.offset; }
};
static_assert(sizeof(void*) != 8 || sizeof(TScriptPiece) == 24);
