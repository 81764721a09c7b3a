// Saved answer states come from the pen input control, a separate component:
// the summary must cope with any text in them. Feeds arbitrary question texts
// and states to the row and score builders and checks their invariants.
#include "game/GameModel.h"
#include "views/SavedAnswer.h"
#include "views/SummaryContent.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

QString take(const uint8_t*& data, size_t& size)
{
    if (size == 0)
        return QString();
    size_t length = data[0] % 24;
    ++data;
    --size;
    if (length > size)
        length = size;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(length));
    data += length;
    size -= length;
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CQuestionItem item;
    item.question.operand1 = take(data, size);
    item.question.operatorSign = take(data, size);
    item.question.operand2 = take(data, size);
    item.question.result = take(data, size);
    item.question.remainder = take(data, size);
    item.question.algebra = size > 0 && (data[0] & 1);
    item.unknownPosition = size > 0 ? data[0] % 3 : 2;
    item.answerState = take(data, size);
    item.remainderState = take(data, size);

    const CSavedAnswer answer(item.answerState);
    if (answer.IsPresent()
        && (answer.Expected().size() != answer.Entries().size()
            || answer.Entries().size() != answer.HintMarks().size()
            || 3 * answer.CellCount() + 1 != item.answerState.size()))
        std::abort();

    const CSummaryContent::Row row = CSummaryContent::MakeRow(item, 0);
    if (row.cells[0] != QStringLiteral("1)\t"))
        std::abort();
    int written = 0;
    for (int c = 1; c < 8; ++c) {
        if (!row.cells[c].endsWith(QStringLiteral("   ")))
            std::abort();
        written += row.written[c];
    }
    // Exactly one column holds the answer, plus the remainder for an unknown result.
    if (written < 1 || written > 2)
        std::abort();
    // A row is right only with a saved answer.
    if (row.right && !answer.IsPresent())
        std::abort();
    return 0;
}
