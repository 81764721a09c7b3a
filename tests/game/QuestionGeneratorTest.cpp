// Generator formulas checked against values worked out by hand from scripted
// random numbers (r), and invariants checked over many seeded questions.

#include "game/QuestionGenerator.h"

#include "config/OperatorSettings.h"
#include "game/Random.h"
#include "tests/game/ScriptedRandom.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

CParameterSet Defaults(const char* op, int level)
{
    CParameterSet set;
    ApplyDefaults(set, op, level);
    return set;
}

std::string Text(const CQuestion& q)
{
    std::string text = q.operand1.toStdString() + " " + q.operatorSign.toStdString() + " "
        + q.operand2.toStdString() + " = " + q.result.toStdString();
    if (q.HasRemainder())
        text += " R " + q.remainder.toStdString();
    return text;
}

std::string Generate(const CParameterSet& set, std::initializer_list<int> values, int rest = 0)
{
    ScriptedRandom random(values, rest);
    CQuestion q;
    EXPECT_TRUE(GenerateQuestion(q, set));
    EXPECT_TRUE(random.Exhausted()) << "fewer random numbers drawn than the formulas need";
    return Text(q);
}

TEST(RandomTest, MatchesTheRuntimeGeneratorForSeedOne)
{
    CRandom::Seed(1);
    const int expected[] = { 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464 };
    for (int value : expected)
        EXPECT_EQ(CRandom::Next(), value);
}

TEST(QuestionGeneratorTest, AdditionWithoutCarryingAtTheFirstLevel)
{
    const CParameterSet set = Defaults(OperatorName::Addition, 0);
    // r = 0 draws 0, which is below |s| and falls back to 2; the second digit
    // under 2 may be 1..7: r = 32767 gives 8 and falls back to 2.
    EXPECT_EQ(Generate(set, { 0, 32767 }), "2 + 2 = 4");
    // r = 30000 draws 10: every second operand has two digits above 10, so after
    // 150 attempts it falls back to 1 (rest r = 0 makes each attempt 11).
    {
        ScriptedRandom random({ 30000 }, 0);
        CQuestion q;
        ASSERT_TRUE(GenerateQuestion(q, set));
        EXPECT_EQ(Text(q), "10 + 1 = 11");
        EXPECT_EQ(random.Used(), 1 + 150 * 2);
        EXPECT_TRUE(q.manipulatives);
        EXPECT_FALSE(q.algebra);
        EXPECT_EQ(q.vertical, 0);
        EXPECT_EQ(q.level, 0);
    }
}

TEST(QuestionGeneratorTest, NinesInTheFirstAddendAreReplaced)
{
    CParameterSet set = Defaults(OperatorName::Addition, 2); // 0..100
    set.SetBool(ParamKey::Carry, false);
    set.SetBool(ParamKey::LayoutHorizontal, false);
    // r = 6165 draws 19; the 9 becomes trunc(1 + r*8/32767): 5 for r = 16384.
    // Under 5 the digit r = 32767 gives 5, outside 1..4, so 2; under 1 likewise 2.
    EXPECT_EQ(Generate(set, { 6165, 16384, 32767, 32767 }), "15 + 22 = 37");
    // The replacement itself out of range (r = 32767 gives 9): 2.
    EXPECT_EQ(Generate(set, { 6165, 32767, 0, 0 }), "12 + 11 = 23");

    ScriptedRandom random({ 6165, 32767, 0, 0 });
    CQuestion q;
    GenerateQuestion(q, set);
    EXPECT_EQ(q.vertical, 1);
    EXPECT_EQ(q.level, 2);
}

TEST(QuestionGeneratorTest, AdditionWithCarryingDrawsIndependentOperands)
{
    const CParameterSet set = Defaults(OperatorName::Addition, 1); // 0..20, carrying allowed
    // trunc(r*21/32767): 16384 -> 10, 30000 -> 19.
    EXPECT_EQ(Generate(set, { 16384, 30000 }), "10 + 19 = 29");
}

TEST(QuestionGeneratorTest, SubtractionWithoutBorrowingAtTheFirstLevel)
{
    const CParameterSet set = Defaults(OperatorName::Subtraction, 0);
    // Minuend: r = 8000 draws 2 (no zero digit). Subtrahend digit under 2:
    // trunc(1 + r*2/32767) = 2 for r = 20000.
    EXPECT_EQ(Generate(set, { 8000, 20000 }), "2 - 2 = 0");
    // A drawn 10 turns into 11..19, above the maximum, so the minuend is 1.
    // Under the 1 only the digit 1 fits, even when r = 32767 overshoots.
    EXPECT_EQ(Generate(set, { 30000, 0, 32767 }), "1 - 1 = 0");
}

