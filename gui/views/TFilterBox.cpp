#include "gui/views/TFilterBox.h"

#include "gui/support/Bytes.h"

#include <QKeyEvent>

TFilterBox::TFilterBox(const QString& placeholder, QWidget* parent) : QLineEdit(parent)
{
    setPlaceholderText(placeholder);
    setClearButtonEnabled(true);
}

std::string TFilterBox::Bytes() const
{
    return bytes::TypedBytes(text());
}

bool TFilterBox::event(QEvent* event)
{
    // Tab would go to the next widget of the window, which is not always the list.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
            Q_EMIT ListWanted();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TFilterBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (text().isEmpty())
            Q_EMIT ListWanted();
        else
            clear();
        break;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT ListWanted();
        break;
    default:
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}
