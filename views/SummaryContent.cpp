#include "views/SummaryContent.h"

#include "game/GameModel.h"
#include "platform/locale/DecimalSeparator.h"
#include "views/SavedAnswer.h"

namespace {

// '?' for every character but the decimal point: the digits the pupil did not give.
QString masked(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c != QLatin1Char('.'))
            c = QLatin1Char('?');
    return out;
}

} // namespace

CSummaryContent::CSummaryContent(const CGameModel& model)
    : m_count(model.GetQuestionCount())
{
    for (int i = 0; i < model.GetItemCount(); ++i) {
        const CQuestionItem* item = model.GetItem(i);
        const CSavedAnswer answer(item->answerState);
        if (!answer.IsPresent())
            continue; // never visited: not counted
        QString expected = answer.Expected();
        QString entries = answer.Entries();
        int hints = answer.HintCount();
        const CSavedAnswer remainder(item->remainderState);
        if (remainder.IsPresent() && remainder.CellCount() > 0) {
            expected += remainder.Expected();
            entries += remainder.Entries();
            hints += remainder.HintCount();
        }
        if (expected == entries)
            ++m_correct;
        m_hints += hints;
    }
}

CSummaryContent::Row CSummaryContent::MakeRow(const CQuestionItem& item, int index)
{
    const CQuestion& q = item.question;
    const bool hasRemainder = q.HasRemainder();

    // Verdict and what the pupil wrote.
    const CSavedAnswer answer(item.answerState);
    const CSavedAnswer remainder(item.remainderState);
    QString writtenAnswer;
    QString writtenRemainder;
    QString expected;
    QString expectedRemainder;
    bool right = false;
    if (answer.IsPresent()) {
        writtenAnswer = answer.Entries().trimmed();
        expected = answer.Expected().trimmed();
        if (remainder.IsPresent()) {
            writtenRemainder = remainder.Entries().trimmed();
            expectedRemainder = remainder.Expected().trimmed();
        }
        right = !expected.isEmpty() && expected == writtenAnswer && expectedRemainder == writtenRemainder;
    }
    // Without a saved remainder field the question itself knows the remainder,
    // so an unvisited division still shows "?" where its remainder belongs.
    if (!remainder.IsPresent())
        expectedRemainder = q.remainder;

    const int unknown = q.algebra ? item.unknownPosition : 2;
    if (writtenRemainder.isEmpty())
        writtenRemainder = expectedRemainder;
    if (writtenAnswer.isEmpty()) {
        writtenAnswer = unknown == 0 ? q.operand1 : unknown == 1 ? q.operand2 : q.result;
        if (!right) {
            writtenAnswer = masked(writtenAnswer);
            if (hasRemainder)
                writtenRemainder = masked(writtenRemainder);
        }
    }

    Row row;
    row.right = right;
    const QString texts[7] = {
        unknown == 0 ? writtenAnswer : q.operand1,
        q.operatorSign,
        unknown == 1 ? writtenAnswer : q.operand2,
        QStringLiteral("="),
        unknown == 2 ? writtenAnswer : q.result,
        hasRemainder ? QStringLiteral("R") : QString(),
        hasRemainder ? (unknown == 2 ? writtenRemainder : q.remainder) : QString(),
    };
    row.cells[0] = QStringLiteral("%1)\t").arg(index + 1);
    const QChar separator = CDecimalSeparator::Current();
    for (int c = 0; c < 7; ++c)
        row.cells[c + 1] = CDecimalSeparator::Shown(texts[c], separator) + QStringLiteral("   ");
    const int answerCell = unknown == 0 ? 1 : unknown == 1 ? 3 : 5;
    row.written[answerCell] = true;
    if (unknown == 2)
        row.written[7] = true;
    return row;
}

int CSummaryContent::CountUnanswered(const CGameModel& model)
{
    int unanswered = 0;
    for (int i = 0; i < model.GetItemCount(); ++i) {
        const CQuestionItem* item = model.GetItem(i);
        const CSavedAnswer answer(item->answerState);
        const CSavedAnswer remainder(item->remainderState);
        const bool written = (answer.IsPresent() && !answer.Entries().trimmed().isEmpty())
            || (remainder.IsPresent() && !remainder.Entries().trimmed().isEmpty());
        if (!written)
            ++unanswered;
    }
    return unanswered;
}
