// The results a teacher keeps: rows against the summary, CSV read back, the
// name escaped wherever it lands, PDFs read back with pdftotext.
#include "views/ResultsReport.h"

#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "platform/locale/DecimalSeparator.h"
#include "tests/views/PdfText.h"
#include "views/PagedOutput.h"
#include "views/SummaryContent.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// RFC 4180 reader: quoted fields with doubled quotes, CRLF records.
std::vector<QStringList> parseCsv(const QString& text, QChar delimiter = QLatin1Char(','))
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == delimiter) {
            record << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            record << field;
            records.push_back(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.isEmpty() && record.isEmpty()) << "last record not ended by CRLF";
    return records;
}

QString state(const QString& expected, const QString& entries, const QString& marks = QString())
{
    return expected + entries + (marks.isEmpty() ? QString(expected.size(), QLatin1Char(' ')) : marks)
        + QLatin1Char('1');
}

QString padded(const QString& text, int n)
{
    return text.rightJustified(n, QLatin1Char(' '));
}

// A real game of additions and divisions with remainders, answered in every
// way the summary tells apart.
struct ReportFixture : ::testing::Test
{
    explicit ReportFixture(int count = 12)
        : model(4242)
    {
        model.SetSetupRunner([count](std::vector<CParameterSet>& sets, int& n) {
            CParameterSet add;
            ApplyDefaults(add, OperatorName::Addition, 1);
            CParameterSet div;
            ApplyDefaults(div, OperatorName::Division, 1);
            SetRemainderIfPresent(div, true); // the level where remainders are offered
            sets = { add, div };
            n = count;
            return true;
        });
        model.SetMessageSink([](const QString&) {});
        model.NewGame(true);
    }

    // Answers question i: "right", "wrong", "hinted" or leaves it unvisited.
    void answer(int i, const char* how)
    {
        CQuestionItem& item = *model.GetItem(i);
        const CQuestion& q = item.question;
        const int unknown = q.algebra ? item.unknownPosition : 2;
        const QString expected = unknown == 0 ? q.operand1 : unknown == 1 ? q.operand2 : q.result;
        const int n = expected.size() + 1; // one spare cell, as the fields have
        const QString how_ = QString::fromLatin1(how);
        QString written = expected;
        if (how_ == QLatin1String("wrong"))
            written = expected == QLatin1String("9") ? QStringLiteral("8") : QStringLiteral("9");
        QString marks(n, QLatin1Char(' '));
        if (how_ == QLatin1String("hinted"))
            marks[n - 1] = QLatin1Char('x');
        item.answerState = state(padded(expected, n), padded(written, n), marks);
        if (unknown == 2 && q.HasRemainder())
            item.remainderState = state(q.remainder, q.remainder);
    }

    CGameModel model;
};

} // namespace

TEST_F(ReportFixture, RowsAndHeaderSayWhatTheSummarySays)
{
    ASSERT_EQ(model.GetItemCount(), 12);
    answer(0, "right");
    answer(1, "wrong");
    answer(2, "hinted");
    // 3..11 never visited
    const CResultsReport report(model, QStringLiteral("Class 3B"), QDateTime(QDate(2026, 3, 4), QTime(9, 5)));
    const CSummaryContent summary(model);
    EXPECT_EQ(report.ScoreLine(),
        QStringLiteral("Score: %1 correct out of %2").arg(summary.Correct()).arg(summary.QuestionCount()));
    EXPECT_EQ(report.ScoreLine(), QStringLiteral("Score: 2 correct out of 12"));
    EXPECT_EQ(report.HintsLine(), QStringLiteral("Hints: 1"));
    ASSERT_EQ(report.PlayedLines().size(), 2);
    EXPECT_EQ(report.PlayedLines()[0], QStringLiteral("Addition, level 2"));
    EXPECT_TRUE(report.PlayedLines()[1].startsWith(QStringLiteral("Division, level 2")));
    EXPECT_TRUE(report.PlayedLines()[1].contains(QStringLiteral("remainders")));

    ASSERT_EQ(report.Rows().size(), 12u);
    for (int i = 0; i < 12; ++i) {
        const CResultsReport::Row& row = report.Rows()[i];
        const CSummaryContent::Row shown = CSummaryContent::MakeRow(*model.GetItem(i), i);
        QString summaryText;
        for (int c = 1; c < 8; ++c)
            summaryText += shown.cells[c];
        EXPECT_EQ(row.number, i + 1);
        EXPECT_EQ(row.shown, summaryText.simplified()) << i;
        EXPECT_EQ(row.right, shown.right) << i;
        EXPECT_EQ(row.asked.count(QLatin1Char('?')),
            model.GetItem(i)->question.HasRemainder()
                    && (model.GetItem(i)->question.algebra ? model.GetItem(i)->unknownPosition : 2) == 2
                ? 2
                : 1)
            << row.asked.toStdString();
    }
    EXPECT_TRUE(report.Rows()[0].right);
    EXPECT_EQ(report.Rows()[0].answer, report.Rows()[0].expected);
    EXPECT_FALSE(report.Rows()[1].right);
    EXPECT_NE(report.Rows()[1].answer, report.Rows()[1].expected);
    EXPECT_TRUE(report.Rows()[2].right);
    EXPECT_EQ(report.Rows()[2].hints, 1);
    EXPECT_TRUE(report.Rows()[5].answer.isEmpty()); // unvisited: nothing written
    EXPECT_FALSE(report.Rows()[5].expected.isEmpty());
}

