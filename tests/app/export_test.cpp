// Saving the picture: questions, what ends on disk, warnings, the standard dialogs; and the About box.
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "window_helpers.h"

class ExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    FakeDialogs fake;
    std::unique_ptr<QTemporaryDir> dir;
    QWidget parent;
    Dialogs standard = StandardDialogs(&parent);

    // Answers the standard dialog of kind T once it is up (crashes on none).
    template <typename T>
    void WhenShown(std::function<void(T*)> answer) {
        QTimer::singleShot(0, this, [answer] { answer(qobject_cast<T*>(QApplication::activeModalWidget())); });
    }

    QString Path(const QString& name) const { return dir->filePath(name); }
    QStringList Files() const { return QDir(dir->path()).entryList(QDir::Files | QDir::Hidden); }
    void Export(const std::optional<QString>& name) {
        fake.saveName = name;
        Click(*form, "Sav_bmp");
    }
    // A 24-bit BMP of the picture, colours in place, at 100 dpi whatever the screen (96 here), as the renderer's.
    void VerifyPictureIn(const QString& path) {
        const QByteArray bytes = FileBytes(path);
        QVERIFY2(bytes.startsWith("BM") && bytes[28] == 24, qPrintable(path));
        QCOMPARE(bytes.mid(38, 8), QByteArray::fromHex("610f0000610f0000"));
        QVERIFY(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32) ==
                QImage(reinterpret_cast<const uchar*>(form->Picture().pixels.data()), PictureWidth, PictureHeight,
                       QImage::Format_RGB32));
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        form = OpenWindow(fake);
        Control<QListWidget>(*form, "List")->setCurrentRow(0);
        Click(*form, "showaxis");  // blue axes: red and blue differ
    }

    // Catches a cancel that writes, a question for a new or empty file, a name not used as given.
    void NewNamesAreWrittenWithoutAQuestion() {
        Export(std::nullopt);
        QVERIFY(Files().isEmpty());
        QVERIFY(WriteFile(Path("empty.bmp"), ""));
        for (const char* name : {"cube.bmp", "picture", "empty.bmp"}) {
            Export(Path(name));
            VerifyPictureIn(Path(name));
        }
        QCOMPARE(fake.filters, QStringList(4, "Pictures (*.bmp)"));
        QVERIFY(fake.questions.isEmpty() && fake.warnings.isEmpty());
        QCOMPARE(Files(), QStringList({"cube.bmp", "empty.bmp", "picture"}));
    }

    // Catches a file replaced without asking, or after a No.
    void ExistingFileAsksAndNoKeepsItByteForByte() {
        QVERIFY(WriteFile(Path("old.bmp"), "an older picture"));
        Export(Path("old.bmp"));
        QCOMPARE(fake.questions, QStringList{"Overwrite Confermation|The" + Path("old.bmp") +
                                             "file already exists. Do you want to over write it?"});
        QCOMPARE(FileBytes(Path("old.bmp")), QByteArray("an older picture"));
        QCOMPARE(Files(), QStringList{"old.bmp"});
        fake.answerYes = true;
        Export(Path("old.bmp"));
        VerifyPictureIn(Path("old.bmp"));
    }

    // Catches a failure ending silently as if saved (a folder under a file cannot be made even by root).
    void FailuresWarnWithTheNameAndLeaveNoFile() {
        QVERIFY(WriteFile(Path("file"), "not a folder"));
        for (const QString& path : {Path("no such folder/cube.bmp"), Path("file/cube.bmp"), QString()}) {
            fake.warnings.clear();
            Export(path);
            QVERIFY2(fake.warnings.size() == 1 && fake.warnings[0].contains("\"" + path + "\""), qPrintable(path));
            QCOMPARE(Files(), QStringList{"file"});
        }
    }

    // Catches Enter answering Yes, and a Save dialog that asks about replacing too or adds an extension.
    void StandardDialogsLeaveTheDecisionsToTheWindow() {
        QString seen;
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            seen = box->windowTitle() + (box->icon() == QMessageBox::Question ? " ?" : " !");
            box->defaultButton()->click();
        });
        QVERIFY(!standard.askYesNo("title", "text") && seen == "title ?");
        WhenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QVERIFY(standard.askYesNo("title", "text"));
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            seen = QString("%1 %2 [%3] %4")
                       .arg(dialog->acceptMode() == QFileDialog::AcceptSave ? "save" : "open")
                       .arg(dialog->testOption(QFileDialog::DontConfirmOverwrite) ? "quiet" : "asks")
                       .arg(dialog->defaultSuffix(), dialog->nameFilters().join(";"));
            dialog->reject();
        });
        QVERIFY(!standard.askSaveName("Pictures (*.bmp)").has_value());
        QCOMPARE(seen, QString("save quiet [] Pictures (*.bmp)"));
    }

    // Catches the About button not wired to the box, or the wrong title or text.
    void AboutNamesTheProgram() {
        Click(*form, "Command1");
        QVERIFY(fake.informations.size() == 1 &&
                fake.informations[0].startsWith("About Orbiza|Orbiza - Developed by the Orbiza developers\r\n"));
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
