// Loading and saving parameter sets through the real settings store (each test
// gets a fresh hive folder from the test main).

#include "config/OperatorSettings.h"
#include "config/ParameterSet.h"

#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kAdditionKey = OperatorRegistryKey(OpAddition);
const std::string kDivisionKey = OperatorRegistryKey(OpDivision);

void WriteString(const std::string& subkey, const char* name, const char* text)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                  KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                  static_cast<DWORD>(std::strlen(text) + 1)),
        ERROR_SUCCESS);
    RegCloseKey(key);
}

void WriteDword(const std::string& subkey, const char* name, DWORD value)
{
    ASSERT_EQ(RegWriteDword(HKEY_CURRENT_USER, subkey.c_str(), name, value), ERROR_SUCCESS);
}

// Name -> type of every value the key holds.
std::vector<std::pair<std::string, DWORD>> StoredValues(const std::string& subkey)
{
    std::vector<std::pair<std::string, DWORD>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[1024];
        DWORD nameSize = sizeof name;
        DWORD type = REG_NONE;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values.emplace_back(name, type);
    }
    RegCloseKey(key);
    return values;
}

std::set<std::string> StoredNames(const std::string& subkey)
{
    std::set<std::string> names;
    for (const auto& value : StoredValues(subkey))
        names.insert(value.first);
    return names;
}

TEST(ParameterSetStoreTest, SaveAndLoadRoundTripWithLocksAndSelection)
{
    CParameterSet saved;
    ApplyDefaults(saved, OperatorName::Division, 2);
    saved.SetBool(ParamKey::Selected, true);
    saved.SetBool(ParamKey::LayoutHorizontal, false);
    saved.SetBool(ParamKey::AlgebraMode, true);
    ASSERT_EQ(saved.SaveToRegistry(HKEY_CURRENT_USER, kDivisionKey.c_str()), ERROR_SUCCESS);

    // Every entry is a REG_SZ value, markers included.
    const auto values = StoredValues(kDivisionKey);
    EXPECT_EQ(static_cast<int>(values.size()), saved.GetCount());
    for (const auto& value : values)
        EXPECT_EQ(value.second, REG_SZ) << value.first;

    // The receiving set names its operator, as the Setup dialog's sets do.
    CParameterSet loaded;
    ApplyDefaults(loaded, OperatorName::Division, 0);
    ASSERT_EQ(loaded.LoadFromRegistry(HKEY_CURRENT_USER, kDivisionKey.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(loaded.GetEntries(), saved.GetEntries());
    EXPECT_TRUE(loaded.IsLocked(ParamKey::DecimalDivisor));
}

TEST(ParameterSetStoreTest, SavingAfterUnlockRemovesTheStoredMarkerButKeepsOtherTypes)
{
    CParameterSet set;
    ApplyDefaults(set, OperatorName::Addition, 2); // locks Manipulatives
    ASSERT_EQ(set.SaveToRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()), ERROR_SUCCESS);
    WriteDword(kAdditionKey, "Foreign", 7);
    WriteString(kAdditionKey, "Obsolete", "x");
    ASSERT_TRUE(StoredNames(kAdditionKey).count("Manipulatives_LOCKED"));

    set.Unlock(ParamKey::Manipulatives);
    ASSERT_EQ(set.SaveToRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()), ERROR_SUCCESS);
    const auto names = StoredNames(kAdditionKey);
    EXPECT_FALSE(names.count("Manipulatives_LOCKED"));
    EXPECT_FALSE(names.count("Obsolete")) << "strings no longer in the set must not survive a save";
    EXPECT_TRUE(names.count("Foreign")) << "values of other types are left in place";
    EXPECT_TRUE(names.count("Manipulatives"));

    DWORD foreign = 0;
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kAdditionKey.c_str(), "Foreign", foreign), ERROR_SUCCESS);
    EXPECT_EQ(foreign, 7u);

    // An empty set clears the key's strings and still succeeds.
    CParameterSet empty;
    EXPECT_EQ(empty.SaveToRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(StoredNames(kAdditionKey), std::set<std::string> { "Foreign" });
}

TEST(ParameterSetStoreTest, LevelIsReadFromOneCharacterOnly)
{
    EXPECT_EQ(CParameterSet::ReadLevelValue(HKEY_CURRENT_USER, kAdditionKey.c_str()), 0) << "missing key";
    WriteString(kAdditionKey, "Other", "x");
    EXPECT_EQ(CParameterSet::ReadLevelValue(HKEY_CURRENT_USER, kAdditionKey.c_str()), 0) << "missing value";
    WriteString(kAdditionKey, "Level", "3");
    EXPECT_EQ(CParameterSet::ReadLevelValue(HKEY_CURRENT_USER, kAdditionKey.c_str()), 3);
    WriteString(kAdditionKey, "Level", "12");
    EXPECT_EQ(CParameterSet::ReadLevelValue(HKEY_CURRENT_USER, kAdditionKey.c_str()), 0) << "two digits";
    WriteString(kAdditionKey, "Level", "x");
    EXPECT_EQ(CParameterSet::ReadLevelValue(HKEY_CURRENT_USER, kAdditionKey.c_str()), 0);
    WriteString(kAdditionKey, "Level", "");
    EXPECT_EQ(CParameterSet::ReadLevelValue(HKEY_CURRENT_USER, kAdditionKey.c_str()), 0);
}

