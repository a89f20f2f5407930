#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "depth_screen.h"
#include "dialogs.h"
#include "form1_layout.h"
#include "scene.h"
#include "temporary_files.h"

// The main window: its controls, the drawing surface, the view and the depth store.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // One cell of the depth store; both raise RunTimeError for a bad index.
    float ZScreenG(float x, float y) const;
    std::int16_t ZScreenP(float x, float y, float value);

    // The timer's slot, public so a tick can be fired without waiting for it.
    void Timer1Tick();

    const Scene& ViewScene() const { return scene; }
    Scene& ViewScene() { return scene; }
    const Canvas& Picture() const { return surface; }

    Dialogs dialogs;
    TemporaryFiles temporaries;  // the save's, while it writes; removed if a signal ends the program

private:
    void StartUp();
    void Connect();
    void ClearAndRedraw();
    void Redraw();
    // Runs one event handler; a run-time error ends it with a message and the program goes on.
    void Handle(const std::function<void()>& handler);

    void ListSelectionChanged();
    void AngleButtonClicked(Axis axis, int direction);
    void SpeedChanged(int bar, int value);
    void ShowAxisToggled();

    Canvas surface;
    Scene scene;
    DepthScreen depthScreen;
    Controls controls;
    bool handling = false;  // set while a handler, and any box it shows, is running
};
