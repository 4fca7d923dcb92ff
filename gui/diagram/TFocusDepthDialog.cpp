#include "gui/diagram/TFocusDepthDialog.h"

#include "diagram/FocusedGraph.h"
#include "gui/support/CommandIds.h"
#include "gui/support/THelpContext.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

TFocusDepthDialog::TFocusDepthDialog(QWidget* parent, const QString& picture, int depth)
    : QDialog(parent), box(new QSpinBox)
{
    setWindowTitle(QStringLiteral("Focused Diagram"));
    THelpContext::Set(this, helpids::FocusedDiagram);

    box->setRange(graph::kMinFocusDepth, graph::kMaxFocusDepth);
    box->setValue(graph::ClampFocusDepth(depth));
    auto* title = new QLabel(picture);
    title->setTextFormat(Qt::PlainText);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Picture:"), title);
    form->addRow(QStringLiteral("&Depth:"), box);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { Q_EMIT HelpRequested(helpids::FocusedDiagram); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    box->setFocus();
    box->selectAll();
}

int TFocusDepthDialog::Depth() const
{
    return box->value();
}
