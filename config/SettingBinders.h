#pragma once

#include "config/ParameterSet.h"

#include <string>

class QAbstractButton;

// Enables the box only while the key is present and not locked; checks it when
// the key reads true.
void BindCheckBox(QAbstractButton* checkBox, const CParameterSet& set, const std::string& key);

// Selects the first button when the key reads true, the second otherwise.
void BindRadioPair(
    QAbstractButton* first, QAbstractButton* second, const CParameterSet& set, const std::string& key);
