#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "command_line.h"
#include "form1.h"

namespace {

// While Qt starts: its fatal error there is a window that cannot be shown
// (a display named but out of reach); say so in one line instead of aborting.
void StartMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(NoDisplayLine, stderr);
        std::_Exit(1);
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before Qt starts, so they work without a display.
    if (const auto answer = CommandLineAnswer(argc, argv)) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    if (!DisplayExpected(argc, argv)) {
        const auto foreign = ForeignArgument(argc, argv);
        std::fputs(foreign ? foreign->c_str() : NoDisplayLine, stderr);
        return foreign ? 2 : 1;
    }
    BlockEndingSignals();  // before Qt starts its threads, so that only the watch below takes them
    qInstallMessageHandler(StartMessages);
    QApplication app(argc, argv);  // takes Qt's own options out of argv
    qInstallMessageHandler(nullptr);
    if (const auto leftOver = LeftOverArgument(argc, argv)) {
        std::fputs(leftOver->c_str(), stderr);
        return 2;
    }
    QApplication::setApplicationName("Orbiza");
    QGuiApplication::setDesktopFileName("orbiza");
    Form1 window;
    SignalWatch watch;  // a signal during a save removes its temporary file
    StartSignalWatch(watch, window.temporaries, "");
    window.show();
    return app.exec();
}
