#pragma once

#include "config/ParameterSet.h"

#include <string>

// Keys of an operator's parameter set.
namespace ParamKey {
constexpr const char* Operator = "Operator";
constexpr const char* Level = "Level";
constexpr const char* OperandMin = "OperandMin";
constexpr const char* OperandMax = "OperandMax";
constexpr const char* MaxDecimals = "MaxDecimals";
constexpr const char* EnableDecimals = "EnableDecimals";
constexpr const char* AlgebraMode = "AlgebraMode";
constexpr const char* LayoutHorizontal = "LayoutHorizontal";
constexpr const char* Manipulatives = "Manipulatives";
constexpr const char* Carry = "Carry";
constexpr const char* Borrow = "Borrow";
constexpr const char* Remainder = "Remainder";
constexpr const char* DecimalDivisor = "DecimalDivisor";
constexpr const char* Selected = "Selected";
} // namespace ParamKey

// The four operators, in the order every list of them uses.
enum EOperator
{
    OpAddition = 0,
    OpSubtraction = 1,
    OpMultiplication = 2,
    OpDivision = 3,
    OperatorCount = 4
};

namespace OperatorName {
constexpr const char* Addition = "Addition";
constexpr const char* Subtraction = "Subtraction";
constexpr const char* Multiplication = "Multiplication";
constexpr const char* Division = "Division";
} // namespace OperatorName

// Learning levels are indexes 0..4 (shown to users as 1..5).
constexpr int kLevelCount = 5;

// Where the settings live under HKEY_CURRENT_USER.
constexpr const char* kKestavoRegistryKey = "Software\\Tandrel Technologies Inc.\\Kestavo";
constexpr const char* kQuestionsIndexValue = "QuestionsIndex";

// "Addition" ... "Division" for 0..3, nullptr otherwise.
const char* OperatorNameOf(int op);
// 0..3 for the exact operator names, -1 for anything else.
int OperatorIndexOf(const std::string& name);
// "Software\Tandrel Technologies Inc.\Kestavo\<operator>" for 0..3, empty otherwise.
std::string OperatorRegistryKey(int op);

// Limits a level index to 0..4.
int ClampLevel(int level);

// Resets the set to the defaults of that operator and level index, with the
// level's locks. An operator name other than the four leaves the set unchanged.
void ApplyDefaults(CParameterSet& set, const std::string& op, int level);

// Writes "EnableDecimals" and re-applies the division locks that depend on it.
// Returns the HasKey code of "EnableDecimals".
int SetEnableDecimals(CParameterSet& set, bool flag);

// Each writes its boolean only when the set already holds the key (a locked
// key stays unchanged). Returns the SetBool code, or 2 when the key is missing.
int SetAlgebraModeIfPresent(CParameterSet& set, bool flag);
int SetManipulativesIfPresent(CParameterSet& set, bool flag);
int SetCarryIfPresent(CParameterSet& set, bool flag);
int SetBorrowIfPresent(CParameterSet& set, bool flag);
int SetRemainderIfPresent(CParameterSet& set, bool flag);
int SetDecimalDivisorIfPresent(CParameterSet& set, bool flag);

// "Level" of the set, 0 when missing.
int GetLevel(const CParameterSet& set);
int SetLevel(CParameterSet& set, int level);

// Re-applies the defaults of the given level to a set read from the store while
// keeping the choices a teacher can make (selection, layout, style, decimals and
// the operator's own options); locked keys keep their fresh default. Bounds and
// decimal places always come from the level. This is what opening Setup does.
void ReapplyLevelKeepingChoices(CParameterSet& set, int level);
