#include "boardsoft/ToolTray.h"

#include <gtest/gtest.h>

using Event = CToolTray::Event;
using Events = std::vector<Event>;

TEST(ToolTrayTest, PenInProximityIsReportedAfterTheDebounce)
{
    CToolTray tray(50, 3000);
    EXPECT_TRUE(tray.Observe(BoardTool::Pen, 1, SamplePhase::Enter, 1000).empty());
    EXPECT_TRUE(tray.Tick(1049).empty());
    EXPECT_EQ(tray.Tick(1050), Events({ { Event::Pen, 1 } }));
    // Already out: further activity reports nothing.
    EXPECT_TRUE(tray.Observe(BoardTool::Pen, 1, SamplePhase::Down, 1100).empty());
    EXPECT_TRUE(tray.Tick(1200).empty());
}

TEST(ToolTrayTest, AContactReportsItsToolAtOnce)
{
    CToolTray tray(50, 3000);
    EXPECT_EQ(tray.Observe(BoardTool::Eraser, 2, SamplePhase::Down, 0), Events({ { Event::Eraser, 2 } }));
    EXPECT_EQ(tray.Reported(), BoardTool::Eraser);
}

TEST(ToolTrayTest, AToolFlipWithinTheDebounceReportsOnlyTheLastTool)
{
    CToolTray tray(50, 3000);
    tray.Observe(BoardTool::Pen, 1, SamplePhase::Down, 0);
    tray.Observe(BoardTool::Pen, 1, SamplePhase::Up, 10);
    // The eraser end: "pen leaves, eraser arrives", with a stray pen sample between.
    EXPECT_TRUE(tray.Observe(BoardTool::Pen, 1, SamplePhase::Leave, 500).empty());
    EXPECT_TRUE(tray.Observe(BoardTool::Eraser, 2, SamplePhase::Enter, 505).empty());
    EXPECT_TRUE(tray.Observe(BoardTool::Pen, 1, SamplePhase::Hover, 520).empty());
    EXPECT_TRUE(tray.Observe(BoardTool::Eraser, 2, SamplePhase::Hover, 530).empty());
    EXPECT_TRUE(tray.Tick(560).empty()) << "the eraser has not been there 50 ms";
    EXPECT_EQ(tray.Tick(580), Events({ { Event::Eraser, 2 } }));
    // A flicker away and back within the debounce reports nothing.
    tray.Observe(BoardTool::Pen, 1, SamplePhase::Hover, 600);
    tray.Observe(BoardTool::Eraser, 2, SamplePhase::Hover, 620);
    EXPECT_TRUE(tray.Tick(700).empty());
}

TEST(ToolTrayTest, NoToolAfterTheDelayButNeverDuringAContact)
{
    CToolTray tray(50, 3000);
    tray.Observe(BoardTool::Pen, 1, SamplePhase::Down, 0);
    EXPECT_TRUE(tray.Tick(5000).empty()) << "a pen held down is in use";
    tray.Observe(BoardTool::Pen, 1, SamplePhase::Up, 5000);
    EXPECT_TRUE(tray.Tick(7999).empty());
    EXPECT_EQ(tray.Tick(8000), Events({ { Event::NoTool, 0 } }));
    EXPECT_FALSE(tray.NeedsTick());
    EXPECT_TRUE(tray.Tick(20000).empty()) << "reported once";
    // Taking the pen again after being idle is reported again.
    EXPECT_EQ(tray.Observe(BoardTool::Pen, 1, SamplePhase::Down, 20001), Events({ { Event::Pen, 1 } }));
}

TEST(ToolTrayTest, ForcedEventsResetTheState)
{
    CToolTray tray(50, 3000);
    tray.Force(Event::Pen, 0);
    EXPECT_TRUE(tray.Observe(BoardTool::Pen, 1, SamplePhase::Down, 10).empty());
    tray.Force(Event::NoTool, 20);
    EXPECT_EQ(tray.Observe(BoardTool::Pen, 1, SamplePhase::Down, 30), Events({ { Event::Pen, 1 } }));
}
