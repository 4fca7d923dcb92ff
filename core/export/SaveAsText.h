#pragma once

#include <iosfwd>
#include <string>

class TDatabase;
class TDefBase;
class TDefinedArray;
class TDisplayHost;

// The two ways the design leaves as text, without a screen: the Save As Text document of a quick
// selection, and the Copy command's text of one element. Elements without a writer report
// through the host.

// What the Save As Text dialog writes when Save is pressed with these quick-selection bits
// (TSelectionTree::kGroupsAndRecords ...) and no hand-made change. False, with nothing written,
// when the bits check nothing: the dialog's Save then does nothing.
bool SaveAsTextDocument(const TDatabase& db, unsigned quickBits, std::ostream& out,
                        TDisplayHost& host);

// The element's text at level 0, by a writer that has written nothing before.
void CopyElementText(const TDefinedArray& defs, const TDefBase& element, std::ostream& out,
                     TDisplayHost& host);

// The copy text of the first element in array order whose title is exactly title (letter case
// included), appended to out; false, with out unchanged, when there is none.
bool CopyText(const TDatabase& db, const std::string& title, std::string& out, TDisplayHost& host);
