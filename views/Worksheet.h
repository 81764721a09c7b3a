#pragma once

#include "game/Question.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

class CGameModel;

// A practice sheet: the questions a game would ask, in playing order, each
// with the number to find, plus what the header, the answer key and the
// footer say. Made from a game model, so it uses the same generators.
class CWorksheet
{
public:
    struct Entry
    {
        int number = 0; // 1-based
        CQuestion question;
        int unknown = 2; // 0 = first operand, 1 = second, 2 = result (and remainder)
    };

    CWorksheet(const CGameModel& model, unsigned int seed);

    const std::vector<Entry>& Entries() const { return m_entries; }
    const QStringList& PlayedLines() const { return m_played; }
    unsigned int Seed() const { return m_seed; }

    // "Kestavo worksheet, seed 1234": enough to make the same sheet again.
    QString FooterText() const;
    // The answer key line of one question: "7", "3 R 2".
    static QString KeyText(const Entry& entry);
    // The unknown's text (what the key shows for the box).
    static QString UnknownText(const Entry& entry);

private:
    std::vector<Entry> m_entries;
    QStringList m_played;
    unsigned int m_seed = 0;
};
