#pragma once

#include <QStringList>

class QTextStream;

// kestavo --export-settings FILE.reg
// kestavo --import-settings FILE.reg [--machine] [--dry-run]
// Writes the user's Kestavo settings as a regedit file, or merges such a file
// into the user hive (or with --machine the machine hive, whose keys are every
// new user's starting point); --dry-run only lists what would change.
// args are the arguments after the program name. Returns 0 on success, 1 on
// failure and 2 for bad usage.
int RunSettingsCommand(const QStringList& args, QTextStream& out, QTextStream& err);

