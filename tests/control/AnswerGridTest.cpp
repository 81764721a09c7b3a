#include "control/AnswerGrid.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Key = CAnswerGrid::Key;
using Colour = CAnswerGrid::CellColour;

CAnswerGrid& Loaded(CAnswerGrid& grid, const std::string& answer)
{
    grid.Reset();
    grid.LoadAnswer(answer);
    return grid;
}

void Type(CAnswerGrid& grid, const std::string& keys)
{
    for (char ch : keys)
        grid.OnChar(static_cast<unsigned char>(ch));
}

TEST(AnswerGridTest, LoadMakesBlankCellsAndKeepsInvariants)
{
    CAnswerGrid grid;
    EXPECT_EQ(grid.GetState(), "0");
    Loaded(grid, "42");
    EXPECT_EQ(grid.CellCount(), 2);
    EXPECT_EQ(grid.Entries(), "  ");
    EXPECT_EQ(grid.HintMarks(), "  ");
    EXPECT_EQ(grid.FocusIndex(), -1);
    EXPECT_TRUE(grid.HasOpenCell());
    EXPECT_FALSE(grid.IsCorrect());
}

TEST(AnswerGridTest, TypingFillsAndAdvancesButStaysOnLastCell)
{
    CAnswerGrid grid;
    Loaded(grid, "125");
    Type(grid, "1"); // no focus: ignored
    EXPECT_EQ(grid.Entries(), "   ");
    ASSERT_TRUE(grid.SetFocus(0));
    Type(grid, "1259");
    EXPECT_EQ(grid.Entries(), "129");
    EXPECT_EQ(grid.FocusIndex(), 2);
    Type(grid, "5");
    EXPECT_TRUE(grid.IsCorrect());
}

TEST(AnswerGridTest, MinusOnlyInLeftmostCellAndOneDot)
{
    CAnswerGrid grid;
    Loaded(grid, "-3.5");
    grid.SetFocus(1);
    Type(grid, "-");
    EXPECT_EQ(grid.Entries(), "    ");
    EXPECT_EQ(grid.FocusIndex(), 1);
    grid.SetFocus(0);
    Type(grid, "-3.");
    EXPECT_EQ(grid.Entries(), "-3. ");
    // A second dot elsewhere is refused, the same dot again is accepted.
    Type(grid, ".");
    EXPECT_EQ(grid.Entries(), "-3. ");
    EXPECT_EQ(grid.FocusIndex(), 3);
    grid.SetFocus(2);
    Type(grid, ".5");
    EXPECT_EQ(grid.Entries(), "-3.5");
    // Letters and control codes other than backspace are ignored.
    grid.SetFocus(1);
    Type(grid, "a \t\x7f");
    EXPECT_EQ(grid.Entries(), "-3.5");
}

TEST(AnswerGridTest, BackspaceClearsFocusedCellThenStepsLeft)
{
    CAnswerGrid grid;
    Loaded(grid, "123");
    grid.SetFocus(0);
    Type(grid, "123");
    ASSERT_EQ(grid.FocusIndex(), 2);
    grid.OnChar(8);
    EXPECT_EQ(grid.Entries(), "12 ");
    EXPECT_EQ(grid.FocusIndex(), 1);
    grid.OnChar(8);
    grid.OnChar(8);
    EXPECT_EQ(grid.Entries(), "   ");
    EXPECT_EQ(grid.FocusIndex(), 0);
    grid.OnChar(8); // nothing left of cell 0: cleared, focus stays
    EXPECT_EQ(grid.FocusIndex(), 0);
}

TEST(AnswerGridTest, ArrowsWithRepeatCountsAndDelete)
{
    CAnswerGrid grid;
    Loaded(grid, "12345");
    grid.OnKey(Key::Right, 1); // no focus: the first step lands on cell 0
    EXPECT_EQ(grid.FocusIndex(), 0);
    grid.OnKey(Key::Down, 3);
    EXPECT_EQ(grid.FocusIndex(), 3);
    grid.OnKey(Key::Right, 1000000000);
    EXPECT_EQ(grid.FocusIndex(), 4);
    grid.OnKey(Key::Up, 2);
    EXPECT_EQ(grid.FocusIndex(), 2);
    grid.OnKey(Key::Left, -5);
    EXPECT_EQ(grid.FocusIndex(), 2);
    Type(grid, "3");
    grid.OnKey(Key::Left, 1);
    grid.OnKey(Key::Delete, 1);
    EXPECT_EQ(grid.Entries(), "     ");
    EXPECT_EQ(grid.FocusIndex(), 2);
    grid.OnKey(Key::Left, 99);
    EXPECT_EQ(grid.FocusIndex(), 0);

    CAnswerGrid empty;
    empty.OnKey(Key::Right, 1);
    empty.OnKey(Key::Delete, 1);
    EXPECT_EQ(empty.FocusIndex(), -1);
    EXPECT_EQ(empty.GetState(), "0");
}

