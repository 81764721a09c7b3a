#include "boardsoft/ReplayScript.h"

#include "platform/com/BoardInterfaces.h"

#include <gtest/gtest.h>

TEST(ReplayScriptTest, ParsesEveryCommand)
{
    const ReplayParseResult r = CReplayScript::Parse("# a session\r\n"
                                                     "wait-window answer 250\n"
                                                     "window answer\n"
                                                     "\n"
                                                     "tool eraser\n"
                                                     "down -5 7 300\n"
                                                     "  move\t6 8\n"
                                                     "up 6 8\n"
                                                     "window #2\n"
                                                     "pause 15\n"
                                                     "tray none\n"
                                                     "button clear 4\n"
                                                     "status\n");
    ASSERT_TRUE(r.Ok()) << r.error.toStdString();
    ASSERT_EQ(r.commands.size(), 11u);
    EXPECT_EQ(r.commands[0].kind, ReplayCommand::WaitWindow);
    EXPECT_EQ(r.commands[0].milliseconds, 250);
    EXPECT_EQ(r.commands[1].name, QStringLiteral("answer"));
    EXPECT_EQ(r.commands[2].tool, BoardTool::Eraser);
    const ReplayCommand& down = r.commands[3];
    EXPECT_EQ(down.kind, ReplayCommand::Contact);
    EXPECT_EQ(down.phase, SamplePhase::Down);
    EXPECT_EQ(down.line, 6);
    EXPECT_EQ(down.x, -5);
    EXPECT_EQ(down.y, 7);
    EXPECT_EQ(down.value, 300);
    EXPECT_EQ(r.commands[4].value, 1000); // default for a move
    EXPECT_EQ(r.commands[5].value, 0); // and for an up
    EXPECT_EQ(r.commands[6].order, 2);
    EXPECT_TRUE(r.commands[6].name.isEmpty());
    // A name shared by several windows: the N-th of them.
    const ReplayParseResult shared = CReplayScript::Parse("window field#2\nwait-window field#3 10\n");
    ASSERT_TRUE(shared.Ok()) << shared.error.toStdString();
    EXPECT_EQ(shared.commands[0].name, QStringLiteral("field"));
    EXPECT_EQ(shared.commands[0].order, 2);
    EXPECT_EQ(shared.commands[1].order, 3);
    EXPECT_EQ(r.commands[7].milliseconds, 15);
    EXPECT_EQ(r.commands[8].dispid, OBRISK_DISPID_NOTOOL);
    EXPECT_EQ(r.commands[9].dispid, OBRISK_DISPID_CLEAR);
    EXPECT_EQ(r.commands[9].value, 4);
    EXPECT_EQ(r.commands[10].kind, ReplayCommand::Status);
}

TEST(ReplayScriptTest, StrokeExpandsIntoDownMovesAndUp)
{
    const ReplayParseResult r = CReplayScript::Parse("window #1\nstroke 1,2 3,4 5,6\nstroke 9,9\n");
    ASSERT_TRUE(r.Ok());
    ASSERT_EQ(r.commands.size(), 1u + 4u + 2u);
    EXPECT_EQ(r.commands[1].phase, SamplePhase::Down);
    EXPECT_EQ(r.commands[2].phase, SamplePhase::Move);
    EXPECT_EQ(r.commands[3].x, 5);
    EXPECT_EQ(r.commands[4].phase, SamplePhase::Up);
    EXPECT_EQ(r.commands[4].x, 5);
    EXPECT_EQ(r.commands[4].y, 6);
    EXPECT_EQ(r.commands[5].phase, SamplePhase::Down);
    EXPECT_EQ(r.commands[6].phase, SamplePhase::Up);
}

TEST(ReplayScriptTest, PointerSwitchesContactsToMouseInputAndBack)
{
    const ReplayParseResult r = CReplayScript::Parse("window s\npointer on\ndown 1 1\npointer off\n");
    ASSERT_TRUE(r.Ok()) << r.error.toStdString();
    ASSERT_EQ(r.commands.size(), 4u);
    EXPECT_EQ(r.commands[1].kind, ReplayCommand::Pointer);
    EXPECT_EQ(r.commands[1].value, 1);
    EXPECT_EQ(r.commands[3].value, 0);
}

TEST(ReplayScriptTest, StopsAtTheFirstMalformedLineKeepingWhatCameBefore)
{
    struct Case
    {
        const char* text;
        int line;
        const char* fragment;
    } cases[] = {
        { "window a\ndown 1 1\njump 2 2\ndown 3 3\n", 3, "unknown command 'jump'" },
        { "down 1 1\n", 1, "no window chosen" },
        { "window a\ndown 1\n", 2, "usage: down" },
        { "window a\ndown 1 x\n", 2, "'x' is not a whole number" },
        { "window a\ndown 1 100001\n", 2, "outside" },
        { "window a\ndown 1 2 1001\n", 2, "value" },
        { "window a\nstroke 1,1 2;2\n", 2, "not X,Y" },
        { "window a\nstroke\n", 2, "usage: stroke" },
        { "pause -1\n", 1, "outside" },
        { "pause 600001\n", 1, "outside" },
        { "tool pencil\n", 1, "unknown tool" },
        { "tray up\n", 1, "unknown tray event" },
        { "button play\n", 1, "unknown button" },
        { "window #0\n", 1, "window number" },
        { "window a#0\n", 1, "window number" },
        { "window #a#2\n", 1, "window number" },
        { "window a/b#2\n", 1, "not a window name" },
        { "window a/b\n", 1, "not a window name" },
        { "window a b\n", 1, "usage: window" },
        { "status now\n", 1, "usage: status" },
        { "window a\ndown +1 2\n", 2, "not a whole number" },
        { "pointer yes\n", 1, "takes on or off" },
        { "pointer\n", 1, "usage: pointer" },
    };
    for (const Case& c : cases) {
        const ReplayParseResult r = CReplayScript::Parse(c.text);
        EXPECT_FALSE(r.Ok()) << c.text;
        EXPECT_EQ(r.errorLine, c.line) << c.text;
        EXPECT_TRUE(r.error.startsWith(QStringLiteral("line %1: ").arg(c.line))) << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QLatin1String(c.fragment))) << c.text << " -> " << r.error.toStdString();
    }
    // Only the commands before the bad line survive.
    const ReplayParseResult r = CReplayScript::Parse("window a\ndown 1 1\njump\ndown 3 3\n");
    ASSERT_EQ(r.commands.size(), 2u);
    EXPECT_EQ(r.commands[1].x, 1);
    // A bad point in a stroke drops the whole stroke.
    const ReplayParseResult partial = CReplayScript::Parse("window a\nstroke 1,1 2,2 x,3\n");
    EXPECT_EQ(partial.commands.size(), 1u);
}

TEST(ReplayScriptTest, RejectsOverlongLinesAndNulCharacters)
{
    QByteArray longLine = "window a\n# " + QByteArray(5000, 'x') + "\n";
    ReplayParseResult r = CReplayScript::Parse(longLine);
    EXPECT_EQ(r.errorLine, 2);
    r = CReplayScript::Parse(QByteArray("window a\ndown 1 1\0 9\n", 20));
    EXPECT_EQ(r.errorLine, 2);
}
