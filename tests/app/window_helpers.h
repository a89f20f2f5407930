#pragma once

// Window test support: dialogs answered from fields, controls by name, files read and written whole.
#include <QListWidget>
#include <QtTest>
#include <memory>
#include <optional>

#include "form1.h"

struct FakeDialogs {
    std::optional<QString> saveName;
    bool answerYes = false;
    QStringList filters, questions, warnings, informations;
    std::function<void()> onWarn;

    Dialogs Use() {
        using S = const QString&;
        return {.askSaveName = [this](S filter) { return filters << filter, saveName; },
                .askYesNo = [this](S title, S text) { return questions << title + "|" + text, answerYes; },
                .warn = [this](S, S text) { warnings << text, onWarn ? onWarn() : void(); },
                .inform = [this](S title, S text) { informations << title + "|" + text; }};
    }
};

// A fresh window, shown and exposed, whose questions and messages go to `fake`.
inline std::unique_ptr<Form1> OpenWindow(FakeDialogs& fake) {
    fake = FakeDialogs{};
    auto form = std::make_unique<Form1>();
    form->dialogs = fake.Use();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qFatal("window not exposed");
    return form;
}

template <typename T = QWidget>
T* Control(Form1& form, const QString& name) {
    T* control = form.findChild<T*>(name);
    if (!control) qFatal("no control %s", qPrintable(name));
    return control;
}

inline void Click(Form1& form, const QString& name) { QTest::mouseClick(Control(form, name), Qt::LeftButton); }

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
