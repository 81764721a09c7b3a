#include "game/QuestionsCommand.h"

#include "game/GameModel.h"
#include "game/QuestionRequest.h"
#include "game/Random.h"

#include <QTextStream>

int RunQuestionsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    CQuestionRequest request;
    const QString error = request.Parse(args, { QStringLiteral("--questions") });
    if (!error.isEmpty()) {
        err << error << '\n' << "usage: kestavo --questions " << CQuestionRequest::UsageOptions() << '\n';
        err.flush();
        return 2;
    }

    // The seed goes exactly where the game seeds from the clock: model creation.
    CGameModel model(request.seed ? *request.seed : CRandom::ClockSeed());
    if (!request.Build(model, err))
        return 1;

    for (int i = 0; i < model.GetItemCount(); ++i) {
        const CQuestionItem* item = model.GetItem(i);
        const CQuestion& q = item->question;
        out << (i + 1) << ") " << q.operand1 << ' ' << q.operatorSign << ' ' << q.operand2 << " = "
            << q.result;
        if (q.HasRemainder())
            out << " R " << q.remainder;
        out << "  [?=" << item->unknownPosition << "]\n";
    }
    out.flush();
    return 0;
}
