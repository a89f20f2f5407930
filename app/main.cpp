#include <QApplication>
#include <cstdio>

#include "command_line.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    // Answered before Qt starts, so they work without a display.
    if (const auto answer = CommandLineAnswer(argc, argv)) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orbiza");
    QGuiApplication::setDesktopFileName("orbiza");
    Form1 window;
    window.show();
    return app.exec();
}
