#pragma once

#include "config/ParameterSet.h"
#include "game/Question.h"

// Fills the question from an operator's settings, drawing from CRandom.
// Returns false, leaving the question untouched, when "Operator" is not one of
// the four operator names.
bool GenerateQuestion(CQuestion& question, const CParameterSet& set);

// Digit-wise operand helpers, exposed for tests. Numbers are whole multiples of
// 1/scale; lo and hi are already scaled.
enum class EOperandRole
{
    First,
    Second
};
// An operand whose column sums with 'other' never exceed 9 (no carrying).
long long NoCarryOperand(long long lo, long long hi, long long other, long long scale, EOperandRole which);
// A minuend without zero digits, or a subtrahend whose digits never exceed the
// minuend's digit above them (no borrowing).
long long NoBorrowOperand(long long lo, long long hi, long long other, long long scale, EOperandRole which);
