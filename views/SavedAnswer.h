#pragma once

#include <QString>

// Read-only view of an answer field's saved state string: n characters of the
// expected answer, n of the pupil's entries (space = empty cell), n hint marks
// ('x' = filled by a hint) and one verified digit, 3n + 1 characters in all.
// An empty string or one of another length counts as missing.
class CSavedAnswer
{
public:
    explicit CSavedAnswer(const QString& state);

    bool IsPresent() const { return m_present; }
    int CellCount() const { return m_expected.size(); }
    const QString& Expected() const { return m_expected; }
    const QString& Entries() const { return m_entries; }
    const QString& HintMarks() const { return m_marks; }
    bool Verified() const { return m_verified; }
    int HintCount() const { return m_marks.count(QLatin1Char('x')); }

private:
    bool m_present = false;
    bool m_verified = false;
    QString m_expected;
    QString m_entries;
    QString m_marks;
};
