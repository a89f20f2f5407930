#include "atomic_save.h"

bool CommitSave(QSaveFile& file, QString* error) {
    if (file.flush() && file.commit()) return true;
    if (error) *error = file.errorString();
    file.cancelWriting();  // the destructor then removes the temporary file
    return false;
}
