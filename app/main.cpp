// The kestavo program: routes the command-line modes to their handlers.

#include "app/BoardRecording.h"
#include "app/KestavoApp.h"
#include "app/PartsCheck.h"
#include "app/ScriptRunner.h"
#include "game/QuestionsCommand.h"
#include "platform/sound/SoundPlayer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstring>

namespace {

bool HasArgument(int argc, char** argv, const char* name)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (HasArgument(argc, argv, "--questions")) {
        // Prints a game's questions; needs no display.
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return RunQuestionsCommand(app.arguments().mid(1), out, err);
    }

    if (HasArgument(argc, argv, "--script")) {
        // Plays a scripted session through the real program and prints the
        // summary; with QT_QPA_PLATFORM=offscreen it needs no display.
        QApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        // What the message box would say, once, where a script's reader sees it.
        const QString missing = CPartsCheck::Report(CPartsCheck::Probe());
        if (!missing.isEmpty())
            err << missing << Qt::endl;
        QStringList arguments = app.arguments().mid(1);
        if (StartBoardRecording(arguments, err) != 0)
            return 2;
        const int result = CScriptRunner::RunCommandLine(arguments, out, err);
        StopBoardRecording();
        CSoundPlayer::FinishPendingLoads();
        return result;
    }

    // The game itself. --fullscreen fills the screen, for a projector.
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    QTextStream err(stderr);
    if (StartBoardRecording(arguments, err) != 0)
        return 2;
    int result = 1;
    {
        CKestavoApp kestavo;
        CKestavoApp::Options options;
        options.fullScreen = HasArgument(argc, argv, "--fullscreen");
        options.checkParts = true;
        if (kestavo.InitInstance(options)) {
            app.exec();
            result = kestavo.ExitInstance();
        }
    }
    StopBoardRecording();
    CSoundPlayer::FinishPendingLoads();
    return result;
}
