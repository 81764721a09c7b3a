// The board software's interfaces keep their method positions: calling entry N of
// the virtual table (counting QueryInterface as the 1st) reaches the named method.

#include "platform/com/BoardInterfaces.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string g_called;

template <class Signature, class Interface> Signature Entry(Interface* object, int position)
{
    void** table = *reinterpret_cast<void***>(object);
    return reinterpret_cast<Signature>(table[position - 1]);
}

struct CRecordingSdk final : IObriskSdk
{
    HRESULT QueryInterface(REFIID, void**) override { return g_called = "QueryInterface", S_OK; }
    ULONG AddRef() override { return g_called = "AddRef", 1; }
    ULONG Release() override { return g_called = "Release", 1; }
    HRESULT GetTypeInfoCount(UINT*) override { return g_called = "GetTypeInfoCount", S_OK; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return g_called = "GetTypeInfo", S_OK; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return g_called = "GetIDsOfNames", S_OK;
    }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return g_called = "Invoke", S_OK;
    }
    HRESULT ObriskAttachWindow(OBRISK_HWND w, VARIANT_BOOL) override
    {
        return g_called = "Attach " + std::to_string(w), S_OK;
    }
    HRESULT ObriskGetToolType(LONG p, LONG*) override
    {
        return g_called = "ToolType " + std::to_string(p), S_OK;
    }
    HRESULT ObriskGetToolColour(LONG p, LONG*, LONG*, LONG*) override
    {
        return g_called = "ToolColour " + std::to_string(p), S_OK;
    }
    HRESULT ObriskGetToolWidth(LONG p, LONG*) override
    {
        return g_called = "ToolWidth " + std::to_string(p), S_OK;
    }
    HRESULT ObriskDetachWindow(OBRISK_HWND w) override
    {
        return g_called = "Detach " + std::to_string(w), S_OK;
    }
    HRESULT ObriskSetWindowMode(OBRISK_HWND w, LONG m, LONG o) override
    {
        return g_called = "Mode " + std::to_string(w) + " " + std::to_string(m) + " " + std::to_string(o),
               S_OK;
    }
    HRESULT ObriskPrepareContact() override { return g_called = "Prepare", S_OK; }
};

