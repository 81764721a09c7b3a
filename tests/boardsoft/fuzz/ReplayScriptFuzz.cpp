// Board session scripts come from files: any bytes must parse or fail cleanly,
// and what parses must respect the documented limits.

#include "boardsoft/ReplayScript.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ReplayParseResult r = CReplayScript::Parse(text);
    int lastLine = 0;
    for (const ReplayCommand& c : r.commands) {
        if (c.line < lastLine || (r.errorLine > 0 && c.line >= r.errorLine))
            std::abort();
        lastLine = c.line;
        if (c.kind == ReplayCommand::Contact
            && (std::abs(c.x) > CReplayScript::kMaxCoordinate || std::abs(c.y) > CReplayScript::kMaxCoordinate
                || c.value < 0 || c.value > 1000))
            std::abort();
        if ((c.kind == ReplayCommand::Pause || c.kind == ReplayCommand::WaitWindow)
            && (c.milliseconds < 0 || c.milliseconds > CReplayScript::kMaxPauseMs))
            std::abort();
    }
    if (!r.Ok() && !r.error.startsWith(QStringLiteral("line ")))
        std::abort();
    return 0;
}
