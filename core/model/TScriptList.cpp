#include "model/TScriptList.h"

#include <algorithm>

void TScriptList::Insert(const TScriptPiece& piece)
{
    // Scripts are scanned front to back, so the common case is an append.
    if (pieces.empty() || !(piece < pieces.back())) {
        pieces.push_back(piece);
        return;
    }
    pieces.insert(std::upper_bound(pieces.begin(), pieces.end(), piece), piece);
}
