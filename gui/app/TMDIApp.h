#pragma once

#include <QApplication>

#include <exception>
#include <iosfwd>

class TMainFrame;
struct TStartOptions;

// The application "Stemlook": makes the settings, the help and the main frame, opens what the
// command line asks for, runs the event loop, and ends the program with a box when a failure
// escapes it.
class TMDIApp : public QApplication {
    Q_OBJECT
public:
    TMDIApp(int& argc, char** argv);

    // options: parsed from the same arguments, and not a request to end at once.
    int Run(const TStartOptions& options);

    // Loads the options' folder, if any, then opens the definition window of each title's element
    // as a double-click in the structure tree does. A title no element has is a line on err.
    static void OpenAtStart(TMainFrame& frame, const TStartOptions& options, std::ostream& err);

    // The box's text for a failure: "Error: out of memory", the message an error carries, or
    // "Error: unexpected exception".
    static QString FailureText(std::exception_ptr failure);
    // The box without caption, with the stop icon.
    static void ShowFailure(const QString& text);

    bool notify(QObject* receiver, QEvent* event) override;
};
