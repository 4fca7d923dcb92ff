#include "gui/app/TMDIApp.h"
#include "gui/app/TStartOptions.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    try {
        // Read before the application exists: --help, --version and a wrong command line need no
        // display.
        const TStartOptions options = TStartOptions::Parse(TStartOptions::Arguments(argc, argv));
        if (options.exitStatus) {
            std::FILE* out = *options.exitStatus == 0 ? stdout : stderr;
            std::fputs(options.text.toLocal8Bit().constData(), out);
            return std::fflush(out) == 0 ? *options.exitStatus : 1;
        }
        TMDIApp app(argc, argv);
        return app.Run(options);
    } catch (...) {
        // No application to show a box with: the failure came while making it.
        std::fputs(TMDIApp::FailureText(std::current_exception()).toLocal8Bit().constData(),
                   stderr);
        std::fputc('\n', stderr);
        return 1;
    }
}
