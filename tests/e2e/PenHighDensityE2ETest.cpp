// The pen-only game through the window system's input path on a screen of
// device pixel ratio 2 (QT_SCALE_FACTOR=2, a 3840 x 2160 panel at 200 %): the
// same answers land in the same cells and every strip tap presses its button
// once, as at ratio 1.
#include "tests/e2e/RunProgram.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kBuildRoot = QDir(QStringLiteral(KESTAVO_TEST_BIN_DIR "/..")).absolutePath();
const QString kPenGame = QStringLiteral(KESTAVO_TEST_SOURCE_DIR "/tests/e2e/scripts/pen_game.txt");

} // namespace

TEST(PenHighDensityE2ETest, PenGameAtRatioTwoWritesInTheSameCellsAndTapsTheSameButtons)
{
    QTemporaryDir dir;
    Result played[2];
    const QString ratios[2] = { QString(), QStringLiteral("2") };
    const QByteArray testHive = qgetenv("KESTAVO_HIVE_DIR");
    for (int i = 0; i < 2; ++i) {
        // Each run starts as a new user: Setup saves the ticked operator, and the
        // script's tap on it would untick it in a second run on the same settings.
        QTemporaryDir hive;
        ASSERT_TRUE(hive.isValid());
        qputenv("KESTAVO_HIVE_DIR", hive.path().toLocal8Bit());
        const Result reg = RunProgram(kBuildRoot + QStringLiteral("/bin/kestavo-register"),
            { QStringLiteral("--user"), QStringLiteral("--build-tree"), kBuildRoot });
        ASSERT_EQ(reg.exitCode, 0) << reg.err.toStdString();
        played[i] = RunProgram(kBuildRoot + QStringLiteral("/bin/kestavo"),
            { QStringLiteral("--script"), kPenGame, QStringLiteral("--screenshots"),
                dir.filePath(QStringLiteral("shots%1").arg(i)) },
            ratios[i]);
        ASSERT_EQ(played[i].exitCode, 0) << "ratio " << i + 1 << ": " << played[i].err.toStdString();
    }
    qputenv("KESTAVO_HIVE_DIR", testHive);

    // Really drawn at ratio 2: the summary's picture has four device pixels to
    // each of ratio 1's.
    const QImage one(dir.filePath(QStringLiteral("shots0/summary.png")));
    const QImage two(dir.filePath(QStringLiteral("shots1/summary.png")));
    ASSERT_FALSE(one.isNull());
    EXPECT_EQ(two.size(), one.size() * 2);

    // The cells the script wrote into (in logical pixels) and every answer:
    // the "1" written into the first cell of question 3 reads 11, the "6"s of
    // questions 1 and 2 are recognised, the apple and the scribble are where
    // the pen put them, and each tap (check, next, A, HELP, V, -->, <--, STOP)
    // pressed its button once.
    EXPECT_EQ(played[1].out.toStdString(), played[0].out.toStdString());
    EXPECT_TRUE(
        played[1].out.startsWith(QStringLiteral("result cell 1: 0,0 81x117\nresult cell 2: 81,0 81x117\n")))
        << played[1].out.toStdString();
    EXPECT_TRUE(played[1].out.contains(QStringLiteral("Score: 3 correct out of 10\nHints: 1\n"
                                                      "1)\t3   +   3   =   6   right\n"
                                                      "2)\t4   +   2   =   6   right\n"
                                                      "3)\t10   +   1   =   11   right\n")))
        << played[1].out.toStdString();
}
