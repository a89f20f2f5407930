#pragma once

#include <QPushButton>

// A push button whose caption wraps at blanks when it is wider than the
// button, so a long caption on a small fixed button stays readable.
class CaptionButton : public QPushButton {
    Q_OBJECT

public:
    CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};
