#pragma once

#include <QString>

// One generated question as display texts plus presentation flags. For a
// division operand1 is the dividend, operand2 the divisor, result the quotient.
class CQuestion
{
public:
    int level = 0; // learning level index 0..4 of the set that made it
    QString operatorSign; // "+", "-", "x" or "/"
    QString operand1;
    QString operand2;
    QString result;
    QString remainder; // empty when the question has none
    int vertical = 0; // 1 = laid out in columns, 0 = horizontal
    bool algebra = true; // any of the three numbers may be the one to find
    bool manipulatives = false; // offer the apples counting aid

    bool HasRemainder() const { return !remainder.isEmpty(); }
    // Same question as far as the pupil sees it: sign, operands, result, remainder.
    bool SameTexts(const CQuestion& other) const;
    // The question as shown: its numbers written with the decimal separator
    // in use (the texts themselves keep the point).
    CQuestion Shown() const;
};
