#include "accessible_names.h"

#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <array>

#include "speed_text.h"

namespace {

struct AccessibleText {
    const char* control;
    const char* name;
    const char* description;
};

// The captions "+", "---" and "X:" say little when read aloud, so every
// control gets words of its own.
constexpr std::array<AccessibleText, 31> Texts{{
    {"pctr1", "Picture", "The selected structure, drawn as coloured lines on black"},
    {"Command1", "About Orbiza", "Shows who made the program"},
    {"Sav_bmp", "Save picture", "Saves the picture as a BMP file under a name you choose"},
    {"List", "Structures", "The 23 structures; selecting one draws it"},
    {"showaxis", "Show 3D axis", "Draws the reference axes; unticking keeps them until the next redraw"},
    {"Label1", "Rotation about axis", "Heading of the six rotation buttons"},
    {"Label3", "X rotation", "Row of the buttons that turn the picture about X"},
    {"xp", "Rotate about X, forward", "Adds 0.1 radian to the angle about X"},
    {"xm", "Rotate about X, back", "Takes 0.1 radian from the angle about X"},
    {"Label2", "Y rotation", "Row of the buttons that turn the picture about Y"},
    {"yp", "Rotate about Y, forward", "Adds 0.1 radian to the angle about Y"},
    {"ym", "Rotate about Y, back", "Takes 0.1 radian from the angle about Y"},
    {"Label4", "Z rotation", "Row of the buttons that turn the picture about Z"},
    {"zp", "Rotate about Z, forward", "Adds 0.1 radian to the angle about Z"},
    {"zm", "Rotate about Z, back", "Takes 0.1 radian from the angle about Z"},
    {"Label5", "Auto motion", "Heading of the Start and Stop buttons"},
    {"start", "Start animation", "Turns and reshapes the picture ten times a second by the four speeds"},
    {"stop", "Stop animation", "Stops the animation; the picture stays"},
    {"Label6", "Speed", "Heading of the four speed bars"},
    {"Label7", "X speed row", "Row of the speed of rotation about X"},
    {"HScroll1", "Speed of rotation about X", "Radians added each tick: the value divided by 100, from -0.5 to 0.5"},
    {"Label11", "X speed", "The speed of rotation about X"},
    {"Label8", "Y speed row", "Row of the speed of rotation about Y"},
    {"HScroll2", "Speed of rotation about Y", "Radians added each tick: the value divided by 100, from -0.5 to 0.5"},
    {"Label12", "Y speed", "The speed of rotation about Y"},
    {"Label9", "Z speed row", "Row of the speed of rotation about Z"},
    {"HScroll3", "Speed of rotation about Z", "Radians added each tick: the value divided by 100, from -0.5 to 0.5"},
    {"Label13", "Z speed", "The speed of rotation about Z"},
    {"Label10", "Time speed row", "Row of the speed of the animation time"},
    {"HScroll4", "Speed of time", "Time added each tick: the value divided by 100, from -0.5 to 0.5"},
    {"Label14", "Time speed", "The speed of the animation time"},
}};

struct ReadOut {
    const char* bar;
    const char* label;
};

constexpr std::array<ReadOut, 4> ReadOuts{
    {{"HScroll1", "Label11"}, {"HScroll2", "Label12"}, {"HScroll3", "Label13"}, {"HScroll4", "Label14"}}};

template <typename T>
T* Find(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// A name replaces the label's text for a screen reader, so a read-out's name
// carries its number ("X speed 0.03") and follows its bar.
void NameReadOut(QScrollBar* bar, QLabel* label) {
    const QString words = label->accessibleName();
    const auto say = [label, words](int value) { label->setAccessibleName(words + " " + SpeedText(value).trimmed()); };
    say(bar->value());
    QObject::connect(bar, &QScrollBar::valueChanged, label, say);
}

}  // namespace

void NameControlsForScreenReaders(QWidget* window) {
    for (const AccessibleText& text : Texts) {
        auto* control = Find<QWidget>(window, text.control);
        if (!control) continue;
        control->setAccessibleName(QString::fromUtf8(text.name));
        control->setAccessibleDescription(QString::fromUtf8(text.description));
    }
    for (const ReadOut& readOut : ReadOuts) {
        auto* bar = Find<QScrollBar>(window, readOut.bar);
        auto* label = Find<QLabel>(window, readOut.label);
        if (bar && label) NameReadOut(bar, label);
    }
}
