#pragma once

#include "views/QuickOpen.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class TDefBase;
class TDefinedArray;

// Quick Open: a small popup with a text field over every title of the design; the best matches
// of what is typed are listed below it, the first selected. The arrows move in the list, Enter
// or a double-click chooses, Escape or a click outside closes. It deletes itself once closed.
class TQuickOpen : public QDialog {
    Q_OBJECT
public:
    // How many matches the list shows.
    static constexpr size_t kShown = 100;

    TQuickOpen(const TDefinedArray& defs, QWidget* parent);

    QLineEdit& Query() const { return *query; }
    QListWidget& Rows() const { return *rows; }
    // Shows it at the top of the window, in the middle, with the keyboard in the field.
    void ShowOver(QWidget& window);

Q_SIGNALS:
    // The element chosen; the popup has closed already.
    void Chosen(const TDefBase& element);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Search(const QString& text);
    void ChooseCurrent();

    const TDefinedArray& defs;
    quickopen::TQuickIndex index;
    QLineEdit* query;
    QListWidget* rows;
};
