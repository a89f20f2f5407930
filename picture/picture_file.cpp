#include "picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageWriter>

#include "bmp_file.h"
#include "output_file.h"

namespace {

// A new QImage takes the screen's resolution, so the same picture would give
// other bytes from the window than from the renderer, which has no screen.
// Every file says 100 dpi instead.
constexpr int DotsPerMetre = 3937;

}  // namespace

QImage CanvasImage(const Canvas& surface) {
    QImage image(reinterpret_cast<const uchar*>(surface.pixels.data()), surface.width, surface.height,
                 qsizetype(surface.width) * qsizetype(sizeof(std::uint32_t)), QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMetre);
    image.setDotsPerMeterY(DotsPerMetre);
    return image;
}

std::string EncodePicture(const Canvas& surface, const char* format) {
    if (QByteArray(format).compare("BMP", Qt::CaseInsensitive) == 0) {
        std::string bmp;
        EncodeBmp(surface, bmp);
        return bmp;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(CanvasImage(surface))) return {};
    return bytes.toStdString();
}

bool SavePicture(const Canvas& surface, const QString& path, const char* format, TemporaryFiles& temporaries,
                 QString* error) {
    const std::string bytes = EncodePicture(surface, format);
    std::string reason = "the picture could not be encoded";
    if (!bytes.empty() && SaveBytes(QFile::encodeName(path).toStdString(), bytes, temporaries, &reason)) return true;
    if (error) *error = QString::fromStdString(reason);
    return false;
}
