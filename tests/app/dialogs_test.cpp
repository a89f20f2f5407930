// The standard dialogs, each answered by a timer once it is up.
#include "dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class DialogsTest : public QObject {
    Q_OBJECT

    QWidget parent;
    Dialogs dialogs = StandardDialogs(&parent);

    template <typename T>
    void WhenShown(std::function<void(T*)> answer) {
        QTimer::singleShot(0, this, [answer] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog) qFatal("no modal dialog of the expected kind");
            answer(dialog);
        });
    }

private slots:
    // Enter on the overwrite question must not replace the file.
    void OverwriteQuestionDefaultsToNo() {
        QString seen;
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            seen = box->windowTitle() + (box->icon() == QMessageBox::Question ? " question" : " other");
            box->defaultButton()->click();
        });
        QVERIFY(!dialogs.askYesNo("title", "text"));
        QCOMPARE(seen, QString("title question"));
        WhenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QVERIFY(dialogs.askYesNo("title", "text"));
    }

    // The window asks about replacing a file itself and uses the name as
    // given: the Save dialog must neither ask too nor add an extension.
    void SaveDialogLeavesNamesAlone() {
        QString seen;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            seen = QString("%1 %2 [%3] %4")
                       .arg(dialog->acceptMode() == QFileDialog::AcceptSave ? "save" : "open")
                       .arg(dialog->testOption(QFileDialog::DontConfirmOverwrite) ? "quiet" : "asks")
                       .arg(dialog->defaultSuffix(), dialog->nameFilters().join(";"));
            dialog->reject();
        });
        QVERIFY(!dialogs.askSaveName("Pictures (*.bmp)").has_value());
        QCOMPARE(seen, QString("save quiet [] Pictures (*.bmp)"));
    }

    void MessagesCarryTheirIcons() {
        QList<QMessageBox::Icon> seen;
        const auto answer = [&](QMessageBox* box) { seen << box->icon(), box->accept(); };
        WhenShown<QMessageBox>(answer);
        dialogs.warn("w", "warning");
        WhenShown<QMessageBox>(answer);
        dialogs.inform("i", "information");
        QCOMPARE(seen, QList({QMessageBox::Warning, QMessageBox::Information}));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
