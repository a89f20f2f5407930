#include "picture_file.h"

#include <QByteArray>
#include <QImageWriter>
#include <QSaveFile>

#include "atomic_save.h"

QImage SurfaceImage(const Canvas& surface) {
    return QImage(reinterpret_cast<const uchar*>(surface.pixels.data()), Canvas::Width, Canvas::Height,
                  Canvas::Width * int(sizeof(std::uint32_t)), QImage::Format_RGB32);
}

bool SavePicture(const Canvas& surface, const QString& path, const char* format, QString* error) {
    const bool bmp = QByteArray(format).compare("BMP", Qt::CaseInsensitive) == 0;
    const QImage image = bmp ? SurfaceImage(surface).convertToFormat(QImage::Format_RGB888) : SurfaceImage(surface);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, format);
    if (!writer.write(image)) {
        if (error) *error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    return CommitSave(file, error);
}
