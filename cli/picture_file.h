#pragma once

#include <QImage>
#include <QString>

#include "canvas.h"

// The surface as an image that shares its pixels: valid while the surface
// lives and keeps its size.
QImage SurfaceImage(const Canvas& surface);

// Writes the picture in `format` ("BMP": 24-bit, "PNG") atomically: on failure
// no partial file is left and an existing file keeps its contents.
bool SavePicture(const Canvas& surface, const QString& path, const char* format, QString* error);
