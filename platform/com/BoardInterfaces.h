#pragma once

// The board software's binary contract: the SDK object with its event interface,
// and the ink component's stroke and container objects. Method positions count
// QueryInterface as the first entry; the positions of the named operations are
// fixed, the reserved entries between them keep those positions. A reserved entry
// answers E_NOTIMPL unless an implementation overrides it.
//
// The "graphics" argument of the ink operations is the caller's QPainter. A window
// handle is the widget's WId, passed as a 32-bit integer.

#include "platform/com/Com.h"

class QPainter;

using OBRISK_HWND = std::uint32_t;

struct RECT
{
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// --- Identifiers -------------------------------------------------------------

constexpr CLSID CLSID_ObriskSdk = GuidLiteral("{5180E2B4-FAF0-4C88-8615-8B6B75B0E689}");
constexpr IID IID_IObriskSdk = GuidLiteral("{006EC885-2A99-4823-B6D2-9F86D6496C92}");
// The outgoing (event) interface: a dispatch interface, DISPIDs in ObriskEventDispid.
constexpr IID DIID_IObriskEvents = GuidLiteral("{E5414F79-475C-47CD-87AE-116CA193BF15}");

constexpr CLSID CLSID_InkStroke = GuidLiteral("{B4CA9911-6F41-41B7-A1CE-8BFD5ED47D04}");
constexpr IID IID_IInkStroke = GuidLiteral("{226C903F-BFA7-4FFC-8D4B-FCB2004C9041}");
constexpr CLSID CLSID_InkContainer = GuidLiteral("{ACF70887-9D5B-4972-9528-693C97DB1E06}");
constexpr IID IID_IInkContainer = GuidLiteral("{D843DF65-1FA9-40E7-A32A-AF270BB47708}");

// Event DISPIDs of the event interface. Contact events carry (x, y, third value,
// pointer id) as VT_I4; tool and button events one VT_I4; the status change none.
enum ObriskEventDispid : DISPID
{
    OBRISK_DISPID_XYDOWN = 1,
    OBRISK_DISPID_XYMOVE = 2,
    OBRISK_DISPID_XYUP = 3,
    OBRISK_DISPID_XYNONPROJECTEDDOWN = 4,
    OBRISK_DISPID_XYNONPROJECTEDMOVE = 5,
    OBRISK_DISPID_XYNONPROJECTEDUP = 6,
    OBRISK_DISPID_XMLANNOTATION = 7,
    OBRISK_DISPID_NOTOOL = 8,
    OBRISK_DISPID_PEN = 9,
    OBRISK_DISPID_ERASER = 10,
    OBRISK_DISPID_RECTANGLE = 11,
    OBRISK_DISPID_LINE = 12,
    OBRISK_DISPID_CIRCLE = 13,
    OBRISK_DISPID_PRINT = 14,
    OBRISK_DISPID_NEXT = 15,
    OBRISK_DISPID_PREVIOUS = 16,
    OBRISK_DISPID_CLEAR = 17,
    OBRISK_DISPID_BOARDSTATUSCHANGE = 18,
};

// Tool types answered by ObriskGetToolType.
constexpr LONG OBRISK_TOOL_NONE = 0;
constexpr LONG OBRISK_TOOL_PEN = 1;
constexpr LONG OBRISK_TOOL_ERASER = 2;

// --- The SDK interface ------------------------------------------------------------
// Entries 1-3 IUnknown, 4-7 IDispatch, then the SDK's own.

struct IObriskSdk : public IDispatch
{
    virtual HRESULT ObriskAttachWindow(OBRISK_HWND window, VARIANT_BOOL flag) = 0; // 8
    virtual HRESULT ObriskGetToolType(LONG pointerId, LONG* toolType) = 0; // 9
    virtual HRESULT ObriskGetToolColour(LONG pointerId, LONG* red, LONG* green, LONG* blue) = 0; // 10
    virtual HRESULT ObriskReserved11() { return E_NOTIMPL; } // 11
    virtual HRESULT ObriskReserved12() { return E_NOTIMPL; } // 12
    virtual HRESULT ObriskReserved13() { return E_NOTIMPL; } // 13
    virtual HRESULT ObriskGetToolWidth(LONG pointerId, LONG* width) = 0; // 14
    virtual HRESULT ObriskReserved15() { return E_NOTIMPL; } // 15
    virtual HRESULT ObriskReserved16() { return E_NOTIMPL; } // 16
    virtual HRESULT ObriskReserved17() { return E_NOTIMPL; } // 17
    virtual HRESULT ObriskReserved18() { return E_NOTIMPL; } // 18
    virtual HRESULT ObriskReserved19() { return E_NOTIMPL; } // 19
    virtual HRESULT ObriskReserved20() { return E_NOTIMPL; } // 20
    virtual HRESULT ObriskDetachWindow(OBRISK_HWND window) = 0; // 21
    virtual HRESULT ObriskReserved22() { return E_NOTIMPL; } // 22
    virtual HRESULT ObriskSetWindowMode(OBRISK_HWND window, LONG mode, LONG option) = 0; // 23
    virtual HRESULT ObriskReserved24() { return E_NOTIMPL; } // 24
    virtual HRESULT ObriskPrepareContact() = 0; // 25
};

// --- Ink stroke ----------------------------------------------------------------------
// Coordinates are window pixels as floats; GetPoints answers integers in
// thousandths of a window pixel, x and y alternating.

// Properties for SetProperty.
constexpr int INK_PROPERTY_COLOUR = 1; // VT_I4, a COLORREF (0x00BBGGRR)
constexpr int INK_PROPERTY_WIDTH = 2; // VT_I4, pixels

struct IInkStroke : public IUnknown
{
    virtual HRESULT SetProperty(int property, VARIANT value) = 0; // 4
    virtual HRESULT InkReserved5() { return E_NOTIMPL; } // 5
    virtual HRESULT InkReserved6() { return E_NOTIMPL; } // 6
    virtual HRESULT InkReserved7() { return E_NOTIMPL; } // 7
    virtual HRESULT InkReserved8() { return E_NOTIMPL; } // 8
    virtual HRESULT InkReserved9() { return E_NOTIMPL; } // 9
    virtual HRESULT GetBoundingRect(int mode, float scale, RECT* bounds) = 0; // 10
    virtual HRESULT InkReserved11() { return E_NOTIMPL; } // 11
    virtual HRESULT InkReserved12() { return E_NOTIMPL; } // 12
    virtual HRESULT InkReserved13() { return E_NOTIMPL; } // 13
    virtual HRESULT InkReserved14() { return E_NOTIMPL; } // 14
    // result: 0 untouched, nonzero changed, 2 changed and its bounds are to be repainted.
    virtual HRESULT EraseAtPoint(int x, int y, int radius, int* result) = 0; // 15
    virtual HRESULT InkReserved16() { return E_NOTIMPL; } // 16
    virtual HRESULT EraseInPolygon(
        float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, int* result)
        = 0; // 17
    virtual HRESULT Draw(QPainter* graphics, int x, int y, float scale) = 0; // 18
    // *points is COM task memory (CoTaskMemFree); *count is the number of integers.
    virtual HRESULT GetPoints(int mode, int* count, LONG** points) = 0; // 19
    virtual HRESULT InkReserved20() { return E_NOTIMPL; } // 20
    virtual HRESULT Begin(QPainter* graphics, float x, float y, int flags, float scale) = 0; // 21
    virtual HRESULT AddPoint(QPainter* graphics, float x, float y, float scale, int flags) = 0; // 22
    virtual HRESULT End(QPainter* graphics, float x, float y, float scale) = 0; // 23
    virtual HRESULT InkReserved24() { return E_NOTIMPL; } // 24
    virtual HRESULT InkReserved25() { return E_NOTIMPL; } // 25
    virtual HRESULT InkReserved26() { return E_NOTIMPL; } // 26
    virtual HRESULT InkReserved27() { return E_NOTIMPL; } // 27
    virtual HRESULT InkReserved28() { return E_NOTIMPL; } // 28
    virtual HRESULT InkReserved29() { return E_NOTIMPL; } // 29
    virtual HRESULT InkReserved30() { return E_NOTIMPL; } // 30
    virtual HRESULT GetBounds(int* unused, float* left, float* top, float* right, float* bottom) = 0; // 31
};

// --- Ink container ------------------------------------------------------------------
// The container object also answers QueryInterface for IID_IInkStroke; the stroke
// operations then act on all its strokes together.

struct IInkContainer : public IUnknown
{
    virtual HRESULT Count(int* count) = 0; // 4
    virtual HRESULT Item(int index, IInkStroke** stroke) = 0; // 5
    virtual HRESULT InkContainerReserved6() { return E_NOTIMPL; } // 6
    virtual HRESULT InkContainerReserved7() { return E_NOTIMPL; } // 7
    virtual HRESULT InkContainerReserved8() { return E_NOTIMPL; } // 8
    virtual HRESULT InkContainerReserved9() { return E_NOTIMPL; } // 9
    virtual HRESULT Remove(IInkStroke* stroke) = 0; // 10
    virtual HRESULT InkContainerReserved11() { return E_NOTIMPL; } // 11
    virtual HRESULT InkContainerReserved12() { return E_NOTIMPL; } // 12
    // index -1 or the current count appends.
    virtual HRESULT Insert(IInkStroke* stroke, int index) = 0; // 13
    virtual HRESULT InkContainerReserved14() { return E_NOTIMPL; } // 14
    virtual HRESULT InkContainerReserved15() { return E_NOTIMPL; } // 15
    virtual HRESULT InkContainerReserved16() { return E_NOTIMPL; } // 16
    virtual HRESULT Clear() = 0; // 17
};

KESTAVO_INTERFACE_ID(IObriskSdk, IID_IObriskSdk);
KESTAVO_INTERFACE_ID(IInkStroke, IID_IInkStroke);
KESTAVO_INTERFACE_ID(IInkContainer, IID_IInkContainer);
