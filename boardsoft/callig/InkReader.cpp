#include "boardsoft/callig/InkReader.h"

#include "boardsoft/callig/CalligModel.h"

#include <algorithm>
#include <cmath>
#include <numeric>

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

// A lone mark smaller than this (pixels) is a dot whatever else is written.
constexpr float kLoneDotSize = 8.0f;
// Neighbouring groups closer than this (line heights) may be one character;
// a small piece may be up to kPieceGap away.
constexpr float kJoinGap = 0.05f;
constexpr float kPieceGap = 0.2f;
constexpr float kPieceHeight = 0.4f;
// Log-score cost of each character, against splitting one digit into pieces.
constexpr double kCharacterCost = 1.5;
// Strokes closer than this (in line heights) are parts of one character.
constexpr float kTouchDistance = 0.06f;
// The largest width of a character made of several merged groups, in line heights.
constexpr float kMaxMergedWidth = 1.4f;

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

bool isDot(const SGroup& g, float lineHeight, bool lone)
{
    const float size = std::max(g.box.width(), g.box.height());
    if (lone)
        return size <= kLoneDotSize;
    return size <= 0.22f * lineHeight;
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
    float image[CGlyphRenderer::kSide * CGlyphRenderer::kSide];
    CGlyphRenderer::Render(part, CGlyphRenderer::kPenRadius, image);
    float scores[CCalligModel::kClasses];
    model.Classify(image, scores);
    std::vector<SOption> options;
    for (int c = 0; c < CCalligModel::kClasses; ++c)
        options.push_back({ char('0' + c), std::log(std::max(scores[c], 1e-9f)) });
    std::sort(
        options.begin(), options.end(), [](const SOption& a, const SOption& b) { return a.logp > b.logp; });
    options.resize(3);
    return options;
}

// The best few strings over per-character options, best first.
std::vector<std::string> rankWords(const std::vector<std::vector<SOption>>& chars, size_t keep)
{
    std::vector<std::pair<std::string, double>> beam { { "", 0.0 } };
    for (const auto& opts : chars) {
        std::vector<std::pair<std::string, double>> next;
        for (const auto& b : beam)
            for (const auto& o : opts)
                next.push_back({ b.first + o.ch, b.second + o.logp });
        std::stable_sort(
            next.begin(), next.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        if (next.size() > keep)
            next.resize(keep);
        beam = std::move(next);
    }
    std::vector<std::string> out;
    for (const auto& b : beam)
        out.push_back(b.first);
    return out;
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
    const float lineHeight = std::max(line.height(), 1.0f);

    // Strokes that share most of their horizontal extent, or that touch,
    // belong to one character.
    std::vector<size_t> order(strokes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(
        order.begin(), order.end(), [&](size_t a, size_t b) { return boxes[a].left < boxes[b].left; });
    std::vector<SGroup> groups;
    for (size_t i : order) {
        if (!groups.empty()) {
            SGroup& g = groups.back();
            const float need = 0.35f * std::max(std::min(boxes[i].width(), g.box.width()), 0.3f * lineHeight);
            bool touching = false;
            for (size_t k = 0; k < g.strokes.size() && !touching; ++k)
                touching = distance(strokes[g.strokes[k]], strokes[i]) <= kTouchDistance * lineHeight;
            if (overlap(g.box, boxes[i]) >= need || boxes[i].right <= g.box.right || touching) {
                g.strokes.push_back(i);
                g.box.add(boxes[i]);
                continue;
            }
        }
        groups.push_back(SGroup { { i }, boxes[i] });
    }

    const bool lone = groups.size() == 1;
    // Groups that may be pieces of one character: touching or overlapping, or
    // a small piece (not a dot or minus) close beside the other.
    auto mayJoin = [&](const SGroup& a, const SGroup& b) {
        const float gap = -overlap(a.box, b.box);
        if (gap <= kJoinGap * lineHeight)
            return true;
        const SGroup& small = a.box.height() < b.box.height() ? a : b;
        return gap <= kPieceGap * lineHeight && small.box.height() < kPieceHeight * lineHeight
            && !isDot(small, lineHeight, false) && !isMinus(strokes, small, line.top, lineHeight, false);
    };
    // Best split of the groups into characters: a character is one group, or
    // up to three neighbouring groups that may join and together are no wider
    // than a digit. Each character costs kCharacterCost, so pieces that read
    // well together are not taken for separate characters.
    const size_t n = groups.size();
    std::vector<double> best(n + 1, -1e300);
    std::vector<size_t> from(n + 1, 0);
    std::vector<std::vector<std::vector<SOption>>> opts(n, std::vector<std::vector<SOption>>(4));
    best[0] = 0;
    for (size_t i = 1; i <= n; ++i) {
        for (size_t len = 1; len <= 3 && len <= i; ++len) {
            const size_t j = i - len;
            if (best[j] <= -1e299)
                continue;
            SGroup merged = groups[j];
            bool ok = true;
            for (size_t k = j + 1; k < i; ++k) {
                ok = ok && mayJoin(groups[k - 1], groups[k]);
                merged.strokes.insert(
                    merged.strokes.end(), groups[k].strokes.begin(), groups[k].strokes.end());
                merged.box.add(groups[k].box);
            }
            if (len > 1 && (!ok || merged.box.width() > kMaxMergedWidth * lineHeight))
                continue;
            std::vector<SOption> o;
            if (len == 1 && isDot(merged, lineHeight, lone))
                o = { { '.', 0.0 } };
            else if (len == 1 && isMinus(strokes, merged, line.top, lineHeight, lone))
                o = { { '-', 0.0 } };
            else
                o = classify(strokes, merged.strokes, *model);
            const double score = best[j] + o[0].logp - kCharacterCost;
            opts[j][len] = std::move(o);
            if (score > best[i]) {
                best[i] = score;
                from[i] = j;
            }
        }
    }
    std::vector<std::vector<SOption>> chars;
    for (size_t i = n; i > 0; i = from[i])
        chars.push_back(opts[from[i]][i - from[i]]);
    std::reverse(chars.begin(), chars.end());
    return { rankWords(chars, kMaxAlternatives) };
}
