#include "picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageWriter>

#include "output_file.h"

QImage SurfaceImage(const Canvas& surface) {
    return QImage(reinterpret_cast<const uchar*>(surface.pixels.data()), Canvas::Width, Canvas::Height,
                  Canvas::Width * int(sizeof(std::uint32_t)), QImage::Format_RGB32);
}

std::string EncodePicture(const Canvas& surface, const char* format) {
    const bool bmp = QByteArray(format).compare("BMP", Qt::CaseInsensitive) == 0;
    const QImage image = bmp ? SurfaceImage(surface).convertToFormat(QImage::Format_RGB888) : SurfaceImage(surface);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image)) return {};
    return bytes.toStdString();
}

bool SavePicture(const Canvas& surface, const QString& path, const char* format, QString* error) {
    const std::string bytes = EncodePicture(surface, format);
    std::string reason = "the picture could not be encoded";
    if (!bytes.empty() && SaveBytes(QFile::encodeName(path).toStdString(), bytes, &reason)) return true;
    if (error) *error = QString::fromStdString(reason);
    return false;
}
