// The window as a user meets it: its controls, Tab order, and what the controls and timer do to the picture.
#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include "window_helpers.h"

class Form1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    FakeDialogs fake;
    QTemporaryDir scratch;

    QListWidget* List() { return Control<QListWidget>(*form, "List"); }
    const ViewState& View() { return form->ViewScene().view; }
    // Black pixels, unpainted ones (alpha 0) among them.
    static qsizetype Blacks(const QImage& image) {
        const auto* pixel = reinterpret_cast<const quint32*>(image.constBits());
        return std::count_if(pixel, pixel + image.sizeInBytes() / 4, [](quint32 p) { return p << 8 == 0; });
    }
    // orbiza-render's file of the window's state at `scale`.
    QByteArray Rendered(const QString& name, qreal scale) {
        QProcess render;
        render.start(ORBIZA_RENDER_PATH, {"--view", QString::fromStdString(ViewAddressText(Capture(form->Model()))),
                                          "--scale", QString::number(scale), "--output", scratch.filePath(name)});
        if (!render.waitForFinished() || render.exitCode() != 0) qFatal("%s", render.readAllStandardError().data());
        return FileBytes(scratch.filePath(name));
    }

private slots:
    void init() { form = OpenWindow(fake); }

    // Catches a widget built off its row, a timer started or timed wrong, depth cells reached with x and y swapped.
    void StartsEmptyAndStill() {
        QCOMPARE(form->windowTitle(), QString("Orbiza"));
        QVERIFY(form->size() == QSize(809, 593) && form->minimumSize() == form->maximumSize());
        QCOMPARE(Control(*form, "pctr1")->geometry(), QRect(8, 40, 569, 521));
        QVERIFY(List()->count() == 23 && List()->selectedItems().isEmpty() && View().StructureIndex == 0 &&
                !Control<QCheckBox>(*form, "showaxis")->isChecked());
        QVERIFY(form->ZScreenP(-3.5f, 10.2f, 42) == 0 && form->ZScreenG(-4, 10) == 42 &&
                form->ZScreenG(10, -4) == 1000);
        auto* timer = Control<QTimer>(*form, "Timer1");
        QVERIFY(!timer->isActive() && timer->interval() == 100);
        QStringList labels;
        for (int n = 1; n <= 14; ++n) labels << Control<QLabel>(*form, QString("Label%1").arg(n))->text();
        QCOMPARE(labels.join("|"),
                 QString("Rotation about axis:-|Y:|X:|Z:|Auto motion:|Speed:|X:|Y:|Z:|Time :|0|0|0|0"));
    }

    // Catches Tab order off the tab indices, a label taking focus, or the list picking an entry on focus.
    void TabOrderAndCaptions() {
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        Control(*form, "pctr1")->setFocus(Qt::OtherFocusReason);
        QStringList visited;
        for (int i = 0; i < 17; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            visited << (w->objectName() + " " + w->property("text").toString()).trimmed();
        }
        QCOMPARE(visited.join(", "),
                 QString("yp +, ym ---, xp +, xm ---, zp +, zm ---, start Start, stop Stop, HScroll1, "
                         "HScroll2, HScroll3, List, HScroll4, Sav_bmp Save as .bmp file..., "
                         "showaxis Show 3D axis, Command1 About Orbiza, pctr1"));
        QCOMPARE(View().StructureIndex, std::int16_t(0));
    }

    // Catches a click or a key mapped to the wrong row of the list.
    void SelectionDrawsTheEntry() {
        QListWidgetItem* item = List()->item(13);
        List()->scrollToItem(item);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(item).center());
        QCOMPARE(View().StructureIndex, std::int16_t(14));
        QTest::keyClick(List(), Qt::Key_Up);
        QCOMPARE(View().StructureIndex, std::int16_t(13));
    }

    // Catches a display at the wrong or old ratio, missing the axes drawn over it, or a save not at scale 1.
    void ShowsTheRenderersPictureAtTheScreensRatio() {
        auto* axes = Control<QCheckBox>(*form, "showaxis");
        const QList<QScreen*> screens = QGuiApplication::screens();
        for (int n = 0; n < screens.size(); ++n) {
            form->move(screens[n]->geometry().topLeft() + QPoint(10, 10));
            QTRY_COMPARE(form->devicePixelRatioF(), screens[n]->devicePixelRatio());
            axes->setChecked(false);  // the axes stay until the selection clears
            List()->setCurrentRow(2 + n);
            axes->setChecked(true);
            const qreal ratio = form->devicePixelRatioF();
            if (screens[n]->name().startsWith("ratio-")) QCOMPARE(ratio, screens[n]->name().mid(6).toDouble());
            const QImage rendered =
                QImage::fromData(Rendered("shown.png", ratio)).convertToFormat(QImage::Format_RGB32);
            const QPointF corner = QPointF(Control(*form, "pctr1")->pos() + QPoint(2, 2)) * ratio;
            const QImage shown = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QRect where(QPoint(qRound(corner.x()), qRound(corner.y())), rendered.size());
            QVERIFY2(shown.copy(where) == rendered, qPrintable(QString("at ratio %1").arg(ratio)));
            QCOMPARE(Blacks(shown.copy(where.adjusted(-1, -1, 1, 1))), Blacks(rendered));  // the border meets it
            fake.saveName = scratch.filePath(QString("saved%1.bmp").arg(n));
            Click(*form, "Sav_bmp");
            QVERIFY(FileBytes(*fake.saveName) == Rendered("picture.bmp", 1));
        }
    }

    // Catches an error that stops the timer, ticks piling up behind its message, a timer not ticking or left on by
    // Stop.
    void RunTimeErrorIsReportedAndTheTimerGoesOn() {
        form->ViewScene().view.AnimTime = INFINITY;  // the sphere's radius fails
        List()->setCurrentRow(3);
        QCOMPARE(fake.warnings.size(), 1);
        Control<QScrollBar>(*form, "HScroll1")->setValue(10);
        Click(*form, "start");
        fake.onWarn = [this] { fake.onWarn = nullptr, form->Timer1Tick(); };
        form->Timer1Tick();
        QCOMPARE(fake.warnings.size(), 2);
        QVERIFY(View().AngleX == 0.1f && Control<QTimer>(*form, "Timer1")->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(View().AngleX > 0.1f, 5000);
        Click(*form, "stop");
        QVERIFY(!Control<QTimer>(*form, "Timer1")->isActive());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
