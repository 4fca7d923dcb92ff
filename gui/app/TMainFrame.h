#pragma once

#include "gui/app/TCommands.h"
#include "gui/app/TRecentFolders.h"
#include "gui/views/TDocument.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QPrinter;
class TDefBase;
class THtmlHelp;
class TSettings;
class TSpecMDI;

// The main window "Stemlook": the document, the menu made from the command table, the client with
// its child windows, the recent folders, the window's place in the settings, and F1.
class TMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // logPath: the file each load's messages log is written to.
    TMainFrame(TSettings& settings, THtmlHelp& help, const std::string& logPath);
    ~TMainFrame() override;

    TSpecMDI& Client() const { return *mdi; }
    const TDocument& Document() const { return document; }
    TDocument& Document() { return document; }
    const TCommands& Commands() const { return *commands; }
    const TRecentFolders& Recent() const { return recent; }

    // What Open does once a folder is chosen, and the start does with the folder it is given: the
    // folder is loaded and, when it loads, goes first in the recent folders. False when it could
    // not be loaded.
    bool OpenFolder(const QString& folder);
    // Loads recent folder n without moving it; a folder that fails to load leaves the list.
    void OpenRecent(int n);
    // Enables every command from the active pane's state, as the command table says.
    void UpdateCommands();
    // The help topic F1 asks for now: the highlighted menu command's, else the active dialog's,
    // else the active child window's; 0 for the contents.
    int HelpContextForF1() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Every command: id, menu entry, what it needs, where it goes.
    static std::vector<TCommand> CommandTable();
    bool Meets(TNeed need, const TPaneState& state) const;
    void Run(const TCommand& command);
    bool Loaded() const;

    void CmOpen();
    // Asks for another design's folder and shows what differs from the loaded one.
    void CmCompareWith();
    void CmPreferences();
    void CmExportDiagram();
    // Print, Print Preview and Export as PDF of the active pane; the diagram asks first whether
    // to fit a page or tile.
    enum class TPrintTo { Printer, Preview, Pdf };
    void CmPrint(TPrintTo to);
    void CmSaveAs();
    void CmExportWebPages();
    // The Quick Open popup over the loaded design; what is chosen opens as a double-click would.
    void CmQuickOpen();
    // Asks for a text (the selected name, else the last one searched) and shows the script lines
    // that hold it.
    void CmFindInScripts(const std::string& selected);
    // Asks for a depth, then opens the diagram of the part of the graph around the picture.
    void CmFocusedDiagram(const TDefBase& picture);
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
    TDocument document;
    TSpecMDI* mdi;
    std::unique_ptr<TCommands> commands;
    std::string lastFind; // the bytes searched last
    int focusDepth = 2;   // offered by the next Focused Diagram, for the rest of the session
    // The printer chosen and its settings, and how the diagram was printed last, for the session;
    // the printer is made when first asked for, as finding printers takes a while.
    std::unique_ptr<QPrinter> printer;
    int printLayout = 0;
};
