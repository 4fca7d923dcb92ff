#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class TMainFrame;
struct TPaneState;

// The menus of the main window, left to right.
enum class TMenu { File, Edit, View, Zoom, Window, Help };

// What a command needs before it is enabled, read from the active pane's state and the document.
enum class TNeed {
    Nothing,
    Design,       // a loaded design
    Copy,         // the pane can copy
    Definition,   // the pane can open what is selected
    UsedBy,       // the pane names an element that something uses
    Locate,       // a loaded design, from a pane that allows Structure, Index and Relationships
    FocusPicture, // the pane names a picture to focus on
    Filter,       // the pane has a filter box
    Diagram,      // the pane is a diagram
    Back,
    Forward,
    Differences, // the pane shows a comparison
    Print,       // the pane has something to print
};

// One command of the main menu: its id (help topics refer to it), where it sits and how it
// reads, what it needs, and where it goes.
struct TCommand {
    int id;
    TMenu menu;
    QString text;
    int help = 0;
    QList<QKeySequence> keys;
    TNeed need = TNeed::Nothing;
    // Runs only while the need is met; gets the state the need was read from.
    std::function<void(TMainFrame&, const TPaneState&)> run;
    bool separatorBefore = false;
    // A second menu that shows the same action.
    std::optional<TMenu> alsoIn = std::nullopt;
    // The entry sits in a submenu of this title; the checkable entries of one submenu are
    // exclusive, the others check and uncheck alone.
    QString submenu = {};
    // When set, the entry is checkable and shows this state.
    std::function<bool(const TMainFrame&)> checked = {};
};

// The menu bar made from the command table, in table order, and the action of each command.
class TCommands {
public:
    TCommands(QMainWindow& frame, std::vector<TCommand> table);

    const std::vector<TCommand>& Table() const { return table; }
    // The action of the command with this id; null when there is none.
    QAction* Action(int id) const;
    // The separator in front of the command's entry; null when it has none.
    QAction* SeparatorBefore(int id) const;
    QMenu* Menu(TMenu menu) const { return menus[static_cast<size_t>(menu)]; }
    // Checks the checkable entries as their rows say.
    void UpdateChecks(const TMainFrame& frame) const;

private:
    std::optional<size_t> Row(int id) const;

    std::vector<TCommand> table;
    std::vector<QAction*> actions;    // by table row
    std::vector<QAction*> separators; // by table row; null where there is none
    std::vector<QMenu*> menus;
    std::map<std::pair<TMenu, QString>, QMenu*> submenus;
};
