#pragma once

#include <QString>

// The program's string table, keyed by the numeric resource ids the views and
// dialogs use. An unknown id gives an empty string.
QString LoadResString(int id);
