#pragma once

#include "boardsoft/ink/InkStroke.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComObject.h"

#include <vector>

// The ink container component object (CLSID_InkContainer): an ordered list
// of our stroke objects, each held by one reference. It also answers for the
// stroke interface; the bounds, erase and drawing operations then act on all
// its strokes, and SetProperty sets every stroke's pen. Writing (Begin,
// AddPoint, End) is for single strokes only and answers E_NOTIMPL here.
//
// Erasing through the container tidies the list: a stroke the eraser cut in
// several pieces becomes that many strokes in its place, and a stroke with no
// ink left is taken out. Erasing a stroke taken with Item leaves the list as it
// is (the caller may be walking it by index).
class CInkContainer final : public CComObject<IInkContainer, IInkStroke>
{
public:
    ~CInkContainer() override;

    // IInkContainer
    HRESULT Count(int* count) override;
    HRESULT Item(int index, IInkStroke** stroke) override;
    HRESULT Remove(IInkStroke* stroke) override;
    // A stroke already in the container, or not one of our stroke objects, is refused.
    HRESULT Insert(IInkStroke* stroke, int index) override;
    HRESULT Clear() override;

    // IInkStroke, over all strokes
    HRESULT SetProperty(int property, VARIANT value) override;
    HRESULT GetBoundingRect(int mode, float scale, RECT* bounds) override;
    HRESULT EraseAtPoint(int x, int y, int radius, int* result) override;
    HRESULT EraseInPolygon(
        float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, int* result) override;
    HRESULT Draw(QPainter* graphics, int x, int y, float scale) override;
    HRESULT GetPoints(int mode, int* count, LONG** points) override;
    HRESULT Begin(QPainter* graphics, float x, float y, int flags, float scale) override;
    HRESULT AddPoint(QPainter* graphics, float x, float y, float scale, int flags) override;
    HRESULT End(QPainter* graphics, float x, float y, float scale) override;
    HRESULT GetBounds(int* unused, float* left, float* top, float* right, float* bottom) override;

private:
    int erase(const CInkEraser& eraser);

    std::vector<CInkStroke*> m_strokes;
    QRect m_removedRepaint; // ink of strokes the last erase took out entirely
};
