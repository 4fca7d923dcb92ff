#pragma once

#include "gui/app/TRecentFolders.h"

#include <array>

class QAction;
class QMainWindow;
class QMenu;

// Every command of the main menu, with its text, keys, command id and help topic, and the menu
// bar that holds them. Built in one place; the main frame connects and enables them.
struct TCommands {
    explicit TCommands(QMainWindow& frame);

    QAction* open;
    QAction* saveAs;
    QAction* exportDiagram;
    QAction* preferences;
    QAction* exit;
    QAction* copy;
    QAction* filter;
    QAction* findInScripts;
    QAction* definition;
    QAction* index;
    QAction* messages;
    QAction* relationships;
    QAction* structure;
    QAction* usedBy;
    QAction* focusedDiagram;
    QAction* unusedElements;
    QAction* back;
    QAction* forward;
    QAction* cascade;
    QAction* tile;
    QAction* arrangeIcons;
    QAction* closeAll;
    QAction* helpTopics;
    QAction* about;
    // The "&Zoom" menu, shown between View and Window while the diagram is active, and its
    // steps in the order of diagram::kZooms.
    QMenu* zoomMenu;
    std::array<QAction*, 5> zooms;
    // The recent folders' entries in the File menu, shown while the list has that many.
    std::array<QAction*, TRecentFolders::kCount> recent;
    QAction* recentSeparator;
    QMenu* fileMenu;
};
