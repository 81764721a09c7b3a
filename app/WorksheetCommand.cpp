#include "app/WorksheetCommand.h"

#include "game/GameModel.h"
#include "game/QuestionRequest.h"
#include "game/Random.h"
#include "views/PagedOutput.h"
#include "views/Worksheet.h"
#include "views/WorksheetPainter.h"

#include <QDir>
#include <QTextStream>

int RunWorksheetCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const auto usage = [&err](const QString& error) {
        err << error << '\n'
            << "usage: kestavo --worksheet OUT.pdf " << CQuestionRequest::UsageOptions() << '\n';
        err.flush();
        return 2;
    };

    QStringList rest = args;
    const int at = rest.indexOf(QStringLiteral("--worksheet"));
    if (at < 0 || at + 1 >= rest.size() || rest[at + 1].startsWith(QLatin1String("--")))
        return usage(QStringLiteral("--worksheet needs the PDF file to write"));
    const QString path = rest[at + 1];
    rest.remove(at, 2);
    if (rest.contains(QStringLiteral("--worksheet")))
        return usage(QStringLiteral("--worksheet given twice"));

    CQuestionRequest request;
    const QString error = request.Parse(rest, {});
    if (!error.isEmpty())
        return usage(error);

    const unsigned int seed = request.seed ? *request.seed : CRandom::ClockSeed();
    CGameModel model(seed);
    if (!request.Build(model, err))
        return 1;

    const CWorksheet sheet(model, seed);
    const CWorksheetPainter painter(sheet);
    QString writeError;
    if (!CPagedOutput::WritePdf(
            path, QStringLiteral("Kestavo worksheet"),
            [&painter](QPagedPaintDevice& device) { return painter.Paint(device); }, writeError)) {
        err << writeError << '\n';
        err.flush();
        return 1;
    }
    out << QStringLiteral("%1 questions, seed %2: %3")
               .arg(sheet.Entries().size())
               .arg(seed)
               .arg(QDir::toNativeSeparators(path))
        << '\n';
    out.flush();
    return 0;
}
