#include "game/QuestionItem.h"

#include "game/Random.h"

CQuestionItem::~CQuestionItem() = default;

void CQuestionItem::SetQuestion(const CQuestion& q)
{
    question = q;
    unknownPosition = q.algebra ? CRandom::Next() % 3 : 2;
}
