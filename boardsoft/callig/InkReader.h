#pragma once

// Reads a session's strokes as one written number: decides "." (a tap, or a
// small ring or blob) and "-" (a short level stroke) by their shape and size,
// alone or against the digits beside them, groups the other strokes by their
// horizontal extents, gaps and contacts, and scores every split of the groups
// into characters with the digit model. The best whole reading comes first,
// then the next best, which may split the ink differently.

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
