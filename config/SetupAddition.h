#pragma once

#include "config/OptionsPage.h"

// The advanced options page of addition.
class CSetupAddition : public COptionsPage
{
public:
    CSetupAddition()
        : COptionsPage(OpAddition, QStringLiteral("CSetupAddition"))
    {
    }
};
