// The depth store behind ZScreenG and ZScreenP: every cell 1000 at start-up,
// coordinates rounded ties to even, bad coordinates raising and changing nothing.
#include "depth_screen.h"

#include <QtTest>

#include "../core/test_support.h"
#include "form1.h"

class DepthScreenTest : public QObject {
    Q_OBJECT

private slots:
    void StartUpFillsEveryCellWith1000() {
        Form1 form;
        QVERIFY(form.ZScreenG(-482, -458) == 1000.0f && form.ZScreenG(482, 458) == 1000.0f);
        QCOMPARE(form.ZScreenP(-3.5f, 10.2f, 42.0f), std::int16_t(0));
        QVERIFY(form.ZScreenG(-4.0f, 10.0f) == 42.0f && form.ZScreenG(-3.0f, 10.0f) == 1000.0f);
    }

    // Catches rounding half away from zero, or truncation.
    void CoordinatesRoundToNearestTiesToEven() {
        const struct {
            float x, y, readX, readY;
        } cases[] = {{0.5f, 0, 0, 0},     {1.5f, 0, 2, 0},       {2.5f, 0, 2, 0},     {-0.5f, 0, 0, 0},
                     {482.5f, 0, 482, 0}, {0, -458.5f, 0, -458}, {2.4f, -7.6f, 2, -8}};
        for (const auto& c : cases) {
            DepthScreen store;
            ClearDepthScreen(store);
            WriteDepth(store, c.x, c.y, 7.25f);
            QVERIFY(ReadDepth(store, c.readX, c.readY) == 7.25f);
            QCOMPARE(std::count(store.cells.begin(), store.cells.end(), 7.25f), 1);
        }
    }

    // x is tested before y is converted, so a bad x wins over an overflowing y.
    void BadCoordinatesRaiseAndLeaveTheStoreUnchanged() {
        const struct {
            float x, y;
            ErrorKind kind;
        } cases[] = {{482.6f, 0, ErrorKind::IndexOutOfRange},
                     {-483, 0, ErrorKind::IndexOutOfRange},
                     {0, 458.6f, ErrorKind::IndexOutOfRange},
                     {500, 1e9f, ErrorKind::IndexOutOfRange},
                     {40000, 0, ErrorKind::Overflow},
                     {0, -1e20f, ErrorKind::Overflow},
                     {std::nanf(""), 0, ErrorKind::FloatingPoint}};
        for (const auto& c : cases) {
            DepthScreen store;
            ClearDepthScreen(store);
            const std::vector<float> before = store.cells;
            QVERIFY(RaisedKind([&] { WriteDepth(store, c.x, c.y, 5); }) == c.kind);
            QVERIFY(RaisedKind([&] { ReadDepth(store, c.x, c.y); }) == c.kind);
            QVERIFY(store.cells == before);
        }
    }
};

QTEST_MAIN(DepthScreenTest)
#include "depth_screen_test.moc"
