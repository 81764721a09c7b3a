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

void StartBoardRecording(const QString& file, QTextStream& err)
{
    if (!Board().Load()) {
        err << "kestavo: the board software is not installed: nothing is recorded" << Qt::endl;
        return;
    }
    // The board reports a file it cannot write itself.
    g_recording = Board().RecordStart(file.toStdString());
}

void StopBoardRecording()
{
    if (g_recording)
        Board().RecordStop();
    g_recording = false;
}