TEST(ParameterSetStoreTest, LoadAppliesTheStoredLevelsDefaultsAndItsLocksFirst)
{
    // Stored at level index 3 with a forbidden change of a locked key and a
    // DWORD that looks like a key.
    WriteString(kAdditionKey, "Level", "3");
    WriteString(kAdditionKey, "Manipulatives", "True");
    WriteString(kAdditionKey, "Carry", "False");
    WriteDword(kAdditionKey, "AlgebraMode", 1);

    CParameterSet set;
    ApplyDefaults(set, OperatorName::Addition, 0);
    set.SetBool(ParamKey::Selected, true); // reset by the defaults, not stored
    ASSERT_EQ(set.LoadFromRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()), ERROR_SUCCESS);

    int max = 0;
    set.GetInt(ParamKey::OperandMax, max);
    EXPECT_EQ(max, 1000);
    EXPECT_EQ(GetLevel(set), 3);
    EXPECT_EQ(set.CompareValue(ParamKey::Manipulatives, "False"), CParameterSet::kFound)
        << "the level locks Manipulatives before the stored value arrives";
    EXPECT_EQ(set.CompareValue(ParamKey::Carry, "False"), CParameterSet::kFound);
    EXPECT_EQ(set.CompareValue(ParamKey::AlgebraMode, "False"), CParameterSet::kFound)
        << "a REG_DWORD value is not a setting";
    EXPECT_EQ(set.HasKey(ParamKey::Selected), CParameterSet::kMissing);
}

TEST(ParameterSetStoreTest, HandEditedLevelAboveTheScaleStillGivesBounds)
{
    WriteString(kAdditionKey, "Level", "7");
    CParameterSet set;
    ApplyDefaults(set, OperatorName::Addition, 0);
    ASSERT_EQ(set.LoadFromRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()), ERROR_SUCCESS);
    int min = 0;
    int max = 0;
    EXPECT_EQ(set.GetInt(ParamKey::OperandMin, min), CParameterSet::kFound);
    EXPECT_EQ(set.GetInt(ParamKey::OperandMax, max), CParameterSet::kFound);
    EXPECT_EQ(min, -100);
    EXPECT_EQ(max, 1000);
}

TEST(ParameterSetStoreTest, StoredMarkerLocksItsKeyWhicheverComesFirst)
{
    WriteString(kAdditionKey, "Carry_LOCKED", "");
    WriteString(kAdditionKey, "Carry", "True");
    // Which of the two the store enumerates first decides the value.
    const auto values = StoredValues(kAdditionKey);
    ASSERT_EQ(values.size(), 2u);
    const bool markerFirst = values.front().first == "Carry_LOCKED";

    CParameterSet set;
    ApplyDefaults(set, OperatorName::Addition, 0); // Carry defaults to False at level index 0
    ASSERT_EQ(set.LoadFromRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(set.IsLocked(ParamKey::Carry));
    EXPECT_EQ(set.CompareValue(ParamKey::Carry, markerFirst ? "False" : "True"), CParameterSet::kFound);
}

TEST(ParameterSetStoreTest, LoadFailuresLeaveTheSetAlone)
{
    CParameterSet set;
    ApplyDefaults(set, OperatorName::Subtraction, 1);
    set.SetBool(ParamKey::Selected, true);
    const CParameterSet before = set;
    EXPECT_NE(set.LoadFromRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(set.GetEntries(), before.GetEntries());

    // A set without an operator is not reset: stored strings are added to it.
    WriteString(kAdditionKey, "Level", "2");
    WriteString(kAdditionKey, "Free", "text");
    CParameterSet bare;
    bare.SetString("Kept", "yes");
    ASSERT_EQ(bare.LoadFromRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(bare.CompareValue("Kept", "yes"), CParameterSet::kFound);
    EXPECT_EQ(bare.CompareValue("Free", "text"), CParameterSet::kFound);
    EXPECT_EQ(bare.HasKey(ParamKey::OperandMax), CParameterSet::kMissing);
}

TEST(ParameterSetStoreTest, DwordHelpersReadOnlyFourByteNumbers)
{
    const char* mainKey = kKestavoRegistryKey;
    DWORD number = 99;
    EXPECT_NE(RegReadDword(HKEY_CURRENT_USER, mainKey, kQuestionsIndexValue, number), ERROR_SUCCESS);
    EXPECT_EQ(number, 0u) << "the output is cleared even on failure";

    ASSERT_EQ(RegWriteDword(HKEY_CURRENT_USER, mainKey, kQuestionsIndexValue, 12), ERROR_SUCCESS);
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, mainKey, kQuestionsIndexValue, number), ERROR_SUCCESS);
    EXPECT_EQ(number, 12u);

    WriteString(mainKey, "Text", "5");
    number = 99;
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, mainKey, "Text", number), ERROR_SUCCESS);
    EXPECT_EQ(number, 0u) << "a string value reads as 0";
}

} // namespace
