#include "views/PngResource.h"

#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPng, "kestavo.views.png")

QImage LoadPngResource(int id)
{
    const QString path = QStringLiteral(":/png/%1.png").arg(id);
    QImage image;
    // The format is given so a file of another type under this name is refused.
    if (!image.load(path, "PNG")) {
        qCWarning(lcPng) << "no image resource" << id;
        return QImage();
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QIcon LoadIconResource(int id)
{
    QIcon icon;
    const QString single = QStringLiteral(":/icons/%1.png").arg(id);
    if (QFile::exists(single))
        icon.addFile(single);
    for (int size : { 16, 24, 32, 48, 64, 128, 256 }) {
        const QString variant = QStringLiteral(":/icons/%1-%2.png").arg(id).arg(size);
        if (QFile::exists(variant))
            icon.addFile(variant, QSize(size, size));
    }
    return icon;
}
