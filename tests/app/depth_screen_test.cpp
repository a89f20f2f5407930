#include "depth_screen.h"

#include <QtTest>
#include <cmath>

#include "form1.h"
#include "run_time_error.h"

namespace {

float CellAt(const DepthScreen& store, int x, int y) {
    return store.cells[std::size_t(y + 458) * 965 + std::size_t(x + 482)];
}

// The kind of run-time error the operation raised, or -1 for none.
int ErrorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const RunTimeError& error) {
        return int(error.kind);
    }
    return -1;
}

}  // namespace

class DepthScreenTest : public QObject {
    Q_OBJECT

private slots:
    void StartUpFillsEveryCellWith1000() {
        Form1 form;
        for (const auto& [x, y] : {std::pair{0.f, 0.f}, {-482.f, -458.f}, {482.f, 458.f}, {-482.f, 458.f}})
            QCOMPARE(form.ZScreenG(x, y), 1000.0f);
        DepthScreen store;
        ClearDepthScreen(store);
        QCOMPARE(store.cells.size(), std::size_t(884905));
        QVERIFY(std::all_of(store.cells.begin(), store.cells.end(), [](float v) { return v == 1000.0f; }));
    }

    // Catches rounding half away from zero or truncation instead of ties to even.
    void CoordinatesRoundToNearestTiesToEven_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::newRow("0.5 -> 0") << 0.5f << 0.0f << 0 << 0;
        QTest::newRow("1.5 -> 2") << 1.5f << 0.0f << 2 << 0;
        QTest::newRow("2.5 -> 2") << 2.5f << 0.0f << 2 << 0;
        QTest::newRow("3.5 -> 4") << 3.5f << 0.0f << 4 << 0;
        QTest::newRow("-0.5 -> 0") << -0.5f << 0.0f << 0 << 0;
        QTest::newRow("x 482.5 -> 482") << 482.5f << 0.0f << 482 << 0;
        QTest::newRow("y -458.5 -> -458") << 0.0f << -458.5f << 0 << -458;
        QTest::newRow("2.4, -7.6") << 2.4f << -7.6f << 2 << -8;
    }
    void CoordinatesRoundToNearestTiesToEven() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(int, column);
        QFETCH(int, row);
        DepthScreen store;
        WriteDepth(store, x, y, 7.25f);
        QCOMPARE(CellAt(store, column, row), 7.25f);
        QCOMPARE(std::count(store.cells.begin(), store.cells.end(), 7.25f), 1);
        QCOMPARE(ReadDepth(store, x, y), 7.25f);
    }

    void WindowOperationsReadAndWriteTheSameCell() {
        Form1 form;
        QCOMPARE(form.ZScreenP(-3.5f, 10.2f, 42.0f), std::int16_t(0));
        QCOMPARE(form.ZScreenG(-4.0f, 10.0f), 42.0f);
        QCOMPARE(form.ZScreenG(-3.0f, 10.0f), 1000.0f);
    }

    // x is tested before y is converted, so a bad x wins over an overflowing y.
    void BadCoordinatesRaiseAndLeaveTheStoreUnchanged_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("kind");
        QTest::newRow("x 482.6") << 482.6f << 0.0f << int(ErrorKind::IndexOutOfRange);
        QTest::newRow("x -483") << -483.0f << 0.0f << int(ErrorKind::IndexOutOfRange);
        QTest::newRow("y 458.6") << 0.0f << 458.6f << int(ErrorKind::IndexOutOfRange);
        QTest::newRow("x out, y huge") << 500.0f << 1.0e9f << int(ErrorKind::IndexOutOfRange);
        QTest::newRow("x huge") << 40000.0f << 0.0f << int(ErrorKind::Overflow);
        QTest::newRow("y huge") << 0.0f << -1.0e20f << int(ErrorKind::Overflow);
        QTest::newRow("x not a number") << std::nanf("") << 0.0f << int(ErrorKind::FloatingPoint);
    }
    void BadCoordinatesRaiseAndLeaveTheStoreUnchanged() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(int, kind);
        DepthScreen store;
        ClearDepthScreen(store);
        const std::vector<float> before = store.cells;
        QCOMPARE(ErrorOf([&] { WriteDepth(store, x, y, 5.0f); }), kind);
        QCOMPARE(ErrorOf([&] { ReadDepth(store, x, y); }), kind);
        QVERIFY(store.cells == before);
    }
};

QTEST_MAIN(DepthScreenTest)
#include "depth_screen_test.moc"
