#include "app/TMDIApp.h"

#include "app/TMainFrame.h"
#include "app/TSettings.h"
#include "model/TDatabase.h"
#include "support/THtmlHelp.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

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

int TMDIApp::Run()
{
    try {
        TSettings settings(TSettings::DefaultPath());
        THtmlHelp help;
        TMainFrame frame(settings, help, TDatabase::DefaultLogPath());
        frame.show();
        const QStringList args = arguments();
        if (args.size() == 2) {
            const QString folder = QDir::cleanPath(QFileInfo(args[1]).absoluteFilePath());
            QMetaObject::invokeMethod(
                &frame, [&frame, folder] { frame.OpenFolder(folder); }, Qt::QueuedConnection);
        }
        return exec();
    } catch (...) {
        ShowFailure(FailureText(std::current_exception()));
        return kFailed;
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
    QMessageBox box(QMessageBox::Critical, QString(), text);
    box.exec();
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
