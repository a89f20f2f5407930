// The window and orbiza-render draw the same picture for the same state:
// catches the two drifting apart (a different redraw, clear or tick path).
#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "segments_csv.h"
#include "window_helpers.h"

class WindowVsRendererTest : public QObject {
    Q_OBJECT

    // What orbiza-render writes for the window's current view.
    QImage Rendered(const Form1& form, bool axes) {
        const ViewState& v = form.ViewScene().view;
        const auto text = [](float f) { return QString::fromStdString(FloatText(f)); };
        QStringList arguments{"--angles", text(v.AngleX) + "," + text(v.AngleY) + "," + text(v.AngleZ),
                              "--time",   text(v.AnimTime),
                              "--output", dir.filePath("picture.bmp")};
        if (axes) arguments << "--axes";
        if (v.StructureIndex > 0) arguments << QString::number(v.StructureIndex);
        QProcess render;
        render.start(ORBIZA_RENDER, arguments);
        if (!render.waitForFinished(60000) || render.exitCode() != 0) return {};
        return QImage(dir.filePath("picture.bmp")).convertToFormat(QImage::Format_RGB32);
    }

    void ComparePixels(const Form1& form, const QImage& rendered) {
        QCOMPARE(rendered.size(), QSize(Surface::Width, Surface::Height));
        for (int row = 0; row < Surface::Height; ++row)
            for (int column = 0; column < Surface::Width; ++column)
                if (rendered.pixel(column, row) != PixelAt(form.Picture(), column, row))
                    QFAIL(qPrintable(QString("pixel %1,%2 differs").arg(column).arg(row)));
    }

    QTemporaryDir dir;
    FakeDialogs fake;

private slots:
    void SameStateSamePicture() {
        const auto form = OpenWindow(fake);
        Control<QListWidget>(*form, "List")->setCurrentRow(21);  // "Sphere-Torus Transformation"
        QTest::mouseClick(Control<QPushButton>(*form, "xp"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(*form, "ym"), Qt::LeftButton);
        SpeedBar(*form, 3)->setValue(7);
        SpeedBar(*form, 4)->setValue(50);
        for (int i = 0; i < 3; ++i) form->Timer1Tick();
        QTest::mouseClick(Control<QCheckBox>(*form, "showaxis"), Qt::LeftButton);
        form->Timer1Tick();  // a clean picture of structure and axes
        ComparePixels(*form, Rendered(*form, true));
    }
};

QTEST_MAIN(WindowVsRendererTest)
#include "window_vs_renderer_test.moc"
