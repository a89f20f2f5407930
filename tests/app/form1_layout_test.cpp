#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "fake_dialogs.h"
#include "window_helpers.h"

struct Place {
    const char* name;
    int left, top, width, height;  // twips
};

class Form1LayoutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    FakeDialogs fake;

    QScrollBar* Bar(int n) { return SpeedBar(*form, n); }

private slots:
    void init() {
        form = OpenWindow(fake);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void WindowIsFixedAt809By593() {
        QCOMPARE(form->windowTitle(), QString("Orbiza"));
        QCOMPARE(form->size(), QSize(809, 593));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    }

    // Catches a control misplaced or resized against the twips table.
    void ControlsSitWhereTheTableSays() {
        const Place places[] = {
            {"pctr1", 120, 600, 8535, 7815},      {"Command1", 11400, 0, 735, 615},
            {"Sav_bmp", 9360, 600, 1935, 375},    {"List", 9630, 1260, 1815, 1230},
            {"showaxis", 9630, 2610, 1770, 285},  {"Label1", 8880, 3240, 1575, 255},
            {"Label3", 9960, 3720, 255, 255},     {"xp", 10320, 3720, 375, 375},
            {"xm", 10800, 3720, 375, 375},        {"Label2", 9960, 4200, 255, 255},
            {"yp", 10320, 4200, 375, 375},        {"ym", 10800, 4200, 375, 375},
            {"Label4", 9960, 4680, 255, 255},     {"zp", 10320, 4680, 375, 375},
            {"zm", 10800, 4680, 375, 375},        {"Label5", 9120, 5280, 1095, 255},
            {"start", 9840, 5640, 735, 375},      {"stop", 10680, 5640, 735, 375},
            {"Label6", 9360, 6120, 735, 255},     {"Label7", 9720, 6480, 255, 255},
            {"HScroll1", 10080, 6480, 1095, 255}, {"Label11", 11280, 6480, 495, 255},
            {"Label8", 9720, 6960, 255, 255},     {"HScroll2", 10080, 6960, 1095, 255},
            {"Label12", 11280, 6960, 495, 255},   {"Label9", 9720, 7440, 255, 255},
            {"HScroll3", 10080, 7440, 1095, 255}, {"Label13", 11280, 7440, 495, 255},
            {"Label10", 9360, 8040, 495, 255},    {"HScroll4", 10080, 8040, 1095, 255},
            {"Label14", 11280, 8040, 495, 255},
        };
        for (const Place& p : places) {
            QWidget* control = Control<QWidget>(*form, p.name);
            QCOMPARE(control->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
            QVERIFY2(control->isVisible() && control->isEnabled(), p.name);
        }
    }

    void CaptionsAreTheProgramsTexts() {
        const std::pair<const char*, const char*> buttons[] = {{"Command1", "About Orbiza"},
                                                               {"Sav_bmp", "Save as .bmp file..."},
                                                               {"xp", "+"},
                                                               {"xm", "---"},
                                                               {"yp", "+"},
                                                               {"ym", "---"},
                                                               {"zp", "+"},
                                                               {"zm", "---"},
                                                               {"start", "Start"},
                                                               {"stop", "Stop"}};
        for (const auto& [name, caption] : buttons)
            QCOMPARE(Control<QPushButton>(*form, name)->text(), QString(caption));
        const std::pair<const char*, const char*> labels[] = {{"Label1", "Rotation about axis:-"},
                                                              {"Label2", "Y:"},
                                                              {"Label3", "X:"},
                                                              {"Label4", "Z:"},
                                                              {"Label5", "Auto motion:"},
                                                              {"Label6", "Speed:"},
                                                              {"Label7", "X:"},
                                                              {"Label8", "Y:"},
                                                              {"Label9", "Z:"},
                                                              {"Label10", "Time :"},
                                                              {"Label11", "0"},
                                                              {"Label12", "0"},
                                                              {"Label13", "0"},
                                                              {"Label14", "0"}};
        for (const auto& [name, caption] : labels) QCOMPARE(Control<QLabel>(*form, name)->text(), QString(caption));
        QCOMPARE(Control<QCheckBox>(*form, "showaxis")->text(), QString("Show 3D axis"));
    }

    // Tab moves through the focusable controls in tab-index order; labels are passed over.
    void TabOrderFollowsTabIndex() {
        const QStringList expected{"yp",       "ym",      "xp",       "xm",       "zp",       "zm",
                                   "start",    "stop",    "HScroll1", "HScroll2", "HScroll3", "List",
                                   "HScroll4", "Sav_bmp", "showaxis", "Command1", "pctr1"};
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        Control<QWidget>(*form, "pctr1")->setFocus(Qt::OtherFocusReason);
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        QCOMPARE(form->ViewScene().view.StructureIndex, std::int16_t(0));  // passing through the list selects nothing
    }

    void StartUpSelectsNothingAndDrawsNothing() {
        auto* list = Control<QListWidget>(*form, "List");
        QCOMPARE(list->count(), 23);
        QCOMPARE(list->item(0)->text(), QString("Cube"));
        QCOMPARE(list->item(14)->text(), QString("paraboloid"));
        QCOMPARE(list->item(22)->text(), QString("Rossler Chaos"));
        for (int row = 0; row < 23; ++row)
            QCOMPARE(list->item(row)->text().toStdString(), std::string(Catalogue()[row].listText));
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(form->ViewScene().view.StructureIndex, std::int16_t(0));
        QCOMPARE(LitPixels(form->Picture()), 0);
        QVERIFY(!Control<QCheckBox>(*form, "showaxis")->isChecked());
        QVERIFY(!Control<QTimer>(*form, "Timer1")->isActive());
        QCOMPARE(Control<QTimer>(*form, "Timer1")->interval(), 100);
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(Bar(n)->minimum(), -50);
            QCOMPARE(Bar(n)->maximum(), 50);
            QCOMPARE(Bar(n)->value(), 0);
            QCOMPARE(Bar(n)->singleStep(), 1);
            QCOMPARE(Bar(n)->pageStep(), 1);
        }
        const Tools3D& tools = form->ViewScene().tools;
        QCOMPARE(std::tuple(tools.DepthRange, tools.DepthGain, tools.DepthBase), std::tuple(4.0f, 205.0f, 50.0f));
        QCOMPARE(std::tuple(tools.LineRed, tools.LineGreen, tools.LineBlue), std::tuple(1.0f, 1.0f, 1.0f));
        QCOMPARE(tools.surface, &form->Picture());
    }

    // Focus reaching the list by keyboard must not pick an entry by itself.
    void FocusAloneSelectsNothing() {
        auto* list = Control<QListWidget>(*form, "List");
        list->setFocus(Qt::TabFocusReason);
        QCOMPARE(form->ViewScene().view.StructureIndex, std::int16_t(0));
        QCOMPARE(LitPixels(form->Picture()), 0);
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
