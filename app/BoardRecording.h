#pragma once

#include <QStringList>
#include <QTextStream>

// kestavo ... --record FILE: live board input of the session is recorded into FILE
// as a board session script. Takes "--record FILE" out of the arguments and asks the
// board software to record (after the QApplication exists). Returns 2 when FILE is
// missing, else 0: a board that is absent or cannot write FILE says so in one line
// on err, and play goes on.
int StartBoardRecording(QStringList& arguments, QTextStream& err);
// Writes what is pending and closes the recording, if one runs.
void StopBoardRecording();
