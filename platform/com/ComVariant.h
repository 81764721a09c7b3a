#pragma once

// A VARIANT that frees what it holds when it goes out of scope.

#include "platform/com/Com.h"

#include <QString>

class CComVariant : public VARIANT
{
public:
    CComVariant() { VariantInit(this); }
    CComVariant(const VARIANT& other)
    {
        VariantInit(this);
        VariantCopy(this, &other);
    }
    CComVariant(const CComVariant& other)
        : CComVariant(static_cast<const VARIANT&>(other))
    {
    }
    CComVariant& operator=(const CComVariant& other)
    {
        if (this != &other)
            VariantCopy(this, &other);
        return *this;
    }
    ~CComVariant() { VariantClear(this); }

    static CComVariant I4(LONG value) { return Of<VT_I4, LONG, &VARIANT::lVal>(value); }
    static CComVariant I2(SHORT value) { return Of<VT_I2, SHORT, &VARIANT::iVal>(value); }
    static CComVariant UI4(ULONG value) { return Of<VT_UI4, ULONG, &VARIANT::ulVal>(value); }
    static CComVariant R4(float value) { return Of<VT_R4, float, &VARIANT::fltVal>(value); }
    static CComVariant R8(double value) { return Of<VT_R8, double, &VARIANT::dblVal>(value); }
    static CComVariant Bool(bool value)
    {
        CComVariant v;
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    // The variant owns a copy of the text.
    static CComVariant Bstr(const QString& text)
    {
        CComVariant v;
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringFromQString(text);
        return v;
    }
    // AddRefs the interface.
    static CComVariant Dispatch(IDispatch* object)
    {
        CComVariant v;
        v.vt = VT_DISPATCH;
        v.pdispVal = object;
        if (object)
            object->AddRef();
        return v;
    }
    static CComVariant Unknown(IUnknown* object)
    {
        CComVariant v;
        v.vt = VT_UNKNOWN;
        v.punkVal = object;
        if (object)
            object->AddRef();
        return v;
    }
    // A reference to a caller-owned 32-bit integer (VT_BYREF | VT_I4).
    static CComVariant RefI4(LONG* target) { return Of<VT_BYREF | VT_I4, LONG*, &VARIANT::plVal>(target); }
    // A variant of the given type holding value in the given member.
    template <VARTYPE Vt, class T, T VARIANT::*Member> static CComVariant Of(T value)
    {
        CComVariant v;
        PutVariant<Vt, T, Member>(&v, value);
        return v;
    }

    HRESULT ChangeType(VARTYPE type, USHORT flags = 0) { return VariantChangeType(this, this, flags, type); }
    void Clear() { VariantClear(this); }
};
