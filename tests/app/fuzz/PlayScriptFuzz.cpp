// Feeds arbitrary text to the play script parser: it must either accept the
// text or name the failing line, and never crash or loop.
#include "app/PlayScript.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CPlayScript script;
    const bool ok = script.Parse(text);
    if (!ok && !script.Error().startsWith(QLatin1String("line ")))
        std::abort();
    if (ok && !script.Error().isEmpty())
        std::abort();
    for (const CPlayScript::Command& c : script.Commands()) {
        if (c.line <= 0 || static_cast<int>(c.points.size()) > CPlayScript::kMaxPoints)
            std::abort();
    }
    return 0;
}
