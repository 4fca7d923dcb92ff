#pragma once

#include <QDialog>
#include <QIcon>
#include <QStringList>
#include <QTreeWidget>

class QComboBox;
class QPushButton;

// The folder chooser: a list of file-system roots and a lazily listed tree of folders, in which
// only a database folder (by its name, holding a control.ged) can be accepted.
class TChooseFolderDialog : public QDialog {
    Q_OBJECT
public:
    // Each node's data (NodeRole): bit value 1 once its sub-folders are listed, 2 for a database
    // folder.
    static constexpr int NodeRole = Qt::UserRole;
    static constexpr int Listed = 1;
    static constexpr int Database = 2;

    // The tree: a double-click on the selected database folder accepts.
    class TMyTreeWin : public QTreeWidget {
    public:
        explicit TMyTreeWin(TChooseFolderDialog& dialog) : dialog(dialog) {}

    protected:
        void mouseDoubleClickEvent(QMouseEvent* event) override;

    private:
        TChooseFolderDialog& dialog;
    };

    // startPath: the folder to show first. roots: the folders offered as drives.
    TChooseFolderDialog(QWidget* parent, const QString& title, const QString& startPath,
                        const QStringList& roots = DefaultRoots());

    // "/", the home folder and the mounted volumes (the drives on Windows), sorted.
    static QStringList DefaultRoots();
    // True for a path whose text from its last '.' is ".kvd", or begins with ".kvg" to ".kvt",
    // ignoring case.
    static bool IsDatabaseFolderName(const QString& path);

    // After OK: the chosen folder, in the case the file system gives it.
    const QString& Result() const { return chosen; }
    // After OK: the folder that contains the chosen one; before, the folder the dialog started on.
    const QString& StartPath() const { return startPath; }
    int HelpContext() const;

    QTreeWidget& Tree() { return *tree; }
    QComboBox& Drives() { return *drives; }
    QPushButton& OkButton() { return *ok; }
    // The node that best matches the start path; null when none does.
    QTreeWidgetItem* BestMatch() const { return bestMatch; }
    static QString FullPath(const QTreeWidgetItem* node);

    void accept() override;

Q_SIGNALS:
    void HelpRequested(int contextId);

private:
    void FillTree();
    void ScanFolder(const QString& path, QTreeWidgetItem* node, int depth);
    void Expanded(QTreeWidgetItem* node);
    void SetIcon(QTreeWidgetItem* node);
    void SetOk();

    QString startPath;
    QString chosen;
    QTreeWidgetItem* bestMatch = nullptr;
    bool exactMatch = false;
    QComboBox* drives;
    TMyTreeWin* tree;
    QPushButton* ok;
    QIcon closedFolder;
    QIcon openFolder;
    QIcon databaseFolder;
};
