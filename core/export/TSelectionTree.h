#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class TDefinedArray;
class TDisplayHost;
class TOutline;

enum class TCheckState { Unchecked, Partly, Checked };

// The check marks of the Save As Text tree over a filled outline: quick selections by kind,
// clicks, and the document of the checked elements. The outline and the array must outlive it
// and stay unchanged.
class TSelectionTree {
public:
    // Quick-selection bits, one per check box.
    static constexpr unsigned kGroupsAndRecords = 1;
    static constexpr unsigned kPictures = 2;
    static constexpr unsigned kLists = 4;
    static constexpr unsigned kTablesAndReports = 8;
    // The options; print settings too, but only together with kTablesAndReports.
    static constexpr unsigned kSettings = 16;
    static constexpr unsigned kAll = 31;

    TSelectionTree(const TOutline& outline, const TDefinedArray& defs);

    static bool Selects(unsigned bits, int kind);

    TCheckState State(int node) const { return states[static_cast<size_t>(node)]; }
    void SetAllUnchecked();
    // Unchecks everything, then checks the leaves whose element's kind the bits select.
    void ApplyQuickSelection(unsigned bits);
    // A click on the node's check mark: a checked or partly checked node is unchecked with all
    // below it, an unchecked one is checked with all below it.
    void Toggle(int node);
    bool AnythingChecked() const;
    // Writes the heading and each checked leaf's element, at level 1, in tree order, by one writer
    // that has written nothing before: an element it has written already is left out.
    void WriteChecked(std::ostream& out, const std::string& databaseName, TDisplayHost& host);

private:
    TCheckState FromChildren(int node) const;
    // Sets the node's state from its children's, then each ancestor's likewise.
    void RecomputeUpwards(int node);
    // Checks the selected leaves below the node and sets the inner nodes from their children.
    void Select(int node, unsigned bits);

    const TOutline& outline;
    const TDefinedArray& defs;
    std::vector<TCheckState> states;
};
