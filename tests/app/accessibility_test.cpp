#include <QAccessible>
#include <QScrollBar>
#include <QSet>
#include <QtTest>

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

    // The wording users hear, for the controls they work with.
    void ControlsAreNamedForScreenReaders() {
        const std::pair<const char*, const char*> names[] = {
            {"pctr1", "Picture"},
            {"Command1", "About Orbiza"},
            {"Sav_bmp", "Save picture"},
            {"List", "Structures"},
            {"showaxis", "Show 3D axis"},
            {"xp", "Rotate about X, forward"},
            {"xm", "Rotate about X, back"},
            {"yp", "Rotate about Y, forward"},
            {"ym", "Rotate about Y, back"},
            {"zp", "Rotate about Z, forward"},
            {"zm", "Rotate about Z, back"},
            {"start", "Start animation"},
            {"stop", "Stop animation"},
            {"HScroll1", "Speed of rotation about X"},
            {"HScroll2", "Speed of rotation about Y"},
            {"HScroll3", "Speed of rotation about Z"},
            {"HScroll4", "Speed of time"},
        };
        for (const auto& [control, name] : names)
            QCOMPARE(Said(Control<QWidget>(*form, control), QAccessible::Name), QString(name));

        // Every control, labels included, has words of its own: none unnamed, none
        // sharing a name, none read out as a bare caption.
        QSet<QString> seen;
        const QList<QWidget*> controls = form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 31);
        for (QWidget* control : controls) {
            const QString name = Said(control, QAccessible::Name);
            QVERIFY2(!name.isEmpty() && !Said(control, QAccessible::Description).isEmpty(),
                     qPrintable(control->objectName()));
            QVERIFY2(name != "+" && name != "---" && !name.endsWith(':'), qPrintable(name));
            QVERIFY2(!seen.contains(name), qPrintable(name));
            seen.insert(name);
        }
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
