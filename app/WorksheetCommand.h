#pragma once

#include <QStringList>

class QTextStream;

// kestavo --worksheet OUT.pdf [--operators ...] [--levels ...] [--count N]
//                             [--seed S] [--settings]
// Writes the questions the same arguments give --questions as a printable
// worksheet with its answer key. args are the arguments after the program
// name; needs a QGuiApplication. Returns 0, 2 on bad usage, 1 on failure.
int RunWorksheetCommand(const QStringList& args, QTextStream& out, QTextStream& err);
