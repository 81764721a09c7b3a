// Plays whole games through `kestavo --script` on the offscreen platform, with
// the pen input control, the board software and the recogniser registered in
// the test's own hive, and compares the printed summary.
#include "tests/e2e/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kBuildRoot = QDir(QStringLiteral(KESTAVO_TEST_BIN_DIR "/..")).absolutePath();
const QString kScripts = QStringLiteral(KESTAVO_TEST_SOURCE_DIR "/tests/e2e/scripts");

class PlayScriptE2ETest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const Result reg = RunProgram(kBuildRoot + QStringLiteral("/bin/kestavo-register"),
            { QStringLiteral("--user"), QStringLiteral("--build-tree"), kBuildRoot });
        ASSERT_EQ(reg.exitCode, 0) << reg.err.toStdString();
    }

    Result Play(const QString& scriptPath, const QStringList& extra = {})
    {
        return RunProgram(kBuildRoot + QStringLiteral("/bin/kestavo"),
            QStringList { QStringLiteral("--script"), scriptPath } + extra);
    }

    QString WriteScript(const QString& text)
    {
        const QString path = m_dir.filePath(QStringLiteral("script.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(PlayScriptE2ETest, FullGamePrintsTheSummary)
{
    const Result r = Play(kScripts + QStringLiteral("/full_game.txt"),
        { QStringLiteral("--screenshots"), m_dir.filePath(QStringLiteral("shots")) });
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Typed, pen-written (question 3), counted with apples by mouse and pen, scribbled and
    // erased, left empty (6), corrected (7) and wrong (2, 9) answers.
    EXPECT_EQ(r.out.toStdString(),
        "Score: 7 correct out of 10\n"
        "Hints: 0\n"
        "1)\t3   +   3   =   6   right\n"
        "2)\t4   +   2   =   7   wrong\n"
        "3)\t10   +   1   =   11   right\n"
        "4)\t4   +   1   =   5   right\n"
        "5)\t3   +   5   =   8   right\n"
        "6)\t5   +   1   =   ?   wrong\n"
        "7)\t2   +   6   =   8   right\n"
        "8)\t5   +   2   =   7   right\n"
        "9)\t1   +   2   =   4   wrong\n"
        "10)\t5   +   4   =   9   right\n");
}

TEST_F(PlayScriptE2ETest, HintsDivisionAndScreenshots)
{
    const QString shots = m_dir.filePath(QStringLiteral("shots"));
    const QString path = WriteScript(QStringLiteral("seed 7\n"
                                                    "questions 10\n"
                                                    "operator divide 2\n"
                                                    "size 1024 768\n"
                                                    "hint\n"
                                                    "screenshot first\n"
                                                    "stop\n"));
    const Result r = Play(path, { QStringLiteral("--screenshots"), shots });
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("Score: 0 correct out of 10"));
    EXPECT_EQ(lines[1], QStringLiteral("Hints: 1"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("1)\t"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral("   /   "))) << lines[2].toStdString();
    const QImage first(shots + QStringLiteral("/first.png"));
    EXPECT_EQ(first.size(), QSize(1024, 768));
}

TEST_F(PlayScriptE2ETest, ErrorsNameTheLine)
{
    // A malformed line stops before the program starts.
    Result r = Play(WriteScript(QStringLiteral("seed 1\ncheck\nwave hands\n")));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("line 3: unknown command 'wave'"))) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    // A command that cannot be carried out stops the play with its line.
    r = Play(WriteScript(QStringLiteral("seed 1\nnext\nexpect status Question 3 of 10\n")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("line 3: the status reads 'Question 2 of 10', not 'Question 3 of 10'")))
        << r.err.toStdString();

    r = Play(WriteScript(QStringLiteral("operator add 3 Manipulatives=True\n")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("line 1: 'Manipulatives' is locked at level 3")))
        << r.err.toStdString();
}

TEST_F(PlayScriptE2ETest, LongPenStrokePlaysAndRegisteredPartsAreFound)
{
    // Far more points than fit on one line of the board's replay.
    QStringList points;
    for (int i = 0; i < 2000; ++i)
        points << QStringLiteral("%1,%2").arg(100 + i % 200).arg(100 + i / 200 * 4);
    const Result r = Play(WriteScript(QStringLiteral("seed 1\n"
                                                     "questions 10\n"
                                                     "operator add 1\n"
                                                     "size 1024 768\n"
                                                     "expect status Question 1 of 10\n"
                                                     "pen %1\n"
                                                     "expect strokes 1\n"
                                                     "stop\n")
                                          .arg(points.join(QLatin1Char(' ')))));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The start-up check finds what kestavo-register registered.
    EXPECT_FALSE(r.err.contains(QStringLiteral("answer boxes"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("whiteboard software"))) << r.err.toStdString();
}

namespace {

const char* const kPenTouchSummary = "Score: 3 correct out of 10\n"
                                     "Hints: 1\n"
                                     "1)\t3   +   3   =   6   right\n"
                                     "2)\t4   +   2   =   6   right\n"
                                     "3)\t10   +   1   =   11   right\n"
                                     "4)\t4   +   1   =   ?   wrong\n"
                                     "5)\t3   +   5   =   ?   wrong\n"
                                     "6)\t5   +   1   =   ?   wrong\n"
                                     "7)\t2   +   6   =   ?   wrong\n"
                                     "8)\t5   +   2   =   ?   wrong\n"
                                     "9)\t1   +   2   =   ?   wrong\n"
                                     "10)\t5   +   4   =   ?   wrong\n";

// The second game of the pen-only script: Setup answered again by pen taps,
// its addition slider moved to level 3.
const char* const kPenSecondGame = "Score: 0 correct out of 10\n"
                                   "Hints: 0\n"
                                   "1)\t42   +   16   =   ??   wrong\n"
                                   "2)\t15   +   51   =   ??   wrong\n"
                                   "3)\t22   +   37   =   ??   wrong\n"
                                   "4)\t53   +   43   =   ??   wrong\n"
                                   "5)\t4   +   32   =   ??   wrong\n"
                                   "6)\t40   +   36   =   ??   wrong\n"
                                   "7)\t31   +   87   =   ???   wrong\n"
                                   "8)\t83   +   25   =   ???   wrong\n"
                                   "9)\t27   +   40   =   ??   wrong\n"
                                   "10)\t62   +   6   =   ??   wrong\n";

// The second game of the touch-only script: New Game kept the level.
const char* const kTouchSecondGame = "Score: 0 correct out of 10\n"
                                     "Hints: 0\n"
                                     "1)\t6   +   3   =   ?   wrong\n"
                                     "2)\t7   +   1   =   ?   wrong\n"
                                     "3)\t5   +   3   =   ?   wrong\n"
                                     "4)\t2   +   2   =   ?   wrong\n"
                                     "5)\t4   +   2   =   ?   wrong\n"
                                     "6)\t3   +   6   =   ?   wrong\n"
                                     "7)\t6   +   2   =   ?   wrong\n"
                                     "8)\t6   +   1   =   ?   wrong\n"
                                     "9)\t10   +   1   =   ??   wrong\n"
                                     "10)\t8   +   1   =   ?   wrong\n";

// The summary without the cell lines a script printed before it.
std::string SummaryOf(const QString& out)
{
    QString summary;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!line.contains(QStringLiteral(" cell ")))
            summary += line + QLatin1Char('\n');
    return summary.toStdString();
}

} // namespace

// Pen only, through the window system's input path: Setup's check box and OK tapped,
// written answers recognised by putting the pen back and by "A", strip buttons, a
// Game menu item and About (from the Help menu, closed with OK) tapped (never pressed
// twice or lost), apples and scribbles by pen,
// rubbed out by the eraser end; New Game and Setup again by pen taps (a slider moved
// two levels). Recorded, then replayed through the board's replay driver: the same
// first game (dialogs are not the board's, so the replay answers New Game itself).
TEST_F(PlayScriptE2ETest, PenOnlyGameAndItsRecordingReplayed)
{
    const QString recording = m_dir.filePath(QStringLiteral("board.txt"));
    const Result r = Play(kScripts + QStringLiteral("/pen_game.txt"),
        { QStringLiteral("--record"), recording, QStringLiteral("--screenshots"), m_dir.filePath("shots") });
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(SummaryOf(r.out), std::string(kPenTouchSummary) + kPenSecondGame);
    // The field was magnified by the pen stroke before it: two cells of 81 x 117.
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("result cell 1: 0,0 81x117\nresult cell 2: 81,0 81x117\n")))
        << r.out.toStdString();

    const Result replayed = Play(WriteScript(
        QStringLiteral("seed 42\nquestions 10\noperator add 1\nsize 1024 768\nnewgame cancel\nreplay %1\n")
            .arg(recording)));
    ASSERT_EQ(replayed.exitCode, 0) << replayed.err.toStdString();
    EXPECT_EQ(SummaryOf(replayed.out), kPenTouchSummary);
}

