#include "gui/support/TMyMessage.h"

#include "gui/support/THelpContext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TMyMessage::TMyMessage(QWidget* parent, const QString& text, const QString& title, int helpContext)
    : QDialog(parent), text(new QLabel(text)), helpContext(helpContext)
{
    setWindowTitle(title);
    THelpContext::Set(this, helpContext);
    this->text->setAlignment(Qt::AlignCenter);
    this->text->setTextFormat(Qt::PlainText);

    auto* ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    auto* help = new QPushButton(tr("Help"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [this] { Q_EMIT HelpRequested(this->helpContext); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(help);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(this->text);
    layout->addLayout(buttons);
}

QString TMyMessage::Text() const
{
    return text->text();
}