TEST(QuestionGeneratorTest, DecimalAdditionScalesAndPrintsPlaces)
{
    CParameterSet set = Defaults(OperatorName::Addition, 3); // decimals on, 2 places, 0..1000, carrying
    // s = 100: draw(0, 100000, 100) = trunc(r*100100/32767).
    // 16384 -> 50051 -> 500.51; 100 -> 305 -> 3.05.
    EXPECT_EQ(Generate(set, { 16384, 100 }), "500.51 + 3.05 = 503.56");

    // Decimals on but no places: whole numbers in fixed-point form.
    set.SetInt(ParamKey::MaxDecimals, 0);
    // draw(0, 1000, 1) = trunc(r*1001/32767): 16384 -> 500, 100 -> 3.
    EXPECT_EQ(Generate(set, { 16384, 100 }), "500 + 3 = 503");
}

TEST(QuestionGeneratorTest, WholeMultiplicationAvoidsZeroAndOne)
{
    const CParameterSet set = Defaults(OperatorName::Multiplication, 0);
    // trunc(r*11/32767): 41 -> 0 -> 2; 18467 -> 6.
    EXPECT_EQ(Generate(set, { 41, 18467 }), "2 x 6 = 12");
    // r = 32767 reaches 11, one above the range: 2. r = 3000 gives 1: 2.
    EXPECT_EQ(Generate(set, { 32767, 3000 }), "2 x 2 = 4");
}

TEST(QuestionGeneratorTest, DecimalMultiplicationPlaces)
{
    // Level index 4: min -100, max 1000, 3 places -> factors with 2 and 1 places.
    const CParameterSet set = Defaults(OperatorName::Multiplication, 4);
    // a = trunc(-100 + r*(100000 + 100 + 100)/32767): 16384 -> 50001 -> 500.01.
    // b = trunc(-100 + r*(10000 + 100 + 10)/32767): 0 -> -100 -> -10.0 (valid: |b| > 10).
    EXPECT_EQ(Generate(set, { 16384, 0 }), "500.01 x -10.0 = -5000.100");
    // Draws within -100..100 hundredths fall back to 2.00; 32767 overshoots to 2.0.
    EXPECT_EQ(Generate(set, { 32, 32767 }), "2.00 x 2.0 = 4.000");

    CParameterSet one = set;
    one.SetInt(ParamKey::MaxDecimals, 1); // places (1, 0)
    // a = trunc(-100 + r*(10000 + 100 + 10)/32767): 16384 -> 4955 -> 495.5; b: 100 -> trunc(-100 +
    // 100*1101/32767) = -96.
    EXPECT_EQ(Generate(one, { 16384, 100 }), "495.5 x -96 = -47568.0");
}

TEST(QuestionGeneratorTest, WholeDivisionWithAndWithoutRemainder)
{
    // Index 0: no remainder; the remainder is still drawn.
    EXPECT_EQ(Generate(Defaults(OperatorName::Division, 0), { 41, 18467, 6334 }), "12 / 6 = 2");
    // Index 1: 0..20 with remainder. q = trunc(41*21/32767) = 0 -> 2; d = 11;
    // rem = trunc(1 + 6334*10/32767) = 2.
    EXPECT_EQ(Generate(Defaults(OperatorName::Division, 1), { 41, 18467, 6334 }), "24 / 11 = 2 R 2");

    // A negative divisor (hand-edited bounds) always gets remainder 2.
    CParameterSet negative = Defaults(OperatorName::Division, 1);
    negative.SetInt(ParamKey::OperandMin, -10);
    // q = trunc(-10 + 20000*31/32767) = 8; d = trunc(-10 + 0*31/32767) = -10;
    // rem = trunc(1 + 5000*(-11)/32767) = 0, not in 1..d-1, so 2.
    EXPECT_EQ(Generate(negative, { 20000, 0, 5000 }), "-78 / -10 = 8 R 2");
}

TEST(QuestionGeneratorTest, DecimalDivisionPlaces)
{
    // Index 4: 3 places with a decimal divisor -> divisor 1 place, quotient 2.
    // d = trunc(-100 + 20000*10110/32767) = 6070 -> 607.0; q = trunc(-100 + 3000*100200/32767) = 9073
    // -> 90.73.
    EXPECT_EQ(Generate(Defaults(OperatorName::Division, 4), { 20000, 3000 }), "55073.110 / 607.0 = 90.73");

    // Index 3: 2 places, whole divisor -> quotient 2 places.
    // d = trunc(16384*1001/32767) = 500; q = trunc(16384*100100/32767) = 50051 -> 500.51.
    EXPECT_EQ(Generate(Defaults(OperatorName::Division, 3), { 16384, 16384 }), "250255.00 / 500 = 500.51");

    // One place: quotient 1 place whatever the divisor setting.
    CParameterSet one = Defaults(OperatorName::Division, 4);
    one.SetInt(ParamKey::MaxDecimals, 1);
    // d = trunc(-100 + 16384*1100/32767) = 450; q = trunc(-100 + 16384*10110/32767) = 4955 -> 495.5.
    EXPECT_EQ(Generate(one, { 16384, 16384 }), "222975.0 / 450 = 495.5");
}

