#pragma once

#include "compare/PictureMarks.h"
#include "load/TDatabase.h"
#include "script/TDispColour.h"

#include <QFont>

#include <string>
#include <vector>

// What every window shows: the loaded design with its messages log, the fixed-pitch font the
// panes draw in and the script colours of both themes. The main frame owns it; windows read it,
// and only the Preferences dialog and the settings change the colours.
struct TDocument {
    // logPath: the file each load's messages log is written to; empty keeps it in memory only.
    explicit TDocument(const std::string& logPath);

    TDatabase db;
    QFont font;
    TDispColour colours; // the light scheme; paper and exported pictures use it too
    TDispColour darkColours{TDispColour::TScheme::Dark};
    bool dark = false; // the theme in use is dark
    // The scheme the screen draws in.
    const TDispColour& ShownColours() const { return dark ? darkColours : colours; }
    TDispColour& ShownColours() { return dark ? darkColours : colours; }
    // The pictures that the diagrams mark while the Differences window is open; empty otherwise.
    compare::TPictureStatus comparedPictures;
    // The elements whose units changed or appeared in the last reload, which the structure tree
    // marks until the next one; empty after an open.
    std::vector<int> reloadMarks;
};
