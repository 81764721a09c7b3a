#include "views/Worksheet.h"

#include "game/GameModel.h"
#include "views/PlayedSettings.h"

#include <QCoreApplication>

CWorksheet::CWorksheet(const CGameModel& model, unsigned int seed)
    : m_seed(seed)
{
    for (const CParameterSet& set : model.GetOperatorSets())
        m_played << PlayedSettingsLine(set);
    for (int i = 0; i < model.GetItemCount(); ++i) {
        const CQuestionItem* item = model.GetItem(i);
        Entry entry;
        entry.number = i + 1;
        // Printed as the class writes numbers.
        entry.question = item->question.Shown();
        // The game asks for the result whenever the question is not algebra style.
        entry.unknown = item->question.algebra ? item->unknownPosition : 2;
        m_entries.push_back(entry);
    }
}

QString CWorksheet::FooterText() const
{
    return QCoreApplication::translate("CWorksheet", "Kestavo worksheet, seed %1").arg(m_seed);
}

QString CWorksheet::UnknownText(const Entry& entry)
{
    const CQuestion& q = entry.question;
    return entry.unknown == 0 ? q.operand1 : entry.unknown == 1 ? q.operand2 : q.result;
}

QString CWorksheet::KeyText(const Entry& entry)
{
    QString text = UnknownText(entry);
    if (entry.unknown == 2 && entry.question.HasRemainder())
        text += QStringLiteral(" R ") + entry.question.remainder;
    return text;
}
