#pragma once

#include "compare/TitleMatch.h"
#include "load/SettledFile.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <future>
#include <string>
#include <vector>

class TSpecMDI;
struct TDocument;

// Loads the design's control.ged again when it changes (once it has stayed the same for a
// while: editors write in steps) or when asked, keeping every window whose element is still
// there. A file that is gone or caught half-written leaves the design shown as it is; nothing
// here opens a box.
class TReloader : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuiet = 300; // milliseconds

    enum class TResult { Reloaded, Gone, Unreadable, NothingLoaded };
    Q_ENUM(TResult)

    // The document is the one the client shows.
    TReloader(TSpecMDI& mdi, TDocument& document, QObject* parent = nullptr);
    // Waits for the thread that writes the units of the design shown.
    ~TReloader() override;

    // Off: changes to the file are not looked at; Reload still works.
    void SetWatching(bool on);
    bool Watching() const { return watching; }
    // Loads the file of the design shown again now.
    TResult Reload();
    // The watcher's paths (the file and its folder); empty while not watching.
    QStringList WatchedPaths() const;

Q_SIGNALS:
    // A note for the status bar.
    void StatusMessage(const QString& text);
    // A reload was done or refused, whether asked for or not.
    void Reloaded(TReloader::TResult result);

private:
    // The client loaded a design (an open or a reload): watch its file.
    void Follow();
    void WaitForPrints();
    void Watch();
    void Changed();
    void Poll();
    QString FileName() const;

    TSpecMDI& mdi;
    TDocument& document;
    QFileSystemWatcher watcher;
    QTimer timer;
    QElapsedTimer clock;
    settled::TSettleClock settle{kQuiet};
    settled::TFileStamp loadedStamp;
    std::string path; // the control.ged followed; empty when none is
    // The units of the design shown, for the marks of the next reload: after an open they are
    // written on a thread of their own while the person looks at the design.
    std::vector<compare::TUnitPrint> prints;
    std::future<std::vector<compare::TUnitPrint>> printing;
    bool watching = true;
    bool reloading = false;
    bool gone = false;
};
