#pragma once

#include <QListWidget>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "catalogue.h"
#include "fake_dialogs.h"
#include "form1.h"

// What the core draws for a view on a fresh surface: Clear, then RedrawScene.
inline Surface CoreDrawing(const ViewState& view, bool axes) {
    Surface surface;
    Scene scene;
    scene.view = view;
    scene.showAxis = axes;
    scene.tools.surface = &surface;
    Clear(surface);
    RedrawScene(scene);
    return surface;
}

inline int LitPixels(const Surface& surface) {
    return int(std::count_if(surface.pixels.begin(), surface.pixels.end(),
                             [](std::uint32_t p) { return p != Surface::Background; }));
}

template <typename T>
T* Control(Form1& form, const char* name) {
    T* control = form.findChild<T*>(QString::fromLatin1(name));
    if (!control) qFatal("no control %s", name);
    return control;
}

inline void ClickRow(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// A fresh window whose questions and messages go to `fake`, shown on screen.
inline std::unique_ptr<Form1> OpenWindow(FakeDialogs& fake) {
    fake = FakeDialogs{};
    auto form = std::make_unique<Form1>();
    form->dialogs = fake.Use();
    form->show();
    return form;
}

inline QScrollBar* SpeedBar(Form1& form, int n) {
    return Control<QScrollBar>(form, qPrintable(QString("HScroll%1").arg(n)));
}
