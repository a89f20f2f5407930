#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Every question and message the window puts to the user. The window fills
// it with the standard dialogs; tests put in their own answers.
struct Dialogs {
    // The Save dialog with one filter; nullopt when the user cancels.
    std::function<std::optional<QString>(const QString& filter)> askSaveName;
    // A question with Yes and No, No being the default; true for Yes.
    std::function<bool(const QString& title, const QString& text)> askYesNo;
    std::function<void(const QString& title, const QString& text)> warn;
    std::function<void(const QString& title, const QString& text)> inform;
};

Dialogs StandardDialogs(QWidget* parent);
