#pragma once

// Start-up options for frame tests: no Go at start, Setup answered with one
// addition game of ten questions at level 0, messages swallowed.

#include "app/KestavoApp.h"
#include "config/OperatorSettings.h"

inline CKestavoApp::Options AdditionGameOptions()
{
    CKestavoApp::Options options;
    options.goAtStart = false;
    options.setupRunner = [](std::vector<CParameterSet>& sets, int& count) {
        CParameterSet set;
        ApplyDefaults(set, OperatorName::Addition, 0);
        sets.assign(1, set);
        count = 10;
        return true;
    };
    options.messageSink = [](const QString&) {};
    return options;
}
