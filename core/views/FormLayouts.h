#pragma once

#include "views/TPaneLayout.h"

class TDefBase;
class TDefinedArray;
class TDefOption;
class TDefPrintSetting;
class TOwnerIndex;

// The layouts of the form panes (fields, choice, options, print settings) from the character
// width W and the line height L. The first text column is at W.
namespace panes {
// Every field the group or record owns, in file order, one row each under a heading. Its hit
// pieces are each row's name piece, then its type piece.
TPaneLayout LayFields(const TDefBase& groupOrRecord, const TDefinedArray& defs, int W, int L);
// The same with the array's owner index, made once for many panes.
TPaneLayout LayFields(const TDefBase& groupOrRecord, const TOwnerIndex& owned, int W, int L);
// Every word the choice owns, joined with ", " on one line, drawn whole however long.
TPaneLayout LayChoice(const TDefBase& choice, const TDefinedArray& defs, int W, int L);
TPaneLayout LayChoice(const TDefBase& choice, const TOwnerIndex& owned, int W, int L);
TPaneLayout LayOptions(const TDefOption& options, int W, int L);
TPaneLayout LayPrintSettings(const TDefPrintSetting& settings, int W, int L);
} // namespace panes
