// Licence text decoding on arbitrary bytes: never reads past the input, never
// keeps a NUL, and a UTF-16 file never yields more characters than it holds.
#include "app/LicenseText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = LicenseText::Decode(bytes);
    if (text.contains(QChar(0)))
        std::abort();
    const bool utf16 = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    if (utf16 && text.size() > qsizetype(size / 2 - 1))
        std::abort();
    if (!utf16 && text.size() > qsizetype(size))
        std::abort();
    return 0;
}
