#pragma once
// Connects the answer grid's recognition to the handwriting recogniser found
// on this machine.

#include "control/InkRecognition.h"

#include <memory>

class CRecognizerBinding
{
public:
    // Searches the recogniser's places; null when none loads (keyboard only).
    static std::unique_ptr<CInkRecognition> Create();
};
