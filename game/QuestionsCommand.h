#pragma once

#include <QStringList>

class QTextStream;

// kestavo --questions [--operators Addition,Division] [--levels 1,3] [--count N]
//                     [--seed S] [--settings]
// Builds one game and prints it in playing order, one question a line:
//   "N) operand1 sign operand2 = result[ R remainder]  [?=K]"
// args are the arguments after the program name. Returns the exit code.
int RunQuestionsCommand(const QStringList& args, QTextStream& out, QTextStream& err);
