#pragma once

#include <QDialog>

class QLabel;

// The modal message dialog: a title, one line of text, OK, and Help for the dialog's topic. Help
// leaves the dialog open.
class TMyMessage : public QDialog {
    Q_OBJECT
public:
    TMyMessage(QWidget* parent, const QString& text, const QString& title, int helpContext);

    QString Text() const;
    int HelpContext() const { return helpContext; }

Q_SIGNALS:
    void HelpRequested(int contextId);

private:
    QLabel* text;
    int helpContext;
};
