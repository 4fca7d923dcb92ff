#pragma once

#include "gui/views/TMyListWindow.h"
#include "views/NameFilter.h"

#include <optional>
#include <string>

class TFilterBox;
class TIndexModel;
class TNameTable;

// The index of elements: every element of the loaded design's name table with its class and
// owner, or those whose name holds the text of the filter box above the list. Also answers
// Relationships, for the selected picture or for the whole design. Reads the name table it was
// made on: the main frame closes the index before it loads another design.
class TDisplayIndex : public TMyListWindow {
    Q_OBJECT
public:
    static constexpr int kColumnWidth = 100;

    explicit TDisplayIndex(TPaneHost& host, QWidget* parent = nullptr);

    // Selects the element's row and scrolls it wholly into view, clearing a filter that hides it;
    // an element without a row (a list, table or report) leaves no row selected.
    void SelectElement(const TDefBase& element);
    // The whole index, whatever the filter shows.
    std::string WriteText() const override;
    TFilterBox& FilterBox() const { return *filterBox; }

    // Copy is there while the filter shows no row; Relationships selects the selected picture,
    // Focused Diagram centres on it.
    TPaneState State() const override;

protected:
    const TDefBase* ElementAt(int row) const override;
    bool CanOpen(const TDefBase& element) const override;
    void Open(const TDefBase& element) override;

private:
    void FoldNames();
    void ApplyFilter();
    // The keyboard to the list, on the first row when none is selected.
    void FocusList();
    void Select(int row);

    const TNameTable& names;
    TIndexModel* rows;
    TFilterBox* filterBox;
    std::optional<filter::TFoldedNames> foldedNames;
    std::string filterText; // the text the rows were filtered by
};
