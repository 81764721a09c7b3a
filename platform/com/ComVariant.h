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

    static CComVariant I4(LONG value)
    {
        CComVariant v;
        v.vt = VT_I4;
        v.lVal = value;
        return v;
    }
    static CComVariant I2(SHORT value)
    {
        CComVariant v;
        v.vt = VT_I2;
        v.iVal = value;
        return v;
    }
    static CComVariant UI4(ULONG value)
    {
        CComVariant v;
        v.vt = VT_UI4;
        v.ulVal = value;
        return v;
    }
    static CComVariant R4(float value)
    {
        CComVariant v;
        v.vt = VT_R4;
        v.fltVal = value;
        return v;
    }
    static CComVariant R8(double value)
    {
        CComVariant v;
        v.vt = VT_R8;
        v.dblVal = value;
        return v;
    }
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
    static CComVariant RefI4(LONG* target)
    {
        CComVariant v;
        v.vt = VT_BYREF | VT_I4;
        v.plVal = target;
        return v;
    }

    HRESULT ChangeType(VARTYPE type, USHORT flags = 0) { return VariantChangeType(this, this, flags, type); }
    void Clear() { VariantClear(this); }
};
