#include "config/TeacherOptions.h"

#include "config/OperatorSettings.h"
#include "config/ParameterSet.h"
#include "platform/registry/Registry.h"

namespace {

// A missing, unreadable or foreign value means the default.
bool ReadFlag(const char* name, bool fallback)
{
    DWORD value = 0;
    if (RegReadDword(HKEY_CURRENT_USER, kKestavoRegistryKey, name, value) != ERROR_SUCCESS)
        return fallback;
    if (value > 1)
        return fallback;
    return value == 1;
}

bool WriteFlag(const char* name, bool flag)
{
    return RegWriteDword(HKEY_CURRENT_USER, kKestavoRegistryKey, name, flag ? 1 : 0) == ERROR_SUCCESS;
}

} // namespace

bool CTeacherOptions::AskBeforeEndingGame()
{
    return ReadFlag(kAskBeforeEndingValue, false);
}

bool CTeacherOptions::SetAskBeforeEndingGame(bool ask)
{
    return WriteFlag(kAskBeforeEndingValue, ask);
}

bool CTeacherOptions::SummaryMarks()
{
    return ReadFlag(kSummaryMarksValue, true);
}

bool CTeacherOptions::SetSummaryMarks(bool shown)
{
    return WriteFlag(kSummaryMarksValue, shown);
}
