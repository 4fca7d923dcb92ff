// stemlook-screenshot FOLDER OUTPUT.png [TITLE PANE.png]...: the main window with the database in
// FOLDER loaded, the structure tree and the messages open, rendered to a PNG; then, for each
// TITLE, that element's definition window alone ("Relationships": the relationships diagram; "Save
// As": the Save As Text dialog). Settings and log go to a temporary folder. Prints the time from
// start to the painted tree on standard error.
#include "gui/app/TMainFrame.h"
#include "gui/app/TSettings.h"
#include "gui/app/TSpecMDI.h"
#include "gui/export/TSaveAsDialog.h"
#include "gui/support/Bytes.h"
#include "gui/support/THtmlHelp.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TTreeChild.h"
#include "model/TDefBase.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr QSize kWindowSize(1000, 640);
// The "title" that asks for the relationships diagram instead of an element.
constexpr const char* kDiagram = "Relationships";
// And the one that asks for the Save As Text dialog.
constexpr const char* kSaveAs = "Save As";
} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || args.size() % 2 == 0) {
        std::fputs("usage: stemlook-screenshot FOLDER OUTPUT.png [TITLE PANE.png]...\n", stderr);
        return 2;
    }
    QTemporaryDir scratch;
    TSettings settings(scratch.filePath(QStringLiteral("stemlook.ini")));
    THtmlHelp help;
    TMainFrame frame(settings, help,
                     scratch.filePath(QStringLiteral("stemlook.log")).toStdString());
    frame.resize(kWindowSize);
    frame.show();
    QApplication::processEvents();

    TSpecMDI& client = frame.Client();
    if (!client.ReadFile(QFileInfo(args[1]).absoluteFilePath()) || !client.TreeChild())
        return 1;
    TSpecTree& tree = client.TreeChild()->Tree();
    // Open the records and the first record, as a reader would.
    const QAbstractItemModel& model = *tree.model();
    const QModelIndex root = model.index(0, 0);
    for (int row = 0; row < model.rowCount(root); ++row) {
        const QModelIndex category = model.index(row, 0, root);
        if (category.data().toString() == QLatin1String("Records")) {
            tree.expand(category);
            tree.expand(model.index(0, 0, category));
        }
    }
    const QPixmap treeOnly = client.TreeChild()->grab();
    std::fprintf(stderr, "tree painted after %lld ms\n", static_cast<long long>(clock.elapsed()));

    client.ShowMessages();
    client.setActiveSubWindow(client.TreeChild());
    QApplication::processEvents();
    if (treeOnly.isNull() || !frame.grab().save(args[2], "PNG")) {
        std::fprintf(stderr, "stemlook-screenshot: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    for (qsizetype i = 3; i + 1 < args.size(); i += 2) {
        const std::string title = bytes::PathBytes(args[i]);
        const TDefBase* element = frame.Document().db.Definitions().FindTitled(title);
        if (title == kSaveAs) {
            QString folder = QDir::homePath();
            TSaveAsDialog dialog(&frame, frame.Document().db, client.Services(), folder);
            dialog.show();
            QApplication::processEvents();
            if (!dialog.grab().save(args[i + 1], "PNG"))
                return 1;
            continue;
        }
        if (title == kDiagram) {
            client.ShowRelationships(nullptr);
            client.currentSubWindow()->resize(kWindowSize - QSize(200, 40));
        } else if (element) {
            client.OpenDefinition(*element, false);
        } else {
            std::fprintf(stderr, "stemlook-screenshot: no element titled %s\n", title.c_str());
            return 1;
        }
        QMdiSubWindow* window = client.currentSubWindow();
        QApplication::processEvents();
        if (!window || !window->grab().save(args[i + 1], "PNG")) {
            std::fprintf(stderr, "stemlook-screenshot: cannot write %s\n", qPrintable(args[i + 1]));
            return 1;
        }
    }
    return 0;
}
