#include "gui/app/TReloader.h"

#include "compare/Comparison.h"
#include "gui/app/TSpecMDI.h"
#include "gui/app/WindowMemos.h"
#include "gui/support/TDesignInUse.h"
#include "gui/views/TDocument.h"
#include "gui/views/TTreeChild.h"
#include "model/TGedInput.h"

#include <QApplication>
#include <QFileInfo>

#include <future>
#include <tuple>
#include <utility>

TReloader::TReloader(TSpecMDI& mdi, TDocument& document, QObject* parent)
    : QObject(parent), mdi(mdi), document(document)
{
    clock.start();
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &TReloader::Poll);
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &TReloader::Changed);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &TReloader::Changed);
    connect(&mdi, &TSpecMDI::AboutToLoad, this, &TReloader::WaitForPrints);
    connect(&mdi, &TSpecMDI::Loaded, this, &TReloader::Follow);
}

TReloader::~TReloader()
{
    WaitForPrints();
}

void TReloader::WaitForPrints()
{
    if (printing.valid())
        printing.wait();
}

QString TReloader::FileName() const
{
    return QFileInfo(QString::fromStdString(path)).fileName();
}

QStringList TReloader::WatchedPaths() const
{
    return watcher.files() + watcher.directories();
}

void TReloader::SetWatching(bool on)
{
    watching = on;
    Watch();
}

void TReloader::Follow()
{
    if (reloading)
        return;
    // Another design: its units are taken afresh, and nothing is pending for the old file.
    prints.clear();
    gone = false;
    settle = settled::TSettleClock(kQuiet);
    timer.stop();
    path = document.db.DefinitionFile();
    loadedStamp = settled::StampOf(path);
    Watch();
    if (!document.db.Loaded())
        return;
    // Settled, the design may be read by this thread while the person looks at it.
    document.db.Settle();
    printing = std::async(std::launch::async, [&db = document.db] {
        return compare::TUnits(db.Definitions()).Prints();
    });
}

void TReloader::Watch()
{
    if (!watcher.files().isEmpty())
        watcher.removePaths(watcher.files());
    if (!watcher.directories().isEmpty())
        watcher.removePaths(watcher.directories());
    if (!watching || path.empty())
        return;
    const QString file = QString::fromStdString(path);
    // Editors save by writing a new file and renaming it over the old one: the folder tells.
    watcher.addPath(QFileInfo(file).absolutePath());
    if (QFileInfo::exists(file))
        watcher.addPath(file);
}

void TReloader::Changed()
{
    if (!watching || path.empty())
        return;
    const settled::TFileStamp stamp = settled::StampOf(path);
    // The watcher forgets a file that was removed or renamed away; it may be back.
    if (stamp.exists && !watcher.files().contains(QString::fromStdString(path)))
        watcher.addPath(QString::fromStdString(path));
    // Other files of the folder change as the database is used.
    if (stamp == loadedStamp && !gone && !settle.Pending())
        return;
    settle.Changed(clock.elapsed(), stamp);
    timer.start(kQuiet);
}

void TReloader::Poll()
{
    // A dialog or a job that keeps the events going (an export, a print preview, the Save As
    // tree) holds on to the design: it is replaced once that is over.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
        TDesignInUse::Now()) {
        timer.start(kQuiet);
        return;
    }
    const std::optional<int64_t> wait = settle.Poll(clock.elapsed(), settled::StampOf(path));
    if (!wait)
        return;
    if (*wait > 0) {
        timer.start(static_cast<int>(*wait));
        return;
    }
    if (!reloading)
        Reload();
}

TReloader::TResult TReloader::Reload()
{
    TDatabase& db = document.db;
    if (reloading || TDesignInUse::Now() || !db.Loaded() || db.DefinitionFile().empty())
        return TResult::NothingLoaded;
    path = db.DefinitionFile();
    const settled::TFileStamp stamp = settled::StampOf(path);
    if (!stamp.exists) {
        gone = true;
        Q_EMIT StatusMessage(QStringLiteral("%1 is gone").arg(FileName()));
        Q_EMIT Reloaded(TResult::Gone);
        return TResult::Gone;
    }
    settled::TSettledRead read = settled::ReadSettled(path);
    if (!read.text) {
        // Tried again at the next change.
        Q_EMIT StatusMessage(QStringLiteral("Cannot read %1 now: %2; the design shown stays")
                                 .arg(FileName(), QString::fromLocal8Bit(read.reason.c_str())));
        Q_EMIT Reloaded(TResult::Unreadable);
        return TResult::Unreadable;
    }
    reloading = true;
    const TDesignInUse inUse;
    gone = false;
    if (printing.valid())
        prints = printing.get();
    if (prints.empty())
        prints = compare::TUnits(db.Definitions()).Prints();
    const std::vector<TWindowMemo> memos = windowmemos::Take(mdi);
    THistoryMemo history = windowmemos::TakeHistory(mdi);
    TDatabase::TOpenedFile file;
    file.input = std::make_unique<TGedInput>(std::move(*read.text));
    file.name = db.Name();
    file.path = path;
    document.comparedPictures.clear();
    mdi.LoadQuietly(file);
    // Settled, the design may be read by the units' thread while the windows open again.
    db.Settle();
    auto marked = std::async(std::launch::async, [&db, &before = prints] {
        const compare::TUnits units(db.Definitions());
        return std::pair(compare::ChangedSince(before, units), units.Prints());
    });
    const int closed = windowmemos::Restore(mdi, memos);
    windowmemos::RestoreHistory(mdi, std::move(history));
    std::tie(document.reloadMarks, prints) = marked.get();
    if (TTreeChild* tree = mdi.TreeChild())
        tree->Remark();
    loadedStamp = read.stamp;
    reloading = false;
    Watch();
    QString note = QStringLiteral("Reloaded %1").arg(FileName());
    if (closed == 1)
        note += QStringLiteral("; 1 window closed");
    else if (closed > 1)
        note += QStringLiteral("; %1 windows closed").arg(closed);
    if (!db.InternalError().empty())
        note += QStringLiteral("; internal error: ") + QString::fromStdString(db.InternalError());
    Q_EMIT StatusMessage(note);
    Q_EMIT Reloaded(TResult::Reloaded);
    return TResult::Reloaded;
}
