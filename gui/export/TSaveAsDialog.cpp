#include "gui/export/TSaveAsDialog.h"

#include "export/TSelectionTree.h"
#include "gui/export/TSaveAsModel.h"
#include "gui/export/TSaveAsTree.h"
#include "gui/support/CommandIds.h"
#include "gui/support/SaveFile.h"
#include "gui/support/THelpContext.h"
#include "gui/support/TMessageSink.h"
#include "gui/support/TWaitCursor.h"
#include "load/TDatabase.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <sstream>

namespace {

struct TQuickBox {
    const char* text;
    unsigned bit;
};

// In the order the boxes show.
constexpr std::array<TQuickBox, 5> kQuickBoxes{{
    {"Groups && Records", TSelectionTree::kGroupsAndRecords},
    {"Pictures", TSelectionTree::kPictures},
    {"Lists", TSelectionTree::kLists},
    {"Tables && Reports", TSelectionTree::kTablesAndReports},
    {"Settings", TSelectionTree::kSettings},
}};

constexpr unsigned kOpeningBits = TSelectionTree::kGroupsAndRecords | TSelectionTree::kPictures;

QString ChooseTextFile(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Save As Text"), folder,
                       QStringLiteral("Text File (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without an extension gets ".txt"; an existing file is overwritten only after
    // the dialog's own question.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const QString path = dialog.selectedFiles().value(0);
        if (TSaveAsDialog::FolderExists(path))
            return path;
        // The dialog itself takes a name in a folder that isn't there: say so and ask again.
        TMessageSink::Show(
            parent, {QStringLiteral("Save As Text"),
                     QStringLiteral("%1\nThis folder does not exist. Check the path and try again.")
                         .arg(QDir::toNativeSeparators(QFileInfo(path).path())),
                     QMessageBox::Warning});
    }
}

} // namespace

TSaveAsDialog::TSaveAsDialog(QWidget* parent, const TDatabase& db, TDisplayHost& host,
                             QString& rememberedFolder, TFileChooser chooser)
    : QDialog(parent), db(db), host(host), rememberedFolder(rememberedFolder),
      chooser(chooser ? std::move(chooser) : TFileChooser(ChooseTextFile)), tree(new TSaveAsTree),
      save(new QPushButton(QStringLiteral("&Save"))), status(new QLabel)
{
    setWindowTitle(QStringLiteral("Select Elements to Save as Text"));
    THelpContext::Set(this, helpids::SaveAsDialog);

    tree->setMinimumSize(280, 300);
    tree->setAccessibleName(QStringLiteral("Elements"));
    tree->Fill(db.Definitions(), db.Name());
    save->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("E&xit"));
    auto* help = new QPushButton(QStringLiteral("&Help"));
    status->setObjectName(QStringLiteral("status"));

    auto* group = new QGroupBox(QStringLiteral("Quick Selections"));
    auto* boxes = new QVBoxLayout(group);
    for (size_t i = 0; i < quick.size(); ++i) {
        quick[i] = new QCheckBox(QString::fromLatin1(kQuickBoxes[i].text));
        quick[i]->setChecked(kQuickBoxes[i].bit & kOpeningBits);
        boxes->addWidget(quick[i]);
        // clicked, not toggled: ticking or unticking a box from here runs no quick selection.
        connect(quick[i], &QCheckBox::clicked, this, &TSaveAsDialog::QuickSelectionClicked);
    }

    auto* side = new QVBoxLayout;
    side->addWidget(save);
    side->addWidget(exit);
    side->addWidget(help);
    side->addSpacing(12);
    side->addWidget(group);
    side->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(tree, 0, 0);
    layout->addLayout(side, 0, 1);
    layout->addWidget(status, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(0, 1);

    connect(tree, &TSaveAsTree::HandToggled, this, &TSaveAsDialog::HandToggled);
    connect(save, &QPushButton::clicked, this, &TSaveAsDialog::Save);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { Q_EMIT HelpRequested(helpids::SaveAsDialog); });

    QuickSelectionClicked();
}

bool TSaveAsDialog::FolderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).absoluteDir().exists();
}

void TSaveAsDialog::QuickSelectionClicked()
{
    unsigned bits = 0;
    for (size_t i = 0; i < quick.size(); ++i) {
        if (quick[i]->isChecked())
            bits |= kQuickBoxes[i].bit;
    }
    tree->Selection()->ApplyQuickSelection(bits);
    UpdateSaveButton();
}

void TSaveAsDialog::HandToggled()
{
    UpdateSaveButton();
    for (QCheckBox* box : quick)
        box->setChecked(false);
    status->clear();
}

void TSaveAsDialog::UpdateSaveButton()
{
    save->setEnabled(tree->Selection()->AnythingChecked());
}

void TSaveAsDialog::Save()
{
    if (!tree->Selection()->AnythingChecked())
        return;
    const QString path = chooser(this, rememberedFolder);
    if (path.isEmpty())
        return;
    QString failure;
    {
        const TWaitCursor wait;
        status->setText(QStringLiteral("Saving elements"));
        status->repaint();
        failure = Write(path);
    }
    if (!failure.isEmpty()) {
        status->setText(QStringLiteral("Save failed"));
        TMessageSink::Show(
            this,
            {QStringLiteral("Save As Text"),
             QStringLiteral("Could not write %1:\n%2").arg(QDir::toNativeSeparators(path), failure),
             QMessageBox::Warning});
        return;
    }
    status->setText(QStringLiteral("Save complete"));
    // A bare file name has no folder to remember.
    if (path.contains(QLatin1Char('/')))
        rememberedFolder = QFileInfo(path).path();
}

QString TSaveAsDialog::Write(const QString& path)
{
    std::ostringstream document;
    tree->Selection()->WriteChecked(document, db.Name(), host);
    return files::SaveFile(path, db.DefinitionFile(), document.view());
}
