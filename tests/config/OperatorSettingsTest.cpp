#include "config/OperatorSettings.h"

#include "config/SettingBinders.h"

#include <QCheckBox>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

// The set as "key=value" lines with a trailing "*" for locked keys, sorted.
std::string Describe(const CParameterSet& set)
{
    std::map<std::string, std::string> sorted(set.GetEntries().begin(), set.GetEntries().end());
    std::string text;
    for (const auto& entry : sorted) {
        const std::string& key = entry.first;
        if (key.size() > 7 && key.compare(key.size() - 7, 7, "_LOCKED") == 0)
            continue;
        text += key + "=" + entry.second + (set.IsLocked(key) ? "*" : "") + "\n";
    }
    return text;
}

CParameterSet Defaults(const char* op, int level)
{
    CParameterSet set;
    ApplyDefaults(set, op, level);
    return set;
}

TEST(OperatorSettingsTest, DefaultsAndLocksPerOperatorAndLevel)
{
    // Each operator has only its own keys; "*" marks the locked ones.
    const struct
    {
        const char* op;
        int level;
        const char* expected;
    } cases[] = {
        { OperatorName::Addition, 0,
            "AlgebraMode=False\nCarry=False\nEnableDecimals=False*\nLayoutHorizontal=True\nLevel="
            "0\nManipulatives=True\nMaxDecimals=0\nOperandMax=10\nOperandMin=0\nOperator=Addition\n" },
        { OperatorName::Addition, 1,
            "AlgebraMode=False\nCarry=True\nEnableDecimals=False\nLayoutHorizontal=True\nLevel="
            "1\nManipulatives=False\nMaxDecimals=1\nOperandMax=20\nOperandMin=0\nOperator=Addition\n" },
        { OperatorName::Addition, 2,
            "AlgebraMode=False\nCarry=True\nEnableDecimals=False\nLayoutHorizontal=True\nLevel="
            "2\nManipulatives=False*\nMaxDecimals=1\nOperandMax=100\nOperandMin=0\nOperator=Addition\n" },
        { OperatorName::Addition, 3,
            "AlgebraMode=False\nCarry=True\nEnableDecimals=True\nLayoutHorizontal=True\nLevel="
            "3\nManipulatives=False*\nMaxDecimals=2\nOperandMax=1000\nOperandMin=0\nOperator=Addition\n" },
        { OperatorName::Addition, 4,
            "AlgebraMode=True\nCarry=True\nEnableDecimals=True\nLayoutHorizontal=True\nLevel="
            "4\nManipulatives=False*\nMaxDecimals=3\nOperandMax=1000\nOperandMin=-100\nOperator=Addition\n" },
        { OperatorName::Subtraction, 0,
            "AlgebraMode=False\nBorrow=False\nEnableDecimals=False*\nLayoutHorizontal=True\nLevel="
            "0\nManipulatives=True\nMaxDecimals=0\nOperandMax=10\nOperandMin=0\nOperator=Subtraction\n" },
        { OperatorName::Subtraction, 2,
            "AlgebraMode=False\nBorrow=True\nEnableDecimals=False\nLayoutHorizontal=True\nLevel="
            "2\nManipulatives=False*\nMaxDecimals=1\nOperandMax=100\nOperandMin=0\nOperator=Subtraction\n" },
        { OperatorName::Multiplication, 0,
            "AlgebraMode=False\nEnableDecimals=False*\nLayoutHorizontal=True\nLevel=0\nMaxDecimals="
            "0\nOperandMax=10\nOperandMin=0\nOperator=Multiplication\n" },
        { OperatorName::Multiplication, 1,
            "AlgebraMode=False\nEnableDecimals=False\nLayoutHorizontal=True\nLevel=1\nMaxDecimals="
            "1\nOperandMax=20\nOperandMin=0\nOperator=Multiplication\n" },
        { OperatorName::Multiplication, 4,
            "AlgebraMode=True\nEnableDecimals=True\nLayoutHorizontal=True\nLevel=4\nMaxDecimals="
            "3\nOperandMax=1000\nOperandMin=-100\nOperator=Multiplication\n" },
        { OperatorName::Division, 0,
            "AlgebraMode=False\nDecimalDivisor=False*\nEnableDecimals=False*\nLayoutHorizontal=True\nLevel="
            "0\nMaxDecimals=0\nOperandMax=10\nOperandMin=0\nOperator=Division\nRemainder=False\n" },
        { OperatorName::Division, 1,
            "AlgebraMode=False\nDecimalDivisor=False*\nEnableDecimals=False*\nLayoutHorizontal=True\nLevel="
            "1\nMaxDecimals=1\nOperandMax=20\nOperandMin=0\nOperator=Division\nRemainder=True\n" },
        { OperatorName::Division, 2,
            "AlgebraMode=False\nDecimalDivisor=False*\nEnableDecimals=False\nLayoutHorizontal=True\nLevel="
            "2\nMaxDecimals=1\nOperandMax=100\nOperandMin=0\nOperator=Division\nRemainder=False\n" },
        { OperatorName::Division, 3,
            "AlgebraMode=False\nDecimalDivisor=False\nEnableDecimals=True\nLayoutHorizontal=True\nLevel="
            "3\nMaxDecimals=2\nOperandMax=1000\nOperandMin=0\nOperator=Division\nRemainder=False*\n" },
        { OperatorName::Division, 4,
            "AlgebraMode=True\nDecimalDivisor=True\nEnableDecimals=True\nLayoutHorizontal=True\nLevel="
            "4\nMaxDecimals=3\nOperandMax=1000\nOperandMin=-100\nOperator=Division\nRemainder=False*\n" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(Defaults(c.op, c.level)), c.expected) << c.op << ' ' << c.level;
}

TEST(OperatorSettingsTest, ApplyDefaultsIgnoresUnknownOperatorsAndDropsSelection)
{
    CParameterSet set = Defaults(OperatorName::Addition, 1);
    set.SetBool(ParamKey::Selected, true);
    const CParameterSet before = set;
    ApplyDefaults(set, "addition", 3);
    ApplyDefaults(set, "", 3);
    EXPECT_EQ(set.GetEntries(), before.GetEntries());

    ApplyDefaults(set, OperatorName::Addition, 1);
    EXPECT_EQ(set.HasKey(ParamKey::Selected), CParameterSet::kMissing);

    // Outside 0..4 the bounds are not written (callers clamp first).
    ApplyDefaults(set, OperatorName::Addition, 7);
    EXPECT_EQ(set.HasKey(ParamKey::OperandMax), CParameterSet::kMissing);
    EXPECT_EQ(ClampLevel(7), 4);
    EXPECT_EQ(ClampLevel(-1), 0);
}

TEST(OperatorSettingsTest, EnableDecimalsOnDivisionMovesTheLocks)
{
    CParameterSet set = Defaults(OperatorName::Division, 2);
    ASSERT_FALSE(set.IsEditable(ParamKey::DecimalDivisor));
    set.SetBool(ParamKey::Remainder, true);

    EXPECT_EQ(SetEnableDecimals(set, true), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue(ParamKey::Remainder, "False"), CParameterSet::kFound);
    EXPECT_TRUE(set.IsLocked(ParamKey::Remainder));
    EXPECT_TRUE(set.IsEditable(ParamKey::DecimalDivisor));
    EXPECT_EQ(SetDecimalDivisorIfPresent(set, true), CParameterSet::kFound);

    EXPECT_EQ(SetEnableDecimals(set, false), CParameterSet::kFound);
    EXPECT_TRUE(set.IsEditable(ParamKey::Remainder));
    EXPECT_EQ(set.CompareValue(ParamKey::DecimalDivisor, "False"), CParameterSet::kFound);
    EXPECT_TRUE(set.IsLocked(ParamKey::DecimalDivisor));
}

TEST(OperatorSettingsTest, EnableDecimalsRespectsLocksAndOtherOperators)
{
    CParameterSet addition = Defaults(OperatorName::Addition, 0);
    EXPECT_EQ(SetEnableDecimals(addition, true), CParameterSet::kFound);
    EXPECT_EQ(addition.CompareValue(ParamKey::EnableDecimals, "False"), CParameterSet::kFound);

    // Locked at division index 1: nothing moves, the remainder stays a choice.
    CParameterSet division = Defaults(OperatorName::Division, 1);
    SetEnableDecimals(division, true);
    EXPECT_EQ(division.CompareValue(ParamKey::Remainder, "True"), CParameterSet::kFound);
    EXPECT_TRUE(division.IsEditable(ParamKey::Remainder));

    CParameterSet open = Defaults(OperatorName::Addition, 2);
    SetEnableDecimals(open, true);
    EXPECT_EQ(open.CompareValue(ParamKey::EnableDecimals, "True"), CParameterSet::kFound);
    EXPECT_EQ(open.HasKey(ParamKey::Remainder), CParameterSet::kMissing);
    EXPECT_FALSE(open.IsLocked(ParamKey::Remainder));
    EXPECT_FALSE(open.IsLocked(ParamKey::DecimalDivisor));

    CParameterSet empty;
    EXPECT_EQ(SetEnableDecimals(empty, true), CParameterSet::kMissing);
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST(OperatorSettingsTest, SetIfPresentNeverAddsKeys)
{
    CParameterSet subtraction = Defaults(OperatorName::Subtraction, 2);
    const int before = subtraction.GetCount();
    EXPECT_EQ(SetCarryIfPresent(subtraction, true), CParameterSet::kMissing);
    EXPECT_EQ(SetRemainderIfPresent(subtraction, true), CParameterSet::kMissing);
    EXPECT_EQ(subtraction.GetCount(), before);

    EXPECT_EQ(SetBorrowIfPresent(subtraction, false), CParameterSet::kFound);
    EXPECT_EQ(subtraction.CompareValue(ParamKey::Borrow, "False"), CParameterSet::kFound);
    EXPECT_EQ(SetManipulativesIfPresent(subtraction, true), CParameterSet::kLocked);
    EXPECT_EQ(subtraction.CompareValue(ParamKey::Manipulatives, "False"), CParameterSet::kFound);
    EXPECT_EQ(SetAlgebraModeIfPresent(subtraction, true), CParameterSet::kFound);

    EXPECT_EQ(GetLevel(CParameterSet()), 0);
    EXPECT_EQ(SetLevel(subtraction, 3), CParameterSet::kFound);
    EXPECT_EQ(GetLevel(subtraction), 3);
}

TEST(OperatorSettingsTest, ReapplyingALevelKeepsTheTeachersChoices)
{
    CParameterSet set = Defaults(OperatorName::Subtraction, 1);
    set.SetBool(ParamKey::Selected, true);
    set.SetBool(ParamKey::LayoutHorizontal, false);
    set.SetBool(ParamKey::Borrow, false);
    set.SetBool(ParamKey::Manipulatives, true);
    set.SetInt(ParamKey::OperandMax, 5);

    ReapplyLevelKeepingChoices(set, 1);
    EXPECT_EQ(set.CompareValue(ParamKey::Selected, "True"), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue(ParamKey::LayoutHorizontal, "False"), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue(ParamKey::Borrow, "False"), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue(ParamKey::Manipulatives, "True"), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue(ParamKey::OperandMax, "20"), CParameterSet::kFound)
        << "bounds follow the level";
    EXPECT_EQ(set.HasKey(ParamKey::Carry), CParameterSet::kMissing);
    EXPECT_EQ(set.HasKey(ParamKey::Remainder), CParameterSet::kMissing);

    // At index 2 Manipulatives is locked: the kept "True" cannot come back.
    ReapplyLevelKeepingChoices(set, 2);
    EXPECT_EQ(set.CompareValue(ParamKey::Manipulatives, "False"), CParameterSet::kFound);
    EXPECT_EQ(GetLevel(set), 2);
}

TEST(OperatorSettingsTest, RegistryKeysNameTheOperators)
{
    EXPECT_EQ(OperatorRegistryKey(OpMultiplication),
        "Software\\Tandrel Technologies Inc.\\Kestavo\\Multiplication");
    EXPECT_EQ(OperatorRegistryKey(4), "");
    EXPECT_EQ(OperatorIndexOf("Division"), OpDivision);
    EXPECT_EQ(OperatorIndexOf("division"), -1);
}

TEST(SettingBindersTest, CheckBoxFollowsLockAndValue)
{
    CParameterSet set = Defaults(OperatorName::Addition, 2);
    QCheckBox box;
    BindCheckBox(&box, set, ParamKey::Carry);
    EXPECT_TRUE(box.isEnabled());
    EXPECT_TRUE(box.isChecked());

    BindCheckBox(&box, set, ParamKey::Manipulatives); // locked at False
    EXPECT_FALSE(box.isEnabled());
    EXPECT_FALSE(box.isChecked());

    BindCheckBox(&box, set, ParamKey::Remainder); // not an addition key
    EXPECT_FALSE(box.isEnabled());
    EXPECT_FALSE(box.isChecked());
}

TEST(SettingBindersTest, RadioPairSelectsByValue)
{
    QWidget parent;
    QRadioButton horizontal(&parent);
    QRadioButton vertical(&parent);
    CParameterSet set = Defaults(OperatorName::Addition, 0);

    BindRadioPair(&horizontal, &vertical, set, ParamKey::LayoutHorizontal);
    EXPECT_TRUE(horizontal.isChecked());
    EXPECT_FALSE(vertical.isChecked());

    set.SetBool(ParamKey::LayoutHorizontal, false);
    BindRadioPair(&horizontal, &vertical, set, ParamKey::LayoutHorizontal);
    EXPECT_FALSE(horizontal.isChecked());
    EXPECT_TRUE(vertical.isChecked());

    set.RemoveKey(ParamKey::LayoutHorizontal);
    horizontal.setChecked(true);
    BindRadioPair(&horizontal, &vertical, set, ParamKey::LayoutHorizontal);
    EXPECT_TRUE(vertical.isChecked()) << "a missing key reads false";
}

} // namespace
