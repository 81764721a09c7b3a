#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

class CGameModel;

// What a teacher keeps of a finished game, worked out from the game model
// without a window: the header texts, one row per question as the summary
// shows it, and the report as HTML (for the PDF and the printer) and as CSV.
// The name typed for the pupil or group is escaped wherever it lands.
class CResultsReport
{
    Q_DECLARE_TR_FUNCTIONS(CResultsReport)

public:
    struct Row
    {
        int number = 0; // 1-based, playing order
        QString shown; // the question as the summary row shows it
        QString asked; // the question with "?" where the number to find goes
        QString answer; // what the pupil wrote, empty when nothing
        QString expected;
        int hints = 0;
        bool right = false;
    };

    CResultsReport(const CGameModel& model, const QString& name, const QDateTime& when);

    const QString& Name() const { return m_name; }
    const QDateTime& When() const { return m_when; }
    // "Score: 7 correct out of 10" and "Hints: 2", as the summary says them.
    const QString& ScoreLine() const { return m_scoreLine; }
    const QString& HintsLine() const { return m_hintsLine; }
    // One line per operator played: "Addition, level 2 (decimals, algebra style)".
    const QStringList& PlayedLines() const { return m_played; }
    const std::vector<Row>& Rows() const { return m_rows; }

    // "✔ Right" or "✘ Wrong": a symbol and a word, never colour alone.
    static QString VerdictText(bool right);

    QString ToHtml() const;
    // UTF-8 text with a header row and one row per question, RFC 4180 quoting.
    // Numbers carry the separator the summary shows; where that is the comma,
    // fields are separated by ";" as spreadsheets in comma locales expect, so
    // "3,5" stays one field and reads as a number there.
    QByteArray ToCsv() const;
    QChar CsvDelimiter() const
    {
        return m_separator == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
    }
    // "Kestavo results - Name - 2026-12-09 14-05.pdf": the name reduced to
    // characters that are safe in a file name on every system.
    QString SuggestedFileName(const QString& suffix) const;

    // One CSV field, quoted when it holds the delimiter, a comma, quote or line break; a text
    // a spreadsheet would take for a formula is kept as text.
    static QString CsvField(const QString& text, bool userText, QChar delimiter = QLatin1Char(','));
    // The name as a piece of a file name (may be empty).
    static QString FileNamePart(const QString& name);

private:
    QString m_name;
    QDateTime m_when;
    QChar m_separator; // the decimal separator numbers are written with
    QString m_scoreLine;
    QString m_hintsLine;
    QStringList m_played;
    std::vector<Row> m_rows;
};
