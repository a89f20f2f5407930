// A signal mid-save ends with 128 + its number, leaving the earlier file or the whole picture, no temporary.
#include <signal.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <thread>

#include "picture_file.h"
#include "window_helpers.h"

static const QByteArray Earlier = "the earlier picture";

[[noreturn]] static void SaveForever(int argc, char** argv) {
    BlockEndingSignals();  // as the program does, before Qt starts its threads
    QApplication app(argc, argv);
    Form1 window;
    window.dialogs.askSaveName = [path = QString(argv[2])](const QString&) { return std::optional<QString>(path); };
    window.dialogs.askYesNo = [](const QString&, const QString&) { return true; };
    SignalWatch watch;
    StartSignalWatch(watch, window.temporaries, "");
    auto* save = window.findChild<QPushButton*>("Sav_bmp");
    std::puts("saving");
    std::fflush(stdout);
    for (;;) save->click();
}

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--child") SaveForever(argc, argv);
    QCoreApplication app(argc, argv);
    const QByteArray picture = QByteArray::fromStdString(EncodePicture(Canvas(), "BMP"));
    const std::pair<int, int> moments[] = {{SIGINT, 0}, {SIGTERM, 23}, {SIGHUP, 61}, {SIGINT, 137}, {SIGTERM, 290}};
    int failures = 0;
    for (const auto& [number, afterMs] : moments) {
        const QTemporaryDir dir;
        const QString path = dir.filePath("picture.bmp");
        QProcess child;
        if (!WriteFile(path, Earlier)) return 2;
        child.start(argv[0], {"--child", path});
        const bool started = child.waitForReadyRead();
        std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
        kill(pid_t(child.processId()), number);
        child.waitForFinished();
        const int status = child.exitCode();
        const QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        const QByteArray contents = FileBytes(path);
        const bool ended = child.exitStatus() == QProcess::NormalExit && status == 128 + number;
        if (!started || !ended || names != QStringList{"picture.bmp"} || (contents != Earlier && contents != picture)) {
            std::fprintf(stderr, "FAIL: signal %d after %d ms: status %d, files %s, %lld bytes\n", number, afterMs,
                         status, qPrintable(names.join(' ')), qlonglong(contents.size()));
            ++failures;
        }
    }
    std::puts(failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
