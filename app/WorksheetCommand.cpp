#include "app/WorksheetCommand.h"

#include "app/AppLanguage.h"
#include "game/GameModel.h"
#include "game/QuestionRequest.h"
#include "game/Random.h"
#include "platform/cli/ModeParser.h"
#include "views/PagedOutput.h"
#include "views/Worksheet.h"
#include "views/WorksheetPainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

int RunWorksheetCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    CModeParser parser(QStringLiteral("kestavo --worksheet OUT.pdf ") + QLatin1String(CQuestionRequest::UsageOptions()),
        QStringLiteral("Writes a printable worksheet with its answer key: the questions --questions prints for "
                       "the same options."));
    const QString worksheet = QStringLiteral("worksheet");
    parser.AddOption({ worksheet, QStringLiteral("The PDF file to write."), QStringLiteral("OUT.pdf") });
    CQuestionRequest::Declare(parser);
    if (const int code = parser.Parse(args, out, err); code >= 0)
        return code;
    if (args.count(QStringLiteral("--worksheet")) > 1)
        return parser.Reject(QStringLiteral("--worksheet given twice"), err);
    const QString path = parser.Value(worksheet);
    if (path.isEmpty() || path.startsWith(QLatin1String("--")))
        return parser.Reject(QStringLiteral("--worksheet needs the PDF file to write"), err);
    CQuestionRequest request;
    if (const QString error = request.Read(parser); !error.isEmpty())
        return parser.Reject(error, err);

    // Pages are painted with fonts, which needs a GUI application but no
    // display; made only once the arguments are known to be good, so help and
    // usage errors print nothing else.
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kestavo";
        static char* argv[] = { name, nullptr };
        app = std::make_unique<QGuiApplication>(argc, argv);
        CAppLanguage::Apply();
    }

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
