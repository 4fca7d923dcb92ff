#pragma once

#include <QColor>
#include <QDialog>

#include <functional>
#include <optional>

class QListWidget;
class TDispColour;

// "Choose Script Colours": the seven script element classes, each drawn in its colour. Selecting
// one, by a click or an arrow key, opens the colour chooser; a colour chosen there goes into the
// scheme at once (and stays after the dialog's Cancel: that only skips the repaint of every
// window).
class TSetColours : public QDialog {
    Q_OBJECT
public:
    // The chooser: the starting colour in, the chosen one out (none when cancelled). The default
    // is the system's colour dialog with the scheme's sixteen custom colours.
    using TChooser = std::function<std::optional<QColor>(const QColor& initial)>;

    TSetColours(QWidget* parent, TDispColour& scheme, TChooser chooser = {});

    QListWidget& List() const { return *list; }

Q_SIGNALS:
    void HelpRequested(int contextId);

private:
    void ChooseSelected();
    void ChooseRow(int row);
    std::optional<QColor> SystemChooser(const QColor& initial);
    void PaintRows();

    TDispColour& scheme;
    TChooser chooser;
    QListWidget* list;
    bool choosing = false; // from a selection until its chooser has closed
};
