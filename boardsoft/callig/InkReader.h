#pragma once

// Reads a session's strokes as one written number: splits them into
// characters by their horizontal extents and gaps, decides "-" and "." by
// their shape and size against the other characters, classifies the rest with
// the digit model, and ranks whole-word alternatives.

#include "boardsoft/callig/GlyphRenderer.h"

#include <string>
#include <vector>

class CCalligModel;

class CInkReader
{
public:
    // Alternatives of one word, best first.
    using CWord = std::vector<std::string>;
    static constexpr size_t kMaxAlternatives = 5;

    // strokes are in pixels (x and y on the same scale). Without a model no
    // word is reported.
    static std::vector<CWord> Read(const CInkStrokeList& strokes, const CCalligModel* model);
};
