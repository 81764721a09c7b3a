#pragma once

// Reading PDFs back in tests through poppler-utils (pdftotext, pdfinfo).

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The text of a PDF in the order it was drawn (pdftotext -raw), or the
// tool's complaint prefixed with "ERROR:".
inline QString PdfText(const QString& path, const QStringList& extra = {})
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
        extra + QStringList { QStringLiteral("-raw"), path, QStringLiteral("-") });
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return QStringLiteral("ERROR: pdftotext: ") + QString::fromUtf8(tool.readAllStandardError())
            + tool.errorString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// A pdfinfo field ("Pages", "Page size"), empty when missing.
inline QString PdfInfo(const QString& path, const QString& field)
{
    QProcess tool;
    tool.start(QStringLiteral("pdfinfo"), { path });
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return QString();
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(QRegularExpression::escape(field)),
        QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(tool.readAllStandardOutput())).captured(1).trimmed();
}

// Whitespace runs made single spaces, so layouts compare as token sequences.
inline QString Tokens(const QString& text)
{
    return text.simplified();
}
