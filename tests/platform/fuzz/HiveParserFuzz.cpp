// Feeds arbitrary bytes to the .reg readers. Whatever the hive parser accepts
// must write out and read back to the same text as REGEDIT4; in the version 5
// variants, where text passes through UTF-16, it must be stable after one
// round (the first may turn bytes that are not UTF-8 into their Latin-1
// characters).
#include "platform/registry/RegFileFormat.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kRoot = "HKEY_CURRENT_USER";

void checkStable(const CHiveKey& root, RegEncoding encoding)
{
    std::string error;
    const std::string first = CRegFileFormat::write(root, kRoot, encoding);
    CHiveKey once(kRoot);
    if (!CRegFileFormat::parse(first, kRoot, once, error)) {
        // Only REGEDIT4 keeps every byte; text grown by the conversion may pass a bound.
        if (encoding == RegEncoding::Regedit4)
            std::abort();
        return;
    }
    const std::string second = CRegFileFormat::write(once, kRoot, encoding);
    if (encoding == RegEncoding::Regedit4 && second != first)
        std::abort();
    CHiveKey twice(kRoot);
    if (!CRegFileFormat::parse(second, kRoot, twice, error))
        std::abort();
    if (CRegFileFormat::write(twice, kRoot, encoding) != second)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    CRegDocument document;
    CRegFileFormat::read(text, document, error);

    CHiveKey root(kRoot);
    if (!CRegFileFormat::parse(text, kRoot, root, error))
        return 0;
    checkStable(root, RegEncoding::Regedit4);
    checkStable(root, RegEncoding::Version5Utf16);
    checkStable(root, RegEncoding::Version5Utf8);
    return 0;
}
