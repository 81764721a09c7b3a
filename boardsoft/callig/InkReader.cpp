#include "boardsoft/callig/InkReader.h"

#include "boardsoft/callig/CalligModel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <numeric>
#include <optional>

namespace {

struct SBox
{
    float left = 0, top = 0, right = 0, bottom = 0;
    float width() const { return right - left; }
    float height() const { return bottom - top; }
    void add(const SBox& o)
    {
        left = std::min(left, o.left);
        top = std::min(top, o.top);
        right = std::max(right, o.right);
        bottom = std::max(bottom, o.bottom);
    }
};

struct SGroup
{
    std::vector<size_t> strokes;
    SBox box;
};

struct SOption
{
    char ch;
    double logp;
};

// A mark no larger than this (pixels) is a tap: a dot whatever else is written.
constexpr float kTapSize = 8.0f;
// A pupil's dot may also be a small ring or blob up to about this size
// (pixels); no digit written in a cell is that small.
constexpr float kRingDotSize = 14.0f;
// A ring or blob is round-ish: its narrow side at least this share of its wide side.
constexpr float kRingRoundness = 0.45f;
// Beside digits, a ring is a dot only up to this share of the line's height
// and only with its centre below this share of the line (dots sit on the line).
constexpr float kRingDotLine = 0.55f;
constexpr float kDotLowestCentre = 0.55f;
// A mark larger than a tap but tiny against the line is a dot only in the
// line's lower half: higher up it is a piece of a digit or a stray stroke.
constexpr float kTinyDotLowestCentre = 0.5f;
// Beside large digits a ring may be larger than kRingDotSize, up to this share of the line.
constexpr float kRingDotShare = 0.35f;
// Between characters, a ring up to kRingOnFoot of the line's height is a dot
// when it sits on the line's foot (its bottom below kFoot of the line, its
// centre below kRingOnFootCentre).
constexpr float kRingOnFoot = 0.7f;
constexpr float kRingOnFootCentre = 0.6f;
constexpr float kFoot = 0.85f;
// Beside digits, a stroke at least kDashShape times as wide as high and
// kShortestDash of the line long, with its centre above kDashLowestCentre of
// the line, is a dash (a minus), not a dot.
constexpr float kDashShape = 2.0f;
constexpr float kShortestDash = 0.18f;
constexpr float kDashLowestCentre = 0.75f;
// A comma, the separator much of Europe writes, is a dot with a short tail
// below the line: alone, a short stroke whose lower end lies left of its top
// (a tail written down to the left), up to kLoneCommaSize pixels tall, or up
// to kLoneCurvedCommaSize when it curves as a comma's tail does (a short 1
// written small is straighter).
constexpr float kLoneCommaSize = 18.0f;
constexpr float kLoneCurvedCommaSize = 22.0f;
constexpr float kCommaCurve = 0.12f;
// A comma runs from its head to the end of its tail: its ends are at least
// this share of its height apart (a small 0 or 6 closes on itself).
constexpr float kCommaOpen = 0.6f;
// Below its head a comma's tail moves up by at most kCommaBackTravel and right
// by at most kCommaRightTravel of its height (give or take a pixel or two).
constexpr float kCommaBackTravel = 0.15f;
constexpr float kCommaRightTravel = 0.4f;
constexpr float kCommaSlant = 0.15f;
// Beside digits (shares of the digits' height): it starts in the lower half
// of the line, reaches below the line and is far smaller than a digit.
constexpr float kCommaLowestTop = 0.45f;
constexpr float kCommaBelowLine = 0.08f;
constexpr float kCommaHeight = 0.65f;
constexpr float kCommaWidth = 0.45f;
// Strokes at least this share of the whole ink's height are digit bodies;
// their extent is the line that marks are judged against.
constexpr float kBodyShare = 0.5f;
// The ink left of a comma ends by its head, the ink right of it starts after
// it, each give or take this share of the digits' height.
constexpr float kCommaHeadReach = 0.1f;
// Neighbouring groups closer than this (line heights) may be one character;
// a small piece may be up to kPieceGap away, and a stroke that stops short of
// the middle of another up to kStrokeGap, read so at kStrokeGapCost.
constexpr float kJoinGap = 0.05f;
constexpr float kPieceGap = 0.2f;
constexpr float kStrokeGap = 0.1f;
constexpr double kStrokeGapCost = 1.5;
constexpr float kPieceHeight = 0.4f;
// Ink just above a ring that is at most this many times the ring's width is
// the upper loop of the same digit.
constexpr float kLoopAboveWidth = 1.25f;
// Log-score cost of each character, against splitting one digit into pieces.
constexpr double kCharacterCost = 1.5;
// A level stroke along the top of the line may be the flag of a 5 (or the
// bar of a 7) written apart from its body: its centre in the top kFlagTop of
// the line, at most kFlagHeight of the line high.
constexpr float kFlagTop = 0.22f;
constexpr float kFlagHeight = 0.3f;
// Log-score cost of a second point in one number, of passing over a
// point-sized mark as no character at all, and of a number beginning or
// ending in its point.
constexpr double kSecondPointCost = 10.0;
constexpr double kSpeckCost = 4.0;
constexpr double kTrailingPointCost = 4.0;
constexpr double kLeadingPointCost = 4.0;
// Strokes closer than this (in line heights) are parts of one character.
constexpr float kTouchDistance = 0.06f;
// The largest width of a character made of several merged groups, in line heights.
constexpr float kMaxMergedWidth = 1.4f;
// A 5 whose flag is written apart may reach far to the right of its body
// (pupils' flags run up to twice the body's width): a body and a flag
// together may be this wide.
constexpr float kMaxFlaggedWidth = 2.6f;
// The digits of one number are written about the same size: ink whose width
// and height are both under kShortDigit of the line's height is a piece of its
// neighbour (the loop of a 2 come apart) or a stray tick, passed over at
// kSpeckCost, and read as a digit of its own only when nothing else fits.
constexpr float kShortDigit = 0.4f;
constexpr double kShortDigitCost = 10.0;
// The most groups one character may be made of.
constexpr size_t kMaxPieces = 4;
// Shears (x moved by this share of y from the glyph's centre) at which each
// glyph is read.
constexpr float kReadSlants[] = { -0.1f, 0.1f };

SBox boxOf(const std::vector<SInkPoint>& s)
{
    SBox b { s[0].x, s[0].y, s[0].x, s[0].y };
    for (const auto& p : s)
        b.add(SBox { p.x, p.y, p.x, p.y });
    return b;
}

// Closest approach of two strokes, from at most 64 points of each.
float distance(const std::vector<SInkPoint>& a, const std::vector<SInkPoint>& b)
{
    const size_t sa = std::max<size_t>(1, a.size() / 64), sb = std::max<size_t>(1, b.size() / 64);
    float best = 1e30f;
    for (size_t i = 0; i < a.size(); i += sa)
        for (size_t j = 0; j < b.size(); j += sb)
            best = std::min(best, std::hypot(a[i].x - b[j].x, a[i].y - b[j].y));
    return best;
}

// Distance from p to the segment a-b.
float toSegment(SInkPoint p, SInkPoint a, SInkPoint b)
{
    const float dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// Whether a stroke of `from` ends within `reach` of the middle of a stroke of
// `to` (away from its own ends): where the pen stopped short of a stroke it
// was meant to meet, as a 4's bar short of its stem.
bool endsShortOf(const CInkStrokeList& strokes, const std::vector<size_t>& from,
    const std::vector<size_t>& to, float reach)
{
    for (size_t i : from) {
        const auto& s = strokes[i];
        for (const SInkPoint end : { s.front(), s.back() })
            for (size_t k : to) {
                const auto& t = strokes[k];
                const size_t lo = t.size() / 5, hi = t.size() - t.size() / 5;
                for (size_t j = lo; j + 1 < hi; ++j)
                    if (toSegment(end, t[j], t[j + 1]) <= reach)
                        return true;
            }
    }
    return false;
}

float overlap(const SBox& a, const SBox& b)
{
    return std::min(a.right, b.right) - std::max(a.left, b.left);
}

// Largest distance of the stroke's points from the line through its ends.
float bend(const std::vector<SInkPoint>& s)
{
    const SInkPoint a = s.front(), b = s.back();
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len = std::sqrt(dx * dx + dy * dy);
    float worst = 0;
    for (const auto& p : s) {
        float d = len > 1e-6f ? std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / len
                              : std::hypot(p.x - a.x, p.y - a.y);
        worst = std::max(worst, d);
    }
    return worst;
}

bool isMinus(const CInkStrokeList& strokes, const SGroup& g, float lineTop, float lineHeight, bool lone)
{
    if (g.strokes.size() != 1)
        return false;
    const auto& s = strokes[g.strokes[0]];
    const float w = g.box.width(), h = g.box.height();
    if (bend(s) > 0.2f * w + 1.0f)
        return false;
    if (lone)
        return w >= 6.0f && w >= 2.2f * h;
    const float mid = (g.box.top + g.box.bottom) / 2 - lineTop;
    return w >= 0.25f * lineHeight && h <= 0.3f * lineHeight && w >= 1.5f * h && mid > 0.2f * lineHeight
        && mid < 0.85f * lineHeight;
}

bool isFlag(const CInkStrokeList& strokes, const SGroup& g, float lineTop, float lineHeight)
{
    if (g.strokes.size() != 1)
        return false;
    const float w = g.box.width(), h = g.box.height();
    const float mid = (g.box.top + g.box.bottom) / 2 - lineTop;
    return w >= 2.0f * std::max(h, 1.0f) && h <= kFlagHeight * lineHeight && mid <= kFlagTop * lineHeight
        && bend(strokes[g.strokes[0]]) <= 0.25f * w + 1.0f;
}

// A "." by its size alone: a tap anywhere, or a small round ring or blob. In a
// field the mark is judged against the digits beside it as well: tiny against
// the line in its lower half, or ring-sized and low in the line.
bool isDot(const SBox& box, float lineTop, float lineHeight, bool lone)
{
    const float w = box.width(), h = box.height();
    const float size = std::max(w, h);
    const float centre = (box.top + box.bottom) / 2 - lineTop;
    // Beside small digits a minus may be no longer than a tap is wide: a level
    // dash above the foot of the line is never a dot.
    if (!lone && w >= kDashShape * std::max(h, 1.0f) && w >= kShortestDash * lineHeight
        && centre < kDashLowestCentre * lineHeight)
        return false;
    if (size <= kTapSize)
        return true;
    const bool round = std::min(w, h) >= kRingRoundness * size;
    if (lone)
        return round && size <= kRingDotSize;
    // Large writing has larger dots.
    const bool ring = round && size <= std::max(kRingDotSize, kRingDotShare * lineHeight);
    if (size <= 0.22f * lineHeight && centre >= kTinyDotLowestCentre * lineHeight)
        return true;
    return ring && size <= kRingDotLine * lineHeight && centre >= kDotLowestCentre * lineHeight;
}

// The highest and the lowest point of a stroke (the first of each on ties).
void ends(const std::vector<SInkPoint>& s, SInkPoint& top, SInkPoint& bottom)
{
    top = bottom = s.front();
    for (const auto& p : s) {
        if (p.y < top.y)
            top = p;
        if (p.y > bottom.y)
            bottom = p;
    }
}

// How far a stroke moves up and to the right below its head (the top quarter
// of its height, where a pupil may circle a dot): a comma's tail runs down and
// to the left; a small 6, 8 or 5 loops back up, a 7's bar runs right.
void tailTravel(const std::vector<SInkPoint>& s, float top, float height, float& up, float& right)
{
    up = right = 0;
    const float head = top + 0.25f * height;
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i - 1].y <= head && s[i].y <= head)
            continue;
        up += std::max(0.0f, s[i - 1].y - s[i].y);
        right += std::max(0.0f, s[i].x - s[i - 1].x);
    }
}

