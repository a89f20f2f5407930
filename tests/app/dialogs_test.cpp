#include "dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The standard dialogs, each answered by a timer once it is up.
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
    void OverwriteQuestionDefaultsToNo() {
        QMessageBox::Icon icon{};
        QMessageBox::StandardButtons buttons{};
        bool noIsDefault = false;
        QString title;
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            icon = box->icon(), buttons = box->standardButtons(), title = box->windowTitle();
            noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
            box->defaultButton()->click();
        });
        QVERIFY(!dialogs.askYesNo("title", "text"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(noIsDefault);
        QCOMPARE(title, QString("title"));
        WhenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QVERIFY(dialogs.askYesNo("title", "text"));
    }

    void MessagesCarryTheirIcons() {
        QMessageBox::Icon seen{};
        WhenShown<QMessageBox>([&](QMessageBox* box) { seen = box->icon(), box->accept(); });
        dialogs.warn("w", "warning");
        QCOMPARE(seen, QMessageBox::Warning);
        WhenShown<QMessageBox>([&](QMessageBox* box) { seen = box->icon(), box->accept(); });
        dialogs.inform("i", "information");
        QCOMPARE(seen, QMessageBox::Information);
    }

    // The Save dialog neither asks about replacing nor adds an extension; cancel reports nothing.
    void SaveDialogLeavesNamesAlone() {
        QFileDialog::AcceptMode mode{};
        bool confirms = true;
        QString suffix = "unset";
        QStringList filters;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            mode = dialog->acceptMode(), confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            suffix = dialog->defaultSuffix(), filters = dialog->nameFilters();
            dialog->reject();
        });
        QVERIFY(!dialogs.askSaveName("Pictures (*.bmp)").has_value());
        QCOMPARE(mode, QFileDialog::AcceptSave);
        QVERIFY(!confirms);
        QCOMPARE(suffix, QString());
        QCOMPARE(filters, QStringList{"Pictures (*.bmp)"});
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
