#pragma once

#include <QSaveFile>
#include <QString>

// Commits a QSaveFile only when every byte reached the disk. commit() alone
// misses a failure of the final flush of buffered data and would then put a
// cut-off file in place of the old one.
bool CommitSave(QSaveFile& file, QString* error);
