#pragma once

#include "gui/app/TCommands.h"
#include "gui/app/TRecentFolders.h"
#include "gui/views/TPane.h"

#include <QMainWindow>

#include <memory>
#include <string>

class THtmlHelp;
class TSettings;
class TSpecMDI;

// The main window "Stemlook": the menu, the client with its child windows, the recent folders,
// the window's place in the settings, and F1.
class TMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // logPath: the file each load's messages log is written to.
    TMainFrame(TSettings& settings, THtmlHelp& help, const std::string& logPath);
    ~TMainFrame() override;

    TSpecMDI& Client() const { return *mdi; }
    const TCommands& Commands() const { return *commands; }
    const TRecentFolders& Recent() const { return recent; }

    // What Open does once a folder is chosen: the folder goes first in the recent folders and is
    // loaded. False when it could not be loaded.
    bool OpenFolder(const QString& folder);
    // Loads recent folder n without moving it; a folder that fails to load leaves the list.
    void OpenRecent(int n);
    // Enables every command from the active child and its selection: a command the active pane
    // answers is its own; the others are the main frame's.
    void UpdateCommands();
    bool CommandEnabled(TPane::TCommand command) const;
    void RunCommand(TPane::TCommand command);
    // The help topic F1 asks for now: the highlighted menu command's, else the active dialog's,
    // else the active child window's; 0 for the contents.
    int HelpContextForF1() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CmOpen();
    void CmPreferences();
    void CmExportDiagram();
    void CmSaveAs();
    // Asks for a text (the selected name, else the last one searched) and shows the script lines
    // that hold it.
    void CmFindInScripts();
    QAction* Action(TPane::TCommand command) const;
    // Repaints the widget and everything inside it (new script colours).
    static void RepaintAll(QWidget* widget);
    void UpdateRecentMenu();
    void UpdateTitle();
    void ShowHelp(int contextId);
    void ShowHelpContents();
    void ShowAbout();

    TSettings& settings;
    THtmlHelp& help;
    TRecentFolders recent;
    TSpecMDI* mdi;
    std::unique_ptr<TCommands> commands;
    std::string lastFind; // the bytes searched last
};
