#include "game/Question.h"

#include "platform/locale/DecimalSeparator.h"

bool CQuestion::SameTexts(const CQuestion& other) const
{
    return operatorSign == other.operatorSign && operand1 == other.operand1 && operand2 == other.operand2
        && result == other.result && remainder == other.remainder;
}

CQuestion CQuestion::Shown() const
{
    const QChar separator = CDecimalSeparator::Current();
    CQuestion shown = *this;
    for (QString* text : { &shown.operand1, &shown.operand2, &shown.result, &shown.remainder })
        *text = CDecimalSeparator::Shown(*text, separator);
    return shown;
}