struct CRecordingStroke final : IInkStroke
{
    HRESULT QueryInterface(REFIID, void**) override { return S_OK; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT SetProperty(int p, VARIANT v) override
    {
        return g_called = "SetProperty " + std::to_string(p) + " " + std::to_string(v.lVal), S_OK;
    }
    HRESULT GetBoundingRect(int, float, RECT*) override { return g_called = "GetBoundingRect", S_OK; }
    HRESULT EraseAtPoint(int x, int y, int r, int*) override
    {
        return g_called = "EraseAtPoint " + std::to_string(x + y + r), S_OK;
    }
    HRESULT EraseInPolygon(float, float, float, float, float, float, float, float y4, int*) override
    {
        return g_called = "EraseInPolygon " + std::to_string(int(y4)), S_OK;
    }
    HRESULT Draw(QPainter*, int, int, float) override { return g_called = "Draw", S_OK; }
    HRESULT GetPoints(int, int*, LONG**) override { return g_called = "GetPoints", S_OK; }
    HRESULT Begin(QPainter*, float x, float, int, float) override
    {
        return g_called = "Begin " + std::to_string(int(x)), S_OK;
    }
    HRESULT AddPoint(QPainter*, float x, float, float, int) override
    {
        return g_called = "AddPoint " + std::to_string(int(x)), S_OK;
    }
    HRESULT End(QPainter*, float x, float, float) override
    {
        return g_called = "End " + std::to_string(int(x)), S_OK;
    }
    HRESULT GetBounds(int*, float*, float*, float*, float*) override { return g_called = "GetBounds", S_OK; }
};

struct CRecordingContainer final : IInkContainer
{
    HRESULT QueryInterface(REFIID, void**) override { return S_OK; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT Count(int*) override { return g_called = "Count", S_OK; }
    HRESULT Item(int i, IInkStroke**) override { return g_called = "Item " + std::to_string(i), S_OK; }
    HRESULT Remove(IInkStroke*) override { return g_called = "Remove", S_OK; }
    HRESULT Insert(IInkStroke*, int i) override { return g_called = "Insert " + std::to_string(i), S_OK; }
    HRESULT Clear() override { return g_called = "Clear", S_OK; }
};

} // namespace

TEST(BoardInterfacesTest, SdkOperationsSitAtTheirEntries)
{
    CRecordingSdk sdk;
    IObriskSdk* p = &sdk;
    Entry<HRESULT (*)(IObriskSdk*, OBRISK_HWND, VARIANT_BOOL)>(p, 8)(p, 77, VARIANT_FALSE);
    EXPECT_EQ(g_called, "Attach 77");
    LONG out = 0;
    Entry<HRESULT (*)(IObriskSdk*, LONG, LONG*)>(p, 9)(p, 3, &out);
    EXPECT_EQ(g_called, "ToolType 3");
    Entry<HRESULT (*)(IObriskSdk*, LONG, LONG*, LONG*, LONG*)>(p, 10)(p, 4, &out, &out, &out);
    EXPECT_EQ(g_called, "ToolColour 4");
    Entry<HRESULT (*)(IObriskSdk*, LONG, LONG*)>(p, 14)(p, 5, &out);
    EXPECT_EQ(g_called, "ToolWidth 5");
    Entry<HRESULT (*)(IObriskSdk*, OBRISK_HWND)>(p, 21)(p, 78);
    EXPECT_EQ(g_called, "Detach 78");
    Entry<HRESULT (*)(IObriskSdk*, OBRISK_HWND, LONG, LONG)>(p, 23)(p, 79, 1, -1);
    EXPECT_EQ(g_called, "Mode 79 1 -1");
    Entry<HRESULT (*)(IObriskSdk*)>(p, 25)(p);
    EXPECT_EQ(g_called, "Prepare");
    Entry<HRESULT (*)(IObriskSdk*, UINT*)>(p, 4)(p, nullptr);
    EXPECT_EQ(g_called, "GetTypeInfoCount");
    // Reserved entries between keep the positions and answer E_NOTIMPL.
    g_called.clear();
    EXPECT_EQ(Entry<HRESULT (*)(IObriskSdk*)>(p, 11)(p), E_NOTIMPL);
    EXPECT_EQ(Entry<HRESULT (*)(IObriskSdk*)>(p, 24)(p), E_NOTIMPL);
    EXPECT_TRUE(g_called.empty());
}

TEST(BoardInterfacesTest, InkOperationsSitAtTheirEntries)
{
    CRecordingStroke stroke;
    IInkStroke* s = &stroke;
    VARIANT colour;
    VariantInit(&colour);
    colour.vt = VT_I4;
    colour.lVal = 255;
    Entry<HRESULT (*)(IInkStroke*, int, VARIANT)>(s, 4)(s, 1, colour);
    EXPECT_EQ(g_called, "SetProperty 1 255");
    RECT r;
    Entry<HRESULT (*)(IInkStroke*, int, float, RECT*)>(s, 10)(s, 0, 1.0f, &r);
    EXPECT_EQ(g_called, "GetBoundingRect");
    int result = 0;
    Entry<HRESULT (*)(IInkStroke*, int, int, int, int*)>(s, 15)(s, 1, 2, 3, &result);
    EXPECT_EQ(g_called, "EraseAtPoint 6");
    Entry<HRESULT (*)(IInkStroke*, float, float, float, float, float, float, float, float, int*)>(s, 17)(
        s, 0, 0, 0, 0, 0, 0, 0, 9, &result);
    EXPECT_EQ(g_called, "EraseInPolygon 9");
    Entry<HRESULT (*)(IInkStroke*, QPainter*, int, int, float)>(s, 18)(s, nullptr, 0, 0, 1.0f);
    EXPECT_EQ(g_called, "Draw");
    Entry<HRESULT (*)(IInkStroke*, int, int*, LONG**)>(s, 19)(s, 0, nullptr, nullptr);
    EXPECT_EQ(g_called, "GetPoints");
    Entry<HRESULT (*)(IInkStroke*, QPainter*, float, float, int, float)>(s, 21)(s, nullptr, 21, 0, 0, 1.0f);
    EXPECT_EQ(g_called, "Begin 21");
    Entry<HRESULT (*)(IInkStroke*, QPainter*, float, float, float, int)>(s, 22)(s, nullptr, 22, 0, 1.0f, 0);
    EXPECT_EQ(g_called, "AddPoint 22");
    Entry<HRESULT (*)(IInkStroke*, QPainter*, float, float, float)>(s, 23)(s, nullptr, 23, 0, 1.0f);
    EXPECT_EQ(g_called, "End 23");
    Entry<HRESULT (*)(IInkStroke*, int*, float*, float*, float*, float*)>(s, 31)(
        s, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(g_called, "GetBounds");

    CRecordingContainer container;
    IInkContainer* c = &container;
    Entry<HRESULT (*)(IInkContainer*, int*)>(c, 4)(c, nullptr);
    EXPECT_EQ(g_called, "Count");
    Entry<HRESULT (*)(IInkContainer*, int, IInkStroke**)>(c, 5)(c, 2, nullptr);
    EXPECT_EQ(g_called, "Item 2");
    Entry<HRESULT (*)(IInkContainer*, IInkStroke*)>(c, 10)(c, nullptr);
    EXPECT_EQ(g_called, "Remove");
    Entry<HRESULT (*)(IInkContainer*, IInkStroke*, int)>(c, 13)(c, nullptr, -1);
    EXPECT_EQ(g_called, "Insert -1");
    Entry<HRESULT (*)(IInkContainer*)>(c, 17)(c);
    EXPECT_EQ(g_called, "Clear");
}
