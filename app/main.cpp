// The kestavo program: routes the command-line modes to their handlers.

#include "game/QuestionsCommand.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
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

    std::puts("kestavo: the game window is not available in this build yet; try --questions.");
    return 0;
}
