#include "export.h"

#include <QFileInfo>

#include "picture_file.h"

QString OverwriteQuestion(const QString& fileName) {
    return "The" + fileName + "file already exists. Do you want to over write it?";
}

void ExportPicture(const Canvas& surface, const Dialogs& dialogs, TemporaryFiles& temporaries) {
    const std::optional<QString> chosen = dialogs.askSaveName("Pictures (*.bmp)");
    if (!chosen) return;
    const QString& fileName = *chosen;  // used as given: no extension added or tested
    const QFileInfo existing(fileName);
    if (!fileName.isEmpty() && existing.exists() && existing.size() != 0 &&
        !dialogs.askYesNo("Overwrite Confermation", OverwriteQuestion(fileName)))
        return;
    QString reason = "no file name was given";
    if (fileName.isEmpty() || !SavePicture(surface, fileName, "BMP", temporaries, &reason))
        dialogs.warn("Orbiza", "The picture could not be saved to \"" + fileName + "\": " + reason);
}