TEST_F(ReportFixture, CsvReadsBackAsTheRowsWithTheNameKeptIntact)
{
    answer(0, "right");
    answer(1, "wrong");
    // Commas, quotes, a line break and a formula: all must come back as typed
    // (the formula kept as text), none may split a field or a record.
    const QString name = QStringLiteral("=HYPERLINK(\"x\"), Zoë's\ngroup");
    const CResultsReport report(model, name, QDateTime(QDate(2026, 3, 4), QTime(9, 5)));
    const QByteArray csv = report.ToCsv();
    EXPECT_EQ(QString::fromUtf8(csv).toUtf8(), csv); // valid UTF-8
    const std::vector<QStringList> records = parseCsv(QString::fromUtf8(csv));
    ASSERT_EQ(records.size(), report.Rows().size() + 1);
    EXPECT_EQ(records[0].mid(0, 6),
        (QStringList { "Number", "Question", "Expected answer", "Pupil's answer", "Result", "Hints" }));
    for (size_t i = 0; i < report.Rows().size(); ++i) {
        const CResultsReport::Row& row = report.Rows()[i];
        const QStringList& record = records[i + 1];
        ASSERT_EQ(record.size(), records[0].size()) << i;
        EXPECT_EQ(record[0].toInt(), row.number);
        EXPECT_EQ(record[1], row.asked);
        EXPECT_EQ(record[2], row.expected);
        EXPECT_EQ(record[3], row.answer);
        EXPECT_EQ(record[4], row.right ? QStringLiteral("right") : QStringLiteral("wrong"));
        EXPECT_EQ(record[5].toInt(), row.hints);
        // Name survives, only prefixed so no spreadsheet runs it.
        EXPECT_EQ(record[6], QLatin1Char('\'') + report.Name());
    }
}

// A class that writes the comma sees it in the summary and the report; the
// CSV separates its fields by ";" so "3,75" stays one number for a
// spreadsheet in that locale. What was saved keeps the point.
TEST_F(ReportFixture, ACommaClassGetsCommasEverywhereAndASemicolonSeparatedCsv)
{
    ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Comma));
    CQuestionItem& item = *model.GetItem(0);
    item.question.operand1 = QStringLiteral("2.5");
    item.question.operatorSign = QStringLiteral("+");
    item.question.operand2 = QStringLiteral("1.25");
    item.question.result = QStringLiteral("3.75");
    item.question.remainder.clear();
    item.question.algebra = false;
    item.answerState = state(QStringLiteral("3.75"), QStringLiteral("3.70"));
    const QString saved = item.answerState;

    const CSummaryContent::Row shown = CSummaryContent::MakeRow(item, 0);
    EXPECT_EQ(shown.cells[1], QStringLiteral("2,5   "));
    EXPECT_EQ(shown.cells[5], QStringLiteral("3,70   "));
    const CResultsReport report(
        model, QStringLiteral("Klasse 3b; Gruppe 1"), QDateTime(QDate(2026, 3, 4), QTime(9, 5)));
    const CResultsReport::Row& row = report.Rows()[0];
    EXPECT_EQ(row.shown, QStringLiteral("2,5 + 1,25 = 3,70"));
    EXPECT_EQ(row.asked, QStringLiteral("2,5 + 1,25 = ?"));
    EXPECT_EQ(row.answer, QStringLiteral("3,70"));
    EXPECT_EQ(row.expected, QStringLiteral("3,75"));
    EXPECT_EQ(item.answerState, saved);

    const std::vector<QStringList> records = parseCsv(QString::fromUtf8(report.ToCsv()), QLatin1Char(';'));
    ASSERT_EQ(records.size(), report.Rows().size() + 1);
    EXPECT_EQ(records[0].size(), 8);
    EXPECT_EQ(records[1].mid(1, 3), (QStringList { "2,5 + 1,25 = ?", "3,75", "3,70" }));
    EXPECT_EQ(records[1][6], QStringLiteral("Klasse 3b; Gruppe 1"));

    ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Point));
    const CResultsReport pointReport(model, QString(), QDateTime(QDate(2026, 3, 4), QTime(9, 5)));
    EXPECT_EQ(pointReport.Rows()[0].shown, QStringLiteral("2.5 + 1.25 = 3.70"));
    EXPECT_EQ(parseCsv(QString::fromUtf8(pointReport.ToCsv()))[1][2], QStringLiteral("3.75"));
}

