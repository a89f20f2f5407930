#include "export.h"

#include <QFileInfo>

#include "picture_file.h"
#include "qt_text.h"
#include "window_texts.h"

void ExportPicture(const Canvas& surface, const Dialogs& dialogs, TemporaryFiles& temporaries) {
    const std::optional<QString> chosen = dialogs.askSaveName(QtText(SaveFilter));
    if (!chosen) return;
    const QString& fileName = *chosen;  // used as given: no extension added or tested
    const QFileInfo existing(fileName);
    if (!fileName.isEmpty() && existing.exists() && existing.size() != 0 &&
        !dialogs.askYesNo(QtText(OverwriteTitle), QString::fromStdString(OverwriteQuestion(fileName.toStdString()))))
        return;
    QString reason = "no file name was given";
    if (fileName.isEmpty() || !SavePicture(surface, fileName, "BMP", temporaries, &reason))
        dialogs.warn(QtText(MessageTitle),
                     QString::fromStdString(SaveFailedMessage(fileName.toStdString(), reason.toStdString())));
}
