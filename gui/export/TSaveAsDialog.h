#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class TDatabase;
class TDisplayHost;
class TSaveAsTree;

// "Select Elements to Save as Text": a tree with a check mark on every element, quick selections
// by kind, and Save, which writes the checked elements' text into a file the person chooses. It
// stays open after each save.
class TSaveAsDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for the file to write, starting in the folder. An empty result cancels the save.
    using TFileChooser = std::function<QString(QWidget* parent, const QString& folder)>;

    // db, host and rememberedFolder must outlive the dialog. rememberedFolder: where the file
    // chooser starts; each save sets it to the saved file's folder. chooser: empty for the
    // platform's save-file dialog.
    TSaveAsDialog(QWidget* parent, const TDatabase& db, TDisplayHost& host,
                  QString& rememberedFolder, TFileChooser chooser = {});

    // Whether the folder the file path names is there (the file need not be); a relative path is
    // in the current folder. The file to save into must name one.
    static bool FolderExists(const QString& path);

Q_SIGNALS:
    void HelpRequested(int contextId);

private:
    void QuickSelectionClicked();
    void HandToggled();
    void UpdateSaveButton();
    void Save();
    // Writes the checked elements' document into the file; the reason it could not, or empty.
    QString Write(const QString& path);

    const TDatabase& db;
    TDisplayHost& host;
    QString& rememberedFolder;
    TFileChooser chooser;
    TSaveAsTree* tree;
    QPushButton* save;
    QLabel* status;
    std::array<QCheckBox*, 5> quick{};
};
