#include "gui/support/TChooseFolderDialog.h"

#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/support/THelpContext.h"
#include "gui/support/TIconSet.h"
#include "load/TDatabase.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace {

// The start path is matched without regard to case, as a person may have typed it; the result
// is always the folder's own name.
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;

QString WithoutTrailingSlash(QString path)
{
    path = QDir::fromNativeSeparators(path);
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString Join(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// True when path is root or lies inside it.
bool IsUnder(const QString& path, const QString& root)
{
    return path.compare(root, kPathCase) == 0 || path.startsWith(Join(root, {}), kPathCase);
}

int Data(const QTreeWidgetItem* node)
{
    return node->data(0, TChooseFolderDialog::NodeRole).toInt();
}

} // namespace

void TChooseFolderDialog::TMyTreeWin::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidgetItem* selected = currentItem();
    if (selected && (Data(selected) & Database)) {
        if (itemAt(event->position().toPoint()) == selected)
            dialog.accept();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

TChooseFolderDialog::TChooseFolderDialog(QWidget* parent, const QString& title,
                                         const QString& startPath, const QStringList& roots)
    : QDialog(parent), startPath(WithoutTrailingSlash(startPath)), drives(new QComboBox),
      tree(new TMyTreeWin(*this)), ok(new QPushButton(tr("OK"))),
      closedFolder(TIconSet::Icon(TIconSet::FolderClosed)),
      openFolder(TIconSet::Icon(TIconSet::FolderOpen)),
      databaseFolder(TIconSet::Icon(TIconSet::DatabaseFolder))
{
    setWindowTitle(title);
    THelpContext::Set(this, helpids::FolderChooser);

    tree->setHeaderHidden(true);
    tree->setAccessibleName(tr("Folders"));
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setMinimumSize(320, 360);
    auto* cancel = new QPushButton(tr("Cancel"));
    auto* help = new QPushButton(tr("Help"));
    ok->setDefault(true);

    auto* side = new QVBoxLayout;
    auto* drive = new QLabel(tr("Drive"));
    drive->setBuddy(drives);
    side->addWidget(drive);
    side->addWidget(drives);
    side->addStretch();
    side->addWidget(ok);
    side->addWidget(cancel);
    side->addWidget(help);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree, 1);
    layout->addLayout(side);

    QStringList sorted;
    for (const QString& root : roots)
        sorted.append(WithoutTrailingSlash(root));
    sorted.removeDuplicates();
    sorted.sort();
    drives->addItems(sorted);
    // The drive to show: the deepest root holding the start path.
    int shown = -1;
    for (int i = 0; i < sorted.size(); ++i) {
        if (IsUnder(this->startPath, sorted[i]) &&
            (shown < 0 || sorted[i].size() > sorted[shown].size()))
            shown = i;
    }
    // A start path under no root (empty, relative) shows the first root, as a path without a
    // drive shows the default drive.
    if (shown < 0 && !sorted.isEmpty())
        shown = 0;
    // Before the first fill: the fill expands folders, and each expansion lists a level deeper and
    // sets the open icon.
    connect(tree, &QTreeWidget::itemExpanded, this, &TChooseFolderDialog::Expanded);
    connect(tree, &QTreeWidget::itemCollapsed, this, &TChooseFolderDialog::SetIcon);
    drives->setCurrentIndex(shown);
    if (shown >= 0)
        FillTree();
    else
        SetOk();

    connect(drives, &QComboBox::currentIndexChanged, this, &TChooseFolderDialog::FillTree);
    connect(tree, &QTreeWidget::currentItemChanged, this, &TChooseFolderDialog::SetOk);
    connect(ok, &QPushButton::clicked, this, &TChooseFolderDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { Q_EMIT HelpRequested(HelpContext()); });
}

QStringList TChooseFolderDialog::DefaultRoots()
{
    QStringList roots;
    for (const QFileInfo& drive : QDir::drives())
        roots.append(WithoutTrailingSlash(drive.absoluteFilePath()));
    roots.append(WithoutTrailingSlash(QDir::homePath()));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
            roots.append(WithoutTrailingSlash(volume.rootPath()));
    }
    roots.removeDuplicates();
    roots.sort();
    return roots;
}

bool TChooseFolderDialog::IsDatabaseFolderName(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = path.mid(dot).toLower();
    if (extension == QLatin1String(".kvd"))
        return true;
    return extension.size() >= 4 && extension.startsWith(QLatin1String(".kv")) &&
           extension[3] >= QLatin1Char('g') && extension[3] <= QLatin1Char('t');
}

int TChooseFolderDialog::HelpContext() const
{
    return THelpContext::Of(this);
}

QString TChooseFolderDialog::FullPath(const QTreeWidgetItem* node)
{
    QStringList names;
    for (; node; node = node->parent())
        names.prepend(node->text(0));
    QString path = names.value(0);
    for (qsizetype i = 1; i < names.size(); ++i)
        path = Join(path, names[i]);
    return path;
}

void TChooseFolderDialog::FillTree()
{
    tree->clear();
    bestMatch = nullptr;
    exactMatch = false;
    const QString drive = drives->currentText();
    if (!drive.isEmpty()) {
        auto* root = new QTreeWidgetItem(tree, {drive});
        root->setData(0, NodeRole, 0);
        ScanFolder(drive, root, 0);
        // Each expansion lists one level deeper, which may find a deeper match.
        QTreeWidgetItem* expand = bestMatch ? bestMatch : root;
        QTreeWidgetItem* before = nullptr;
        while (bestMatch && !exactMatch && bestMatch != before) {
            before = bestMatch;
            before->setExpanded(true);
        }
        if (bestMatch) {
            expand = bestMatch;
            tree->scrollToItem(expand);
        }
        expand->setExpanded(true);
    }
    SetOk();
}

void TChooseFolderDialog::ScanFolder(const QString& path, QTreeWidgetItem* node, int depth)
{
    // A plain character prefix, as the start path is typed, not a test on whole folder names.
    if (!exactMatch && startPath.startsWith(path, kPathCase)) {
        bestMatch = node;
        exactMatch = path.size() == startPath.size();
    }
    const QStringList folders = QDir(path).entryList(
        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : folders) {
        auto* child = new QTreeWidgetItem(node, {name});
        child->setData(0, NodeRole, 0);
        SetIcon(child);
        if (depth <= 0)
            ScanFolder(Join(path, name), child, 1);
    }
    int data = Listed;
    if (IsDatabaseFolderName(path) && !TDatabase::FindControlGed(bytes::PathBytes(path)).empty())
        data |= Database;
    node->setData(0, NodeRole, data);
    SetIcon(node);
}

void TChooseFolderDialog::Expanded(QTreeWidgetItem* node)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QTreeWidgetItem* child = node->child(i);
        if (!(Data(child) & Listed))
            ScanFolder(FullPath(child), child, 0);
    }
    SetIcon(node);
}

void TChooseFolderDialog::SetIcon(QTreeWidgetItem* node)
{
    node->setIcon(0, (Data(node) & Database) ? databaseFolder
                     : node->isExpanded()    ? openFolder
                                             : closedFolder);
}

void TChooseFolderDialog::SetOk()
{
    const QTreeWidgetItem* selected = tree->currentItem();
    ok->setEnabled(selected && (Data(selected) & Database));
}

void TChooseFolderDialog::accept()
{
    const QTreeWidgetItem* selected = tree->currentItem();
    if (!selected || !(Data(selected) & Database))
        return;
    chosen = FullPath(selected);
    const qsizetype slash = chosen.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
        startPath = slash == 0 ? QStringLiteral("/") : chosen.left(slash);
    QDialog::accept();
}