TEST(AnswerGridTest, FocusMovesRefuseLeavingTheRow)
{
    CAnswerGrid grid;
    Loaded(grid, "12");
    EXPECT_FALSE(grid.FocusLeft());
    EXPECT_FALSE(grid.SetFocus(2));
    EXPECT_FALSE(grid.SetFocus(-1));
    EXPECT_TRUE(grid.SetFocus(1));
    EXPECT_FALSE(grid.SetFocus(1)); // unchanged focus is not a change
    EXPECT_FALSE(grid.FocusRight());
    EXPECT_TRUE(grid.FocusLeft());
    EXPECT_EQ(grid.FocusIndex(), 0);
}

TEST(AnswerGridTest, HintsFillFromTheRightButNeverTheLeftmostCell)
{
    CAnswerGrid grid;
    Loaded(grid, "125");
    EXPECT_TRUE(grid.GiveHint());
    EXPECT_EQ(grid.Entries(), "  5");
    EXPECT_EQ(grid.HintMarks(), "  x");
    EXPECT_EQ(grid.FocusIndex(), 2); // no focus before: the hinted cell keeps it
    EXPECT_TRUE(grid.HasOpenCell());
    EXPECT_TRUE(grid.GiveHint());
    EXPECT_EQ(grid.Entries(), " 25");
    EXPECT_EQ(grid.HintMarks(), " xx");
    EXPECT_EQ(grid.FocusIndex(), 2); // a valid focus is restored
    EXPECT_FALSE(grid.HasOpenCell());
    EXPECT_FALSE(grid.GiveHint());
    EXPECT_EQ(grid.Entries(), " 25");
    EXPECT_FALSE(grid.IsCorrect());

    Loaded(grid, "7");
    EXPECT_FALSE(grid.HasOpenCell());
    EXPECT_FALSE(grid.GiveHint());

    // A wrong entry is overwritten by a hint; typing over a hinted cell drops its mark.
    Loaded(grid, "48");
    grid.SetFocus(0);
    Type(grid, "49");
    grid.SetVerified(true);
    EXPECT_TRUE(grid.GiveHint());
    EXPECT_FALSE(grid.Verified());
    EXPECT_EQ(grid.Entries(), "48");
    EXPECT_TRUE(grid.IsCorrect());
    grid.SetFocus(1);
    Type(grid, "8");
    EXPECT_EQ(grid.HintMarks(), "  ");
}

TEST(AnswerGridTest, IsCorrectComparesCharacters)
{
    CAnswerGrid grid;
    EXPECT_TRUE(grid.IsCorrect()); // no cells
    Loaded(grid, "05");
    grid.SetFocus(1);
    Type(grid, "5");
    EXPECT_FALSE(grid.IsCorrect()); // a leading space is not a leading zero
    Loaded(grid, " 5");
    grid.SetFocus(1);
    Type(grid, "5");
    EXPECT_TRUE(grid.IsCorrect());
}

TEST(AnswerGridTest, StateStringRoundTrips)
{
    CAnswerGrid grid;
    Loaded(grid, "3.5");
    grid.SetFocus(0);
    Type(grid, "3");
    EXPECT_EQ(grid.GetState(), std::string("3.53     0"));

    Loaded(grid, "42");
    grid.SetFocus(0);
    Type(grid, "4");
    EXPECT_EQ(grid.GetState(), std::string("424   0"));

    grid.GiveHint();
    grid.SetVerified(true);
    const std::string saved = grid.GetState();
    EXPECT_EQ(saved, "4242 x1");
    CAnswerGrid other;
    other.LoadAnswer("999");
    other.SetFocus(1);
    ASSERT_TRUE(other.SetState(saved));
    EXPECT_EQ(other.GetState(), saved);
    EXPECT_EQ(other.FocusIndex(), -1);
    EXPECT_TRUE(other.Verified());
    EXPECT_TRUE(other.IsCorrect());
}

