#include "control/AnswerGrid.h"
#include "control/InkRecognition.h"
#include "tests/control/FakeInk.h"

#include <deque>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Answers each session with the next scripted candidate list and records
// which strokes (by tag) each session received.
class CScriptedRecognition : public CInkRecognition
{
public:
    std::deque<std::vector<std::string>> answers;
    std::vector<std::vector<int>> sessions;
    bool openFails = false;
    bool candidatesFail = false;

    bool OpenSession() override
    {
        if (openFails)
            return false;
        sessions.emplace_back();
        return true;
    }
    void AddStroke(IInkStroke* stroke) override
    {
        sessions.back().push_back(static_cast<CFakeStroke*>(stroke)->Tag());
    }
    bool CloseSession() override { return true; }
    bool GetCandidates(std::vector<std::string>& candidates) override
    {
        candidates.clear();
        if (candidatesFail)
            return false;
        if (!answers.empty()) {
            candidates = answers.front();
            answers.pop_front();
        }
        return true;
    }
};

// Three cells of width 30 in a 100 x 50 control: x 9..39, 39..69, 69..99.
class AnswerGridInkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ink = CComPtr<CFakeInk>::Adopt(new CFakeInk);
        grid.SetInkContainer(ink.Get());
        grid.LoadAnswer("125");
        cells = grid.CellRects(100, 50, 30.0f);
    }

    CAnswerGrid grid;
    CComPtr<CFakeInk> ink;
    std::vector<QRectF> cells;
    CScriptedRecognition recogniser;
};

TEST_F(AnswerGridInkTest, StrokesInsideCellsAreRecognisedCellByCell)
{
    grid.SetFocus(0);
    grid.OnChar('7');
    ink->Add(72, 10, 90, 40, 1); // cell 2
    ink->Add(12, 10, 30, 40, 2); // cell 0
    ink->Add(75, 20, 80, 30, 3); // cell 2 again
    recogniser.answers = { { "1", "7" }, { "5x" } };
    grid.SetVerified(true);
    grid.RecognizeInk(cells, &recogniser);

    // Cell 1 had no ink: no session result used and its entry is kept.
    ASSERT_EQ(recogniser.sessions.size(), 3u);
    EXPECT_EQ(recogniser.sessions[0], (std::vector<int> { 2 }));
    EXPECT_TRUE(recogniser.sessions[1].empty());
    EXPECT_EQ(recogniser.sessions[2], (std::vector<int> { 1, 3 }));
    EXPECT_EQ(grid.Entries(), "1 5");
    EXPECT_FALSE(grid.Verified());
    EXPECT_EQ(grid.InkCount(), 0);
}

TEST_F(AnswerGridInkTest, NoInkChangesNothingAndKeepsVerified)
{
    grid.SetVerified(true);
    grid.RecognizeInk(cells, &recogniser);
    EXPECT_TRUE(grid.Verified());
    EXPECT_TRUE(recogniser.sessions.empty());
    EXPECT_EQ(ink->clears, 0);
    ink->Add(12, 10, 30, 40, 1);
    grid.RecognizeInk(cells, nullptr); // no recogniser: nothing to do
    EXPECT_EQ(grid.InkCount(), 1);
}

TEST_F(AnswerGridInkTest, InkAcrossCellsIsReadAsOneNumberFromTheCellUnderItsCorner)
{
    // Written right to left across cells 1 and 2: sorted by left edge first.
    ink->Add(72, 10, 95, 40, 2);
    ink->Add(45, 10, 80, 40, 1);
    recogniser.answers = { { "25", "26" } };
    grid.RecognizeInk(cells, &recogniser);
    ASSERT_EQ(recogniser.sessions.size(), 1u);
    EXPECT_EQ(recogniser.sessions[0], (std::vector<int> { 1, 2 }));
    EXPECT_EQ(grid.Entries(), " 25");

    // Starting left of the first cell: from cell 0, cut at the last cell.
    ink->Add(2, 10, 60, 40, 1);
    recogniser.answers = { { "1259" } };
    grid.RecognizeInk(cells, &recogniser);
    EXPECT_EQ(grid.Entries(), "125");

    // Equal left edges keep their order.
    ink->Add(45, 10, 80, 40, 7);
    ink->Add(45, 5, 70, 45, 8);
    ink->Add(12, 60, 20, 70, 9); // below the cells: whole-field mode
    recogniser.answers = { { "9" } };
    grid.RecognizeInk(cells, &recogniser);
    EXPECT_EQ(recogniser.sessions.back(), (std::vector<int> { 9, 7, 8 }));
}

TEST_F(AnswerGridInkTest, FilterAppliesToRecognisedText)
{
    grid.LoadAnswer("1234");
    cells = grid.CellRects(130, 50, 30.0f);
    // Two words joined by a space, a minus outside cell 0, a second dot, a letter.
    ink->Add(0, 10, 120, 40, 1);
    recogniser.answers = { { "-.-." } };
    grid.RecognizeInk(cells, &recogniser);
    EXPECT_EQ(grid.Entries(), "-.  ");
    ink->Add(0, 10, 120, 40, 1);
    recogniser.answers = { { "4 a7" } };
    grid.RecognizeInk(cells, &recogniser);
    EXPECT_EQ(grid.Entries(), "4  7");
}

TEST_F(AnswerGridInkTest, EmptyCandidateListInWholeFieldModeFailsWithoutChanges)
{
    grid.SetFocus(0);
    grid.OnChar('1');
    grid.SetVerified(true);
    ink->Add(2, 10, 60, 40, 1);
    ink->Add(50, 10, 90, 40, 2);
    recogniser.answers = { {} };
    EXPECT_THROW(grid.RecognizeInk(cells, &recogniser), std::invalid_argument);
    EXPECT_EQ(grid.Entries(), "1  ");
    EXPECT_TRUE(grid.Verified());
    EXPECT_EQ(grid.InkCount(), 2);
    EXPECT_EQ(ink->clears, 0);
}

TEST_F(AnswerGridInkTest, FailingRecogniserStillDiscardsTheInk)
{
    ink->Add(2, 10, 60, 40, 1);
    recogniser.openFails = true;
    grid.RecognizeInk(cells, &recogniser);
    EXPECT_EQ(grid.InkCount(), 0);
    EXPECT_EQ(grid.Entries(), "   ");

    ink->Add(12, 10, 30, 40, 1);
    recogniser.openFails = false;
    recogniser.candidatesFail = true;
    grid.RecognizeInk(cells, &recogniser);
    EXPECT_EQ(grid.InkCount(), 0);
    EXPECT_EQ(grid.Entries(), "   ");

    // An empty first candidate in a cell leaves that cell empty.
    recogniser.candidatesFail = false;
    grid.SetFocus(0);
    grid.OnChar('3');
    ink->Add(12, 10, 30, 40, 1);
    recogniser.answers = { { "" } };
    grid.RecognizeInk(cells, &recogniser);
    EXPECT_EQ(grid.Entries(), "   ");
}

TEST_F(AnswerGridInkTest, ResetAndStateChangesEmptyTheInk)
{
    ink->Add(12, 10, 30, 40, 1);
    grid.Reset();
    EXPECT_EQ(grid.InkCount(), 0);
    ink->Add(12, 10, 30, 40, 1);
    EXPECT_FALSE(grid.SetState("12")); // malformed: ink stays too
    EXPECT_EQ(grid.InkCount(), 1);
    EXPECT_TRUE(grid.SetState("0"));
    EXPECT_EQ(grid.InkCount(), 0);
}

} // namespace
