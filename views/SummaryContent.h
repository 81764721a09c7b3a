#pragma once

#include <QString>
#include <array>

class CGameModel;
class CQuestionItem;

// What the summary shows, worked out from the game model without a window:
// the score, the hints used, and for every question its eight cells with the
// pupil's answer and whether it was right.
class CSummaryContent
{
public:
    struct Row
    {
        // Row number "n)\t", first operand, sign, second operand, "=", result,
        // remainder marker, remainder; all but the first end in three spaces.
        std::array<QString, 8> cells;
        // Cells showing what the pupil wrote (drawn in teal).
        std::array<bool, 8> written {};
        bool right = false;
    };

    static constexpr int kRowNumberCell = 0;

    explicit CSummaryContent(const CGameModel& model);

    int Correct() const { return m_correct; }
    int Hints() const { return m_hints; }
    int QuestionCount() const { return m_count; }

    // The row of one question (index into the model's items).
    static Row MakeRow(const CQuestionItem& item, int index);

    // Questions without a single written cell, never visited ones included.
    static int CountUnanswered(const CGameModel& model);

private:
    int m_correct = 0;
    int m_hints = 0;
    int m_count = 0;
};