// A comma written alone (in a cell of its own): a short stroke, taller than
// wide, slanting or curving down to the left. An upright stroke is left to
// the classifier, as a short 1 may be.
bool isLoneComma(const std::vector<SInkPoint>& s, const SBox& box)
{
    const float w = box.width(), h = box.height();
    if (h > kLoneCurvedCommaSize || h <= kTapSize || w > std::max(0.8f * h, kTapSize))
        return false;
    if (h > kLoneCommaSize && bend(s) < kCommaCurve * h)
        return false;
    if (std::hypot(s.back().x - s.front().x, s.back().y - s.front().y) < kCommaOpen * h)
        return false;
    float up = 0, right = 0;
    tailTravel(s, box.top, h, up, right);
    if (up > kCommaBackTravel * h + 1.0f || right > kCommaRightTravel * h + 2.0f)
        return false;
    SInkPoint top, bottom;
    ends(s, top, bottom);
    return top.x - bottom.x >= kCommaSlant * h;
}

// A comma beside digits, against the digits' line (top and height): low,
// reaching below the line, small and not level (a level stroke is a minus).
bool isComma(const SBox& box, float lineTop, float lineHeight)
{
    const float w = box.width(), h = box.height();
    const float lineBottom = lineTop + lineHeight;
    return h <= kCommaHeight * lineHeight && w <= kCommaWidth * lineHeight && h >= 0.7f * w
        && box.top >= lineTop + kCommaLowestTop * lineHeight
        && box.bottom >= lineBottom + kCommaBelowLine * lineHeight;
}

