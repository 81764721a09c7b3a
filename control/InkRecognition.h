#pragma once
// The recogniser operations the answer grid drives while recognising its ink.
// The control adapts its CHandwritingRecognizer to this; tests substitute a
// scripted recogniser.

#include <string>
#include <vector>

struct IInkStroke;

class CInkRecognition
{
public:
    virtual ~CInkRecognition() = default;
    virtual bool OpenSession() = 0;
    virtual void AddStroke(IInkStroke* stroke) = 0;
    virtual bool CloseSession() = 0;
    // Fills `candidates` (emptied first); false when the recogniser failed.
    virtual bool GetCandidates(std::vector<std::string>& candidates) = 0;
};
