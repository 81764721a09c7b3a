#pragma once

#include "config/OptionsPage.h"

// The advanced options page of multiplication.
class CSetupMultiplication : public COptionsPage
{
public:
    CSetupMultiplication()
        : COptionsPage(OpMultiplication, QStringLiteral("CSetupMultiplication"))
    {
    }
};
