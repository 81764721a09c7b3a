#pragma once

#include <QString>

class CParameterSet;

// One operator's settings as a teacher reads them in a report or on a
// worksheet: "Addition, level 2 (decimals, algebra style)". Only the options
// that change the questions are named.
QString PlayedSettingsLine(const CParameterSet& set);
