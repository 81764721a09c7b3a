// kestavo --worksheet: the same questions as --questions, laid out with boxes,
// the answer key after them and the seed in the footer, read back with pdftotext.
#include "app/WorksheetCommand.h"

#include "game/QuestionsCommand.h"
#include "tests/views/PdfText.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct CommandRun
{
    int code = -1;
    QString out;
    QString err;
};

CommandRun run(int (*command)(const QStringList&, QTextStream&, QTextStream&), const QStringList& args)
{
    CommandRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = command(args, out, err);
    return r;
}

struct Asked
{
    QString shown; // the question as the sheet prints it: the unknown left out
    QString key; // "N) answer"
};

// "N) a s b = c[ R r]  [?=K]" of --questions as the sheet's text must read.
Asked fromQuestionsLine(const QString& line)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d+)\) (\S+) (\S) (\S+) = (\S+)(?: R (\S+))?  \[\?=([012])\]$)"));
    const QRegularExpressionMatch m = pattern.match(line);
    EXPECT_TRUE(m.hasMatch()) << line.toStdString();
    const int unknown = m.captured(7).toInt();
    QStringList parts { m.captured(1) + QLatin1Char(')') };
    const QString numbers[3] = { m.captured(2), m.captured(4), m.captured(5) };
    const QString remainder = m.captured(6);
    if (unknown != 0)
        parts << numbers[0];
    parts << m.captured(3);
    if (unknown != 1)
        parts << numbers[1];
    parts << QStringLiteral("=");
    if (unknown != 2)
        parts << numbers[2];
    if (!remainder.isEmpty()) {
        parts << QStringLiteral("R");
        if (unknown != 2)
            parts << remainder;
    }
    QString key = numbers[unknown];
    if (unknown == 2 && !remainder.isEmpty())
        key += QStringLiteral(" R ") + remainder;
    return { parts.join(QLatin1Char(' ')), m.captured(1) + QStringLiteral(") ") + key };
}

} // namespace

TEST(WorksheetCommandTest, SheetAndKeyHoldTheQuestionsOfTheSameArguments)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList cases[] = {
        { "--operators", "Addition", "--count", "10", "--seed", "7" },
        // Column sums at the higher addition levels, algebra style, remainders.
        { "--operators", "Addition,Division", "--levels", "5,4", "--count", "30", "--seed", "2024" },
        { "--operators", "Subtraction,Multiplication", "--levels", "3", "--count", "50", "--seed", "99" },
    };
    for (const QStringList& args : cases) {
        const QString label = args.join(QLatin1Char(' '));
        const CommandRun questions
            = run(RunQuestionsCommand, QStringList { QStringLiteral("--questions") } + args);
        ASSERT_EQ(questions.code, 0) << questions.err.toStdString();
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        const CommandRun sheet
            = run(RunWorksheetCommand, QStringList { QStringLiteral("--worksheet"), path } + args);
        ASSERT_EQ(sheet.code, 0) << label.toStdString() << sheet.err.toStdString();
        EXPECT_TRUE(sheet.out.contains(QStringLiteral("seed ") + args.last())) << sheet.out.toStdString();

        const QString text = Tokens(PdfText(path));
        ASSERT_FALSE(text.startsWith(QStringLiteral("ERROR:"))) << text.toStdString();
        const int keyStart = text.indexOf(QStringLiteral("Answer key"));
        ASSERT_GT(keyStart, 0) << label.toStdString();
        const QString questionsPart = text.left(keyStart);
        const QString keyPart = text.mid(keyStart);
        int from = 0;
        int keyFrom = 0;
        for (const QString& line : questions.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const Asked asked = fromQuestionsLine(line);
            const int at = questionsPart.indexOf(asked.shown, from);
            ASSERT_GE(at, 0) << label.toStdString() << ": " << asked.shown.toStdString();
            from = at + asked.shown.size();
            const int keyAt = keyPart.indexOf(asked.key + QLatin1Char(' '), keyFrom);
            ASSERT_GE(keyAt, 0) << label.toStdString() << ": " << asked.key.toStdString();
            keyFrom = keyAt + asked.key.size();
        }
        EXPECT_TRUE(text.contains(QStringLiteral("Kestavo worksheet, seed ") + args.last()));
        // The key starts on a page of its own.
        const int pages = PdfInfo(path, QStringLiteral("Pages")).toInt();
        EXPECT_GE(pages, 2);
        const QString lastPage
            = Tokens(PdfText(path, { "-f", QString::number(pages), "-l", QString::number(pages) }));
        EXPECT_FALSE(lastPage.contains(QStringLiteral("Worksheet"))) << lastPage.toStdString();
    }
}

TEST(WorksheetCommandTest, BadUsageAndUnwritableFilesAreToldAndExitNonZero)
{
    QTemporaryDir dir;
    const struct
    {
        QStringList args;
        int code;
        const char* says;
    } cases[] = {
        { { "--worksheet" }, 2, "Missing value after '--worksheet'" },
        { { "--worksheet", "--count", "5" }, 2, "unexpected argument '5'" },
        { { "--worksheet", "a.pdf", "--count", "0" }, 2, "--count is 1 to" },
        { { "--worksheet", "a.pdf", "--worksheet", "b.pdf" }, 2, "given twice" },
        { { "--worksheet", "a.pdf", "--bogus" }, 2, "Unknown option 'bogus'" },
        { { "--worksheet", dir.filePath("missing/folder/a.pdf"), "--seed", "1" }, 1, "could not be written" },
    };
    for (const auto& c : cases) {
        const CommandRun r = run(RunWorksheetCommand, c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.says))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("a.pdf")));
}