// The same by touch alone, with the board's default settings; "Ask before ending a
// game" ticked in the Game menu, so STOP is answered in a message box by touch.
TEST_F(PlayScriptE2ETest, TouchOnlyGameWithTheDefaultSettings)
{
    const Result r = Play(kScripts + QStringLiteral("/touch_game.txt"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(SummaryOf(r.out), std::string(kPenTouchSummary) + kTouchSecondGame);
}

// A pupil's pen grazes the answer cell left of the digit: the cell is read one
// character at a time, so a tick taken for a "1" would push the 6 out of it.
TEST_F(PlayScriptE2ETest, AStrayTickBeforeAPenWrittenDigitIsPassedOver)
{
    const Result r = Play(WriteScript(QStringLiteral(
        "seed 42\nquestions 10\noperator add 1\nsize 1024 768\ninput window\n"
        "pen 600,300 610,300\n"
        "pen result:6,45 result:7,62 result:8,80\n"
        "pen result:64,22 result:50,36 result:40,55 result:37,80 result:44,102 result:57,110 result:68,100 "
        "result:70,84 result:60,72 result:44,76 result:39,90\n"
        "tap recognise\nstop\n")));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("1)\t3   +   3   =   6   right\n"))) << r.out.toStdString();
}

// A 6, a 4 and an 8 from the validation handwriting, written across the cells
// through the window system: the 4's arm is traced with a short upright piece
// apart, high in the line, which must not become the number's point ("6.4").
TEST_F(PlayScriptE2ETest, APieceOfADigitHighInTheLineIsNoPoint)
{
    const Result r = Play(WriteScript(QStringLiteral(
        "seed 1037\nquestions 10\noperator multiply 3\nsize 1024 768\ninput window\n"
        "next\nnext\nnext\nnext\nnext\ntray pen\n"
        "pen result:56,11 result:56,15 result:55,18 result:51,20 result:47,22 result:44,26 result:42,29 "
        "result:38,33 result:34,35 result:31,39 result:29,42 result:29,46 result:32,48 result:36,50 "
        "result:40,51 result:44,51 result:47,51 result:51,50 result:55,51 result:58,51 result:62,53 "
        "result:64,57 result:62,61 result:62,64 result:58,68 result:55,70 result:51,72 result:47,72 "
        "result:44,72 result:40,74 result:36,74 result:34,70 result:34,66 result:34,62 result:34,59 "
        "result:36,55 result:38,51\n"
        "pen result:25,46 result:27,46 result:29,46\n"
        "pen result:23,48 result:20,50 result:16,53 result:12,57 result:12,61 result:10,64 result:10,68 "
        "result:10,72 result:14,75 result:18,77 result:21,77 result:25,77 result:29,77 result:32,77 "
        "result:36,75 result:36,74\n"
        "pen result:122,28 result:120,31 result:119,34 result:117,36 result:114,39 result:113,42 "
        "result:112,45 result:110,48 result:109,51 result:107,54 result:104,57 result:101,60 result:101,63 "
        "result:100,66 result:100,68 result:100,71 result:98,74 result:97,77\n"
        "pen result:68,31 result:68,34 result:68,36 result:68,39 result:68,42\n"
        "pen result:88,35 result:87,38 result:85,41 result:85,44 result:84,47 result:82,50 result:81,52 "
        "result:80,55 result:81,58 result:84,58 result:87,57 result:85,54 result:82,51\n"
        "pen result:88,57 result:91,57 result:94,57 result:97,57 result:100,58 result:103,58\n"
        "pen result:185,25 result:182,26 result:179,25 result:176,26 result:173,26 result:170,26 "
        "result:167,28 result:164,28 result:161,28 result:158,31 result:155,31 result:152,32 result:149,32 "
        "result:146,32 result:143,34 result:141,37 result:143,40 result:144,43 result:144,46 result:144,49 "
        "result:144,52 result:144,55 result:143,58 result:143,61 result:141,64 result:138,67 result:135,67 "
        "result:132,65 result:131,62 result:131,59 result:131,56 result:131,53 result:132,50 result:132,47 "
        "result:134,44 result:135,41 result:138,40 result:141,38\n"
        "pen result:150,19 result:153,19 result:156,20 result:159,23 result:161,26 result:161,28\n"
        "pen result:149,20 result:146,22 result:143,25 result:143,28 result:141,31 result:143,34\n"
        "tray none\nstop\n")));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("6)\t81   x   8   =   648   right\n"))) << r.out.toStdString();
}

