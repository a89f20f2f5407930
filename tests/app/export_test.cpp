// Saving the picture: the questions asked, what ends up on disk and the
// warnings when it cannot be saved; and the About box.
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>

#include "window_helpers.h"

class ExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    FakeDialogs fake;
    std::unique_ptr<QTemporaryDir> dir;

    QString Path(const QString& name) const { return dir->filePath(name); }
    QStringList Files() const { return QDir(dir->path()).entryList(QDir::Files | QDir::Hidden); }
    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    void Export(const QString& name) {
        fake.saveName = name;
        QTest::mouseClick(Control(*form, "Sav_bmp"), Qt::LeftButton);
    }
    // A 24-bit BMP holding the picture pixel for pixel, colours in their places.
    void VerifyPictureIn(const QString& path) {
        const QByteArray bytes = Contents(path);
        QVERIFY2(bytes.startsWith("BM") && bytes[28] == 24, qPrintable(path));
        QVERIFY(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32) ==
                QImage(reinterpret_cast<const uchar*>(form->Picture().pixels.data()), Surface::Width, Surface::Height,
                       QImage::Format_RGB32));
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        form = OpenWindow(fake);
        Control<QListWidget>(*form, "List")->setCurrentRow(0);
        QTest::mouseClick(Control(*form, "showaxis"), Qt::LeftButton);  // blue axes: red and blue differ
    }
    void cleanup() { form.reset(), dir.reset(); }

    void NewNameIsWrittenWithoutAQuestion() {
        const std::vector<std::uint32_t> picture = form->Picture().pixels;
        Export(Path("cube.bmp"));
        QCOMPARE(fake.filters, QStringList{"Pictures (*.bmp)"});
        QVERIFY(fake.questions.isEmpty() && fake.warnings.isEmpty());
        VerifyPictureIn(Path("cube.bmp"));
        QVERIFY(form->Picture().pixels == picture);
        Export(Path("picture"));  // used as given, no extension added
        VerifyPictureIn(Path("picture"));
        Write(Path("empty.bmp"), "");  // an empty file is replaced without a question
        Export(Path("empty.bmp"));
        VerifyPictureIn(Path("empty.bmp"));
        QVERIFY(fake.questions.isEmpty() && Files() == QStringList({"cube.bmp", "empty.bmp", "picture"}));
    }

    void ExistingFileAsksAndNoKeepsItByteForByte() {
        Write(Path("old.bmp"), "an older picture");
        Export(Path("old.bmp"));
        QCOMPARE(fake.questions, QStringList{"Overwrite Confermation|The" + Path("old.bmp") +
                                             "file already exists. Do you want to over write it?"});
        QCOMPARE(Contents(Path("old.bmp")), QByteArray("an older picture"));
        QCOMPARE(Files(), QStringList{"old.bmp"});
        fake.answerYes = true;
        Export(Path("old.bmp"));
        VerifyPictureIn(Path("old.bmp"));
    }

    void CancelEndsQuietly() {
        fake.saveName.reset();
        QTest::mouseClick(Control(*form, "Sav_bmp"), Qt::LeftButton);
        QVERIFY(fake.questions.isEmpty() && fake.warnings.isEmpty() && Files().isEmpty());
    }

    // Failures used to end silently, as if the picture had been saved. A
    // folder under a regular file cannot be made even by root.
    void FailuresWarnWithTheNameAndLeaveNoFile() {
        Write(Path("file"), "not a folder");
        for (const QString& path : {Path("no such folder/cube.bmp"), Path("file/cube.bmp"), QString()}) {
            fake.warnings.clear();
            Export(path);
            QCOMPARE(fake.warnings.size(), 1);
            QVERIFY2(fake.warnings[0].contains("\"" + path + "\""), qPrintable(fake.warnings[0]));
            QCOMPARE(Files(), QStringList{"file"});
        }
    }

    void AboutNamesTheProgramAndItsContacts() {
        QTest::mouseClick(Control(*form, "Command1"), Qt::LeftButton);
        const QStringList lines = fake.informations.value(0).split("\r\n");
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("About Orbiza|Orbiza - Developed by the Orbiza developers"));
        QVERIFY(lines[1].startsWith("Contact me at ") && lines[1].count("@example.org") == 2);
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