TEST(QuestionGeneratorTest, DispatchAndUntouchedFields)
{
    CQuestion q;
    q.vertical = 1;
    q.manipulatives = true;
    q.operand1 = QStringLiteral("keep");
    CParameterSet wrong = Defaults(OperatorName::Addition, 0);
    wrong.Unlock(ParamKey::Operator);
    wrong.SetString(ParamKey::Operator, "addition");
    EXPECT_FALSE(GenerateQuestion(q, wrong));
    EXPECT_FALSE(GenerateQuestion(q, CParameterSet()));
    EXPECT_EQ(q.operand1, QStringLiteral("keep"));

    // Division sets neither layout nor counting aid.
    CParameterSet division = Defaults(OperatorName::Division, 0);
    division.SetBool(ParamKey::LayoutHorizontal, true);
    ScriptedRandom random({ 41, 18467, 6334 });
    ASSERT_TRUE(GenerateQuestion(q, division));
    EXPECT_EQ(q.vertical, 1);
    EXPECT_TRUE(q.manipulatives);
    EXPECT_FALSE(q.algebra);
}

// Column digits of |v| from the right.
int Digit(long long v, int column)
{
    v = std::llabs(v);
    for (int i = 0; i < column; ++i)
        v /= 10;
    return static_cast<int>(v % 10);
}

TEST(QuestionGeneratorTest, NoCarryAndNoBorrowHoldOverManySeeds)
{
    CParameterSet addition = Defaults(OperatorName::Addition, 2);
    addition.SetBool(ParamKey::Carry, false);
    CParameterSet subtraction = Defaults(OperatorName::Subtraction, 3); // 0..1000 with decimals on
    subtraction.SetBool(ParamKey::Borrow, false);
    subtraction.Unlock(ParamKey::EnableDecimals);
    subtraction.SetBool(ParamKey::EnableDecimals, false);

    CRandom::Seed(12345);
    for (int i = 0; i < 3000; ++i) {
        CQuestion q;
        ASSERT_TRUE(GenerateQuestion(q, addition));
        const long long a = q.operand1.toLongLong();
        const long long b = q.operand2.toLongLong();
        EXPECT_EQ(a + b, q.result.toLongLong());
        ASSERT_GE(a, 1);
        ASSERT_LE(a, 100);
        ASSERT_GE(b, 1);
        ASSERT_LE(b, 100);
        for (int column = 0; column < 4; ++column)
            ASSERT_LE(Digit(a, column) + Digit(b, column), 9) << Text(q);

        ASSERT_TRUE(GenerateQuestion(q, subtraction));
        const long long m = q.operand1.toLongLong();
        const long long s = q.operand2.toLongLong();
        ASSERT_GE(m - s, 0) << Text(q);
        ASSERT_LE(m, 1000);
        for (int column = 0; column < 4; ++column)
            ASSERT_LE(Digit(s, column), Digit(m, column)) << Text(q);
    }
}

TEST(QuestionGeneratorTest, WholeMultiplicationAndDivisionRangesOverManySeeds)
{
    const CParameterSet multiplication = Defaults(OperatorName::Multiplication, 0);
    const CParameterSet division = Defaults(OperatorName::Division, 1);
    CRandom::Seed(777);
    for (int i = 0; i < 3000; ++i) {
        CQuestion q;
        ASSERT_TRUE(GenerateQuestion(q, multiplication));
        const int a = q.operand1.toInt();
        const int b = q.operand2.toInt();
        ASSERT_TRUE(a >= 2 && a <= 10 && b >= 2 && b <= 10) << Text(q);
        ASSERT_EQ(a * b, q.result.toInt());

        ASSERT_TRUE(GenerateQuestion(q, division));
        const int dividend = q.operand1.toInt();
        const int divisor = q.operand2.toInt();
        const int quotient = q.result.toInt();
        const int remainder = q.remainder.toInt();
        ASSERT_TRUE(divisor >= 2 && divisor <= 20 && quotient >= 2 && quotient <= 20) << Text(q);
        ASSERT_TRUE(q.HasRemainder());
        ASSERT_GE(remainder, 1) << Text(q);
        ASSERT_LE(remainder, divisor - 1) << Text(q);
        ASSERT_EQ(dividend, divisor * quotient + remainder);
    }
}

TEST(QuestionGeneratorTest, DigitHelpersFallBackToTheScale)
{
    // A second operand under a one-digit first operand with s = 10 can never
    // reach 10: the helpers return s itself after their attempts.
    ScriptedRandom random({}, 16000);
    EXPECT_EQ(NoCarryOperand(0, 1000, 5, 10, EOperandRole::Second), 10);
    EXPECT_EQ(NoBorrowOperand(0, 1000, 5, 10, EOperandRole::Second), 10);
    EXPECT_EQ(random.Used(), 300);
}

} // namespace
