#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "fake_dialogs.h"
#include "picture_file.h"
#include "window_helpers.h"

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    FakeDialogs fake;
    std::unique_ptr<QTemporaryDir> dir;

    QString Path(const QString& name) const { return dir->filePath(name); }
    void Export(const std::optional<QString>& name) {
        fake.saveName = name;
        QTest::mouseClick(Control<QPushButton>(*form, "Sav_bmp"), Qt::LeftButton);
    }
    // A 24-bit BMP of the interior, pixel for pixel as drawn.
    void VerifyPictureIn(const QString& path) {
        const QByteArray bytes = Contents(path);
        QVERIFY2(bytes.startsWith("BM"), qPrintable(path));
        QCOMPARE(quint8(bytes[28]), quint8(24));
        QImage saved;
        QVERIFY(saved.loadFromData(bytes, "BMP"));
        QCOMPARE(saved.size(), QSize(Surface::Width, Surface::Height));
        QVERIFY(saved.convertToFormat(QImage::Format_RGB32) ==
                QImage(reinterpret_cast<const uchar*>(form->Picture().pixels.data()), Surface::Width, Surface::Height,
                       QImage::Format_RGB32));
    }

private slots:
    void init() {
        fake = FakeDialogs{};
        dir = std::make_unique<QTemporaryDir>();
        form = std::make_unique<Form1>();
        form->dialogs = fake.Use();
        Control<QListWidget>(*form, "List")->setCurrentRow(0);
    }
    void cleanup() {
        form.reset();
        dir.reset();
    }

    void NewNameIsWrittenWithoutAQuestion() {
        const ViewState before = form->ViewScene().view;
        const std::vector<std::uint32_t> picture = form->Picture().pixels;
        Export(Path("cube.bmp"));
        QCOMPARE(fake.filters, QStringList{"Pictures (*.bmp)"});
        QVERIFY(fake.questions.isEmpty() && fake.warnings.isEmpty());
        VerifyPictureIn(Path("cube.bmp"));
        QCOMPARE(form->ViewScene().view.StructureIndex, before.StructureIndex);
        QVERIFY(form->Picture().pixels == picture);
    }

    void ExistingFileAsksAndNoKeepsItByteForByte() {
        WriteFile(Path("old.bmp"), "an older picture");
        fake.answerYes = false;
        Export(Path("old.bmp"));
        QCOMPARE(fake.questionTitles, QStringList{"Overwrite Confermation"});
        QCOMPARE(fake.questions,
                 QStringList{"The" + Path("old.bmp") + "file already exists. Do you want to over write it?"});
        QCOMPARE(Contents(Path("old.bmp")), QByteArray("an older picture"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"old.bmp"});
    }

    void ExistingFileAsksAndYesReplacesIt() {
        WriteFile(Path("old.bmp"), "an older picture");
        fake.answerYes = true;
        Export(Path("old.bmp"));
        QCOMPARE(fake.questions.size(), 1);
        VerifyPictureIn(Path("old.bmp"));
    }

    void EmptyFileIsReplacedWithoutAQuestion() {
        WriteFile(Path("empty.bmp"), "");
        Export(Path("empty.bmp"));
        QVERIFY(fake.questions.isEmpty());
        VerifyPictureIn(Path("empty.bmp"));
    }

    void NameWithoutExtensionIsUsedAsGiven() {
        Export(Path("picture"));
        VerifyPictureIn(Path("picture"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"picture"});
    }

    void CancelEndsQuietly() {
        Export(std::nullopt);
        QVERIFY(fake.questions.isEmpty() && fake.warnings.isEmpty());
        QVERIFY(QDir(dir->path()).isEmpty());
    }

    // Failures used to end silently, as if the picture had been saved.
    void FailuresWarnWithTheNameAndLeaveNoFile_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << "no such folder/cube.bmp";
        QTest::newRow("empty name") << "";
    }
    void FailuresWarnWithTheNameAndLeaveNoFile() {
        QFETCH(QString, name);
        const QString path = name.isEmpty() ? name : Path(name);
        Export(path);
        QCOMPARE(fake.warnings.size(), 1);
        QVERIFY2(fake.warnings[0].contains("\"" + path + "\""), qPrintable(fake.warnings[0]));
        QVERIFY(QDir(dir->path()).isEmpty());
    }

    void ReadOnlyFolderWarnsAndKeepsTheOldFile() {
        if (geteuid() == 0) QSKIP("running as root, which writes into read-only folders anyway");
        WriteFile(Path("old.bmp"), "an older picture");
        QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::ExeOwner);
        fake.answerYes = true;
        Export(Path("old.bmp"));
        Export(Path("new.bmp"));
        QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(fake.warnings.size(), 2);
        QCOMPARE(Contents(Path("old.bmp")), QByteArray("an older picture"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.bmp"});
    }

    void AboutNamesTheProgramAndItsContacts() {
        QTest::mouseClick(Control<QPushButton>(*form, "Command1"), Qt::LeftButton);
        QCOMPARE(fake.informationTitles, QStringList{"About Orbiza"});
        const QStringList lines = fake.informations.value(0).split("\r\n");
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("Orbiza - Developed by the Orbiza developers"));
        QVERIFY(lines[1].startsWith("Contact me at "));
        QCOMPARE(lines[1].count("@example.org"), 2);
        QVERIFY(lines[1].contains("@example.org or "));
        QVERIFY(lines[1].contains("source code"));
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
