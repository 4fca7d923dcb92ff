#pragma once

#include "views/TMyListWindow.h"

class TIndexModel;
class TNameTable;

// The index of elements: every element of the loaded design's name table with its class and
// owner. Also answers Relationships, for the selected picture or for the whole design. Reads the
// name table it was made on: the main frame closes the index before it loads another design.
class TDisplayIndex : public TMyListWindow {
    Q_OBJECT
public:
    static constexpr int kColumnWidth = 100;

    explicit TDisplayIndex(TPaneHost& host, QWidget* parent = nullptr);

    // Selects the element's row and scrolls it wholly into view; an element without a row (a
    // list, table or report) leaves no row selected.
    void SelectElement(const TDefBase& element);
    std::string WriteText() const override;

    bool Answers(TCommand command) const override;
    bool Enabled(TCommand command) const override;
    void Run(TCommand command) override;

protected:
    TDefBase* ElementAt(int row) const override;
    bool CanOpen(const TDefBase& element) const override;
    void Open(TDefBase& element) override;

private:
    const TNameTable& names;
    TIndexModel* rows;
};
