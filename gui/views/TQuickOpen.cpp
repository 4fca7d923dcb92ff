#include "gui/views/TQuickOpen.h"

#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/support/THelpContext.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The popup's size, in characters of the field's font and rows of the list.
constexpr int kWidthChars = 64;
constexpr int kListRows = 12;
} // namespace

TQuickOpen::TQuickOpen(const TDefinedArray& defs, QWidget* parent)
    : QDialog(parent, Qt::Popup), defs(defs), index(defs), query(new QLineEdit),
      rows(new QListWidget)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quick Open"));
    setAccessibleName(windowTitle());
    THelpContext::Set(this, helpids::QuickOpen);

    query->setPlaceholderText(QStringLiteral("Letters of a name or title, in order"));
    query->setAccessibleName(QStringLiteral("Name or title"));
    query->installEventFilter(this);
    rows->setAccessibleName(QStringLiteral("Matches"));
    rows->setUniformItemSizes(true);
    rows->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(query);
    layout->addWidget(rows);
    const QFontMetrics metrics(query->font());
    resize(metrics.averageCharWidth() * kWidthChars,
           query->sizeHint().height() + metrics.lineSpacing() * kListRows + 16);

    connect(query, &QLineEdit::textChanged, this, &TQuickOpen::Search);
    connect(query, &QLineEdit::returnPressed, this, &TQuickOpen::ChooseCurrent);
    connect(rows, &QListWidget::itemActivated, this, &TQuickOpen::ChooseCurrent);
}

void TQuickOpen::ShowOver(QWidget& window)
{
    const QRect frame = window.geometry();
    move(frame.x() + std::max(0, (frame.width() - width()) / 2), frame.y() + frame.height() / 8);
    show();
    activateWindow();
    query->setFocus(Qt::PopupFocusReason);
}

void TQuickOpen::Search(const QString& text)
{
    rows->clear();
    for (const quickopen::TMatch& match : index.Search(bytes::TypedBytes(text), kShown)) {
        const TDefBase& element = *defs.At(static_cast<size_t>(match.element));
        auto* item = new QListWidgetItem(bytes::ToText(element.Title()), rows);
        item->setData(Qt::UserRole, match.element);
    }
    rows->setCurrentRow(rows->count() > 0 ? 0 : -1);
}

void TQuickOpen::ChooseCurrent()
{
    const QListWidgetItem* item = rows->currentItem();
    if (!item)
        return;
    const TDefBase& element = *defs.At(item->data(Qt::UserRole).toUInt());
    close();
    Q_EMIT Chosen(element);
}

bool TQuickOpen::eventFilter(QObject* watched, QEvent* event)
{
    // The field keeps the keyboard; the keys that move in a list move in the list.
    if (watched == query && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QApplication::sendEvent(rows, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
