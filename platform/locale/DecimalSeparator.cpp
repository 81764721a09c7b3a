#include "platform/locale/DecimalSeparator.h"

#include "platform/registry/Registry.h"

#include <QLocale>
#include <atomic>

namespace {

// The game's main key (the same one the operator settings live below).
constexpr const char* kMainKey = "Software\\Tandrel Technologies Inc.\\Kestavo";

// The stored choice as last read or written; -1 = not read yet.
std::atomic<int> g_choice { -1 };

} // namespace

CDecimalSeparator::Choice CDecimalSeparator::ReadChoice()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMainKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FromLanguage;
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG rc
        = RegQueryValueExA(key, kValueName, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value || value > Comma)
        return FromLanguage;
    return static_cast<Choice>(value);
}

bool CDecimalSeparator::WriteChoice(Choice choice)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kMainKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const DWORD value = static_cast<DWORD>(choice);
    const bool ok
        = RegSetValueExA(key, kValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value)
        == ERROR_SUCCESS;
    RegCloseKey(key);
    if (ok)
        g_choice.store(choice);
    return ok;
}

void CDecimalSeparator::Forget()
{
    g_choice.store(-1);
}

QChar CDecimalSeparator::For(Choice choice, const QString& localeDecimalPoint)
{
    switch (choice) {
    case Point:
        return QLatin1Char('.');
    case Comma:
        return QLatin1Char(',');
    case FromLanguage:
        break;
    }
    // Cells and the recogniser know only these two; any other mark a locale
    // uses (an Arabic decimal separator, say) is shown as the point.
    return localeDecimalPoint == QLatin1String(",") ? QLatin1Char(',') : QLatin1Char('.');
}

QChar CDecimalSeparator::Current()
{
    int stored = g_choice.load();
    if (stored < 0) {
        stored = ReadChoice();
        g_choice.store(stored);
    }
    const Choice choice = static_cast<Choice>(stored);
    return For(choice, choice == FromLanguage ? QLocale().decimalPoint() : QString());
}

QString CDecimalSeparator::Shown(const QString& stored, QChar separator)
{
    QString shown = stored;
    if (separator != QLatin1Char('.'))
        shown.replace(QLatin1Char('.'), separator);
    return shown;
}

char CDecimalSeparator::ShownChar(char stored, QChar separator)
{
    return stored == '.' ? separator.toLatin1() : stored;
}
