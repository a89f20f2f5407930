// The window as a user meets it: its controls, where they sit and the order
// Tab visits them, and what each control and the timer do to the picture.
#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include "window_helpers.h"

class Form1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    FakeDialogs fake;
    QTemporaryDir scratch;

    QScrollBar* Bar(int n) { return Control<QScrollBar>(*form, QString("HScroll%1").arg(n)); }
    QString Text(const QString& name) { return Control<QLabel>(*form, name)->text(); }
    void Click(const QString& name) { QTest::mouseClick(Control(*form, name), Qt::LeftButton); }
    QListWidget* List() { return Control<QListWidget>(*form, "List"); }
    const ViewState& View() { return form->ViewScene().view; }
    bool Shows(const ViewState& view, bool axes) { return form->Picture().pixels == CoreDrawing(view, axes).pixels; }
    // Black pixels, unpainted ones (alpha 0) among them.
    static qsizetype Blacks(const QImage& image) {
        const auto* pixel = reinterpret_cast<const quint32*>(image.constBits());
        return std::count_if(pixel, pixel + image.sizeInBytes() / 4, [](quint32 p) { return p << 8 == 0; });
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // orbiza-render's file of the window's state at `scale`.
    QByteArray Rendered(const QString& name, qreal scale) {
        QProcess render;
        render.start(ORBIZA_RENDER_PATH, {"--view", QString::fromStdString(ViewAddressText(Capture(form->Model()))),
                                          "--scale", QString::number(scale), "--output", scratch.filePath(name)});
        if (!render.waitForFinished() || render.exitCode() != 0) qFatal("%s", render.readAllStandardError().data());
        return Bytes(scratch.filePath(name));
    }

private slots:
    void init() {
        form = OpenWindow(fake);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void StartsEmptyAndStill() {
        QCOMPARE(form->windowTitle(), QString("Orbiza"));
        QVERIFY(form->size() == QSize(809, 593) && form->minimumSize() == form->maximumSize());
        QCOMPARE(Control(*form, "pctr1")->geometry(), QRect(8, 40, 569, 521));
        QVERIFY(List()->count() == 23 && List()->selectedItems().isEmpty() && View().StructureIndex == 0);
        QVERIFY(Shows(View(), false) && !Control<QCheckBox>(*form, "showaxis")->isChecked());
        auto* timer = Control<QTimer>(*form, "Timer1");
        QVERIFY(!timer->isActive() && timer->interval() == 100);
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(QList({Bar(n)->minimum(), Bar(n)->maximum(), Bar(n)->value(), Bar(n)->singleStep(),
                            Bar(n)->pageStep()}),
                     QList({-50, 50, 0, 1, 1}));
        QStringList labels;
        for (int n = 1; n <= 14; ++n) labels << Text(QString("Label%1").arg(n));
        QCOMPARE(labels.join("|"),
                 QString("Rotation about axis:-|Y:|X:|Z:|Auto motion:|Speed:|X:|Y:|Z:|Time :|0|0|0|0"));
    }

    // Tab visits the controls by tab index and passes the labels over; the
    // list takes focus without picking an entry.
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

    // Rows of the rotation and speed groups share a top, their columns a
    // left; no control covers another or leaves the window.
    void ControlsLineUpWithoutOverlapping() {
        const auto aligned = [this](const QString& groups, int (QWidget::*coordinate)() const) {
            for (const QString& group : groups.split(", "))
                for (const QString& name : group.split(' '))
                    QCOMPARE((Control(*form, name)->*coordinate)(),
                             (Control(*form, group.section(' ', 0, 0))->*coordinate)());
        };
        aligned(
            "Label3 xp xm, Label2 yp ym, Label4 zp zm, start stop, Label7 HScroll1 Label11, "
            "Label8 HScroll2 Label12, Label9 HScroll3 Label13, Label10 HScroll4 Label14",
            &QWidget::y);
        aligned(
            "xp yp zp, xm ym zm, Label7 Label8 Label9, HScroll1 HScroll2 HScroll3 HScroll4, "
            "Label11 Label12 Label13 Label14",
            &QWidget::x);
        const QList<QWidget*> all = form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* a : all) {
            QVERIFY2(form->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget* b : all)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " " + b->objectName()));
        }
    }

    void SelectionDrawsTheEntry() {
        QListWidgetItem* item = List()->item(13);
        List()->scrollToItem(item);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(item).center());
        QCOMPARE(View().StructureIndex, std::int16_t(14));
        QTest::keyClick(List(), Qt::Key_Up);
        QCOMPARE(View().StructureIndex, std::int16_t(13));
        QVERIFY(Shows(View(), false));
    }

    // On each screen of the run, the drawing area shows one pixel to a device pixel, closed in by its border,
    // what orbiza-render draws for the window's state at the screen's ratio, the axis box drawn over the
    // picture included; the save stays the 565 x 517 picture, the renderer's BMP byte for byte.
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
            Click("Sav_bmp");
            QVERIFY(Bytes(*fake.saveName) == Rendered("picture.bmp", 1));
        }
    }

    // Each button turns its own axis and redraws; ticking the box draws the
    // axes over the picture, and unticking keeps them until the next clear.
    void ButtonsAndAxisBoxRedraw() {
        List()->setCurrentRow(0);
        for (const char* button : {"xp", "xm", "xp", "yp", "yp", "zm"}) Click(button);
        QCOMPARE(std::tuple(View().AngleX, View().AngleY, View().AngleZ), std::tuple(0.1f, 0.2f, -0.1f));
        QVERIFY(Shows(View(), false));
        Click("showaxis");
        Canvas expected = CoreDrawing(View(), false);
        Scene over;  // axes, then the cube again, over the picture as it was
        over.view = View(), over.showAxis = true, over.tools.surface = &expected;
        RedrawScene(over);
        QVERIFY(form->Picture().pixels == expected.pixels);
        Click("showaxis");
        QVERIFY(form->Picture().pixels == expected.pixels);
        Click("xm");
        QVERIFY(Shows(View(), false));
    }

    // A German locale must not turn the period into a comma.
    void ReadoutsShowTheSpeed() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (const auto& [value, text] : {std::pair{25, " 0.25"}, {-50, "-0.5"}, {7, " 0.07"}, {0, " 0"}}) {
            for (int n = 1; n <= 4; ++n) Bar(n)->setValue(value ? value : 1), Bar(n)->setValue(value);
            for (int n = 1; n <= 4; ++n) QCOMPARE(Text(QString("Label%1").arg(10 + n)), QString(text));
        }
        QLocale::setDefault(QLocale::c());
        QVERIFY(Shows(View(), false) && View().AngleX == 0 && View().AnimTime == 0);  // stopped: nothing moves
    }

    // The running timer itself drives the ticks, and each tick reads all four bars.
    void TimerTicksTurnTheViewUntilStopped() {
        List()->setCurrentRow(3);
        for (int n = 1; n <= 4; ++n) Bar(n)->setValue(std::array{1, -7, 50, 20}[n - 1]);
        Click("start");
        Click("start");  // a second start keeps it running
        QTRY_VERIFY_WITH_TIMEOUT(View().AngleX > 0, 5000);
        Click("stop");
        QVERIFY(!Control<QTimer>(*form, "Timer1")->isActive() && Shows(View(), false));
        const ViewState v = View();  // each angle and the time moved by its own bar
        const double off = std::abs(v.AngleY / v.AngleX + 7) + std::abs(v.AngleZ / v.AngleX - 50);
        QVERIFY(off + std::abs(v.AnimTime / v.AngleX - 20) < 1e-3);
        form->ViewScene().view.AngleX = 0;
        for (int i = 0; i < 100; ++i) form->Timer1Tick();
        QVERIFY(View().AngleX == 0.99999934f);  // a hundred steps of 0.01, each added in float
    }

    // A failing redraw shows one message, keeps what was drawn and the timer
    // running; a tick falling due while the message is open is dropped.
    void RunTimeErrorIsReportedAndTheProgramGoesOn() {
        Click("showaxis");
        form->ViewScene().view.AnimTime = INFINITY;  // the sphere's radius fails
        List()->setCurrentRow(3);
        QCOMPARE(fake.warnings.size(), 1);
        QVERIFY2(fake.warnings[0].contains("Floating-point"), qPrintable(fake.warnings[0]));
        ViewState axesOnly = View();
        axesOnly.StructureIndex = 0;
        QVERIFY(Shows(axesOnly, true));
        Bar(1)->setValue(10);
        Click("start");
        fake.onWarn = [this] { fake.onWarn = nullptr, form->Timer1Tick(); };
        form->Timer1Tick();
        QCOMPARE(fake.warnings.size(), 2);
        QVERIFY(View().AngleX == 0.1f);
        QVERIFY(Control<QTimer>(*form, "Timer1")->isActive());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
