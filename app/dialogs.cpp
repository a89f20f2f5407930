#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

std::optional<QString> AskSaveName(QWidget* parent, const QString& filter) {
    // No title, no default suffix and no overwrite question of the dialog's own:
    // the export asks that itself, and only for files with content.
    const QString name =
        QFileDialog::getSaveFileName(parent, QString(), QString(), filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;  // the dialog reports a cancel as an empty name
    return name;
}

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

Dialogs StandardDialogs(QWidget* parent) {
    return {
        .askSaveName = [parent](const QString& filter) { return AskSaveName(parent, filter); },
        .askYesNo = [parent](const QString& title, const QString& text) { return AskYesNo(parent, title, text); },
        .warn = [parent](const QString& title,
                         const QString& text) { Show(parent, QMessageBox::Warning, title, text); },
        .inform = [parent](const QString& title,
                           const QString& text) { Show(parent, QMessageBox::Information, title, text); },
    };
}
