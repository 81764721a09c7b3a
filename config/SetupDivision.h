#pragma once

#include "config/OptionsPage.h"

// The advanced options page of division.
class CSetupDivision : public COptionsPage
{
public:
    CSetupDivision()
        : COptionsPage(OpDivision, QStringLiteral("CSetupDivision"))
    {
    }
};
