#pragma once

#include <QWidget>
#include <cstdint>
#include <string_view>

#include "dialogs.h"
#include "form1_layout.h"
#include "temporary_files.h"
#include "window_model.h"

// The main window: Qt widgets built from the window's control table, each
// event handed to the window model, and what the model then holds shown.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // One cell of the depth store; both raise RunTimeError for a bad index.
    float ZScreenG(float x, float y) const;
    std::int16_t ZScreenP(float x, float y, float value);

    // The timer's slot, public so a tick can be fired without waiting for it.
    void Timer1Tick();

    const Scene& ViewScene() const { return model.scene; }
    Scene& ViewScene() { return model.scene; }
    const Canvas& Picture() const { return model.picture; }
    const WindowModel& Model() const { return model; }

    Dialogs dialogs;
    TemporaryFiles temporaries;  // the save's, while it writes; removed if a signal ends the program

private:
    void Connect();
    // Hands one event to the model, then shows the picture, texts, timer and
    // any box the event asks for.
    void Forward(std::string_view control, int value);
    void FollowModel();

    WindowModel model;
    Controls controls;
    bool handling = false;  // set while an event, and any box it shows, is running
};
