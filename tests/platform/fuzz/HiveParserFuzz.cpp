// Feeds arbitrary bytes to the hive parser; whatever it accepts must write out
// and read back to the same text.
#include "platform/registry/RegFileFormat.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CHiveKey root("HKEY_CURRENT_USER");
    std::string error;
    if (!CRegFileFormat::parse(text, "HKEY_CURRENT_USER", root, error))
        return 0;
    const std::string written = CRegFileFormat::write(root, "HKEY_CURRENT_USER");
    CHiveKey again("HKEY_CURRENT_USER");
    if (!CRegFileFormat::parse(written, "HKEY_CURRENT_USER", again, error))
        std::abort();
    if (CRegFileFormat::write(again, "HKEY_CURRENT_USER") != written)
        std::abort();
    return 0;
}
