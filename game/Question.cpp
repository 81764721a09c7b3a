#include "game/Question.h"

bool CQuestion::SameTexts(const CQuestion& other) const
{
    return operatorSign == other.operatorSign && operand1 == other.operand1 && operand2 == other.operand2
        && result == other.result && remainder == other.remainder;
}
