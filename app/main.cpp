// The kestavo program: declares the command-line modes and routes to them.

#include "app/AppLanguage.h"
#include "app/BoardRecording.h"
#include "app/DisplayApplication.h"
#include "app/KestavoApp.h"
#include "app/ScriptRunner.h"
#include "app/SettingsCommand.h"
#include "app/WorksheetCommand.h"
#include "game/QuestionsCommand.h"
#include "platform/cli/ModeParser.h"
#include "platform/sound/SoundPlayer.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>
#include <memory>

namespace {

using ModeHandler = int (*)(const QStringList& args, QTextStream& out, QTextStream& err);

// A mode is chosen by its flag anywhere on the command line and parses the
// arguments itself (--help and --version included). A mode that shows windows
// opens its display itself, after its arguments are known to be good.
// What a mode needs of Qt: nothing of the window system, painting without a
// display (fonts and PDF pages; the mode makes its application), or windows.
enum class ModeApp { Core, Painting, Windows };

struct Mode
{
    const char* flag;
    const char* synopsis;
    ModeApp app;
    ModeHandler run;
};

const Mode kModes[] = {
    { "--questions", "kestavo --questions [OPTIONS]            print one game's questions", ModeApp::Core,
        RunQuestionsCommand },
    { "--worksheet", "kestavo --worksheet OUT.pdf [OPTIONS]    write a worksheet and its answer key",
        ModeApp::Painting, RunWorksheetCommand },
    { "--export-settings", "kestavo --export-settings FILE.reg       write the settings as a regedit file",
        ModeApp::Core, RunSettingsCommand },
    { "--import-settings", "kestavo --import-settings FILE.reg [OPTIONS]  merge a regedit file into the settings",
        ModeApp::Core, RunSettingsCommand },
    { "--script", "kestavo --script FILE [OPTIONS]         play a scripted session, print its summary",
        ModeApp::Windows, CScriptRunner::RunCommandLine },
};

// kestavo [--fullscreen]: the game itself.
int RunGame(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString fullScreen = QStringLiteral("fullscreen");
    CModeParser parser(QStringLiteral("kestavo [--fullscreen] | kestavo MODE [OPTIONS]"),
        QStringLiteral("Arithmetic drill game for the classroom whiteboard."));
    const QString record = QStringLiteral("record");
    parser.AddOption({ fullScreen, QStringLiteral("Fill the screen, for a projector.") });
    parser.AddOption({ record, QStringLiteral("Record the live board input into FILE, a board session script."),
        QStringLiteral("FILE") });
    // Taken from the arguments in main() for every mode; listed here for --help.
    parser.AddOption({ QStringLiteral("lang"),
        QStringLiteral("Show the program in language CODE (%1) instead of the desktop's.")
            .arg(CAppLanguage::Codes().join(QStringLiteral(", "))),
        QStringLiteral("CODE") });
    QString modes = QStringLiteral("Modes (each takes --help):");
    for (const Mode& mode : kModes)
        modes += QStringLiteral("\n  ") + QLatin1String(mode.synopsis);
    parser.AddHelpNote(modes);
    if (const int code = parser.Parse(args, out, err); code >= 0)
        return code;

    const std::unique_ptr<QApplication> app = CDisplayApplication::Open(err);
    if (!app)
        return 1;
    if (parser.IsSet(record))
        StartBoardRecording(parser.Value(record), err);
    int result = 1;
    {
        CKestavoApp kestavo;
        CKestavoApp::Options options;
        options.fullScreen = parser.IsSet(fullScreen);
        options.checkParts = true;
        options.dialogFirst = true;
        if (kestavo.InitInstance(options)) {
            app->exec();
            result = kestavo.ExitInstance();
        }
    }
    StopBoardRecording();
    CSoundPlayer::FinishPendingLoads();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!CAppLanguage::TakeOption(args, err))
        return 2;

    for (const Mode& mode : kModes) {
        const QString flag = QLatin1String(mode.flag);
        if (!args.contains(flag)
            && args.filter(QRegularExpression(QStringLiteral("^%1=").arg(flag))).isEmpty())
            continue;
        switch (mode.app) {
        case ModeApp::Windows:
            return mode.run(args, out, err);
        case ModeApp::Painting:
            // Makes its own offscreen GUI application once its arguments are good.
            return mode.run(args, out, err);
        case ModeApp::Core:
            break;
        }
        QCoreApplication app(argc, argv);
        return mode.run(args, out, err);
    }
    return RunGame(args, out, err);
}
