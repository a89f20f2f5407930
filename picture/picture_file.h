#pragma once

#include <QImage>
#include <QString>
#include <string>

#include "canvas.h"
#include "temporary_files.h"

// The surface as an image that shares its pixels: valid while the surface
// lives and keeps its size.
QImage CanvasImage(const Canvas& surface);

// The picture as a file's bytes in `format`: "BMP" (24-bit) or "PNG".
// Empty only when the encoder fails.
std::string EncodePicture(const Canvas& surface, const char* format);

// Writes the picture in `format` atomically: on failure no partial file is
// left and an existing file keeps its contents.
bool SavePicture(const Canvas& surface, const QString& path, const char* format, TemporaryFiles& temporaries,
                 QString* error);
