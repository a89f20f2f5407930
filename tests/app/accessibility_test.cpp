#include <QAccessible>
#include <QScrollBar>
#include <QSet>
#include <QtTest>

#include "control_table.h"
#include "qt_text.h"
#include "window_helpers.h"

// What a screen reader says for each control, and which way the keys move the speed bars.
class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    FakeDialogs fake;

    static QString Said(QWidget* control, QAccessible::Text text) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        return accessible ? accessible->text(text) : QString();
    }

private slots:
    void init() {
        form = OpenWindow(fake);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    // Every widget carries its row's words, and the table gives every control
    // words of its own: none unnamed, none sharing a name, none a bare caption.
    void ControlsAreNamedForScreenReaders() {
        QSet<QString> seen;
        for (const ControlRow& row : ControlTable()) {
            QWidget* control = Control<QWidget>(*form, QtText(row.name));
            const QString name = Said(control, QAccessible::Name);
            QVERIFY2(name.startsWith(QtText(row.accessibleName)), qPrintable(name));
            QCOMPARE(Said(control, QAccessible::Description), QtText(row.accessibleDescription));
            QVERIFY2(!row.accessibleDescription.empty() && name != "+" && name != "---" && !name.endsWith(':'),
                     qPrintable(name));
            QVERIFY2(!seen.contains(QtText(row.accessibleName)), qPrintable(name));
            seen.insert(QtText(row.accessibleName));
        }
        QCOMPARE(form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), ControlCount);
    }

    // The picture's name says what it shows, and follows every redraw.
    void PictureIsNamedByWhatItShows() {
        QWidget* picture = Control<QWidget>(*form, "pctr1");
        QCOMPARE(Said(picture, QAccessible::Name), QString("Picture, empty"));
        Control<QListWidget>(*form, "List")->setCurrentRow(3);
        QTest::mouseClick(Control(*form, "xp"), Qt::LeftButton);
        QTest::mouseClick(Control(*form, "showaxis"), Qt::LeftButton);
        QCOMPARE(Said(picture, QAccessible::Name),
                 QString("Picture of Sphere, turned 0.1, 0 and 0 radians about X, Y and Z, at time 0, "
                         "with the 3D axes"));
    }

    void SpeedBarsFollowTheKeys_data() {
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("value");
        for (int bar = 1; bar <= 4; ++bar) {
            QTest::addRow("HScroll%d Right", bar) << bar << int(Qt::Key_Right) << 3 << 3;
            QTest::addRow("HScroll%d Left", bar) << bar << int(Qt::Key_Left) << 2 << -2;
            QTest::addRow("HScroll%d End", bar) << bar << int(Qt::Key_End) << 1 << 50;
            QTest::addRow("HScroll%d Home", bar) << bar << int(Qt::Key_Home) << 1 << -50;
        }
    }
    void SpeedBarsFollowTheKeys() {
        QFETCH(int, bar);
        QFETCH(int, key);
        QFETCH(int, presses);
        QFETCH(int, value);
        auto* scrollBar = Control<QScrollBar>(*form, QString("HScroll%1").arg(bar));
        scrollBar->setFocus();
        for (int i = 0; i < presses; ++i) QTest::keyClick(scrollBar, Qt::Key(key));
        QCOMPARE(scrollBar->value(), value);
        QWidget* readOut = Control<QWidget>(*form, qPrintable(QString("Label%1").arg(bar + 10)));
        QVERIFY(
            Said(readOut, QAccessible::Name).endsWith(" " + QString::number(value / 100.0)));  // read with its number
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
