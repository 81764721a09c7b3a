#include "game/QuestionsCommand.h"

#include "game/GameModel.h"
#include "game/QuestionRequest.h"
#include "game/Random.h"
#include "platform/cli/ModeParser.h"

#include <QTextStream>

int RunQuestionsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    CModeParser parser(QStringLiteral("kestavo --questions ") + QLatin1String(CQuestionRequest::UsageOptions()),
        QStringLiteral("Prints one game, a question per line in playing order."));
    parser.AddModeFlag(QStringLiteral("questions"));
    CQuestionRequest::Declare(parser);
    if (const int code = parser.Parse(args, out, err); code >= 0)
        return code;
    CQuestionRequest request;
    if (const QString error = request.Read(parser); !error.isEmpty())
        return parser.Reject(error, err);

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
