// The GUI tests run real widgets offscreen, with every per-user folder (settings, log, cache)
// inside a temporary folder, so no test reads or writes the user's real files. A message box that
// no test takes fails the test that showed it instead of waiting for a person.
#include "core/TempFolder.h"
#include "gui/support/TMessageSink.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const TTempFolder home;
    for (const char* variable : {"APPDATA", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, QByteArray::fromStdString(home.Path() + "/" + variable));
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const TMessageSink::TScope unexpected([](QWidget*, const TMessage& message) {
        ADD_FAILURE() << "message box nobody expected: " << message.caption.toStdString() << ": "
                      << message.text.toStdString();
        return QMessageBox::NoButton;
    });
    return RUN_ALL_TESTS();
}
