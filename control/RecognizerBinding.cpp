#include "control/RecognizerBinding.h"

std::unique_ptr<CInkRecognition> CRecognizerBinding::Create()
{
    return nullptr; // PENDING: CHandwritingRecognizer not in the tree yet
}