TEST(ResultsReportText, NameIsEscapedInFileNamesAndHtml)
{
    const struct
    {
        const char* typed;
        const char* part;
    } cases[] = {
        { "Class 3B", "Class 3B" },
        { "../../etc/passwd", "______etc_passwd" },
        { "a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j" },
        { "Zoë Ångström", "Zoë Ångström" },
        { "...", "" },
        { "  \t ", "" },
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CResultsReport::FileNamePart(QString::fromUtf8(c.typed)), QString::fromUtf8(c.part))
            << c.typed;
    EXPECT_LE(CResultsReport::FileNamePart(QString(300, QLatin1Char('a'))).size(), 40);

    CGameModel model(1);
    const CResultsReport report(
        model, QStringLiteral("<b>Reds</b> & \"Blues\""), QDateTime(QDate(2026, 1, 2), QTime(14, 5)));
    EXPECT_EQ(report.SuggestedFileName(QStringLiteral("pdf")),
        QStringLiteral("Kestavo results - _b_Reds__b_ _ _Blues_ - 2026-01-02 14-05.pdf"));
    const QString html = report.ToHtml();
    EXPECT_FALSE(html.contains(QStringLiteral("<b>Reds")));
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;Reds&lt;/b&gt; &amp; &quot;Blues&quot;")));

    const CResultsReport nameless(model, QString(), QDateTime(QDate(2026, 1, 2), QTime(14, 5)));
    EXPECT_EQ(nameless.SuggestedFileName(QStringLiteral("csv")),
        QStringLiteral("Kestavo results - 2026-01-02 14-05.csv"));
}

TEST(PagedOutputTest, FailedWritesLeaveWhatWasThere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    const QString missingFolder = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    EXPECT_FALSE(CPagedOutput::WriteFile(missingFolder, "x", error));
    EXPECT_TRUE(error.contains(QStringLiteral("could not be written"))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missingFolder));

    // A PDF whose pages cannot be drawn must not replace an earlier save.
    const QString kept = dir.filePath(QStringLiteral("kept.pdf"));
    ASSERT_TRUE(CPagedOutput::WriteFile(kept, "earlier results", error));
    error.clear();
    EXPECT_FALSE(CPagedOutput::WritePdf(
        kept, QStringLiteral("t"), [](QPagedPaintDevice&) { return false; }, error));
    EXPECT_FALSE(error.isEmpty());
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("earlier results"));
}

struct LongReportFixture : ReportFixture
{
    LongReportFixture()
        : ReportFixture(50)
    {
    }
};

TEST_F(LongReportFixture, PdfHoldsEveryRowAcrossPagesAndReadsBack)
{
    ASSERT_EQ(model.GetItemCount(), 50);
    for (int i = 0; i < 50; ++i)
        answer(i, i % 3 == 0 ? "wrong" : i % 5 == 0 ? "hinted" : "right");
    const CResultsReport report(
        model, QStringLiteral("Reds & <Blues>"), QDateTime(QDate(2026, 3, 4), QTime(9, 5)));

    // Kept beside the screenshots for a look (out of the repository).
    const QString dir = QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots");
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/results-report.pdf");
    QString error;
    const QString html = report.ToHtml();
    ASSERT_TRUE(CPagedOutput::WritePdf(
        path, QStringLiteral("Kestavo results"),
        [&html](QPagedPaintDevice& device) {
            return CPagedOutput::PrintHtml(html, QStringLiteral("footer"), device);
        },
        error))
        << error.toStdString();

    EXPECT_GE(PdfInfo(path, QStringLiteral("Pages")).toInt(), 2);
    const QString text = Tokens(PdfText(path));
    ASSERT_FALSE(text.startsWith(QStringLiteral("ERROR:"))) << text.toStdString();
    EXPECT_TRUE(text.contains(report.ScoreLine()));
    EXPECT_TRUE(text.contains(report.HintsLine()));
    EXPECT_TRUE(text.contains(QStringLiteral("Reds & <Blues>")));
    // Every row once, in order, with its verdict as a word.
    int from = 0;
    for (const CResultsReport::Row& row : report.Rows()) {
        const QString line = Tokens(QStringLiteral("%1 %2").arg(row.number).arg(row.shown));
        const int at = text.indexOf(line, from);
        ASSERT_GE(at, 0) << "row " << row.number << " missing: " << line.toStdString();
        const int verdict = text.indexOf(row.right ? QStringLiteral("Right") : QStringLiteral("Wrong"), at);
        EXPECT_GE(verdict, 0);
        from = at + line.size();
    }
    EXPECT_EQ(
        text.count(QStringLiteral("Wrong")), 50 - report.ScoreLine().section(QLatin1Char(' '), 1, 1).toInt());
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of")));
}
