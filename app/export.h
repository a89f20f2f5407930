#pragma once

#include "canvas.h"
#include "dialogs.h"
#include "temporary_files.h"

// The picture export: ask for a name, ask before replacing a file with
// content, write a BMP atomically, warn when it cannot be written.
void ExportPicture(const Canvas& surface, const Dialogs& dialogs, TemporaryFiles& temporaries);
