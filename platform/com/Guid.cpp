#include "platform/com/Guid.h"

#include <cstdio>
#include <cstring>

bool GuidFromString(const char* text, GUID* out)
{
    if (!text || !out)
        return false;
    GUID parsed {};
    if (!guid_detail::Parse(text, std::strlen(text), parsed))
        return false;
    *out = parsed;
    return true;
}

std::string GuidToString(REFGUID g)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
        static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
        g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}
