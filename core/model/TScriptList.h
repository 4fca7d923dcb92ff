#pragma once

#include "model/TScriptPiece.h"

#include <cstddef>
#include <vector>

// An element's pieces, sorted by offset; a piece goes after those with the same offset.
class TScriptList {
public:
    void Insert(const TScriptPiece& piece);
    // Gives back the room kept for more pieces once a script is scanned: a million-line design
    // holds millions of pieces.
    void Compact() { pieces.shrink_to_fit(); }

    bool empty() const { return pieces.empty(); }
    size_t size() const { return pieces.size(); }
    TScriptPiece& operator[](size_t i) { return pieces[i]; }
    const TScriptPiece& operator[](size_t i) const { return pieces[i]; }
    TScriptPiece& back() { return pieces.back(); }
    const TScriptPiece& back() const { return pieces.back(); }
    auto begin() { return pieces.begin(); }
    auto end() { return pieces.end(); }
    auto begin() const { return pieces.begin(); }
    auto end() const { return pieces.end(); }

private:
    std::vector<TScriptPiece> pieces;
};