TEST_F(PlayScriptE2ETest, AnUnwritableRecordingIsOneLineAndPlayGoesOn)
{
    const Result r = Play(WriteScript(QStringLiteral("seed 42\nstop\n")),
        { QStringLiteral("--record"), m_dir.filePath(QStringLiteral("missing/folder/board.txt")) });
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count(QStringLiteral("board recorder: cannot write")), 1) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Score: 0 correct out of 10"))) << r.out.toStdString();
}

// A dialog waits for the script's taps: a tap it cannot take, a wrong dialog, or a
// dialog nobody answers stops the play with a reason instead of hanging it.
TEST_F(PlayScriptE2ETest, DialogsThatAreNotAnsweredStopThePlay)
{
    const struct
    {
        const char* script;
        const char* error;
    } cases[] = {
        // OK waits for an operator to be ticked.
        { "setup dialog\ntap dialog:OK\n", "line 2: 'OK' is disabled in the 'Setup' window" },
        { "setup dialog\nexpect dialog New Game\n", "line 2: the open dialog is 'Setup', not 'New Game'" },
        { "setup dialog\ntap dialog:Percentages\n", "line 2: the 'Setup' window shows no 'Percentages'" },
        { "setup dialog\ntap dialog:Addition\n", "the script ended with the 'Setup' window open" },
        { "tap menu:Game\ntap menu:Cheat\n", "line 2: the open menu has no item 'Cheat'" },
        // The About box has no title of its own: still a dialog, not none.
        { "tap menu:Help\ntap menu:About Kestavo...\nexpect dialog none\n",
            "line 3: the open dialog is '', not none" },
    };
    for (const auto& c : cases) {
        const Result r = Play(WriteScript(QString::fromUtf8(c.script)));
        EXPECT_EQ(r.exitCode, 1) << c.script;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.error))) << c.script << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.script;
    }
}
