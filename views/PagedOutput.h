#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <functional>

class QFont;
class QPagedPaintDevice;
class QPainter;
class QRectF;

// Pages and files for what a teacher keeps: the paper size of the user's
// locale, HTML laid out on pages (a PDF writer or a printer alike), and files
// written whole or not at all, so a failed save never leaves half a file.
class CPagedOutput
{
public:
    // Paints every page on the device; false when painting could not start.
    using PagePainter = std::function<bool(QPagedPaintDevice& device)>;

    // Letter where the locale measures in US units, A4 everywhere else.
    static QPageSize LocalePageSize();
    // Sets the page size and 15 mm margins on a writer or printer.
    static void SetUpPages(QPagedPaintDevice& device);

    // Lays the HTML out on the device's pages with a footer line on each:
    // the footer text on the left, "Page 1 of 2" on the right.
    static bool PrintHtml(const QString& html, const QString& footer, QPagedPaintDevice& device);
    static void DrawFooter(
        QPainter& painter, const QFont& font, const QRectF& band, const QString& left, const QString& right);

    // Writes a PDF through the painter into path; on failure error says why
    // in a sentence for the user and nothing at path is changed.
    static bool WritePdf(const QString& path, const QString& title, const PagePainter& paint, QString& error);
    static bool WriteFile(const QString& path, const QByteArray& data, QString& error);
};
