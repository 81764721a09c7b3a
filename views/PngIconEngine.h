#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QList>
#include <QSize>
#include <QString>
#include <vector>

// An icon made of PNG files of several sizes that decodes a file only when a
// size it serves is first drawn. QIcon::addFile decodes every file at once
// (and asks every image format plugin about it); a strip of buttons drawn at
// one size needs one file per icon.
class CPngIconEngine : public QIconEngine
{
public:
    struct SFile
    {
        QString path;
        QSize size; // from the file's header
    };

    // Files in the order availableSizes lists them; unreadable ones are left out.
    explicit CPngIconEngine(const QStringList& paths);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

    // How many files have been decoded so far.
    int DecodedCount() const;

private:
    // The file that serves a size: the smallest at least as large, else the largest.
    int BestFile(const QSize& size) const;
    // Decodes the file serving `size` into m_loaded, if not yet.
    void EnsureLoaded(const QSize& size);

    std::vector<SFile> m_files;
    std::vector<bool> m_decoded;
    QIcon m_loaded; // the decoded files; draws the other modes too
};
