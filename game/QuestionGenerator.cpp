#include "game/QuestionGenerator.h"

#include "config/OperatorSettings.h"
#include "game/Random.h"

#include <charconv>
#include <cstdlib>

namespace {

// Attempts of a digit-wise helper before it settles for its fallback.
constexpr int kDigitAttempts = 150;

// r * w / 32767 is computed as r * w * (1 / 32767): for r = 32767 it reaches w
// itself, one step above the range, which the validity tests then reject.
constexpr double kInvRandMax = 3.0518509475997192e-05;

// Decimal places are capped so that 10^k and the scaled bounds stay far inside
// 64-bit integers even for hand-edited settings.
constexpr int kMaxPlaces = 6;

// Bounds used when a hand-edited set lacks them: those of the first level.
constexpr int kFallbackMin = 0;
constexpr int kFallbackMax = 10;

double Fraction(long long width)
{
    return static_cast<double>(CRandom::Next()) * static_cast<double>(width) * kInvRandMax;
}

// trunc(lo + r * (hi - lo + s) / 32767)
long long Draw(long long lo, long long hi, long long scale)
{
    return static_cast<long long>(static_cast<double>(lo) + Fraction(hi - lo + scale));
}

// trunc(1 + r * width / 32767), kept only when it lies in 1..top. Out of range
// (r = 32767 reaches top + 1) the digit becomes 2, or 1 when 1 is the only
// digit that fits: a 2 there would carry or borrow.
long long RandomDigit(long long width, long long top)
{
    const long long digit = static_cast<long long>(1.0 + Fraction(width));
    if (digit >= 1 && digit <= top)
        return digit;
    return top == 1 ? 1 : 2;
}

long long Power10(int places)
{
    long long value = 1;
    for (int i = 0; i < places; ++i)
        value *= 10;
    return value;
}

int ClampPlaces(int places)
{
    return places < 0 ? 0 : (places > kMaxPlaces ? kMaxPlaces : places);
}

QString WholeText(long long value)
{
    return QString::number(value);
}

// Fixed-point text with the given places, independent of the C locale.
QString FixedText(double value, int places)
{
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    return QString::fromLatin1(text, static_cast<int>(end.ptr - text));
}

struct Bounds
{
    int min = kFallbackMin;
    int max = kFallbackMax;
};

Bounds ReadBounds(const CParameterSet& set)
{
    Bounds b;
    set.GetInt(ParamKey::OperandMin, b.min);
    set.GetInt(ParamKey::OperandMax, b.max);
    return b;
}

bool ReadBool(const CParameterSet& set, const char* key)
{
    bool flag = false;
    set.GetBool(key, flag);
    return flag;
}

int ReadPlaces(const CParameterSet& set)
{
    int places = 0;
    set.GetInt(ParamKey::MaxDecimals, places);
    return ClampPlaces(places);
}

int VerticalFlag(const CParameterSet& set)
{
    return ReadBool(set, ParamKey::LayoutHorizontal) ? 0 : 1;
}

void GenerateAddSub(CQuestion& q, const CParameterSet& set, bool subtraction)
{
    const bool decimals = ReadBool(set, ParamKey::EnableDecimals);
    const Bounds bounds = ReadBounds(set);
    const int places = decimals ? ReadPlaces(set) : 0;

    q.algebra = ReadBool(set, ParamKey::AlgebraMode);
    q.manipulatives = ReadBool(set, ParamKey::Manipulatives);
    q.vertical = VerticalFlag(set);
    const bool regroup = ReadBool(set, subtraction ? ParamKey::Borrow : ParamKey::Carry);

    const long long s = decimals && places > 0 ? Power10(places) : 1;
    const long long lo = decimals ? bounds.min * s : bounds.min;
    const long long hi = decimals ? bounds.max * s : bounds.max;

    long long a = 0;
    long long b = 0;
    if (regroup) {
        // Regrouping is allowed, not forced: the operands are independent.
        a = Draw(lo, hi, s);
        if (!(lo <= a && a <= hi && std::llabs(a) >= s))
            a = 2 * s;
        b = Draw(lo, hi, s);
        if (!(lo <= b && b <= hi && std::llabs(b) >= s))
            b = 2 * s;
    } else if (subtraction) {
        a = NoBorrowOperand(lo, hi, 0, s, EOperandRole::First);
        b = NoBorrowOperand(lo, hi, a, s, EOperandRole::Second);
    } else {
        a = NoCarryOperand(lo, hi, 0, s, EOperandRole::First);
        b = NoCarryOperand(lo, hi, a, s, EOperandRole::Second);
    }
    const long long r = subtraction ? a - b : a + b;

    q.operatorSign = subtraction ? QStringLiteral("-") : QStringLiteral("+");
    if (decimals) {
        const double scale = static_cast<double>(s);
        q.operand1 = FixedText(a / scale, places);
        q.operand2 = FixedText(b / scale, places);
        q.result = FixedText(r / scale, places);
    } else {
        q.operand1 = WholeText(a);
        q.operand2 = WholeText(b);
        q.result = WholeText(r);
    }
}

// A whole factor, quotient or divisor: never 0, 1 or -1.
long long DrawWholeFactor(const Bounds& bounds)
{
    const long long v = Draw(bounds.min, bounds.max, 1);
    return v < bounds.min || v > bounds.max || std::llabs(v) <= 1 ? 2 : v;
}

// A decimal factor as a whole multiple of 1/scale. The lower bound is the
// unscaled minimum, the upper bound the scaled maximum.
long long DrawScaledFactor(const Bounds& bounds, long long scale)
{
    const long long lo = bounds.min;
    const long long hi = scale * bounds.max;
    const long long v = static_cast<long long>(static_cast<double>(lo) + Fraction(hi - lo + scale));
    return lo <= v && v <= hi && std::llabs(v) > scale ? v : 2 * scale;
}

void GenerateMultiplication(CQuestion& q, const CParameterSet& set)
{
    const Bounds bounds = ReadBounds(set);
    q.algebra = ReadBool(set, ParamKey::AlgebraMode);
    q.vertical = VerticalFlag(set);

    const long long a = DrawWholeFactor(bounds);
    const long long b = DrawWholeFactor(bounds);
    q.operatorSign = QStringLiteral("x");
    q.operand1 = WholeText(a);
    q.operand2 = WholeText(b);
    q.result = WholeText(a * b);
}

void GenerateDecimalMultiplication(CQuestion& q, const CParameterSet& set)
{
    const Bounds bounds = ReadBounds(set);
    const int k = ReadPlaces(set);
    q.algebra = ReadBool(set, ParamKey::AlgebraMode);
    q.vertical = VerticalFlag(set);

    const int places1 = k == 1 || k == 2 ? 1 : 2;
    const int places2 = k == 1 ? 0 : 1;
    const long long s1 = Power10(places1);
    const long long s2 = Power10(places2);

    const long long a = DrawScaledFactor(bounds, s1);
    const long long b = DrawScaledFactor(bounds, s2);
    const double x = static_cast<double>(a) / static_cast<double>(s1);
    const double y = static_cast<double>(b) / static_cast<double>(s2);

    q.operatorSign = QStringLiteral("x");
    q.operand1 = FixedText(x, places1);
    q.operand2 = FixedText(y, places2);
    q.result = FixedText(x * y, k);
}

void GenerateDivision(CQuestion& q, const CParameterSet& set)
{
    const Bounds bounds = ReadBounds(set);
    q.algebra = ReadBool(set, ParamKey::AlgebraMode);
    const bool withRemainder = ReadBool(set, ParamKey::Remainder);

    const long long quotient = DrawWholeFactor(bounds);
    const long long divisor = DrawWholeFactor(bounds);
    long long rem = static_cast<long long>(1.0 + Fraction(divisor - 1));
    if (rem <= 0 || rem > divisor - 1)
        rem = 2;
    const long long dividend = divisor * quotient + (withRemainder ? rem : 0);

    q.operatorSign = QStringLiteral("/");
    q.operand1 = WholeText(dividend);
    q.operand2 = WholeText(divisor);
    q.result = WholeText(quotient);
    q.remainder = withRemainder ? WholeText(rem) : QString();
}

void GenerateDecimalDivision(CQuestion& q, const CParameterSet& set)
{
    const Bounds bounds = ReadBounds(set);
    const int k = ReadPlaces(set);
    const bool decimalDivisor = ReadBool(set, ParamKey::DecimalDivisor);
    q.algebra = ReadBool(set, ParamKey::AlgebraMode);

    int divisorPlaces = 0;
    int quotientPlaces = 0;
    if (k == 1) {
        quotientPlaces = 1;
    } else if (!decimalDivisor) {
        quotientPlaces = k == 2 ? 2 : 3;
    } else {
        divisorPlaces = 1;
        quotientPlaces = k == 2 ? 1 : 2;
    }
    const long long sd = Power10(divisorPlaces);
    const long long sq = Power10(quotientPlaces);

    const long long d = DrawScaledFactor(bounds, sd);
    const long long qv = DrawScaledFactor(bounds, sq);
    const double y = static_cast<double>(d) / static_cast<double>(sd);
    const double x = static_cast<double>(qv) / static_cast<double>(sq);

    q.operatorSign = QStringLiteral("/");
    q.result = FixedText(x, quotientPlaces);
    q.operand2 = decimalDivisor ? FixedText(y, divisorPlaces) : WholeText(static_cast<long long>(y));
    q.operand1 = FixedText(x * y, k);
    q.remainder.clear();
}

// Number from digits collected right to left.
struct DigitBuilder
{
    long long value = 0;
    long long place = 1;
    void Append(long long digit)
    {
        value += digit * place;
        place *= 10;
    }
};

} // namespace

