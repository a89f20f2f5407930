#pragma once

// Window test support: a window whose dialogs are answered from fields, its
// controls by name, and what the core draws for a view.
#include <QListWidget>
#include <QtTest>
#include <memory>
#include <optional>

#include "catalogue.h"
#include "form1.h"

// Answers the window's questions from fields and records what it showed.
struct FakeDialogs {
    std::optional<QString> saveName;
    bool answerYes = false;
    QStringList filters, questions, warnings, informations;
    std::function<void()> onWarn;

    Dialogs Use() {
        return {.askSaveName = [this](const QString& filter) { return filters << filter, saveName; },
                .askYesNo = [this](const QString& title,
                                   const QString& text) { return questions << title + "|" + text, answerYes; },
                .warn =
                    [this](const QString&, const QString& text) {
                        warnings << text;
                        if (onWarn) onWarn();
                    },
                .inform = [this](const QString& title, const QString& text) { informations << title + "|" + text; }};
    }
};

// A fresh window, shown, whose questions and messages go to `fake`.
inline std::unique_ptr<Form1> OpenWindow(FakeDialogs& fake) {
    fake = FakeDialogs{};
    auto form = std::make_unique<Form1>();
    form->dialogs = fake.Use();
    form->show();
    return form;
}

template <typename T = QWidget>
T* Control(Form1& form, const QString& name) {
    T* control = form.findChild<T*>(name);
    if (!control) qFatal("no control %s", qPrintable(name));
    return control;
}

// What the core draws for a view on a fresh surface: Clear, then RedrawScene.
inline Canvas CoreDrawing(const ViewState& view, bool axes) {
    Canvas surface;
    Scene scene;
    scene.view = view;
    scene.showAxis = axes;
    scene.tools.surface = &surface;
    RedrawScene(scene);
    return surface;
}
