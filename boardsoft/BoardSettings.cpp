#include "boardsoft/BoardSettings.h"

#include "platform/registry/Registry.h"

namespace {

bool ReadDword(HKEY key, const char* name, DWORD* out)
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS
        || type != REG_DWORD || size != sizeof value)
        return false;
    *out = value;
    return true;
}

} // namespace

CBoardSettings CBoardSettings::Load()
{
    CBoardSettings s;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return s;
    DWORD v = 0;
    if (ReadDword(key, "Pen Colour", &v) && v <= 0xFFFFFFu)
        s.penColour = v;
    if (ReadDword(key, "Pen Width", &v) && v >= 1 && v <= 100)
        s.penWidth = static_cast<int>(v);
    if (ReadDword(key, "Eraser Width", &v) && v >= 1 && v <= 500)
        s.eraserWidth = static_cast<int>(v);
    if (ReadDword(key, "No Tool Delay", &v) && v >= 100 && v <= 600000)
        s.noToolDelayMs = static_cast<int>(v);
    if (ReadDword(key, "Touch As Pen", &v) && v <= 2)
        s.touchMode = static_cast<CTouchGate::Mode>(v);
    char path[4096];
    DWORD type = REG_NONE;
    DWORD size = sizeof path - 1;
    if (RegQueryValueExA(key, "Record File", nullptr, &type, reinterpret_cast<LPBYTE>(path), &size)
            == ERROR_SUCCESS
        && type == REG_SZ && size < sizeof path) {
        path[size] = '\0';
        s.recordFile = QString::fromUtf8(path).trimmed();
    }
    RegCloseKey(key);
    return s;
}
