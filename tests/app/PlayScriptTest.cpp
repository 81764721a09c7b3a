#include "app/PlayScript.h"

#include <gtest/gtest.h>

using Kind = CPlayScript::Kind;

TEST(PlayScriptTest, ParsesAWholeSession)
{
    CPlayScript script;
    ASSERT_TRUE(script.Parse("# comment\r\n"
                             "seed 4000000000\n"
                             "\n"
                             "questions 15\n"
                             "operator divide 2 Remainder=True LayoutHorizontal=True\n"
                             "operator + 1\n"
                             "go\n"
                             "press -->\n"
                             "press V\n"
                             "type  3.5 \n"
                             "key backspace\n"
                             "pen result:10,-4 300,200\n"
                             "drag bowl:95,40 apple:0,0\n"
                             "expect status Question 2 of 15\n"
                             "screenshot vertical_1024\n"))
        << script.Error().toStdString();
    const auto& c = script.Commands();
    ASSERT_EQ(c.size(), 13u);
    EXPECT_EQ(c[0].kind, Kind::Seed);
    EXPECT_EQ(static_cast<unsigned>(c[0].number), 4000000000u);
    EXPECT_EQ(c[0].line, 2);
    EXPECT_EQ(c[1].number, 15);
    EXPECT_EQ(c[2].kind, Kind::Operator);
    EXPECT_EQ(c[2].number, 3);
    EXPECT_EQ(c[2].value, 2);
    EXPECT_EQ(c[2].settings, QStringList({ "Remainder=True", "LayoutHorizontal=True" }));
    EXPECT_EQ(c[3].number, 0);
    EXPECT_EQ(c[4].text, "go");
    EXPECT_EQ(c[5].text, "next");
    EXPECT_EQ(c[6].text, "check");
    EXPECT_EQ(c[7].text, "3.5");
    EXPECT_EQ(c[8].text, "Backspace");
    ASSERT_EQ(c[9].points.size(), 2u);
    EXPECT_EQ(c[9].points[0].anchor, "result");
    EXPECT_EQ(c[9].points[0].offset, QPoint(10, -4));
    EXPECT_TRUE(c[9].points[1].anchor.isEmpty());
    EXPECT_EQ(c[10].points[1].anchor, "apple");
    EXPECT_EQ(c[11].text, "Question 2 of 15");
    EXPECT_EQ(c[12].text, "vertical_1024");
    EXPECT_EQ(c[12].line, 15);
}

TEST(PlayScriptTest, WindowSystemCommands)
{
    CPlayScript script;
    ASSERT_TRUE(
        script.Parse("input window\ntap -->\ntap a touch\ntap bowl:95,40 pen\ntouch result:1,2 result:3,4\n"
                     "cells remainder\nreplay /tmp/board session.txt\n"))
        << script.Error().toStdString();
    const auto& c = script.Commands();
    ASSERT_EQ(c.size(), 7u);
    EXPECT_EQ(c[0].kind, CPlayScript::Kind::Input);
    EXPECT_EQ(c[0].text, QStringLiteral("window"));
    EXPECT_EQ(c[1].text, QStringLiteral("next")); // the caption names the button
    EXPECT_EQ(c[1].value, 0); // the pen unless touch is named
    EXPECT_EQ(c[2].text, QStringLiteral("recognise"));
    EXPECT_EQ(c[2].value, 1);
    ASSERT_EQ(c[3].points.size(), 1u);
    EXPECT_EQ(c[3].points[0].anchor, QStringLiteral("bowl"));
    EXPECT_TRUE(c[3].text.isEmpty());
    EXPECT_EQ(c[4].kind, CPlayScript::Kind::Touch);
    EXPECT_EQ(c[4].points.size(), 2u);
    EXPECT_EQ(c[5].text, QStringLiteral("remainder"));
    EXPECT_EQ(c[6].text, QStringLiteral("/tmp/board session.txt"));
}

