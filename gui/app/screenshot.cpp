// stemlook-screenshot FOLDER OUTPUT.png: the main window with the database in FOLDER loaded, the
// structure tree and the messages open, rendered to a PNG. Settings and log go to a temporary
// folder. Prints the time from start to the painted tree on standard error.
#include "app/TMainFrame.h"
#include "app/TSettings.h"
#include "app/TSpecMDI.h"
#include "support/THtmlHelp.h"
#include "views/TSpecTree.h"
#include "views/TTreeChild.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr QSize kWindowSize(1000, 640);
}

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: stemlook-screenshot FOLDER OUTPUT.png\n", stderr);
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
    return 0;
}