// Between two characters beside small digits a pupil's ring may reach well up
// the line; sitting on the line's foot it is still the point. (Not used
// before grouping: there a loop of a small 6 or 8 would be set apart.)
bool isRingOnFoot(const SBox& box, float lineTop, float lineHeight)
{
    const float w = box.width(), h = box.height();
    const float size = std::max(w, h);
    const float centre = (box.top + box.bottom) / 2 - lineTop;
    return size <= kRingDotSize && std::min(w, h) >= kRingRoundness * size && size <= kRingOnFoot * lineHeight
        && centre >= kRingOnFootCentre * lineHeight && box.bottom >= lineTop + kFoot * lineHeight;
}

bool isDot(const SGroup& g, float lineTop, float lineHeight, bool lone)
{
    return isDot(g.box, lineTop, lineHeight, lone);
}

std::vector<SOption> classify(
    const CInkStrokeList& strokes, const std::vector<size_t>& ids, const CCalligModel& model)
{
    CInkStrokeList part;
    for (size_t i : ids) {
        const auto& s = strokes[i];
        // Dense strokes are thinned for drawing; the shape does not change.
        const size_t step = std::max<size_t>(1, s.size() / 256);
        std::vector<SInkPoint> kept;
        for (size_t k = 0; k < s.size(); k += step)
            kept.push_back(s[k]);
        if (kept.back().x != s.back().x || kept.back().y != s.back().y)
            kept.push_back(s.back());
        part.push_back(std::move(kept));
    }
    // The glyph is read slanted a little each way and the log-scores are
    // averaged: hands slant more than the training ink does, and the two
    // readings err on different glyphs.
    float centre = 0;
    size_t count = 0;
    for (const auto& s : part)
        for (const SInkPoint& q : s) {
            centre += q.y;
            ++count;
        }
    centre /= float(std::max<size_t>(count, 1));
    double sum[CCalligModel::kClasses] = {};
    for (float slant : kReadSlants) {
        CInkStrokeList slanted = part;
        for (auto& s : slanted)
            for (SInkPoint& q : s)
                q.x += slant * (q.y - centre);
        float image[CGlyphRenderer::kSide * CGlyphRenderer::kSide];
        CGlyphRenderer::Render(slanted, CGlyphRenderer::kPenRadius, image);
        float scores[CCalligModel::kClasses];
        model.Classify(image, scores);
        for (int c = 0; c < CCalligModel::kClasses; ++c)
            sum[c] += std::log(std::max(scores[c], 1e-9f)) / double(std::size(kReadSlants));
    }
    // Normalised again, so a glyph's options stay log-probabilities.
    const double top = *std::max_element(sum, sum + CCalligModel::kClasses);
    double total = 0;
    for (double v : sum)
        total += std::exp(v - top);
    const double norm = top + std::log(total);
    std::vector<SOption> options;
    for (int c = 0; c < CCalligModel::kClasses; ++c)
        options.push_back({ char('0' + c), sum[c] - norm });
    std::sort(
        options.begin(), options.end(), [](const SOption& a, const SOption& b) { return a.logp > b.logp; });
    options.resize(3);
    return options;
}

