#include "gui/support/TMessageSink.h"

#include "gui/support/TMyMessage.h"

QMessageBox::StandardButton TMessageSink::Show(QWidget* parent, const TMessage& message)
{
    if (const TSink& sink = Current())
        return sink(parent, message);
    return ShowModal(parent, message);
}

TMessageSink::TScope::TScope(TSink sink) : before(std::exchange(Current(), std::move(sink))) {}

TMessageSink::TScope::~TScope()
{
    Current() = std::move(before);
}

TMessageSink::TSink& TMessageSink::Current()
{
    static TSink sink;
    return sink;
}

QMessageBox::StandardButton TMessageSink::ShowModal(QWidget* parent, const TMessage& message)
{
    if (message.buttons.testFlag(QMessageBox::Help) && message.helpContext != 0) {
        TMyMessage dialog(parent, message.text, message.caption, message.helpContext);
        if (message.help)
            QObject::connect(&dialog, &TMyMessage::HelpRequested, &dialog, message.help);
        dialog.exec();
        return QMessageBox::Ok;
    }
    QMessageBox box(message.icon, message.caption, message.text, message.buttons, parent);
    box.exec();
    return box.standardButton(box.clickedButton());
}
