#include "views/PngIconEngine.h"

#include "views/PngResource.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

CPngIconEngine::CPngIconEngine(const QStringList& paths)
{
    for (const QString& path : paths) {
        const QSize size = PngFileSize(path);
        if (size.isValid() && !size.isEmpty())
            m_files.push_back({ path, size });
    }
    m_decoded.assign(m_files.size(), false);
}

int CPngIconEngine::BestFile(const QSize& size) const
{
    int best = -1;
    int largest = -1;
    const auto area = [](const QSize& s) { return qint64(s.width()) * s.height(); };
    for (int i = 0; i < int(m_files.size()); ++i) {
        const QSize& have = m_files[size_t(i)].size;
        if (largest < 0 || area(have) > area(m_files[size_t(largest)].size))
            largest = i;
        if (have.width() >= size.width() && have.height() >= size.height()
            && (best < 0 || area(have) < area(m_files[size_t(best)].size)))
            best = i;
    }
    return best >= 0 ? best : largest;
}

void CPngIconEngine::EnsureLoaded(const QSize& size)
{
    const int index = BestFile(size);
    if (index < 0 || m_decoded[size_t(index)])
        return;
    m_decoded[size_t(index)] = true;
    const QImage image = ReadPngFile(m_files[size_t(index)].path);
    if (!image.isNull())
        m_loaded.addPixmap(QPixmap::fromImage(image));
}

void CPngIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap pixmap = this->pixmap(rect.size() * ratio, mode, state);
    painter->drawPixmap(rect, pixmap);
}

QSize CPngIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    const int index = BestFile(size);
    if (index < 0)
        return QSize();
    const QSize have = m_files[size_t(index)].size;
    return have.width() <= size.width() && have.height() <= size.height()
        ? have
        : have.scaled(size, Qt::KeepAspectRatio);
}

QPixmap CPngIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    EnsureLoaded(size);
    // In pixels: the size asked for is already the device's.
    return m_loaded.pixmap(size, 1.0, mode, state);
}

QPixmap CPngIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal)
{
    return pixmap(size, mode, state);
}

QList<QSize> CPngIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    QList<QSize> sizes;
    if (mode != QIcon::Normal || state != QIcon::Off)
        return sizes;
    for (const SFile& file : m_files)
        sizes << file.size;
    return sizes;
}

QIconEngine* CPngIconEngine::clone() const
{
    return new CPngIconEngine(*this);
}

QString CPngIconEngine::key() const
{
    return QStringLiteral("CPngIconEngine");
}

bool CPngIconEngine::isNull()
{
    return m_files.empty();
}

int CPngIconEngine::DecodedCount() const
{
    int count = 0;
    for (const bool decoded : m_decoded)
        count += decoded ? 1 : 0;
    return count;
}
