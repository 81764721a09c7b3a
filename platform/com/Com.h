#pragma once

// The component layer: the binary standard of Windows components, kept so that
// interface method positions mean what they say. Interfaces are classes of pure
// virtual methods in the Windows declaration order, without virtual destructors.
//
// Text inside the program is 8-bit; here that is UTF-8. BSTRs are UTF-16 with a
// 32-bit byte length in front, as on Windows.

#include "platform/WinTypes.h"
#include "platform/com/Guid.h"

#include <QString>
#include <string>

// ---------------------------------------------------------------------------
// Result codes.

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)

constexpr HRESULT MakeHResult(std::uint32_t value)
{
    return static_cast<HRESULT>(value);
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeHResult(0x80004001u);
constexpr HRESULT E_NOINTERFACE = MakeHResult(0x80004002u);
constexpr HRESULT E_POINTER = MakeHResult(0x80004003u);
constexpr HRESULT E_ABORT = MakeHResult(0x80004004u);
constexpr HRESULT E_FAIL = MakeHResult(0x80004005u);
constexpr HRESULT E_UNEXPECTED = MakeHResult(0x8000FFFFu);
constexpr HRESULT E_ACCESSDENIED = MakeHResult(0x80070005u);
constexpr HRESULT E_HANDLE = MakeHResult(0x80070006u);
constexpr HRESULT E_OUTOFMEMORY = MakeHResult(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = MakeHResult(0x80070057u);

constexpr HRESULT DISP_E_UNKNOWNINTERFACE = MakeHResult(0x80020001u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHResult(0x80020003u);
constexpr HRESULT DISP_E_PARAMNOTFOUND = MakeHResult(0x80020004u);
constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHResult(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = MakeHResult(0x80020006u);
constexpr HRESULT DISP_E_NONAMEDARGS = MakeHResult(0x80020007u);
constexpr HRESULT DISP_E_BADVARTYPE = MakeHResult(0x80020008u);
constexpr HRESULT DISP_E_EXCEPTION = MakeHResult(0x80020009u);
constexpr HRESULT DISP_E_OVERFLOW = MakeHResult(0x8002000Au);
constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHResult(0x8002000Eu);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = MakeHResult(0x8002000Fu);

constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHResult(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeHResult(0x80040111u);
constexpr HRESULT REGDB_E_READREGDB = MakeHResult(0x80040150u);
constexpr HRESULT REGDB_E_WRITEREGDB = MakeHResult(0x80040151u);
constexpr HRESULT REGDB_E_CLASSNOTREG = MakeHResult(0x80040154u);
constexpr HRESULT CONNECT_E_NOCONNECTION = MakeHResult(0x80040200u);
constexpr HRESULT CONNECT_E_ADVISELIMIT = MakeHResult(0x80040201u);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = MakeHResult(0x80040202u);
constexpr HRESULT SELFREG_E_TYPELIB = MakeHResult(0x80040200u);
constexpr HRESULT SELFREG_E_CLASS = MakeHResult(0x80040201u);
constexpr HRESULT CO_E_DLLNOTFOUND = MakeHResult(0x800401F8u);
constexpr HRESULT CO_E_ERRORINDLL = MakeHResult(0x800401F9u);

inline HRESULT HRESULT_FROM_WIN32(LONG error)
{
    return error <= 0 ? static_cast<HRESULT>(error)
                      : MakeHResult((static_cast<std::uint32_t>(error) & 0xFFFFu) | 0x80070000u);
}

// ---------------------------------------------------------------------------
// BSTR: length-prefixed, zero-terminated UTF-16. A null BSTR is the empty string.

using BSTR = OLECHAR*;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;

BSTR SysAllocString(LPCOLESTR text);
BSTR SysAllocStringLen(LPCOLESTR text, UINT length); // text may be null: zero-filled
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT byteLength);
int SysReAllocString(BSTR* target, LPCOLESTR text); // TRUE on success
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

// 8-bit (UTF-8) text and QString across the component boundary. The result is
// the caller's to free; a null BSTR reads as empty text.
BSTR SysAllocStringFromAnsi(const char* text, int length = -1);
std::string SysStringToAnsi(BSTR text);
BSTR SysAllocStringFromQString(const QString& text);
QString SysStringToQString(BSTR text);
// One byte per character, both ways (Latin-1): text whose length counts
// characters. A character beyond Latin-1 becomes '?'.
BSTR SysAllocStringFromLatin1(const std::string& bytes);
std::string SysStringToLatin1(BSTR text);

// ---------------------------------------------------------------------------
// VARIANT.

struct IUnknown;
struct IDispatch;

enum VARENUM : VARTYPE
{
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_INT = 22,
    VT_UINT = 23,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

struct VARIANT
{
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        INT intVal;
        UINT uintVal;
        BYTE* pbVal;
        SHORT* piVal;
        LONG* plVal;
        float* pfltVal;
        double* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        VARIANT* pvarVal;
        ULONG* pulVal;
        INT* pintVal;
        void* byref;
        std::uint64_t reserved[2];
    };
};
using VARIANTARG = VARIANT;

#define V_VT(v) ((v)->vt)
#define V_I2(v) ((v)->iVal)
#define V_I4(v) ((v)->lVal)
#define V_R4(v) ((v)->fltVal)
#define V_R8(v) ((v)->dblVal)
#define V_BOOL(v) ((v)->boolVal)
#define V_BSTR(v) ((v)->bstrVal)
#define V_DISPATCH(v) ((v)->pdispVal)
#define V_UNKNOWN(v) ((v)->punkVal)
#define V_UI4(v) ((v)->ulVal)
#define V_BYREF(v) ((v)->byref)

// Flags for VariantChangeType.
constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
constexpr USHORT VARIANT_ALPHABOOL = 0x02; // booleans to "True"/"False" rather than "-1"/"0"

void VariantInit(VARIANTARG* v);
// Frees what the variant owns (BSTR, interface reference) and leaves it VT_EMPTY.
HRESULT VariantClear(VARIANTARG* v);
// Deep copy: BSTRs are duplicated, interfaces AddRef'ed. dest is cleared first.
HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src);
// Coerces src to type vt into dest (which may be src itself). Follows references
// (VT_BYREF) of the source. Numbers, booleans and text convert among each other:
// integers out of range give DISP_E_OVERFLOW, fractions round half to even, text
// that is not a number gives DISP_E_TYPEMISMATCH, VT_EMPTY converts to 0 / "".
HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* src, USHORT flags, VARTYPE vt);
// The variant type and member that hold a value of type T as it is (a
// VARIANT_BOOL is a SHORT here: VT_BOOL is set by hand).
template <class T> struct VariantSlot;
template <VARTYPE Vt, class T, T VARIANT::*Member> struct VariantSlotOf
{
    static constexpr VARTYPE vt = Vt;
    static constexpr T VARIANT::*member = Member;
};
template <> struct VariantSlot<LONG> : VariantSlotOf<VT_I4, LONG, &VARIANT::lVal>
{
};
template <> struct VariantSlot<SHORT> : VariantSlotOf<VT_I2, SHORT, &VARIANT::iVal>
{
};
template <> struct VariantSlot<ULONG> : VariantSlotOf<VT_UI4, ULONG, &VARIANT::ulVal>
{
};
template <> struct VariantSlot<float> : VariantSlotOf<VT_R4, float, &VARIANT::fltVal>
{
};
template <> struct VariantSlot<double> : VariantSlotOf<VT_R8, double, &VARIANT::dblVal>
{
};
template <> struct VariantSlot<BSTR> : VariantSlotOf<VT_BSTR, BSTR, &VARIANT::bstrVal>
{
};
template <> struct VariantSlot<IDispatch*> : VariantSlotOf<VT_DISPATCH, IDispatch*, &VARIANT::pdispVal>
{
};
template <> struct VariantSlot<IUnknown*> : VariantSlotOf<VT_UNKNOWN, IUnknown*, &VARIANT::punkVal>
{
};
// Sets a variant (already cleared) to hold value in its type's slot.
template <class T> void PutVariant(VARIANT* v, T value)
{
    v->vt = VariantSlot<T>::vt;
    v->*VariantSlot<T>::member = value;
}

// ---------------------------------------------------------------------------
// Dispatch call data.

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_ENABLED = -514;

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

// Arguments are stored right to left: rgvarg[cArgs - 1] is the first one.
struct DISPPARAMS
{
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

struct EXCEPINFO
{
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};

// ---------------------------------------------------------------------------
// Interfaces.

// Type information is not offered by this layer; the pointer type exists for the signatures.
struct ITypeInfo;
struct IEnumConnectionPoints;
struct IEnumConnections;
struct IConnectionPoint;

struct IUnknown
{
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

struct IClassFactory : public IUnknown
{
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;
};

struct IDispatch : public IUnknown
{
    virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
    virtual HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale, DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
        VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
        = 0;
};

struct IConnectionPointContainer : public IUnknown
{
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) = 0;
    virtual HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) = 0;
};

struct IConnectionPoint : public IUnknown
{
    virtual HRESULT GetConnectionInterface(IID* iid) = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
    virtual HRESULT Advise(IUnknown* sink, DWORD* cookie) = 0;
    virtual HRESULT Unadvise(DWORD cookie) = 0;
    virtual HRESULT EnumConnections(IEnumConnections** connections) = 0;
};

struct CONNECTDATA
{
    IUnknown* pUnk;
    DWORD dwCookie;
};

struct IEnumConnections : public IUnknown
{
    virtual HRESULT Next(ULONG count, CONNECTDATA* items, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumConnections** copy) = 0;
};

struct IEnumConnectionPoints : public IUnknown
{
    virtual HRESULT Next(ULONG count, IConnectionPoint** items, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumConnectionPoints** copy) = 0;
};

constexpr IID IID_IUnknown = GuidLiteral("{00000000-0000-0000-C000-000000000046}");
constexpr IID IID_IClassFactory = GuidLiteral("{00000001-0000-0000-C000-000000000046}");
constexpr IID IID_IDispatch = GuidLiteral("{00020400-0000-0000-C000-000000000046}");
constexpr IID IID_IConnectionPointContainer = GuidLiteral("{B196B284-BAB4-101A-B69C-00AA00341D07}");
constexpr IID IID_IEnumConnectionPoints = GuidLiteral("{B196B285-BAB4-101A-B69C-00AA00341D07}");
constexpr IID IID_IConnectionPoint = GuidLiteral("{B196B286-BAB4-101A-B69C-00AA00341D07}");
constexpr IID IID_IEnumConnections = GuidLiteral("{B196B287-BAB4-101A-B69C-00AA00341D07}");

// The interface id of an interface type, for QueryInterface tables and CComPtr.
// Declare it next to the interface with KESTAVO_INTERFACE_ID.
template <class Interface> struct ComInterfaceId;

#define KESTAVO_INTERFACE_ID(Interface, iidValue)                                                            \
    template <> struct ComInterfaceId<Interface>                                                             \
    {                                                                                                        \
        static constexpr IID value = iidValue;                                                               \
    }

KESTAVO_INTERFACE_ID(IUnknown, IID_IUnknown);
KESTAVO_INTERFACE_ID(IClassFactory, IID_IClassFactory);
KESTAVO_INTERFACE_ID(IDispatch, IID_IDispatch);
KESTAVO_INTERFACE_ID(IConnectionPointContainer, IID_IConnectionPointContainer);
KESTAVO_INTERFACE_ID(IConnectionPoint, IID_IConnectionPoint);
KESTAVO_INTERFACE_ID(IEnumConnections, IID_IEnumConnections);
KESTAVO_INTERFACE_ID(IEnumConnectionPoints, IID_IEnumConnectionPoints);

// ---------------------------------------------------------------------------
// Object creation and task memory.

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_ALL = 0x17;

// Nothing to set up; kept so call sites read as on Windows.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();

// Looks the class up in the classes hive (CLSID\{...}\InprocServer32, default value =
// absolute path of a shared library), loads that library once (kept in a cache) and
// asks its DllGetClassObject. REGDB_E_CLASSNOTREG when the class is not registered;
// CO_E_DLLNOTFOUND when the registered path is not absolute or the library does not
// load; CO_E_ERRORINDLL when it exports no DllGetClassObject. Only in-process
// servers exist here: other contexts give REGDB_E_CLASSNOTREG.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID iid, void** object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);
// Unloads every cached library whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();

void* CoTaskMemAlloc(std::size_t size);
void* CoTaskMemRealloc(void* block, std::size_t size);
void CoTaskMemFree(void* block);

// Signatures of the exports of a component library.
using PFN_DllGetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
using PFN_DllCanUnloadNow = HRESULT (*)();
using PFN_DllRegisterServer = HRESULT (*)();
using PFN_DllUnregisterServer = HRESULT (*)();

#include "platform/com/ComPtr.h"
#include "platform/com/ComVariant.h"
