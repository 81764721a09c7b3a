// The component library's class table, type library and registration data.
// Compiled into libvaltrix.so itself (not the static code library), so the
// registrars run when the library loads.

#include "control/ValtrixCtrl.h"
#include "control/ValtrixIds.h"
#include "control/ValtrixPropPage.h"
#include "platform/com/ComServer.h"

#include <cstdio>
#include <string>

namespace {

// The component's own string table.
const char* const kControlTypeName = "Valtrix Control"; // string 1
const char* const kPropPageTypeName = "Valtrix Property Page"; // string 2

HRESULT SetSubKeyDefault(HKEY parent, const char* subKey, const std::string& value)
{
    HKEY key = nullptr;
    LONG error = RegCreateKeyExA(
        parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
    if (error != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(error);
    error = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
        static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return HRESULT_FROM_WIN32(error);
}

// What a control class registers beyond its class id: that it is a control,
// its miscellaneous status, toolbox bitmap, type library and version.
HRESULT RegisterControlExtras(HKEY clsidKey)
{
    char status[16];
    std::snprintf(status, sizeof status, "%u", kValtrixMiscStatus);
    const std::pair<const char*, std::string> values[] = {
        { "Control", "" },
        { "MiscStatus", "0" },
        { "MiscStatus\\1", status },
        { "ToolboxBitmap32", ComThisModule().Path() + ", 1" },
        { "TypeLib", GuidToString(LIBID_ValtrixLib) },
        { "Version", "1.0" },
    };
    for (const auto& [subKey, value] : values) {
        const HRESULT hr = SetSubKeyDefault(clsidKey, subKey, value);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

const ComTypeLibInfo kTypeLib {
    LIBID_ValtrixLib,
    "ValtrixLib",
    1,
    0,
    nullptr,
    {
        { DIID__DValtrix, "_DValtrix", true },
        { DIID__DValtrixEvents, "_DValtrixEvents", true },
    },
};

CComTypeLibRegistrar s_typeLib(&kTypeLib);
CComClassRegistrar<CValtrixCtrl> s_control(
    CLSID_ValtrixCtrl, kControlTypeName, kValtrixProgId, "Apartment", &RegisterControlExtras);
CComClassRegistrar<CValtrixPropPage> s_propPage(
    CLSID_ValtrixPropPage, kPropPageTypeName, kValtrixPropPageProgId, "Apartment");

} // namespace

extern "C" __attribute__((visibility("default"))) const char* ValtrixFileVersion()
{
    return "1.0.0.19";
}
