#pragma once

#include "compare/Comparison.h"
#include "gui/views/TPane.h"

#include <QWidget>

#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QTreeView;
class TDatabase;
class TDifferencesModel;
class TFilterBox;
class TPaneHost;
class TSideBySideView;

// The Differences window: the counts of what differs between the loaded design and another, a
// status filter beside a filter box, the list of units that differ, and the selected unit's old
// and new text side by side. Owns the other design and the comparison; refers to the loaded
// design, so the window manager closes it before another design loads.
class TDisplayDifferences : public QWidget, public TPane {
    Q_OBJECT
public:
    // The status filter's entries, in order: every status, then one each.
    static constexpr compare::TStatus kFiltered[] = {
        compare::TStatus::Changed, compare::TStatus::Added, compare::TStatus::Removed};

    // other: the design the comparison's old side refers to.
    TDisplayDifferences(TPaneHost& host, std::unique_ptr<TDatabase> other,
                        std::unique_ptr<compare::TComparison> comparison,
                        QWidget* parent = nullptr);
    ~TDisplayDifferences() override;

    const compare::TComparison& Comparison() const { return *comparison; }
    QLabel& Counts() const { return *counts; }
    QComboBox& StatusFilter() const { return *status; }
    TFilterBox& FilterBox() const { return *filterBox; }
    QTreeView& List() const { return *list; }
    const TDifferencesModel& Rows() const { return *rows; }
    TSideBySideView& SideBySide() const { return *sideBySide; }
    // The unit shown side by side; null when the list has no current row.
    const compare::TDifference* Current() const;
    // The selected units' unified diffs, in list order: what Copy puts on the clipboard.
    std::string UnifiedText() const;

    // Copy while units are selected; Definition, Structure and Index for the current unit's
    // element in the loaded design.
    TPaneState State() const override;
    void Copy() const override;
    // A changed or added unit opens its definition; a removed one says, in the status bar, that
    // it is only in the other design.
    void OpenSelected() override;
    // F7 and Shift+F7: the next or previous change, going on to the next or previous unit.
    void StepChange(bool forward) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyFilter();
    void ShowCurrent();
    void SelectRow(int row);

    TPaneHost& host;
    std::unique_ptr<TDatabase> other;
    std::unique_ptr<compare::TComparison> comparison; // refers to *other: goes first
    TDifferencesModel* rows;
    QLabel* counts;
    QComboBox* status;
    TFilterBox* filterBox;
    QTreeView* list;
    TSideBySideView* sideBySide;
};
