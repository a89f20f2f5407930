#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "dialogs.h"

// Answers the window's questions from fields and records what it showed.
struct FakeDialogs {
    std::optional<QString> saveName;
    bool answerYes = false;
    QStringList filters, questions, questionTitles, warnings, informations, informationTitles;
    std::function<void()> onWarn;

    Dialogs Use() {
        return {
            .askSaveName =
                [this](const QString& filter) {
                    filters << filter;
                    return saveName;
                },
            .askYesNo =
                [this](const QString& title, const QString& text) {
                    questionTitles << title;
                    questions << text;
                    return answerYes;
                },
            .warn =
                [this](const QString&, const QString& text) {
                    warnings << text;
                    if (onWarn) onWarn();
                },
            .inform =
                [this](const QString& title, const QString& text) {
                    informationTitles << title;
                    informations << text;
                },
        };
    }
};
