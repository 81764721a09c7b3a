#include "game/QuestionItem.h"

#include "game/Random.h"

CQuestionItem::~CQuestionItem() = default;

void CQuestionItem::SetQuestion(const CQuestion& q)
{
    question = q;
    unknownPosition = q.algebra ? CRandom::Next() % 3 : 2;
}

IInkContainer* CQuestionItem::EnsureInk()
{
    if (!ink) {
        if (FAILED(CoCreateInstance(
                CLSID_InkContainer, nullptr, CLSCTX_INPROC_SERVER, IID_IInkContainer, ink.ReceiveVoid())))
            ink.Reset();
    }
    return ink.Get();
}
