#include "app/TMDIApp.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    try {
        TMDIApp app(argc, argv);
        return app.Run();
    } catch (...) {
        // No application to show a box with: the failure came while making it.
        std::fputs(TMDIApp::FailureText(std::current_exception()).toLocal8Bit().constData(),
                   stderr);
        std::fputc('\n', stderr);
        return 1;
    }
}
