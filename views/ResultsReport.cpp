#include "views/ResultsReport.h"

#include "game/GameModel.h"
#include "platform/locale/DecimalSeparator.h"
#include "resources/StringTable.h"
#include "views/PlayedSettings.h"
#include "views/SavedAnswer.h"
#include "views/SummaryContent.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

constexpr int kScoreString = 139;
constexpr int kHintsString = 140;
constexpr int kCorrectOutOfString = 141;
constexpr int kMaxNameInFileName = 40;

QString withRemainder(const QString& answer, const QString& remainder)
{
    return remainder.isEmpty() ? answer : QStringLiteral("%1 R %2").arg(answer, remainder);
}

CResultsReport::Row makeRow(const CQuestionItem& item, int index, QChar separator)
{
    const CQuestion& q = item.question;
    const int unknown = q.algebra ? item.unknownPosition : 2;
    const CSummaryContent::Row summary = CSummaryContent::MakeRow(item, index);

    CResultsReport::Row row;
    row.number = index + 1;
    row.right = summary.right;
    QString shown;
    for (int c = CSummaryContent::kRowNumberCell + 1; c < 8; ++c)
        shown += summary.cells[c];
    row.shown = shown.simplified();

    const QString unknownText = unknown == 0 ? q.operand1 : unknown == 1 ? q.operand2 : q.result;
    const bool remainderAsked = unknown == 2 && q.HasRemainder();
    row.asked = QStringLiteral("%1 %2 %3 = %4")
                    .arg(unknown == 0 ? QStringLiteral("?") : q.operand1, q.operatorSign,
                        unknown == 1 ? QStringLiteral("?") : q.operand2,
                        unknown == 2 ? QStringLiteral("?") : q.result);
    if (q.HasRemainder())
        row.asked += QStringLiteral(" R %1").arg(remainderAsked ? QStringLiteral("?") : q.remainder);

    // The fields' own expected texts when they were saved, else the question's.
    const CSavedAnswer answer(item.answerState);
    const CSavedAnswer remainder(item.remainderState);
    const bool remainderSaved = remainder.IsPresent() && remainder.CellCount() > 0;
    QString expected = answer.IsPresent() ? answer.Expected().trimmed() : unknownText;
    QString expectedRemainder = remainderSaved ? remainder.Expected().trimmed()
        : remainderAsked                       ? q.remainder
                                               : QString();
    row.expected = withRemainder(expected, expectedRemainder);
    if (answer.IsPresent()) {
        const QString written = answer.Entries().trimmed();
        const QString writtenRemainder = remainderSaved ? remainder.Entries().trimmed() : QString();
        if (!written.isEmpty() || !writtenRemainder.isEmpty())
            row.answer = withRemainder(written.isEmpty() ? QStringLiteral("?") : written,
                writtenRemainder.isEmpty() && remainderAsked ? QStringLiteral("?") : writtenRemainder);
        row.hints = answer.HintCount() + (remainderSaved ? remainder.HintCount() : 0);
    }
    for (QString* text : { &row.asked, &row.expected, &row.answer })
        *text = CDecimalSeparator::Shown(*text, separator);
    return row;
}

} // namespace

CResultsReport::CResultsReport(const CGameModel& model, const QString& name, const QDateTime& when)
    : m_name(name.simplified())
    , m_when(when)
    , m_separator(CDecimalSeparator::Current())
{
    const CSummaryContent content(model);
    m_scoreLine = QStringLiteral("%1: %2 %3 %4")
                      .arg(LoadResString(kScoreString))
                      .arg(content.Correct())
                      .arg(LoadResString(kCorrectOutOfString))
                      .arg(content.QuestionCount());
    m_hintsLine = QStringLiteral("%1: %2").arg(LoadResString(kHintsString)).arg(content.Hints());
    for (const CParameterSet& set : model.GetOperatorSets())
        m_played << PlayedSettingsLine(set);
    for (int i = 0; i < model.GetItemCount(); ++i)
        m_rows.push_back(makeRow(*model.GetItem(i), i, m_separator));
}

QString CResultsReport::VerdictText(bool right)
{
    return right ? tr("✔ Right") : tr("✘ Wrong");
}

