#pragma once

#include <QApplication>

#include <exception>

// The application "Stemlook": makes the settings, the help and the main frame, opens a folder
// given as the only argument, runs the event loop, and ends the program with a box when a
// failure escapes it.
class TMDIApp : public QApplication {
    Q_OBJECT
public:
    TMDIApp(int& argc, char** argv);

    int Run();

    // The box's text for a failure: "Error: out of memory", the message an error carries, or
    // "Error: unexpected exception".
    static QString FailureText(std::exception_ptr failure);
    // The box without caption, with the stop icon.
    static void ShowFailure(const QString& text);

    bool notify(QObject* receiver, QEvent* event) override;
};
