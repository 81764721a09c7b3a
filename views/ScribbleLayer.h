#pragma once

#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComPtr.h"

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <functional>
#include <vector>

class CSceneHost;
class QPaintDevice;
class QPainter;

// The pupil's board-pen scribbles and board-eraser rubbing on the game view's
// background. Finished strokes go into the shown question's ink container, so
// they come back with the question; erasing cuts them along the eraser's path.
class CScribbleLayer
{
public:
    // Milliseconds of a steady clock (the board contacts' time base).
    using Clock = std::function<std::uint32_t()>;
    // Creates an ink component object, as CoCreateInstance with an in-process server.
    using Factory = std::function<HRESULT(REFCLSID clsid, REFIID iid, void** object)>;

    static constexpr int kMinEraseStep = 10; // pixels; shorter eraser moves are dropped
    static constexpr std::uint32_t kErasePassMs = 76; // at most one erase pass this often

    explicit CScribbleLayer(Clock clock = {}, Factory factory = {});
    virtual ~CScribbleLayer();
    CScribbleLayer(const CScribbleLayer&) = delete;
    CScribbleLayer& operator=(const CScribbleLayer&) = delete;

    // The ink slot of the shown question (null: no question). Drops any stroke in progress.
    void SetQuestion(CComPtr<IInkContainer>* ink);
    void Clear();

    // Live ink is drawn straight onto `surface` (the view's back buffer) and each
    // new piece is shown through host->Invalidate; either may be null.
    void BeginStroke(QPaintDevice* surface, CSceneHost* host, int x, int y, COLORREF colour, int width);
    void AddStrokePoint(int x, int y);
    // Keeps the stroke in the question's ink and returns its bounds (empty when
    // no stroke was in progress); the caller re-renders them.
    QRect EndStroke(int x, int y);

    void BeginErase(int x, int y, CSceneHost& host, int radius);
    void EraseMove(int x, int y, CSceneHost& host);
    void EndErase(int x, int y, CSceneHost& host);

    // The question's saved ink, at its own place.
    void DrawInk(QPainter& painter) const;
    // The eraser circle at the eraser's last recorded point, while erasing.
    void DrawEraser(QPainter& painter) const;

    // Strokes with ink left on the shown question (0 without a question or ink).
    int StrokeCount() const;
    bool IsStroking() const { return static_cast<bool>(m_stroke); }
    bool IsErasing() const { return static_cast<bool>(m_eraseTarget); }
    const std::vector<QPoint>& EraserPath() const { return m_path; }

private:
    QRect Square(int x, int y) const;
    void PointErase(int x, int y, QRect& dirty);
    void PolygonErase(const float quad[8], QRect& dirty);
    // Applies erase to every stroke of the question; local is the area the
    // eraser touched, grown by split strokes and added to dirty on a change.
    void EraseEachStroke(QRect local, QRect& dirty, const std::function<HRESULT(IInkStroke&, int*)>& erase);
    void EraseAlongPath(QRect& dirty);
    void DrawLive(const std::function<void(QPainter*)>& draw);

    Clock m_clock;
    Factory m_factory;
    int m_radius = 20;
    std::uint32_t m_lastEraseTime = 0;
    std::vector<QPoint> m_path;
    CComPtr<IInkContainer>* m_question = nullptr;
    QPaintDevice* m_surface = nullptr;
    CSceneHost* m_liveHost = nullptr;
    CComPtr<IInkStroke> m_stroke;
    QPoint m_lastStrokePoint;
    int m_strokeWidth = 1;
    CComPtr<IInkStroke> m_eraseTarget;
};
