#include <QAccessible>
#include <QLabel>
#include <QScrollBar>

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
    void init() { form = OpenWindow(fake); }

    // Catches a widget left without its row's words, or one built twice or not at all.
    void ControlsAreNamedForScreenReaders() {
        for (const ControlRow& row : ControlTable()) {
            QWidget* control = Control<QWidget>(*form, QtText(row.name));
            QVERIFY2(Said(control, QAccessible::Name).startsWith(QtText(row.accessibleName)),
                     qPrintable(QtText(row.name)));
            QCOMPARE(Said(control, QAccessible::Description), QtText(row.accessibleDescription));
        }
        QCOMPARE(form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), ControlCount);
    }

    // Catches a picture name set once and not followed after a redraw.
    void PictureIsNamedByWhatItShows() {
        QWidget* picture = Control<QWidget>(*form, "pctr1");
        QCOMPARE(Said(picture, QAccessible::Name), QString("Picture, empty"));
        Click(*form, "showaxis");
        QVERIFY(Said(picture, QAccessible::Name).startsWith("Picture of the 3D axes, turned 0, 0 and 0 radians"));
    }

    // Catches arrows moving a bar against their way (Qt's default), and a read-out, shown or spoken, not following.
    void SpeedBarsFollowTheKeys() {
        const std::tuple<Qt::Key, int, int> cases[] = {
            {Qt::Key_Right, 3, 3}, {Qt::Key_Left, 5, -2}, {Qt::Key_End, 1, 50}, {Qt::Key_Home, 1, -50}};
        for (int bar = 1; bar <= 4; ++bar) {
            auto* scrollBar = Control<QScrollBar>(*form, QString("HScroll%1").arg(bar));
            auto* readOut = Control<QLabel>(*form, QString("Label%1").arg(bar + 10));
            scrollBar->setFocus();
            QCOMPARE(scrollBar->pageStep(), 1);
            for (const auto& [key, presses, value] : cases) {
                for (int i = 0; i < presses; ++i) QTest::keyClick(scrollBar, key);
                QCOMPARE(scrollBar->value(), value);
                const QString number = QString::number(value / 100.0);
                QCOMPARE(readOut->text().trimmed(), number);
                QVERIFY(Said(readOut, QAccessible::Name).endsWith(" " + number));
            }
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
