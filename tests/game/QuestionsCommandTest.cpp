#include "game/QuestionsCommand.h"

#include "config/OperatorSettings.h"
#include "resources/StringTable.h"

#include <QRegularExpression>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct CommandRun
{
    int code = -1;
    QString out;
    QString err;
    QStringList lines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

CommandRun Questions(const QStringList& args)
{
    CommandRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = RunQuestionsCommand(QStringList { QStringLiteral("--questions") } + args, out, err);
    return run;
}

TEST(QuestionsCommandTest, PrintsOneHandCheckedQuestion)
{
    // Seed 1 draws 41 and 18467: factors 2 (0 falls back) and 6. One question
    // is not shuffled, and the first level never hides an operand.
    const CommandRun run = Questions({ "--operators", "Multiplication", "--count", "1", "--seed", "1" });
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, QStringLiteral("1) 2 x 6 = 12  [?=2]\n"));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(QuestionsCommandTest, LineFormatWithRemaindersAndAlgebra)
{
    const CommandRun run = Questions(
        { "--operators", "division,Addition", "--levels", "2,5", "--count", "30", "--seed", "2024" });
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QStringList lines = run.lines();
    ASSERT_EQ(lines.size(), 30);
    const QRegularExpression pattern(
        QStringLiteral(R"(^(\d+)\) (-?[\d.]+) ([+/]) (-?[\d.]+) = (-?[\d.]+)( R \d+)?  \[\?=([012])\]$)"));
    bool sawRemainder = false;
    bool sawHiddenOperand = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = pattern.match(lines[i]);
        ASSERT_TRUE(match.hasMatch()) << lines[i].toStdString();
        EXPECT_EQ(match.captured(1).toInt(), i + 1);
        const bool division = match.captured(3) == QStringLiteral("/");
        if (!match.captured(6).isEmpty()) {
            EXPECT_TRUE(division);
            sawRemainder = true;
        }
        // Division runs at level 2 (index 1), addition at level 5 with algebra.
        if (division)
            EXPECT_EQ(match.captured(7), QStringLiteral("2"));
        else if (match.captured(7) != QStringLiteral("2"))
            sawHiddenOperand = true;
    }
    EXPECT_TRUE(sawRemainder);
    EXPECT_TRUE(sawHiddenOperand);

    // The same seed prints the same game.
    EXPECT_EQ(Questions({ "--operators", "division,Addition", "--levels", "2,5", "--count", "30", "--seed",
                            "2024" })
                  .out,
        run.out);
}

TEST(QuestionsCommandTest, ShortfallGoesToErrorOutput)
{
    const CommandRun run = Questions({ "--count", "50", "--seed", "5" });
    EXPECT_EQ(run.code, 0);
    EXPECT_LT(run.lines().size(), 50);
    EXPECT_GT(run.lines().size(), 0);
    EXPECT_EQ(run.err.trimmed(), LoadResString(150));
    EXPECT_FALSE(run.out.contains(QStringLiteral("too high")));
}

TEST(QuestionsCommandTest, StoredSettingsReplaceTheGivenOnes)
{
    CParameterSet division;
    ApplyDefaults(division, OperatorName::Division, 1);
    division.SetBool(ParamKey::Selected, true);
    ASSERT_EQ(
        division.SaveToRegistry(HKEY_CURRENT_USER, OperatorRegistryKey(OpDivision).c_str()), ERROR_SUCCESS);
    CParameterSet addition;
    ApplyDefaults(addition, OperatorName::Addition, 3);
    addition.SetBool(ParamKey::Selected, false);
    ASSERT_EQ(
        addition.SaveToRegistry(HKEY_CURRENT_USER, OperatorRegistryKey(OpAddition).c_str()), ERROR_SUCCESS);
    ASSERT_EQ(RegWriteDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, 1), ERROR_SUCCESS);

    const CommandRun run
        = Questions({ "--settings", "--operators", "Addition", "--count", "40", "--seed", "3" });
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QStringList lines = run.lines();
    ASSERT_EQ(lines.size(), 15) << "list index 1 is 15 questions";
    for (const QString& line : lines)
        EXPECT_TRUE(line.contains(QStringLiteral(" / ")) && line.contains(QStringLiteral(" R ")))
            << line.toStdString();
}

TEST(QuestionsCommandTest, NothingStoredIsAnError)
{
    const CommandRun run = Questions({ "--settings" });
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(run.err.isEmpty());
}

TEST(QuestionsCommandTest, BadArgumentsAreRejected)
{
    const QList<QStringList> bad = {
        { "--operators", "Modulo" },
        { "--operators", "Addition,Addition" },
        { "--levels", "0" },
        { "--levels", "6" },
        { "--operators", "Addition,Division,Multiplication", "--levels", "1,2" },
        { "--count", "0" },
        { "--count", "ten" },
        { "--seed", "-1" },
        { "--seed" },
        { "--colour", "red" },
    };
    for (const QStringList& args : bad) {
        const CommandRun run = Questions(args);
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage:")));
    }
}

} // namespace
