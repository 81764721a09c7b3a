#include "views/PngResource.h"

#include "views/PngIconEngine.h"

#include <QFile>
#include <QImageReader>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPng, "kestavo.views.png")

QImage ReadPngFile(const QString& path)
{
    QImageReader reader(path, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QSize PngFileSize(const QString& path)
{
    QImageReader reader(path, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.size();
}

QImage LoadPngResource(int id)
{
    const QString path = QStringLiteral(":/png/%1.png").arg(id);
    // Read as PNG only, so a file of another type under this name is refused.
    QImage image = ReadPngFile(path);
    if (image.isNull()) {
        qCWarning(lcPng) << "no image resource" << id;
        return QImage();
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage LoadPngResource(int id, double scale, qreal devicePixelRatio)
{
    QImage natural = LoadPngResource(id);
    if (natural.isNull() || scale <= 0.0 || devicePixelRatio <= 0.0)
        return natural;
    const double need = scale * devicePixelRatio;
    if (need == 1.0)
        return natural;
    const QSize logical(qMax(1, qRound(natural.width() * scale)), qMax(1, qRound(natural.height() * scale)));
    const QSize pixels(qMax(1, qRound(logical.width() * devicePixelRatio)),
        qMax(1, qRound(logical.height() * devicePixelRatio)));

    // Artwork drawn at a higher resolution beats any resampling of the small one.
    QImage source = natural;
    for (int factor : { 2, 3, 4 }) {
        const QString path = QStringLiteral(":/png/%1@%2x.png").arg(id).arg(factor);
        if (!QFile::exists(path))
            continue;
        const QImage variant = ReadPngFile(path);
        if (!variant.isNull()) {
            source = variant.convertToFormat(QImage::Format_ARGB32);
            if (factor >= need)
                break;
        }
    }
    QImage image = source.size() == pixels
        ? source
        : source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QIcon LoadIconResource(int id)
{
    QStringList paths;
    const QString single = QStringLiteral(":/icons/%1.png").arg(id);
    if (QFile::exists(single))
        paths << single;
    for (int size : { 16, 24, 32, 48, 64, 96, 128, 256 }) {
        const QString variant = QStringLiteral(":/icons/%1-%2.png").arg(id).arg(size);
        if (QFile::exists(variant))
            paths << variant;
    }
    if (paths.isEmpty())
        return QIcon();
    // Decoded size by size as drawn: most of the files are never needed.
    return QIcon(new CPngIconEngine(paths));
}
