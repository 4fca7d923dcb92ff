#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// A message box as the program asks for it.
struct TMessage {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    // Help, with a nonzero help context, makes the message dialog whose Help calls help and
    // leaves the dialog open.
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    int helpContext = 0;
    std::function<void(int contextId)> help = {};
};

// Every message box of the program goes through Show, so that a test can take the boxes in a
// person's place: record them and answer them without a modal window.
class TMessageSink {
public:
    // Answers the message with one of its buttons.
    using TSink =
        std::function<QMessageBox::StandardButton(QWidget* parent, const TMessage& message)>;

    // Shows the message modally, or gives it to the sink put in place; the button that closed it.
    static QMessageBox::StandardButton Show(QWidget* parent, const TMessage& message);

    // Puts a sink in place while it lives; the one before it comes back at its end.
    class TScope {
    public:
        explicit TScope(TSink sink);
        ~TScope();
        TScope(const TScope&) = delete;
        TScope& operator=(const TScope&) = delete;

    private:
        TSink before;
    };

private:
    static TSink& Current();
    static QMessageBox::StandardButton ShowModal(QWidget* parent, const TMessage& message);
};
