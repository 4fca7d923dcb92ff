#pragma once

#include <QString>

class QWidget;
class TDatabase;

namespace webexport {

// Writes the loaded design's web pages into the folder the person chose, with a progress dialog
// that can cancel them, and offers to open index.html in the desktop's browser. A folder that
// holds files this export did not write is never written into: it offers a new folder inside it
// instead. Every outcome but success and cancelling says what went wrong, with the path.
void ExportWebPages(QWidget* parent, const TDatabase& db, const QString& folder);

// The folder inside an occupied folder that the pages go to instead.
QString FolderInside(const QString& occupied, const TDatabase& db);

} // namespace webexport
