#include "views/PagedOutput.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

constexpr qreal kMarginMm = 15.0;

QString cannotWrite(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("CPagedOutput", "The file \"%1\" could not be written: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QPageSize CPagedOutput::LocalePageSize()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                      : QPageSize(QPageSize::A4);
}

void CPagedOutput::SetUpPages(QPagedPaintDevice& device)
{
    device.setPageSize(LocalePageSize());
    device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

bool CPagedOutput::PrintHtml(const QString& html, const QString& footer, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());

    QFont footerFont(QStringLiteral("Liberation Sans"));
    footerFont.setPointSizeF(9);
    const QFontMetricsF footerMetrics(footerFont, &device);
    const qreal footerHeight = 2 * footerMetrics.height();

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setHtml(html);
    const qreal bodyHeight = area.height() - footerHeight;
    document.setPageSize(QSizeF(area.width(), bodyHeight));
    const int pages = document.pageCount();

    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        painter.save();
        painter.translate(0, -page * bodyHeight);
        document.drawContents(&painter, QRectF(0, page * bodyHeight, area.width(), bodyHeight));
        painter.restore();
        DrawFooter(painter, footerFont, QRectF(0, bodyHeight, area.width(), footerHeight), footer,
            QCoreApplication::translate("CPagedOutput", "Page %1 of %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

void CPagedOutput::DrawFooter(
    QPainter& painter, const QFont& font, const QRectF& band, const QString& left, const QString& right)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(QPen(Qt::gray, 0));
    painter.drawLine(QLineF(band.topLeft(), band.topRight()));
    painter.setPen(Qt::black);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, left);
    painter.drawText(band, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, right);
    painter.restore();
}

bool CPagedOutput::WritePdf(
    const QString& path, const QString& title, const PagePainter& paint, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = cannotWrite(path, file.errorString());
        return false;
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kestavo"));
        SetUpPages(writer);
        painted = paint(writer);
    }
    if (!painted) {
        file.cancelWriting();
        error
            = cannotWrite(path, QCoreApplication::translate("CPagedOutput", "the pages could not be drawn"));
        return false;
    }
    if (!file.commit()) {
        error = cannotWrite(path, file.errorString());
        return false;
    }
    return true;
}

bool CPagedOutput::WriteFile(const QString& path, const QByteArray& data, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = cannotWrite(path, file.errorString());
        return false;
    }
    if (file.write(data) != data.size()) {
        error = cannotWrite(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = cannotWrite(path, file.errorString());
        return false;
    }
    return true;
}
