// The recorder's script: windows, tools, mouse-input contacts and pauses, written
// by its own thread while another thread records.

#include "boardsoft/BoardRecorder.h"

#include "boardsoft/ReplayScript.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

TEST(BoardRecorderTest, WritesAScriptTheReplayReadsBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.txt"));
    CBoardRecorder recorder;
    ASSERT_TRUE(recorder.Start(path));
    // Recorded from another thread while the writer runs.
    std::thread input([&] {
        recorder.Contact(
            QStringLiteral("CValtrixCtrl"), BoardTool::Pen, SamplePhase::Down, { 5, 6 }, 600, false, 1000);
        recorder.Contact(
            QStringLiteral("CValtrixCtrl"), BoardTool::Pen, SamplePhase::Up, { 7, 8 }, 0, false, 1040);
        recorder.Tray("none", 4040);
        recorder.Contact(
            QStringLiteral("CButtonStrip"), BoardTool::Pen, SamplePhase::Down, { 30, 20 }, 600, true, 4100);
        recorder.Contact(
            QStringLiteral("CButtonStrip"), BoardTool::Pen, SamplePhase::Up, { 30, 20 }, 0, true, 4100);
        recorder.Contact(
            QStringLiteral("CGameView"), BoardTool::Eraser, SamplePhase::Down, { 1, 1 }, 600, false, 4200);
    });
    input.join();
    recorder.Stop();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const QByteArray expected = "window CValtrixCtrl\ntool pen\ndown 5 6 600\npause 40\nup 7 8 0\n"
                                "pause 3000\n# tray none\n"
                                "window CButtonStrip\npointer on\npause 60\ndown 30 20 600\nup 30 20 0\n"
                                "window CGameView\ntool eraser\npointer off\npause 100\ndown 1 1 600\n";
    EXPECT_TRUE(text.endsWith(expected)) << text.toStdString();
    const ReplayParseResult parsed = CReplayScript::Parse(text);
    EXPECT_TRUE(parsed.Ok()) << parsed.error.toStdString();

    // Nothing is recorded once stopped; a file that cannot be made is refused.
    recorder.Contact(
        QStringLiteral("CGameView"), BoardTool::Pen, SamplePhase::Down, { 1, 1 }, 600, false, 5000);
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_FALSE(recorder.Start(dir.filePath(QStringLiteral("no/such/folder/board.txt"))));
}
