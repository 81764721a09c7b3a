#include "config/OperatorSettings.h"

#include <algorithm>
#include <iterator>

namespace {

struct LevelDefaults
{
    int operandMin;
    int operandMax;
    int maxDecimals;
};

constexpr LevelDefaults kLevelTable[kLevelCount] = {
    { 0, 10, 0 },
    { 0, 20, 1 },
    { 0, 100, 1 },
    { 0, 1000, 2 },
    { -100, 1000, 3 },
};

constexpr const char* kOperatorNames[OperatorCount] = {
    OperatorName::Addition,
    OperatorName::Subtraction,
    OperatorName::Multiplication,
    OperatorName::Division,
};

int SetIfPresent(CParameterSet& set, const char* key, bool flag)
{
    if (set.HasKey(key) != CParameterSet::kFound)
        return CParameterSet::kMissing;
    return set.SetBool(key, flag);
}

} // namespace

const char* OperatorNameOf(int op)
{
    return op >= 0 && op < OperatorCount ? kOperatorNames[op] : nullptr;
}

int OperatorIndexOf(const std::string& name)
{
    for (int op = 0; op < OperatorCount; ++op) {
        if (name == kOperatorNames[op])
            return op;
    }
    return -1;
}

std::string OperatorRegistryKey(int op)
{
    const char* name = OperatorNameOf(op);
    if (!name)
        return std::string();
    return std::string(kKestavoRegistryKey) + "\\" + name;
}

int ClampLevel(int level)
{
    return std::clamp(level, 0, kLevelCount - 1);
}

void ApplyDefaults(CParameterSet& set, const std::string& op, int level)
{
    const int index = OperatorIndexOf(op);
    if (index < 0)
        return;

    set.RemoveAll();
    set.SetString(ParamKey::Operator, op);
    if (level >= 0 && level < kLevelCount) {
        const LevelDefaults& row = kLevelTable[level];
        set.SetInt(ParamKey::OperandMin, row.operandMin);
        set.SetInt(ParamKey::OperandMax, row.operandMax);
        set.SetInt(ParamKey::MaxDecimals, row.maxDecimals);
        set.SetBool(ParamKey::EnableDecimals, false);
    }
    set.SetBool(ParamKey::AlgebraMode, level == 4);

    switch (index) {
    case OpAddition:
    case OpSubtraction:
        set.SetBool(index == OpAddition ? ParamKey::Carry : ParamKey::Borrow, level != 0);
        set.SetBool(ParamKey::Manipulatives, level == 0);
        if (level > 1)
            set.Lock(ParamKey::Manipulatives);
        break;
    case OpDivision:
        set.SetBool(ParamKey::Remainder, level == 1);
        set.SetBool(ParamKey::DecimalDivisor, level == 4);
        break;
    default:
        break;
    }

    set.SetBool(ParamKey::LayoutHorizontal, true);
    set.SetInt(ParamKey::Level, level);
    SetEnableDecimals(set, level > 2);
    if (index == OpDivision ? level < 2 : level == 0)
        set.Lock(ParamKey::EnableDecimals);
}

int SetEnableDecimals(CParameterSet& set, bool flag)
{
    const int present = set.HasKey(ParamKey::EnableDecimals);
    if (present != CParameterSet::kFound)
        return present;
    if (set.SetBool(ParamKey::EnableDecimals, flag) == CParameterSet::kLocked)
        return present;
    if (set.CompareValue(ParamKey::Operator, OperatorName::Division) != CParameterSet::kFound)
        return present;

    if (flag) {
        // Decimal division has no remainder, and the decimal divisor becomes a choice.
        set.Unlock(ParamKey::Remainder);
        set.SetBool(ParamKey::Remainder, false);
        set.Lock(ParamKey::Remainder);
        set.Unlock(ParamKey::DecimalDivisor);
    } else {
        set.Unlock(ParamKey::Remainder);
        set.Unlock(ParamKey::DecimalDivisor);
        set.SetBool(ParamKey::DecimalDivisor, false);
        set.Lock(ParamKey::DecimalDivisor);
    }
    return present;
}

int SetAlgebraModeIfPresent(CParameterSet& set, bool flag)
{
    return SetIfPresent(set, ParamKey::AlgebraMode, flag);
}

int SetManipulativesIfPresent(CParameterSet& set, bool flag)
{
    return SetIfPresent(set, ParamKey::Manipulatives, flag);
}

int SetCarryIfPresent(CParameterSet& set, bool flag)
{
    return SetIfPresent(set, ParamKey::Carry, flag);
}

int SetBorrowIfPresent(CParameterSet& set, bool flag)
{
    return SetIfPresent(set, ParamKey::Borrow, flag);
}

int SetRemainderIfPresent(CParameterSet& set, bool flag)
{
    return SetIfPresent(set, ParamKey::Remainder, flag);
}

int SetDecimalDivisorIfPresent(CParameterSet& set, bool flag)
{
    return SetIfPresent(set, ParamKey::DecimalDivisor, flag);
}

int GetLevel(const CParameterSet& set)
{
    int level = 0;
    set.GetInt(ParamKey::Level, level);
    return level;
}

int SetLevel(CParameterSet& set, int level)
{
    return set.SetInt(ParamKey::Level, level);
}

void ReapplyLevelKeepingChoices(CParameterSet& set, int level)
{
    // The choices kept, with the operators that have each key (bit per operator).
    struct Kept
    {
        const char* key;
        unsigned operators;
    };
    constexpr unsigned kAll = 0xF;
    constexpr unsigned kAddSub = (1u << OpAddition) | (1u << OpSubtraction);
    static constexpr Kept kKept[] = {
        { ParamKey::Selected, kAll },
        { ParamKey::LayoutHorizontal, kAll },
        { ParamKey::AlgebraMode, kAll },
        { ParamKey::EnableDecimals, kAll },
        { ParamKey::Manipulatives, kAddSub },
        { ParamKey::Carry, 1u << OpAddition },
        { ParamKey::Borrow, 1u << OpSubtraction },
        { ParamKey::Remainder, 1u << OpDivision },
        { ParamKey::DecimalDivisor, 1u << OpDivision },
    };
    std::string op;
    set.GetString(ParamKey::Operator, op);
    const int index = OperatorIndexOf(op);
    if (index < 0)
        return;

    bool values[std::size(kKept)] = {};
    for (size_t i = 0; i < std::size(kKept); ++i)
        set.GetBool(kKept[i].key, values[i]);

    ApplyDefaults(set, op, level);
    SetLevel(set, level);
    // Only the operator's own keys are written back, so the set never gains a
    // key its operator does not have; locked keys keep their fresh default.
    for (size_t i = 0; i < std::size(kKept); ++i) {
        if (kKept[i].operators & (1u << index))
            set.SetBool(kKept[i].key, values[i]);
    }
}
