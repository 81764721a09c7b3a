#pragma once

#include "config/OptionsPage.h"

// The advanced options page of subtraction.
class CSetupSubtraction : public COptionsPage
{
public:
    CSetupSubtraction()
        : COptionsPage(OpSubtraction, QStringLiteral("CSetupSubtraction"))
    {
    }
};
