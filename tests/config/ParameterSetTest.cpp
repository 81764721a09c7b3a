#include "config/ParameterSet.h"

#include <gtest/gtest.h>

namespace {

TEST(ParameterSetTest, TypedReadsFollowTheirOutputRules)
{
    CParameterSet set;
    set.SetString("Upper", "True");
    set.SetString("Lower", "true");
    set.SetString("Spaced", " True");
    set.SetString("Number", "  -12abc");
    set.SetString("Word", "abc");

    bool flag = true;
    EXPECT_EQ(set.GetBool("Missing", flag), CParameterSet::kMissing);
    EXPECT_FALSE(flag) << "a missing boolean must overwrite the caller's value with false";
    EXPECT_EQ(set.GetBool("Upper", flag), CParameterSet::kFound);
    EXPECT_TRUE(flag);
    set.GetBool("Lower", flag);
    EXPECT_FALSE(flag);
    set.GetBool("Spaced", flag);
    EXPECT_FALSE(flag);

    int number = 77;
    EXPECT_EQ(set.GetInt("Missing", number), CParameterSet::kMissing);
    EXPECT_EQ(number, 77) << "a missing integer must leave the caller's value";
    EXPECT_EQ(set.GetInt("Number", number), CParameterSet::kFound);
    EXPECT_EQ(number, -12);
    set.GetInt("Word", number);
    EXPECT_EQ(number, 0);

    std::string text = "unchanged";
    EXPECT_EQ(set.GetString("Missing", text), CParameterSet::kMissing);
    EXPECT_EQ(text, "unchanged");

    EXPECT_EQ(set.CompareValue("Upper", "True"), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue("Upper", "true"), CParameterSet::kDifferent);
    EXPECT_EQ(set.CompareValue("Missing", "True"), CParameterSet::kMissing);
    EXPECT_EQ(set.HasKey("upper"), CParameterSet::kMissing) << "keys are case-sensitive";
}

TEST(ParameterSetTest, IntegersAndBooleansAreWrittenAsText)
{
    CParameterSet set;
    set.SetInt("Min", -100);
    set.SetBool("On", true);
    set.SetBool("Off", false);
    EXPECT_EQ(set.CompareValue("Min", "-100"), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue("On", "True"), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue("Off", "False"), CParameterSet::kFound);
}

TEST(ParameterSetTest, LockedKeysRefuseChangeAndRemoval)
{
    CParameterSet set;
    set.SetBool("Carry", false);
    set.Lock("Carry");
    EXPECT_TRUE(set.IsLocked("Carry"));
    EXPECT_FALSE(set.IsEditable("Carry"));
    EXPECT_EQ(set.HasKey("Carry_LOCKED"), CParameterSet::kFound);

    EXPECT_EQ(set.SetBool("Carry", true), CParameterSet::kLocked);
    EXPECT_EQ(set.SetString("Carry", "x"), CParameterSet::kLocked);
    EXPECT_EQ(set.SetInt("Carry", 3), CParameterSet::kLocked);
    EXPECT_EQ(set.CompareValue("Carry", "False"), CParameterSet::kFound);

    EXPECT_EQ(set.RemoveKey("Carry"), CParameterSet::kLocked);
    EXPECT_EQ(set.HasKey("Carry"), CParameterSet::kFound);
    EXPECT_TRUE(set.IsLocked("Carry"));

    set.Unlock("Carry");
    EXPECT_TRUE(set.IsEditable("Carry"));
    EXPECT_EQ(set.SetBool("Carry", true), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue("Carry", "True"), CParameterSet::kFound);
    EXPECT_EQ(set.RemoveKey("Carry"), CParameterSet::kFound);
    EXPECT_EQ(set.HasKey("Carry"), CParameterSet::kMissing);
    EXPECT_EQ(set.RemoveKey("Carry"), CParameterSet::kFound) << "removing a missing key is not an error";

    // A lock may precede its key: the key cannot be added then.
    set.Lock("Later");
    EXPECT_EQ(set.SetString("Later", "v"), CParameterSet::kLocked);
    EXPECT_EQ(set.HasKey("Later"), CParameterSet::kMissing);
    EXPECT_FALSE(set.IsEditable("Later"));

    set.RemoveAll();
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_FALSE(set.IsLocked("Later"));
}

TEST(ParameterSetTest, CopiesCarryLocksAndAssignmentReplacesEverything)
{
    CParameterSet source;
    source.SetBool("Remainder", false);
    source.Lock("Remainder");
    source.SetString("Operator", "Division");

    CParameterSet copy(source);
    EXPECT_TRUE(copy.IsLocked("Remainder"));
    EXPECT_EQ(copy.SetBool("Remainder", true), CParameterSet::kLocked);

    CParameterSet target;
    target.SetString("Stale", "1");
    target.SetBool("Remainder", true);
    target.Lock("Remainder"); // assignment ignores the target's own locks
    target = source;
    EXPECT_EQ(target.HasKey("Stale"), CParameterSet::kMissing);
    EXPECT_EQ(target.CompareValue("Remainder", "False"), CParameterSet::kFound);
    EXPECT_TRUE(target.IsLocked("Remainder"));
    EXPECT_EQ(target.GetCount(), source.GetCount());

    // The copy is independent of its source.
    copy.Unlock("Remainder");
    EXPECT_TRUE(source.IsLocked("Remainder"));
}

} // namespace
