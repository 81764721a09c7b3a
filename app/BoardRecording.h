#pragma once

#include <QString>
#include <QTextStream>

// kestavo ... --record FILE: live board input of the session is recorded into FILE
// as a board session script. Call after the QApplication exists. A board that is
// absent or cannot write FILE says so in one line on err, and play goes on.
void StartBoardRecording(const QString& file, QTextStream& err);
// Writes what is pending and closes the recording, if one runs.
void StopBoardRecording();
