#include "gui/app/TMDIApp.h"

#include "gui/app/TMainFrame.h"
#include "gui/app/TSettings.h"
#include "gui/app/TSpecMDI.h"
#include "gui/app/TStartOptions.h"
#include "gui/support/Bytes.h"
#include "gui/support/THtmlHelp.h"
#include "gui/support/TMessageSink.h"
#include "load/TDatabase.h"
#include "model/TDefBase.h"

#include <iostream>
#include <new>
#include <stdexcept>

namespace {
constexpr int kFailed = 1;
}

TMDIApp::TMDIApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Stemlook"));
    setApplicationVersion(QStringLiteral(STEMLOOK_VERSION));
}

int TMDIApp::Run(const TStartOptions& options)
{
    try {
        TSettings settings(TSettings::DefaultPath());
        THtmlHelp help;
        TMainFrame frame(settings, help, TDatabase::DefaultLogPath());
        frame.show();
        if (!options.folder.isEmpty())
            QMetaObject::invokeMethod(
                &frame, [&frame, options] { OpenAtStart(frame, options, std::cerr); },
                Qt::QueuedConnection);
        else
            QMetaObject::invokeMethod(
                &frame, [&frame] { frame.ReopenLastDesign(); }, Qt::QueuedConnection);
        return exec();
    } catch (...) {
        ShowFailure(FailureText(std::current_exception()));
        return kFailed;
    }
}

void TMDIApp::OpenAtStart(TMainFrame& frame, const TStartOptions& options, std::ostream& err)
{
    // A folder that fails to load has said so in its box; there is nothing to open the titles in.
    if (options.folder.isEmpty() || !frame.OpenFolder(options.folder))
        return;
    TSpecMDI& mdi = frame.Client();
    for (const QString& title : options.titles) {
        // The argument's own bytes, as a path given on the command line keeps them.
        const std::string bytes = bytes::PathBytes(title);
        if (const TDefBase* element = frame.Document().db.Definitions().FindTitled(bytes))
            mdi.OpenDefinition(*element, false);
        else
            err << "stemlook: no element titled " << bytes << '\n' << std::flush;
    }
}

QString TMDIApp::FailureText(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Error: out of memory");
    } catch (const std::exception& error) {
        if (*error.what())
            return QString::fromLocal8Bit(error.what());
    } catch (...) {
    }
    return QStringLiteral("Error: unexpected exception");
}

void TMDIApp::ShowFailure(const QString& text)
{
    TMessageSink::Show(nullptr, {QString(), text, QMessageBox::Critical});
}

bool TMDIApp::notify(QObject* receiver, QEvent* event)
{
    // An exception must not unwind through Qt's event delivery: end the loop here instead.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowFailure(FailureText(std::current_exception()));
        exit(kFailed);
        return false;
    }
}
