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

    static CComVariant I4(LONG value) { return Of(value); }
    static CComVariant I2(SHORT value) { return Of(value); }
    static CComVariant UI4(ULONG value) { return Of(value); }
    static CComVariant R4(float value) { return Of(value); }
    static CComVariant R8(double value) { return Of(value); }
    static CComVariant Bool(bool value)
    {
        CComVariant v;
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    // The variant owns a copy of the text.
    static CComVariant Bstr(const QString& text) { return Of(SysAllocStringFromQString(text)); }
    // AddRefs the interface.
    static CComVariant Dispatch(IDispatch* object) { return Holding(object); }
    static CComVariant Unknown(IUnknown* object) { return Holding(object); }
    // A reference to a caller-owned 32-bit integer (VT_BYREF | VT_I4).
    static CComVariant RefI4(LONG* target)
    {
        CComVariant v;
        v.vt = VT_BYREF | VT_I4;
        v.plVal = target;
        return v;
    }
    // A variant holding value in its type's slot (VariantSlot).
    template <class T> static CComVariant Of(T value)
    {
        CComVariant v;
        PutVariant(&v, value);
        return v;
    }

    HRESULT ChangeType(VARTYPE type, USHORT flags = 0) { return VariantChangeType(this, this, flags, type); }
    void Clear() { VariantClear(this); }

private:
    template <class I> static CComVariant Holding(I* object)
    {
        if (object)
            object->AddRef();
        return Of(object);
    }
};