TEST(AnswerGridTest, MalformedStatesAreIgnoredAndOddOnesStayConsistent)
{
    CAnswerGrid grid;
    Loaded(grid, "12");
    grid.SetFocus(0);
    Type(grid, "1");
    const std::string before = grid.GetState();
    for (const std::string& bad : std::vector<std::string> { "", "10", "12345", std::string(3000, '9') }) {
        EXPECT_FALSE(grid.SetState(bad)) << bad;
        EXPECT_EQ(grid.GetState(), before);
    }
    // One character: an empty grid whose verified flag is that character == '1'.
    ASSERT_TRUE(grid.SetState("1"));
    EXPECT_EQ(grid.CellCount(), 0);
    EXPECT_TRUE(grid.Verified());
    ASSERT_TRUE(grid.SetState("x"));
    EXPECT_FALSE(grid.Verified());

    // Bytes outside ASCII and embedded NULs are kept as given and stay in step.
    const std::string odd("\xff\x00\x80"
                          "a\x01\xfe"
                          "x \x00"
                          "1",
        10);
    ASSERT_TRUE(grid.SetState(odd));
    EXPECT_EQ(grid.GetState(), odd);
    EXPECT_EQ(grid.Entries().size(), grid.Expected().size());
    EXPECT_EQ(grid.HintMarks().size(), grid.Expected().size());
    grid.SetFocus(2);
    Type(grid, "7");
    EXPECT_EQ(grid.Entries(),
        std::string("a\x01"
                    "7"));
}

TEST(AnswerGridTest, HitTestMapsRightAlignedCellsAndGuardsZeroWidth)
{
    CAnswerGrid grid;
    EXPECT_EQ(grid.HitTest(5, 100, 20.0f), -1);
    Loaded(grid, "123");
    // cx 100, w 20: cell 2 spans x 79..99, cell 1 59..79, cell 0 39..59.
    EXPECT_EQ(grid.HitTest(99, 100, 20.0f), 2);
    EXPECT_EQ(grid.HitTest(80, 100, 20.0f), 2);
    EXPECT_EQ(grid.HitTest(79, 100, 20.0f), 1);
    EXPECT_EQ(grid.HitTest(45, 100, 20.5f), 0);
    EXPECT_EQ(grid.HitTest(0, 100, 20.0f), 0); // left of the cells: clamped
    EXPECT_EQ(grid.HitTest(-500, 100, 20.0f), 0);
    EXPECT_EQ(grid.HitTest(150, 100, 20.0f), 2); // right of the control: clamped
    EXPECT_EQ(grid.HitTest(50, 100, 0.0f), -1);
    EXPECT_EQ(grid.HitTest(50, 100, 0.9f), -1);
    EXPECT_EQ(grid.HitTest(50, 100, -3.0f), -1);
}

TEST(AnswerGridTest, CellRectsAreRightAlignedAndCutOnTheLeft)
{
    CAnswerGrid grid;
    Loaded(grid, "123");
    const auto rects = grid.CellRects(50, 40, 20.0f);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[2], QRectF(29, 0, 20, 39));
    EXPECT_EQ(rects[1], QRectF(9, 0, 20, 39));
    EXPECT_EQ(rects[0], QRectF(-11, 0, 20, 39));
    EXPECT_DOUBLE_EQ(rects[2].right(), 49.0); // the rightmost cell touches the right edge
}

TEST(AnswerGridTest, DisplayFollowsModeVerificationAndHints)
{
    CAnswerGrid grid;
    Loaded(grid, "123");
    grid.GiveHint();
    grid.SetFocus(0);
    Type(grid, "9");

    auto d = grid.Display(0, true);
    EXPECT_EQ(d.ch, '1');
    EXPECT_EQ(d.colour, Colour::Foreground);
    EXPECT_EQ(grid.Display(2, true).colour, Colour::Hint);

    EXPECT_EQ(grid.Display(0, false).ch, '9');
    EXPECT_EQ(grid.Display(1, false).ch, ' ');
    EXPECT_EQ(grid.Display(2, false).ch, '3');
    EXPECT_EQ(grid.Display(2, false).colour, Colour::Hint);

    grid.SetVerified(true);
    EXPECT_EQ(grid.Display(0, false).colour, Colour::Wrong);
    EXPECT_EQ(grid.Display(1, false).ch, '?');
    EXPECT_EQ(grid.Display(1, false).colour, Colour::Wrong);
    EXPECT_EQ(grid.Display(2, false).colour, Colour::Correct); // hinted cells are judged too
    grid.SetFocus(1);
    Type(grid, "2");
    EXPECT_FALSE(grid.Verified());
    EXPECT_EQ(grid.Display(0, false).colour, Colour::Foreground);

    // A blank expected character shown as "?" in the correct colour.
    Loaded(grid, " 1");
    grid.SetVerified(true);
    EXPECT_EQ(grid.Display(0, false).ch, '?');
    EXPECT_EQ(grid.Display(0, false).colour, Colour::Correct);
    EXPECT_EQ(grid.Display(7, false).ch, ' ');
}

TEST(AnswerGridTest, FilterKeepsWhatAPupilCouldType)
{
    std::string s = "-1-2.3.4a ";
    CAnswerGrid::FilterEntries(s);
    EXPECT_EQ(s, "-1 2.3 4  ");
    std::string t = std::string("9\0-", 3);
    CAnswerGrid::FilterEntries(t);
    EXPECT_EQ(t, "9  ");
}

} // namespace