long long NoCarryOperand(long long lo, long long hi, long long other, long long scale, EOperandRole which)
{
    long long c = 0;
    for (int attempt = 0; attempt < kDigitAttempts; ++attempt) {
        DigitBuilder digits;
        if (which == EOperandRole::First) {
            long long v = Draw(lo, hi, scale);
            if (!(lo <= v && v <= hi && std::llabs(v) >= scale))
                v = 2 * scale;
            // A 9 would carry whatever the other operand holds.
            for (long long n = std::llabs(v); n > 0; n /= 10) {
                const long long h = n % 10;
                digits.Append(h == 9 ? RandomDigit(8, 8) : h);
            }
        } else {
            for (long long n = std::llabs(other); n > 0; n /= 10) {
                const long long h = n % 10;
                digits.Append(RandomDigit(9 - h, 9 - h));
            }
        }
        c = digits.value;
        if (std::llabs(c) >= scale && c <= hi)
            break;
    }
    return std::llabs(c) >= scale && lo <= c && c <= hi ? c : scale;
}

long long NoBorrowOperand(long long lo, long long hi, long long other, long long scale, EOperandRole which)
{
    if (which == EOperandRole::First) {
        long long v = Draw(lo, hi, scale);
        if (!(lo <= v && v <= hi && std::llabs(v) >= scale))
            v = 2 * scale;
        // No zero digit, so every subtrahend digit of 1..h fits under it.
        DigitBuilder digits;
        for (long long n = std::llabs(v); n > 0; n /= 10) {
            const long long h = n % 10;
            digits.Append(h == 0 ? RandomDigit(9, 9) : h);
        }
        const long long c = digits.value;
        return std::llabs(c) >= scale && lo <= c && c <= hi ? c : scale;
    }

    long long c = 0;
    for (int attempt = 0; attempt < kDigitAttempts; ++attempt) {
        DigitBuilder digits;
        for (long long n = std::llabs(other); n > 0; n /= 10) {
            const long long h = n % 10;
            digits.Append(RandomDigit(h, h));
        }
        c = digits.value;
        if (std::llabs(c) >= scale)
            break;
    }
    return std::llabs(c) >= scale && lo <= c && c <= hi ? c : scale;
}

bool GenerateQuestion(CQuestion& question, const CParameterSet& set)
{
    std::string op;
    set.GetString(ParamKey::Operator, op);
    switch (OperatorIndexOf(op)) {
    case OpAddition:
        GenerateAddSub(question, set, false);
        break;
    case OpSubtraction:
        GenerateAddSub(question, set, true);
        break;
    case OpMultiplication:
        if (ReadBool(set, ParamKey::EnableDecimals))
            GenerateDecimalMultiplication(question, set);
        else
            GenerateMultiplication(question, set);
        break;
    case OpDivision:
        if (ReadBool(set, ParamKey::EnableDecimals))
            GenerateDecimalDivision(question, set);
        else
            GenerateDivision(question, set);
        break;
    default:
        return false;
    }
    int level = 0;
    set.GetInt(ParamKey::Level, level);
    question.level = level;
    return true;
}
