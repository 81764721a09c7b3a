#include "views/EndGameGuard.h"

CEndGameGuard::Decision CEndGameGuard::OnEndRequested(std::int64_t nowMs) const
{
    if (!m_askFirst)
        return Decision::End;
    // Taps arriving before the clock of the start (another clock, a restart)
    // count as just started too.
    if (m_startedMs != INT64_MIN && nowMs - m_startedMs < kSettleMs)
        return Decision::Ignore;
    return Decision::Ask;
}
