#pragma once

#include "boardsoft/ink/InkStrokeModel.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComObject.h"

#include <functional>

// Answered by our own stroke objects only, so a container can tell them from
// foreign IInkStroke implementations and reach their geometry. Not part of
// the component's published contract.
constexpr IID IID_CInkStrokeObject = GuidLiteral("{9C3E5B7A-2D41-4F6E-8A19-5E0B7C3D2F61}");

// The ink stroke component object (CLSID_InkStroke) over a CInkStrokeModel.
// Coordinates are window pixels; the graphics arguments are the caller's
// QPainter and may be null, in which case nothing is drawn.
class CInkStroke final : public CComObject<IInkStroke>
{
public:
    CInkStrokeModel& model() { return m_model; }
    const CInkStrokeModel& model() const { return m_model; }

    // Our stroke object behind an interface pointer, or null for a foreign one.
    // No reference is added.
    static CInkStroke* fromInterface(IUnknown* object);

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

    // Shared with the container, which answers the same operations for all its strokes.
    static HRESULT ReadProperty(int property, const VARIANT& value, COLORREF* colour, double* width);
    static HRESULT CopyPoints(const std::vector<LONG>& values, int* count, LONG** points);
    static HRESULT WriteRect(const QRect& rect, float scale, RECT* bounds);
    static HRESULT WriteBounds(const QRectF& rect, float* left, float* top, float* right, float* bottom);
    // The argument checks of EraseAtPoint and EraseInPolygon; erase applies
    // the eraser they describe and gives the erase result.
    using EraseFunction = std::function<int(const CInkEraser&)>;
    static HRESULT EraseCircle(int x, int y, int radius, int* result, const EraseFunction& erase);
    static HRESULT ErasePolygon(const float (&corners)[8], int* result, const EraseFunction& erase);

protected:
    void* QueryInterfacePointer(REFIID iid) override;

private:
    CInkStrokeModel m_model;
};