QString CResultsReport::ToHtml() const
{
    const QLocale locale;
    QString html;
    const QString title = tr("Kestavo results").toHtmlEscaped();
    html += QStringLiteral(
        "<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
        "<body style=\"font-family: 'Liberation Sans', Arial, sans-serif; font-size: 11pt\">")
                .arg(title);
    html += QStringLiteral("<h1>%1</h1>").arg(title);
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    const auto fact = [&html](const QString& label, const QString& value) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(label, value);
    };
    if (!m_name.isEmpty())
        fact(tr("Pupil or group:"), m_name.toHtmlEscaped());
    fact(tr("Date:"),
        QStringLiteral("%1, %2").arg(locale.toString(m_when.date(), QLocale::LongFormat),
            locale.toString(m_when.time(), QLocale::ShortFormat)));
    QStringList played;
    for (const QString& line : m_played)
        played << line.toHtmlEscaped();
    fact(tr("Played:"), played.join(QStringLiteral("<br>")));
    fact(tr("Questions:"), QString::number(m_rows.size()));
    html += QStringLiteral("</table>");
    html += QStringLiteral("<p style=\"font-size: 14pt\"><b>%1</b><br>%2</p>")
                .arg(m_scoreLine.toHtmlEscaped(), m_hintsLine.toHtmlEscaped());

    html
        += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\" "
                          "style=\"border-collapse: collapse; border-color: #888\">"
                          "<thead><tr style=\"background-color: #e8e8e8\"><th align=\"right\">%1</th>"
                          "<th align=\"left\">%2</th><th align=\"left\">%3</th>"
                          "<th align=\"left\">%4</th><th align=\"right\">%5</th>"
                          "<th align=\"left\">%6</th></tr></thead>")
               .arg(tr("No.").toHtmlEscaped(), tr("Question").toHtmlEscaped(), tr("Answer").toHtmlEscaped(),
                   tr("Expected").toHtmlEscaped(), tr("Hints").toHtmlEscaped(), tr("Result").toHtmlEscaped());
    for (const Row& row : m_rows) {
        const QString expected = row.answer == row.expected ? QString() : row.expected;
        html += QStringLiteral("<tr><td align=\"right\">%1</td><td>%2</td><td>%3</td><td>%4</td>"
                               "<td align=\"right\">%5</td><td style=\"color: %6\"><b>%7</b></td></tr>")
                    .arg(row.number)
                    .arg(row.shown.toHtmlEscaped(),
                        row.answer.isEmpty() ? tr("(none)") : row.answer.toHtmlEscaped(),
                        expected.toHtmlEscaped())
                    .arg(row.hints)
                    .arg(row.right ? QStringLiteral("#0000c0") : QStringLiteral("#c00000"),
                        VerdictText(row.right));
    }
    html += QStringLiteral("</table></body></html>");
    return html;
}

QString CResultsReport::CsvField(const QString& text, bool userText, QChar delimiter)
{
    QString field = text;
    // A typed text starting like a formula would be run by a spreadsheet.
    static const QString formulaStart = QStringLiteral("=+-@\t\r");
    if (userText && !field.isEmpty() && formulaStart.contains(field.front()))
        field.prepend(QLatin1Char('\''));
    if (field.contains(delimiter) || field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
        || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
        field.replace(QLatin1String("\""), QLatin1String("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field;
}

QByteArray CResultsReport::ToCsv() const
{
    const QString when = m_when.toString(Qt::ISODate);
    const QChar delimiter = CsvDelimiter();
    QStringList header;
    for (const QString& name : { tr("Number"), tr("Question"), tr("Expected answer"), tr("Pupil's answer"),
             tr("Result"), tr("Hints"), tr("Pupil or group"), tr("Date") })
        header << CsvField(name, false, delimiter);
    QString csv = header.join(delimiter) + QStringLiteral("\r\n");
    for (const Row& row : m_rows) {
        const QStringList fields = {
            QString::number(row.number),
            CsvField(row.asked, false, delimiter),
            CsvField(row.expected, false, delimiter),
            CsvField(row.answer, false, delimiter),
            row.right ? tr("right") : tr("wrong"),
            QString::number(row.hints),
            CsvField(m_name, true, delimiter),
            when,
        };
        csv += fields.join(delimiter) + QStringLiteral("\r\n");
    }
    return csv.toUtf8();
}

QString CResultsReport::FileNamePart(const QString& name)
{
    // Letters, digits, spaces and a few marks only: no path separators, no
    // dots that could hide or climb, nothing a shell or another system minds.
    QString part;
    for (const QChar c : name.simplified()) {
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('_'))
            part += c;
        else
            part += QLatin1Char('_');
    }
    part = part.left(kMaxNameInFileName).trimmed();
    static const QRegularExpression onlyMarks(QStringLiteral("^[_ -]*$"));
    return onlyMarks.match(part).hasMatch() ? QString() : part;
}

QString CResultsReport::SuggestedFileName(const QString& suffix) const
{
    const QString name = FileNamePart(m_name);
    QString base = tr("Kestavo results");
    if (!name.isEmpty())
        base += QStringLiteral(" - ") + name;
    base += QStringLiteral(" - ") + m_when.toString(QStringLiteral("yyyy-MM-dd HH-mm"));
    return base + QLatin1Char('.') + suffix;
}