// Dialogs and menus: captions with spaces, the tool as the last word, points
// inside a control.
TEST(PlayScriptTest, DialogAndMenuTargets)
{
    CPlayScript script;
    ASSERT_TRUE(
        script.Parse("setup dialog\nnewgame dialog\ntap dialog:Keep learning level touch\n"
                     "tap dialog:1075:5,6\npen dialog:1075:5,6 dialog:1075:90,6\ntap menu:About Kestavo...\n"
                     "expect dialog New Game\nexpect dialog none\nsummary\ntap dialog:pen pen\n"))
        << script.Error().toStdString();
    const auto& c = script.Commands();
    ASSERT_EQ(c.size(), 10u);
    EXPECT_EQ(c[0].kind, CPlayScript::Kind::Setup);
    EXPECT_EQ(c[0].text, QStringLiteral("dialog"));
    EXPECT_EQ(c[1].text, QStringLiteral("dialog"));
    EXPECT_EQ(c[2].text, QStringLiteral("dialog:Keep learning level"));
    EXPECT_EQ(c[2].value, 1);
    ASSERT_EQ(c[3].points.size(), 1u);
    EXPECT_EQ(c[3].points[0].anchor, QStringLiteral("dialog:1075"));
    EXPECT_EQ(c[3].points[0].offset, QPoint(5, 6));
    ASSERT_EQ(c[4].points.size(), 2u);
    EXPECT_EQ(c[4].points[1].anchor, QStringLiteral("dialog:1075"));
    EXPECT_EQ(c[5].text, QStringLiteral("menu:About Kestavo..."));
    EXPECT_EQ(c[5].value, 0);
    EXPECT_EQ(c[6].text, QStringLiteral("New Game"));
    EXPECT_TRUE(c[7].text.isEmpty()); // none
    EXPECT_EQ(c[8].kind, CPlayScript::Kind::Summary);
    EXPECT_EQ(c[9].text, QStringLiteral("dialog:pen")); // a control named like a tool
}

TEST(PlayScriptTest, MalformedLineStopsWithItsNumber)
{
    const struct
    {
        const char* text;
        const char* error;
    } cases[] = {
        { "go\nfly away\n", "line 2: unknown command 'fly'" },
        { "questions 12", "line 1: the number of questions goes in steps of 5" },
        { "questions 55", "line 1: '55' is not a number from 10 to 50" },
        { "seed -1", "line 1: '-1' is not a seed (0 to 4294967295)" },
        { "operator modulo 3", "line 1: unknown operator 'modulo'" },
        { "operator add 6", "line 1: '6' is not a number from 1 to 5" },
        { "operator add 1 Carry", "line 1: 'Carry' is not a KEY=VALUE setting" },
        { "\n\npen 10,10 20;20", "line 3: '20;20' is not a point (X,Y or ANCHOR:X,Y)" },
        { "pen", "line 1: 'pen' needs at least one point X,Y" },
        { "drag moon:1,1", "line 1: unknown anchor 'moon'" },
        { "press fire", "line 1: unknown button 'fire'" },
        { "check now", "line 1: 'check' takes no argument" },
        { "key F1", "line 1: unknown key 'F1'" },
        { "tray chalk", "line 1: 'tray' takes pen or none" },
        { "newgame maybe", "line 1: 'newgame' takes keep, change, cancel or dialog" },
        { "setup later", "line 1: 'setup' takes choices or dialog" },
        { "tap dialog: touch", "line 1: 'dialog:' names no control" },
        { "expect dialog", "line 1: 'expect dialog' takes a title or none" },
        { "screenshot ../../x", "line 1: screenshot names use letters, digits, '_' and '-' only" },
        { "type", "line 1: 'type' needs the text to type" },
        { "expect weather sunny", "line 1: cannot expect 'weather'" },
        { "size 100 100", "line 1: '100' is not a number from 200 to 8000" },
        { "input mouse", "line 1: 'input' takes replay or window" },
        { "tap", "line 1: 'tap' takes a button, dialog:NAME, menu:NAME or a point, then pen or touch" },
        { "tap go finger", "line 1: 'tap' is made with pen or touch" },
        { "tap moon:1,1", "line 1: 'moon:1,1' is neither a button nor a point" },
        { "touch", "line 1: 'touch' needs at least one point X,Y" },
        { "cells answer", "line 1: unknown field 'answer'" },
        { "replay", "line 1: 'replay' needs a board session file" },
    };
    for (const auto& c : cases) {
        CPlayScript script;
        EXPECT_FALSE(script.Parse(QString::fromUtf8(c.text))) << c.text;
        EXPECT_EQ(script.Error().toStdString(), c.error);
    }
    // The commands before the bad line are kept for the caller to report.
    CPlayScript partial;
    EXPECT_FALSE(partial.Parse("seed 1\ngo\nbogus\ncheck\n"));
    EXPECT_EQ(partial.Commands().size(), 2u);
}