// A partial reading: its text and summed score.
struct SReading
{
    std::string text;
    double score = 0;
};

// Keeps the `keep` best readings, distinct texts only, best first.
void keepBest(std::vector<SReading>& readings, size_t keep)
{
    std::stable_sort(readings.begin(), readings.end(),
        [](const SReading& a, const SReading& b) { return a.score > b.score; });
    std::vector<SReading> out;
    for (auto& r : readings) {
        if (out.size() == keep)
            break;
        if (std::none_of(out.begin(), out.end(), [&](const SReading& o) { return o.text == r.text; }))
            out.push_back(std::move(r));
    }
    readings = std::move(out);
}

} // namespace

std::vector<CInkReader::CWord> CInkReader::Read(const CInkStrokeList& input, const CCalligModel* model)
{
    if (!model)
        return {};
    CInkStrokeList strokes;
    for (const auto& s : input)
        if (!s.empty())
            strokes.push_back(s);
    if (strokes.empty())
        return {};

    std::vector<SBox> boxes;
    for (const auto& s : strokes)
        boxes.push_back(boxOf(s));
    SBox line = boxes[0];
    for (const auto& b : boxes)
        line.add(b);
    auto touchesOther = [&](size_t i, float touch) {
        for (size_t k = 0; k < strokes.size(); ++k)
            if (k != i && distance(strokes[k], strokes[i]) <= touch)
                return true;
        return false;
    };

    // A comma sits between digits, so it is looked for with three strokes or
    // more, against the extent of the digits' bodies (its tail must not
    // stretch the line it is judged by), with ink ending by its head on the
    // left and ink starting after it on the right, and not inside a digit's
    // body; a piece of a digit has its own digit on both sides. Once found,
    // the line is the other ink.
    std::vector<bool> mark(strokes.size(), false);
    if (strokes.size() > 2) {
        SBox body = line;
        bool first = true;
        for (const auto& b : boxes)
            if (b.height() >= kBodyShare * line.height()) {
                if (first)
                    body = b;
                else
                    body.add(b);
                first = false;
            }
        const float bodyHeight = std::max(body.height(), 1.0f);
        auto between = [&](size_t i) {
            SInkPoint head, tail;
            ends(strokes[i], head, tail);
            bool left = false, right = false;
            for (size_t k = 0; k < strokes.size(); ++k) {
                if (k == i)
                    continue;
                // Inside a digit's body it is a piece of that digit.
                if (boxes[k].height() >= kBodyShare * line.height()
                    && boxes[k].left < head.x - kCommaHeadReach * bodyHeight
                    && boxes[k].right > head.x + kCommaHeadReach * bodyHeight)
                    return false;
                left = left
                    || ((boxes[k].left + boxes[k].right) / 2 < head.x
                        && boxes[k].right <= head.x + kCommaHeadReach * bodyHeight);
                right = right || boxes[k].left >= boxes[i].right - kCommaHeadReach * bodyHeight;
            }
            return left && right;
        };
        bool found = false;
        for (size_t i = 0; i < strokes.size(); ++i)
            if (isComma(boxes[i], body.top, bodyHeight) && between(i)
                && !touchesOther(i, kTouchDistance * bodyHeight)) {
                mark[i] = true;
                found = true;
            }
        if (found) {
            first = true;
            for (size_t i = 0; i < strokes.size(); ++i)
                if (!mark[i]) {
                    if (first)
                        line = boxes[i];
                    else
                        line.add(boxes[i]);
                    first = false;
                }
        }
    }
    const float lineHeight = std::max(line.height(), 1.0f);
    const float touch = kTouchDistance * lineHeight;

    // Small writing: the lower loop of an 8 written as two circles is dot-sized
    // and low in the line, but it sits just under ink hardly wider than itself
    // (the upper loop); a dot under a digit's overhang sits under a bar or a
    // stem that belongs to a wider digit.
    auto lowerLoop = [&](size_t i) {
        const SBox& b = boxes[i];
        for (size_t k = 0; k < strokes.size(); ++k) {
            const SBox& a = boxes[k];
            if (k == i || a.bottom > b.top + touch || b.top - a.bottom > kPieceGap * lineHeight)
                continue;
            if (overlap(a, b) >= 0.5f * b.width() && a.width() <= kLoopAboveWidth * b.width())
                return true;
        }
        return false;
    };

    // A dot beside digits is its own character even where it sits under a
    // digit's overhang (the bar of a 7) or close to it: a stroke of dot size
    // low in the line that touches no other ink is set apart before grouping.
    if (strokes.size() > 1)
        for (size_t i = 0; i < strokes.size(); ++i) {
            if (mark[i])
                continue;
            if (!isDot(boxes[i], line.top, lineHeight, false)
                || (boxes[i].top + boxes[i].bottom) / 2 < line.top + 0.5f * lineHeight)
                continue;
            mark[i] = !touchesOther(i, touch) && !lowerLoop(i);
        }

    // Strokes that share most of their horizontal extent, or that touch,
    // belong to one character.
    std::vector<size_t> order(strokes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(
        order.begin(), order.end(), [&](size_t a, size_t b) { return boxes[a].left < boxes[b].left; });
    std::vector<SGroup> groups;
    std::vector<bool> groupIsMark;
    for (size_t i : order) {
        bool placed = false;
        // The latest group of ink (not a dot) is the one this stroke may belong to.
        for (size_t gi = groups.size(); !mark[i] && !placed && gi-- > 0;) {
            if (groupIsMark[gi])
                continue;
            SGroup& g = groups[gi];
            const float need = 0.35f * std::max(std::min(boxes[i].width(), g.box.width()), 0.3f * lineHeight);
            bool touching = false;
            for (size_t k = 0; k < g.strokes.size() && !touching; ++k)
                touching = distance(strokes[g.strokes[k]], strokes[i]) <= touch;
            if (overlap(g.box, boxes[i]) >= need || boxes[i].right <= g.box.right || touching) {
                g.strokes.push_back(i);
                g.box.add(boxes[i]);
                placed = true;
            }
            break;
        }
        if (!placed) {
            groups.push_back(SGroup { { i }, boxes[i] });
            groupIsMark.push_back(mark[i]);
        }
    }

    const bool lone = groups.size() == 1;
    // Groups that may be pieces of one character, and what reading them so
    // costs: touching or overlapping, a stroke stopping just short of the
    // other's, or a small piece (not a dot or minus) close beside the other.
    // A dot set apart above never joins.
    auto joinCost = [&](size_t ia, size_t ib) -> std::optional<double> {
        if (groupIsMark[ia] || groupIsMark[ib])
            return std::nullopt;
        const SGroup &a = groups[ia], &b = groups[ib];
        const float gap = -overlap(a.box, b.box);
        if (gap <= kJoinGap * lineHeight)
            return 0.0;
        const auto mark = [&](const SGroup& g) {
            return isDot(g, line.top, lineHeight, false) || isMinus(strokes, g, line.top, lineHeight, false);
        };
        // A digit written in two strokes may leave a wider gap where one
        // stroke stops short of the other (a 4's bar short of its stem); no
        // dot or minus closes it.
        const float reach = kStrokeGap * lineHeight;
        if (gap <= reach && !mark(a) && !mark(b)
            && (endsShortOf(strokes, a.strokes, b.strokes, reach)
                || endsShortOf(strokes, b.strokes, a.strokes, reach)))
            return kStrokeGapCost;
        const SGroup& small = a.box.height() < b.box.height() ? a : b;
        if (gap <= kPieceGap * lineHeight && small.box.height() < kPieceHeight * lineHeight && !mark(small))
            return 0.0;
        return std::nullopt;
    };
    // Readings over every split of the groups into characters: a character is
    // one group, or up to kMaxPieces neighbouring groups that may join and
    // together are no wider than a digit. Each character costs kCharacterCost,
    // so pieces that read well together are not taken for separate characters.
    // The best few readings are kept at every cut, so the alternatives differ
    // in their splits as well as in their digits.
    const size_t n = groups.size();
    const size_t keep = 2 * kMaxAlternatives;
    std::vector<std::vector<SReading>> at(n + 1);
    at[0].push_back({});
    for (size_t i = 1; i <= n; ++i) {
        std::vector<SReading> here;
        for (size_t len = 1; len <= kMaxPieces && len <= i; ++len) {
            const size_t j = i - len;
            if (at[j].empty())
                continue;
            SGroup merged = groups[j];
            bool ok = true;
            bool flag = isFlag(strokes, groups[j], line.top, lineHeight);
            double joined = 0;
            for (size_t k = j + 1; k < i && ok; ++k) {
                const std::optional<double> cost = joinCost(k - 1, k);
                ok = cost.has_value();
                joined += cost.value_or(0.0);
                flag = flag || isFlag(strokes, groups[k], line.top, lineHeight);
                merged.strokes.insert(
                    merged.strokes.end(), groups[k].strokes.begin(), groups[k].strokes.end());
                merged.box.add(groups[k].box);
            }
            // Only a body and its flag together may be that wide.
            const float widest = (flag && len == 2 ? kMaxFlaggedWidth : kMaxMergedWidth) * lineHeight;
            if (len > 1 && (!ok || merged.box.width() > widest))
                continue;
            std::vector<SOption> o;
            if (len == 1
                && (groupIsMark[j] || isDot(merged, line.top, lineHeight, lone)
                    || (j > 0 && i < n && isRingOnFoot(merged.box, line.top, lineHeight))
                    || (lone && merged.strokes.size() == 1
                        && isLoneComma(strokes[merged.strokes[0]], merged.box))))
                // Or, at a cost, no character: a speck beside a number's point.
                o = { { '.', 0.0 }, { '\0', -kSpeckCost } };
            else if (len == 1 && isMinus(strokes, merged, line.top, lineHeight, lone))
                o = { { '-', 0.0 } };
            else {
                o = classify(strokes, merged.strokes, *model);
                if (std::max(merged.box.width(), merged.box.height()) < kShortDigit * lineHeight) {
                    for (SOption& opt : o)
                        opt.logp -= kShortDigitCost;
                    o.push_back({ '\0', -kSpeckCost });
                }
                for (SOption& opt : o)
                    opt.logp -= joined;
            }
            for (const SReading& r : at[j])
                for (const SOption& opt : o) {
                    // A number has one point at most: a second is a piece of
                    // a digit or a stray mark, read so only when nothing else fits.
                    if (opt.ch == '\0') {
                        here.push_back({ r.text, r.score + opt.logp });
                        continue;
                    }
                    const double second
                        = opt.ch == '.' && r.text.find('.') != std::string::npos ? kSecondPointCost : 0.0;
                    here.push_back({ r.text + opt.ch, r.score + opt.logp - kCharacterCost - second });
                }
        }
        keepBest(here, keep);
        at[i] = std::move(here);
    }
    std::vector<SReading>& readings = at[n];
    // No number ends in its point, and pupils write 0.5, not .5: a point-sized
    // mark after the last digit or before the first is more likely a speck or
    // a piece of the digit beside it, and those readings are among the others.
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    for (SReading& r : readings) {
        const size_t len = r.text.size();
        if (len > 1 && r.text[len - 1] == '.' && digit(r.text[len - 2]))
            r.score -= kTrailingPointCost;
        if (len > 1 && r.text[0] == '.' && digit(r.text[1]))
            r.score -= kLeadingPointCost;
    }
    keepBest(readings, kMaxAlternatives);
    CWord word;
    for (const SReading& r : readings)
        word.push_back(r.text);
    return { word };
}
