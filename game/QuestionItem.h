#pragma once

#include "game/Question.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComPtr.h"

#include <QString>

// One question of the current game together with the pupil's work on it.
class CQuestionItem
{
public:
    CQuestionItem() = default;
    ~CQuestionItem();
    CQuestionItem(const CQuestionItem&) = delete;
    CQuestionItem& operator=(const CQuestionItem&) = delete;

    // Copies the question and chooses the number to find: any of the three
    // (CRandom modulo 3) for algebra-style questions, else the result.
    void SetQuestion(const CQuestion& q);

    // 0 = operand1, 1 = operand2, 2 = result (with the remainder when there is one).
    int unknownPosition = 2;
    CQuestion question;
    // Saved state strings of the answer field and the remainder field; null
    // until the game view first saves them.
    QString answerState;
    QString remainderState;
    // The pupil's scribbles on this question, an ink container of the board
    // software; none until the first stroke is kept. Released with the item.
    CComPtr<IInkContainer> ink;

    // Creates the ink container by class id when there is none yet. Null when
    // the ink component is not available (no board software installed).
    IInkContainer* EnsureInk();
};
