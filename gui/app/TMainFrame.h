#pragma once

#include "gui/app/TAppTheme.h"
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
class TReloader;
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
    // The start without a folder: the design open at the last exit and its windows, when Reopen
    // Last Design is on. A design that is gone gets a note in the status bar, no box. False when
    // nothing was opened.
    bool ReopenLastDesign();
    TReloader& Reloader() const { return *reloader; }
    // Enables every command from the active pane's state, as the command table says.
    void UpdateCommands();
    // The theme: the application's palette, the script colours the panes draw in and the
    // diagram's colours follow it; the settings keep it.
    void SetTheme(TAppTheme::TChoice choice);
    TAppTheme::TChoice Theme() const { return theme.Choice(); }
    // The fixed font one offered size larger (step > 0) or smaller, or at its default (0); every
    // pane lays out anew and the settings keep the size.
    void StepTextSize(int step);
    // The help topic F1 asks for now: the highlighted menu command's, else the active dialog's,
    // else the active child window's; 0 for the contents.
    int HelpContextForF1() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // A database folder or a definition file dropped on the window opens as File > Open would.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Every command: id, menu entry, what it needs, where it goes.
    static std::vector<TCommand> CommandTable();
    bool Meets(TNeed need, const TPaneState& state) const;
    void Run(const TCommand& command);
    bool Loaded() const;
    // A dropped place opens once no reload or export is reading the design.
    void OpenDropped(const QString& place);

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
    void SetTextSize(int points);
    // The document, the client's background and every window follow the theme.
    void ApplyTheme(TAppTheme::TChoice choice);
    void UpdateRecentMenu();
    void UpdateTitle();
    void ShowHelp(int contextId);
    void ShowHelpContents();
    void ShowAbout();

    TSettings& settings;
    THtmlHelp& help;
    TRecentFolders recent;
    TDocument document;
    // Before the windows, so that the palette is set before any of them is shown.
    TAppTheme theme;
    TSpecMDI* mdi;
    std::unique_ptr<TCommands> commands;
    QBrush lightBackground; // the client's own, shown in a light theme
    TReloader* reloader;
    QString opened;       // the folder (or definition file) of the design shown, as it was opened
    std::string lastFind; // the bytes searched last
    int focusDepth = 2;   // offered by the next Focused Diagram, for the rest of the session
    // The printer chosen and its settings, and how the diagram was printed last, for the session;
    // the printer is made when first asked for, as finding printers takes a while.
    std::unique_ptr<QPrinter> printer;
    int printLayout = 0;
};
