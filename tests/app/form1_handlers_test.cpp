#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <limits>

#include "fake_dialogs.h"
#include "window_helpers.h"

class Form1HandlersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    FakeDialogs fake;

    QScrollBar* Bar(int n) { return SpeedBar(*form, n); }
    QLabel* Readout(int n) { return Control<QLabel>(*form, qPrintable(QString("Label%1").arg(10 + n))); }
    void Click(const char* button) { QTest::mouseClick(Control<QPushButton>(*form, button), Qt::LeftButton); }
    void VerifyPicture(const ViewState& view, bool axes) {
        QVERIFY(form->Picture().pixels == CoreDrawing(view, axes).pixels);
    }

private slots:
    void init() {
        form = OpenWindow(fake);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void MouseAndKeyboardSelectionDrawTheEntry() {
        auto* list = Control<QListWidget>(*form, "List");
        ClickRow(list, 3);
        QCOMPARE(form->ViewScene().view.StructureIndex, std::int16_t(4));
        VerifyPicture(form->ViewScene().view, false);
        QVERIFY(LitPixels(form->Picture()) > 0);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(form->ViewScene().view.StructureIndex, std::int16_t(5));
        VerifyPicture(form->ViewScene().view, false);
        ClickRow(list, 13);
        QCOMPARE(form->ViewScene().view.StructureIndex, std::int16_t(14));
        VerifyPicture(form->ViewScene().view, false);
    }

    // The widget shows the surface: catches a stale or offset paint.
    void DrawingAreaShowsTheSurfaceInsideItsBorder() {
        Control<QListWidget>(*form, "List")->setCurrentRow(0);
        const QImage shown = Control<QWidget>(*form, "pctr1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(569, 521));
        const QImage interior = shown.copy(2, 2, Surface::Width, Surface::Height);
        for (int row = 0; row < Surface::Height; ++row)
            for (int column = 0; column < Surface::Width; ++column)
                if (interior.pixel(column, row) != PixelAt(form->Picture(), column, row))
                    QFAIL(qPrintable(QString("pixel %1,%2 differs").arg(column).arg(row)));
    }

    void AngleButtonsNudgeByATenth() {
        Click("xp");
        Click("xm");
        QCOMPARE(form->ViewScene().view.AngleX, 1.4901161e-9f);
        for (int i = 0; i < 10; ++i) Click("yp");
        QCOMPARE(form->ViewScene().view.AngleY, 1.0000001f);
        Click("zm");
        QCOMPARE(form->ViewScene().view.AngleZ, -0.1f);
        QCOMPARE(form->ViewScene().view.AnimTime, 0.0f);
    }

    // Before any selection a button clears and draws the axes only.
    void AngleButtonWithoutSelectionDrawsOnlyTheAxes() {
        QTest::mouseClick(Control<QCheckBox>(*form, "showaxis"), Qt::LeftButton);
        Click("zp");
        VerifyPicture(form->ViewScene().view, true);
        QVERIFY(LitPixels(form->Picture()) > 0);
    }

    void AxisBoxDrawsOverThePictureAndUntickingKeepsIt() {
        Control<QListWidget>(*form, "List")->setCurrentRow(0);
        Click("xp");
        auto* box = Control<QCheckBox>(*form, "showaxis");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(form->ViewScene().showAxis);
        Surface expected = CoreDrawing(form->ViewScene().view, false);
        Scene over;
        over.view = form->ViewScene().view;
        over.showAxis = true;
        over.tools.surface = &expected;
        RedrawScene(over);
        QVERIFY(form->Picture().pixels == expected.pixels);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!form->ViewScene().showAxis);
        QVERIFY(form->Picture().pixels == expected.pixels);
        Click("xm");
        VerifyPicture(form->ViewScene().view, false);
    }

    void ReadoutsShowTheSpeed_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("25") << 25 << " 0.25";
        QTest::newRow("-50") << -50 << "-0.5";
        QTest::newRow("50") << 50 << " 0.5";
        QTest::newRow("10") << 10 << " 0.1";
        QTest::newRow("7") << 7 << " 0.07";
        QTest::newRow("-1") << -1 << "-0.01";
    }
    // A German locale must not turn the period into a comma.
    void ReadoutsShowTheSpeed() {
        QFETCH(int, value);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (int n = 1; n <= 4; ++n) {
            Bar(n)->setValue(value);
            QCOMPARE(Readout(n)->text(), text);
        }
        QLocale::setDefault(QLocale::c());
    }

    void ReadoutBackAtZeroGainsABlank() {
        QTest::mouseClick(Bar(2), Qt::LeftButton, {}, QPoint(Bar(2)->width() - 3, Bar(2)->height() / 2));
        QCOMPARE(Bar(2)->value(), 1);
        QCOMPARE(Readout(2)->text(), QString(" 0.01"));
        Bar(2)->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(Readout(2)->text(), QString(" 0"));
        QCOMPARE(Readout(1)->text(), QString("0"));
    }

    // A speed changed while stopped moves nothing and draws nothing.
    void SpeedAloneChangesOnlyTheReadout() {
        Bar(1)->setValue(30);
        Bar(4)->setValue(-20);
        const ViewState& view = form->ViewScene().view;
        QCOMPARE(std::tuple(view.AngleX, view.AngleY, view.AngleZ, view.AnimTime), std::tuple(0.f, 0.f, 0.f, 0.f));
        QCOMPARE(LitPixels(form->Picture()), 0);
    }

    void StartAndStopSwitchTheTimer() {
        auto* timer = Control<QTimer>(*form, "Timer1");
        Click("start");
        QVERIFY(timer->isActive());
        Click("start");
        QVERIFY(timer->isActive());
        Click("stop");
        QVERIFY(!timer->isActive());
        Click("stop");
        QVERIFY(!timer->isActive());
        QCOMPARE(form->ViewScene().view.AngleX, 0.0f);
    }

    void HundredTicksAtSpeedOneReach0_99999934() {
        Bar(1)->setValue(1);
        for (int i = 0; i < 100; ++i) form->Timer1Tick();
        const ViewState& view = form->ViewScene().view;
        QCOMPARE(view.AngleX, 0.99999934f);
        QCOMPARE(std::tuple(view.AngleY, view.AngleZ, view.AnimTime), std::tuple(0.f, 0.f, 0.f));
    }

    // Each tick reads the bars anew and redraws what the renderer would draw.
    void TickReadsAllFourBarsAndRedraws() {
        Control<QListWidget>(*form, "List")->setCurrentRow(3);
        Bar(1)->setValue(5);
        Bar(2)->setValue(-7);
        Bar(3)->setValue(50);
        Bar(4)->setValue(20);
        form->Timer1Tick();
        Bar(3)->setValue(0);
        form->Timer1Tick();
        ViewState expected;
        expected.StructureIndex = 4;
        ApplyTimerTick(expected, {5, -7, 50, 20});
        ApplyTimerTick(expected, {5, -7, 0, 20});
        const ViewState& view = form->ViewScene().view;
        QCOMPARE(std::tuple(view.AngleX, view.AngleY, view.AngleZ, view.AnimTime),
                 std::tuple(expected.AngleX, expected.AngleY, expected.AngleZ, expected.AnimTime));
        VerifyPicture(view, false);
    }

    // A failing redraw shows one message, keeps the lines drawn so far and the timer running.
    void RunTimeErrorIsReportedAndTheProgramGoesOn() {
        QTest::mouseClick(Control<QCheckBox>(*form, "showaxis"), Qt::LeftButton);
        form->ViewScene().view.AnimTime = std::numeric_limits<float>::infinity();  // the sphere's radius fails
        Control<QListWidget>(*form, "List")->setCurrentRow(3);
        QCOMPARE(fake.warnings.size(), 1);
        QVERIFY2(fake.warnings[0].contains("Floating-point"), qPrintable(fake.warnings[0]));
        ViewState axesOnly = form->ViewScene().view;
        axesOnly.StructureIndex = 0;
        VerifyPicture(axesOnly, true);

        Click("start");
        form->Timer1Tick();
        QCOMPARE(fake.warnings.size(), 2);
        QVERIFY(Control<QTimer>(*form, "Timer1")->isActive());
    }

    // A tick falling due while an error box is open is dropped, not nested.
    void TickDuringAMessageIsDropped() {
        form->ViewScene().view.AnimTime = std::numeric_limits<float>::infinity();
        Bar(1)->setValue(10);
        bool nested = false;
        fake.onWarn = [&] {
            if (!nested) nested = true, form->Timer1Tick();
        };
        form->Timer1Tick();
        QVERIFY(nested);
        QCOMPARE(fake.warnings.size(), 1);
        QCOMPARE(form->ViewScene().view.AngleX, 0.1f);
    }
};

QTEST_MAIN(Form1HandlersTest)
#include "form1_handlers_test.moc"
