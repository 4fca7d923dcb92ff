#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own icons, drawn for it as SVG: each size and device pixel ratio is rendered from
// the drawing, so they stay crisp at 1x and 2x.
class TIconSet {
public:
    enum Id {
        Program,        // the program's icon
        BookClosed,     // a tree node with children, collapsed
        BookOpen,       // a tree node with children, expanded
        Page,           // a tree leaf; in the lists, an alias, variable or built-in
        FolderClosed,   // a folder in the folder chooser
        FolderOpen,     // an expanded folder in the folder chooser
        DatabaseFolder, // a Kinvault database folder in the folder chooser
        Info,           // the "i" mark of "internal use" in a used-by list
        Picture,        // the about box's picture; the last, as the icons made are kept by id
    };

    static QString Path(Id id);
    // The size the drawing was made for, in device-independent pixels.
    static QSize DesignSize(Id id);
    static QIcon Icon(Id id);
    static QPixmap Pixmap(Id id, QSize size, qreal devicePixelRatio);
};
