// BSTR: a 32-bit byte count, then the UTF-16 text and a terminating zero. The
// pointer handed out points at the text, as on Windows.

#include "platform/com/Com.h"

#include <QList>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);

BSTR AllocateBytes(const void* data, std::size_t byteLength)
{
    // Keep the byte count representable, and leave room for the prefix and terminator.
    if (byteLength > std::numeric_limits<std::uint32_t>::max() - 16)
        return nullptr;
    char* block = static_cast<char*>(std::malloc(kPrefix + byteLength + sizeof(OLECHAR) + 1));
    if (!block)
        return nullptr;
    const std::uint32_t length = static_cast<std::uint32_t>(byteLength);
    std::memcpy(block, &length, kPrefix);
    if (data)
        std::memcpy(block + kPrefix, data, byteLength);
    else
        std::memset(block + kPrefix, 0, byteLength);
    // Zero terminator (two bytes, plus one for an odd byte length).
    std::memset(block + kPrefix + byteLength, 0, sizeof(OLECHAR) + 1);
    return reinterpret_cast<BSTR>(block + kPrefix);
}

std::size_t Length16(LPCOLESTR text)
{
    std::size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

} // namespace

BSTR SysAllocString(LPCOLESTR text)
{
    if (!text)
        return nullptr;
    return AllocateBytes(text, Length16(text) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(LPCOLESTR text, UINT length)
{
    if (length > (std::numeric_limits<std::uint32_t>::max() - 16) / sizeof(OLECHAR))
        return nullptr;
    return AllocateBytes(text, std::size_t(length) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT byteLength)
{
    return AllocateBytes(bytes, byteLength);
}

int SysReAllocString(BSTR* target, LPCOLESTR text)
{
    if (!target)
        return FALSE;
    BSTR copy = SysAllocString(text);
    if (text && !copy)
        return FALSE;
    SysFreeString(*target);
    *target = copy;
    return TRUE;
}

void SysFreeString(BSTR text)
{
    if (text)
        std::free(reinterpret_cast<char*>(text) - kPrefix);
}

UINT SysStringByteLen(BSTR text)
{
    if (!text)
        return 0;
    std::uint32_t length;
    std::memcpy(&length, reinterpret_cast<const char*>(text) - kPrefix, kPrefix);
    return length;
}

UINT SysStringLen(BSTR text)
{
    return SysStringByteLen(text) / sizeof(OLECHAR);
}

BSTR SysAllocStringFromQString(const QString& text)
{
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), static_cast<UINT>(text.size()));
}

QString SysStringToQString(BSTR text)
{
    if (!text)
        return QString();
    return QString::fromUtf16(text, static_cast<qsizetype>(SysStringLen(text)));
}

BSTR SysAllocStringFromAnsi(const char* text, int length)
{
    if (!text)
        return nullptr;
    const qsizetype n = length < 0 ? qsizetype(std::strlen(text)) : qsizetype(length);
    return SysAllocStringFromQString(QString::fromUtf8(text, n));
}

std::string SysStringToAnsi(BSTR text)
{
    return SysStringToQString(text).toStdString();
}

BSTR SysAllocStringFromLatin1(const std::string& bytes)
{
    return SysAllocStringFromQString(QString::fromLatin1(bytes.data(), qsizetype(bytes.size())));
}

std::string SysStringToLatin1(BSTR text)
{
    // By code point, so that a character outside the basic plane (two UTF-16
    // units) still takes one byte.
    const QList<uint> codes = SysStringToQString(text).toUcs4();
    std::string bytes;
    bytes.reserve(size_t(codes.size()));
    for (const uint code : codes)
        bytes += code < 256 ? char(code) : '?';
    return bytes;
}
