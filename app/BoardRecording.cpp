#include "app/BoardRecording.h"

#include "boardsoft/ObriskReplay.h"

namespace {

CObriskReplayClient& Board()
{
    static CObriskReplayClient board;
    return board;
}

bool g_recording = false;

} // namespace

int StartBoardRecording(QStringList& arguments, QTextStream& err)
{
    const int at = arguments.indexOf(QStringLiteral("--record"));
    if (at < 0)
        return 0;
    if (at + 1 >= arguments.size() || arguments[at + 1].startsWith(QLatin1String("--"))) {
        err << "kestavo: --record takes the file to record the board session into" << Qt::endl;
        return 2;
    }
    const QString file = arguments[at + 1];
    arguments.remove(at, 2);
    if (!Board().Load()) {
        err << "kestavo: the board software is not installed: nothing is recorded" << Qt::endl;
        return 0;
    }
    // The board reports a file it cannot write itself.
    g_recording = Board().RecordStart(file.toStdString());
    return 0;
}

void StopBoardRecording()
{
    if (g_recording)
        Board().RecordStop();
    g_recording = false;
}
