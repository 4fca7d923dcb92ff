#pragma once

#include "gui/views/TPane.h"

#include <QTreeView>

#include <string>

class TDefBase;
class TFilterBox;
class TPaneHost;

// The base of the index of elements and the used-by, find and unused lists: a list in report
// style (one row per element, column headers, rows in the order given, one row selectable) that
// copies itself to the clipboard. Used by list acts on the selected row's element; double-click
// and Enter open it as Definition does.
class TMyListWindow : public QTreeView, public TPane {
    Q_OBJECT
public:
    // The element of the selected row; null when no row is selected.
    const TDefBase* SelectedElement() const;
    // The list's text form, as Copy puts it on the clipboard; lines end in "\n".
    virtual std::string WriteText() const = 0;

    TPaneState State() const override;
    void Copy() const override;
    void OpenSelected() override;
    // The filter and the selected row's element.
    TPaneMemo Memo() const override;
    void Recall(const TPaneMemo& memo) override;
    // The rows shown, with the column titles and widths.
    std::unique_ptr<TPrintout> Printout() const override;
    // The list keeps its own font, as many points from its usual size as the fixed font is from
    // its default; the columns keep their widths in characters.
    void SetTextFont(const QFont& fixed) override;

protected:
    TMyListWindow(TPaneHost& host, QWidget* parent);

    // Shows the model (owned by the caller, usually parented to this list) and follows its
    // selection.
    void SetListModel(QAbstractItemModel* model);
    // Puts the box above the column titles, across the list; the list owns it. Called once,
    // before SetListModel.
    void AddFilterBox(TFilterBox* box);
    // The widest text of a column in the list's font, over its first rows; row -1: no rows.
    struct TWidest {
        int width = 0;
        int row = -1;
    };
    TWidest WidestCell(int column, int rows) const;
    virtual const TDefBase* ElementAt(int row) const = 0;
    // Whether Definition opens the element, and opening it.
    virtual bool CanOpen(const TDefBase& element) const = 0;
    virtual void Open(const TDefBase& element) = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;

    TPaneHost& host;

private:
    void SetUpHeader();

    TFilterBox* filterBox = nullptr;
};
