#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of the program: a database folder to open at start and the elements
// whose definition windows to open in it; or, instead of any window, a text to print and an exit
// status. Parsed from plain text, so that it needs neither a display nor an application.
struct TStartOptions {
    static constexpr int kUsageError = 2;

    QString folder;     // absolute and clean; empty: the window starts without a database
    QStringList titles; // of every --open, in the order given
    // Set when the program prints text and ends without a window: 0 for --help and --version (the
    // text belongs on standard output), kUsageError for wrong arguments (on standard error).
    std::optional<int> exitStatus;
    QString text;

    // arguments: as QCoreApplication::arguments() gives them, the program first.
    static TStartOptions Parse(const QStringList& arguments);
    // The arguments as the application will see them, made without one.
    static QStringList Arguments(int argc, const char* const* argv);
    static QString Usage();
};
