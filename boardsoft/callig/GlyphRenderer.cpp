#include "boardsoft/callig/GlyphRenderer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBig = CGlyphRenderer::kSide * CGlyphRenderer::kScale;

// Largest coverage of a round-capped segment of radius r over each pixel centre.
void drawSegment(float* canvas, float ax, float ay, float bx, float by, float r)
{
    const int x0 = std::max(0, int(std::floor(std::min(ax, bx) - r - 1)));
    const int x1 = std::min(kBig - 1, int(std::ceil(std::max(ax, bx) + r + 1)));
    const int y0 = std::max(0, int(std::floor(std::min(ay, by) - r - 1)));
    const int y1 = std::min(kBig - 1, int(std::ceil(std::max(ay, by) + r + 1)));
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float px = x + 0.5f - ax, py = y + 0.5f - ay;
            float t = len2 > 0 ? (px * dx + py * dy) / len2 : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            const float ex = px - t * dx, ey = py - t * dy;
            const float cover = std::clamp(r + 0.5f - std::sqrt(ex * ex + ey * ey), 0.0f, 1.0f);
            float& c = canvas[y * kBig + x];
            c = std::max(c, cover);
        }
    }
}

} // namespace

void CGlyphRenderer::Render(const CInkStrokeList& strokes, float penRadius, float* image784)
{
    std::fill(image784, image784 + kSide * kSide, 0.0f);
    float minX = 1e30f, minY = 1e30f, maxX = -1e30f, maxY = -1e30f;
    for (const auto& s : strokes)
        for (const auto& p : s) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    if (minX > maxX)
        return;
    // The skeleton's long side plus the pen's width fills 20 pixels.
    const float inner = 20.0f * kScale - 2.0f * penRadius;
    const float extent = std::max(maxX - minX, maxY - minY);
    const float scale = extent > 1e-6f ? inner / extent : 0.0f;
    const float cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
    std::vector<float> canvas(kBig * kBig, 0.0f);
    auto mapX = [&](float x) { return (x - cx) * scale + kBig / 2.0f; };
    auto mapY = [&](float y) { return (y - cy) * scale + kBig / 2.0f; };
    for (const auto& s : strokes) {
        if (s.empty())
            continue;
        if (s.size() == 1)
            drawSegment(canvas.data(), mapX(s[0].x), mapY(s[0].y), mapX(s[0].x), mapY(s[0].y), penRadius);
        for (size_t i = 1; i < s.size(); ++i)
            drawSegment(
                canvas.data(), mapX(s[i - 1].x), mapY(s[i - 1].y), mapX(s[i].x), mapY(s[i].y), penRadius);
    }
    float small[kSide * kSide];
    double mass = 0, mx = 0, my = 0;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            float sum = 0;
            for (int j = 0; j < kScale; ++j)
                for (int i = 0; i < kScale; ++i)
                    sum += canvas[(y * kScale + j) * kBig + x * kScale + i];
            const float v = sum / (kScale * kScale);
            small[y * kSide + x] = v;
            mass += v;
            mx += v * (x + 0.5);
            my += v * (y + 0.5);
        }
    if (mass <= 0) {
        std::copy(small, small + kSide * kSide, image784);
        return;
    }
    const int shiftX = int(std::lround(kSide / 2.0 - mx / mass));
    const int shiftY = int(std::lround(kSide / 2.0 - my / mass));
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const int sx = x - shiftX, sy = y - shiftY;
            if (sx >= 0 && sx < kSide && sy >= 0 && sy < kSide)
                image784[y * kSide + x] = small[sy * kSide + sx];
        }
}
