#pragma once

#include <string>

// How big a synthetic design is. The defaults give about a million lines.
struct TDesignSize {
    int records = 2000;
    int fieldsPerRecord = 50;
    int picturesPerRecord = 10;
    int scriptLinesPerPicture = 20;
    int lists = 200;
    int tables = 50;
    int reports = 50;
};

// The text of a control.ged that loads without a single problem line: every name a script uses
// resolves, and a picture only calls pictures of records with a higher index, so the graph of
// pictures using pictures is acyclic. The same size always gives the same text.
std::string GenerateDesign(const TDesignSize& size);

// The design with the script of every n-th picture changed (a word added to its first line),
// for comparing two designs that differ in 1/n of their pictures.
std::string ChangedPictures(const std::string& design, int every);
