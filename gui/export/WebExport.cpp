#include "gui/export/WebExport.h"

#include "gui/support/Bytes.h"
#include "gui/support/TDesignInUse.h"
#include "gui/support/TMessageSink.h"
#include "load/TDatabase.h"
#include "publish/Site.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <QUrl>

namespace webexport {

namespace {

const QString kCaption = QStringLiteral("Export as Web Pages");

// The progress dialog as the writer's progress: events are handled between steps, so the window
// repaints and Cancel is seen.
class TProgress : public publish::TSiteProgress {
public:
    explicit TProgress(QWidget* parent)
        : dialog(QStringLiteral("Writing the web pages..."), QStringLiteral("Cancel"), 0, 0, parent)
    {
        dialog.setWindowTitle(kCaption);
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setMinimumDuration(300);
        dialog.setAutoReset(false);
        dialog.setAutoClose(false);
    }

    bool Continue(size_t done, size_t total) override
    {
        if (dialog.maximum() != static_cast<int>(total))
            dialog.setMaximum(static_cast<int>(total));
        dialog.setValue(static_cast<int>(std::min(done, total)));
        // Until the dialog shows and blocks the main window, a key or a drop there could open
        // another design under the pages being made.
        QCoreApplication::processEvents(dialog.isVisible() ? QEventLoop::AllEvents
                                                           : QEventLoop::ExcludeUserInputEvents);
        return !dialog.wasCanceled();
    }

private:
    QProgressDialog dialog;
};

QMessageBox::StandardButton Ask(QWidget* parent, const QString& text)
{
    return TMessageSink::Show(
        parent, {kCaption, text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No});
}

void Warn(QWidget* parent, const QString& text)
{
    TMessageSink::Show(parent, {kCaption, text, QMessageBox::Warning});
}

} // namespace

QString FolderInside(const QString& occupied, const TDatabase& db)
{
    return QDir(occupied).filePath(bytes::ToText(db.Name()) + QStringLiteral(" web pages"));
}

void ExportWebPages(QWidget* parent, const TDatabase& db, const QString& chosen)
{
    QString folder = chosen;
    if (publish::CheckFolder(bytes::PathBytes(folder)).result == publish::TSiteResult::NotOurs) {
        folder = FolderInside(chosen, db);
        const QString question =
            QStringLiteral("%1 holds files that Stemlook did not write, and nothing there will be "
                           "replaced.\n\nWrite the web pages into the folder %2 inside it instead?")
                .arg(QDir::toNativeSeparators(chosen), QFileInfo(folder).fileName());
        if (Ask(parent, question) != QMessageBox::Yes)
            return;
    }
    publish::TSiteOutcome outcome;
    {
        const TDesignInUse inUse;
        TProgress progress(parent);
        outcome = publish::WriteSite(db, bytes::PathBytes(folder), &progress);
    }
    const QString path = bytes::PathText(outcome.path);
    switch (outcome.result) {
    case publish::TSiteResult::Written: {
        const QString index = QDir(folder).filePath(QStringLiteral("index.html"));
        if (Ask(parent, QStringLiteral("The web pages are in %1.\n\nOpen index.html in your "
                                       "browser?")
                            .arg(QDir::toNativeSeparators(folder))) == QMessageBox::Yes &&
            !QDesktopServices::openUrl(QUrl::fromLocalFile(index)))
            Warn(parent, QStringLiteral("No browser could open %1.").arg(index));
        return;
    }
    case publish::TSiteResult::Cancelled:
        return;
    case publish::TSiteResult::NotOurs:
        Warn(parent, QStringLiteral("%1 holds files that Stemlook did not write; nothing was "
                                    "written. Choose an empty folder.")
                         .arg(QDir::toNativeSeparators(path)));
        return;
    case publish::TSiteResult::Failed:
        Warn(parent, QStringLiteral("Cannot write %1: %2\n\nThe web pages there before, if any, "
                                    "are as they were.")
                         .arg(QDir::toNativeSeparators(path), bytes::ToText(outcome.reason)));
        return;
    }
}

} // namespace webexport
