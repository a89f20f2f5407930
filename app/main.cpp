#include <QApplication>

#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orbiza");
    QGuiApplication::setDesktopFileName("orbiza");
    Form1 window;
    window.show();
    return app.exec();
}
