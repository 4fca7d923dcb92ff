// The GUI tests run real widgets offscreen, with every per-user folder (settings, log, cache)
// inside a temporary folder, so no test reads or writes the user's real files.
#include "core/TempFolder.h"

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
    return RUN_ALL_TESTS();
}
