#include "gui/script/TSetColours.h"

#include "gui/script/TDisplayScript.h"
#include "gui/support/CommandIds.h"
#include "gui/support/THelpContext.h"
#include "script/TDispColour.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// "Default" is the text colour of everything else and is not offered.
constexpr int kOfferedRows = TDispColour::kRows - 1;
} // namespace

TSetColours::TSetColours(QWidget* parent, TDispColour& scheme, TChooser chooser)
    : QDialog(parent), scheme(scheme), chooser(std::move(chooser)), list(new QListWidget)
{
    setWindowTitle(QStringLiteral("Choose Script Colours"));
    THelpContext::Set(this, helpids::Colours);
    if (!this->chooser)
        this->chooser = [this](const QColor& initial) { return SystemChooser(initial); };

    auto* label = new QLabel(QStringLiteral("&Script Element"));
    label->setBuddy(list);
    list->setAccessibleName(QStringLiteral("Script Element"));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < kOfferedRows; ++row)
        list->addItem(QString::fromLatin1(TDispColour::Rows()[static_cast<size_t>(row)].key));
    list->setFixedHeight(list->sizeHintForRow(0) * kOfferedRows + 2 * list->frameWidth());
    PaintRows();
    // A selection, not the current row: the list makes a row current when it gets the focus,
    // as it does when the dialog opens and whenever the chooser closes, and only a click or an
    // arrow key selects one. The chooser opens once the event that selected has ended: an arrow
    // key selects its row twice, and would select it again after the chooser deselected it.
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (selected.isEmpty() || choosing)
                    return;
                choosing = true;
                QMetaObject::invokeMethod(this, &TSetColours::ChooseSelected, Qt::QueuedConnection);
            });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { Q_EMIT HelpRequested(helpids::Colours); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
}

void TSetColours::PaintRows()
{
    for (int row = 0; row < kOfferedRows; ++row)
        list->item(row)->setForeground(TDisplayScript::Colour(scheme.RowColour(row)));
}

std::optional<QColor> TSetColours::SystemChooser(const QColor& initial)
{
    for (int i = 0; i < TDispColour::kCustomColours; ++i)
        QColorDialog::setCustomColor(i, TDisplayScript::Colour(scheme.CustomColour(i)));
    const QColor chosen = QColorDialog::getColor(initial, this);
    // The chooser may have changed its custom colours even when cancelled.
    for (int i = 0; i < TDispColour::kCustomColours; ++i)
        scheme.CustomColour(i) = TDisplayScript::ColourRef(QColorDialog::customColor(i));
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

void TSetColours::ChooseSelected()
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (!selected.isEmpty())
        ChooseRow(list->row(selected.first()));
    choosing = false;
}

void TSetColours::ChooseRow(int row)
{
    const std::optional<QColor> chosen = chooser(TDisplayScript::Colour(scheme.RowColour(row)));
    if (!chosen)
        return;
    scheme.RowColour(row) = TDisplayScript::ColourRef(*chosen);
    // Deselected, so that the row shows its new colour and picking it again asks again.
    list->clearSelection();
    PaintRows();
}
