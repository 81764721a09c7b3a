#include "views/SavedAnswer.h"

CSavedAnswer::CSavedAnswer(const QString& state)
{
    const int length = state.size();
    if (length == 0 || (length - 1) % 3 != 0)
        return;
    const int n = (length - 1) / 3;
    m_present = true;
    m_expected = state.mid(0, n);
    m_entries = state.mid(n, n);
    m_marks = state.mid(2 * n, n);
    m_verified = state.at(length - 1) == QLatin1Char('1');
}
