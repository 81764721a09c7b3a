#include "platform/com/Com.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// A numeric value read from a variant: integers exactly, fractions as double.
struct Number
{
    bool integral = true;
    std::int64_t i = 0;
    double d = 0.0;
    double AsDouble() const { return integral ? double(i) : d; }
};

bool IsNumericType(VARTYPE t)
{
    switch (t) {
    case VT_EMPTY:
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_BOOL:
        return true;
    default:
        return false;
    }
}

// Copies what a VT_BYREF variant points at into a plain, non-owning view.
HRESULT Dereference(const VARIANT* src, VARIANT* view)
{
    *view = *src;
    if (!(src->vt & VT_BYREF))
        return S_OK;
    if (!src->byref)
        return E_INVALIDARG;
    const VARTYPE base = src->vt & VT_TYPEMASK;
    view->vt = base;
    switch (base) {
    case VT_I1:
    case VT_UI1:
        view->bVal = *src->pbVal;
        break;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        view->iVal = *src->piVal;
        break;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
        view->lVal = *src->plVal;
        break;
    case VT_R4:
        view->fltVal = *src->pfltVal;
        break;
    case VT_R8:
        view->dblVal = *src->pdblVal;
        break;
    case VT_BSTR:
        view->bstrVal = *src->pbstrVal;
        break;
    case VT_DISPATCH:
        view->pdispVal = *src->ppdispVal;
        break;
    case VT_UNKNOWN:
        view->punkVal = *src->ppunkVal;
        break;
    case VT_VARIANT:
        return Dereference(src->pvarVal, view);
    default:
        return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

HRESULT ReadNumber(const VARIANT& v, Number* n)
{
    switch (v.vt) {
    case VT_EMPTY:
        n->i = 0;
        return S_OK;
    case VT_I1:
        n->i = static_cast<signed char>(v.cVal);
        return S_OK;
    case VT_UI1:
        n->i = v.bVal;
        return S_OK;
    case VT_I2:
        n->i = v.iVal;
        return S_OK;
    case VT_BOOL:
        n->i = v.boolVal ? -1 : 0;
        return S_OK;
    case VT_UI2:
        n->i = v.uiVal;
        return S_OK;
    case VT_I4:
    case VT_INT:
        n->i = v.lVal;
        return S_OK;
    case VT_UI4:
    case VT_UINT:
        n->i = v.ulVal;
        return S_OK;
    case VT_R4:
        n->integral = false;
        n->d = v.fltVal;
        return S_OK;
    case VT_R8:
        n->integral = false;
        n->d = v.dblVal;
        return S_OK;
    case VT_BSTR: {
        const QString text = SysStringToQString(v.bstrVal).trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
            n->i = -1;
            return S_OK;
        }
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            n->i = 0;
            return S_OK;
        }
        bool ok = false;
        const qlonglong asInt = text.toLongLong(&ok, 10);
        if (ok) {
            n->i = asInt;
            return S_OK;
        }
        const double asDouble = text.toDouble(&ok);
        if (!ok || !std::isfinite(asDouble))
            return DISP_E_TYPEMISMATCH;
        n->integral = false;
        n->d = asDouble;
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

// Rounds half to even, as the Windows coercions do, then checks the range.
HRESULT ToInteger(const Number& n, std::int64_t low, std::int64_t high, std::int64_t* out)
{
    if (n.integral) {
        if (n.i < low || n.i > high)
            return DISP_E_OVERFLOW;
        *out = n.i;
        return S_OK;
    }
    if (!std::isfinite(n.d))
        return DISP_E_OVERFLOW;
    const double r = std::nearbyint(n.d);
    if (r < double(low) || r > double(high))
        return DISP_E_OVERFLOW;
    *out = static_cast<std::int64_t>(r);
    return S_OK;
}

QString FormatNumber(const Number& n, VARTYPE sourceType)
{
    if (n.integral)
        return QString::number(n.i);
    return QString::number(n.d, 'g', sourceType == VT_R4 ? 7 : 15);
}

HRESULT ToNumericType(const Number& n, VARTYPE vt, VARIANT* out)
{
    std::int64_t i = 0;
    HRESULT hr = S_OK;
    out->vt = vt;
    switch (vt) {
    case VT_I1:
        hr = ToInteger(n, -128, 127, &i);
        out->cVal = static_cast<CHAR>(i);
        break;
    case VT_UI1:
        hr = ToInteger(n, 0, 255, &i);
        out->bVal = static_cast<BYTE>(i);
        break;
    case VT_I2:
        hr = ToInteger(n, -32768, 32767, &i);
        out->iVal = static_cast<SHORT>(i);
        break;
    case VT_UI2:
        hr = ToInteger(n, 0, 65535, &i);
        out->uiVal = static_cast<USHORT>(i);
        break;
    case VT_I4:
    case VT_INT:
        hr = ToInteger(
            n, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), &i);
        out->lVal = static_cast<LONG>(i);
        break;
    case VT_UI4:
    case VT_UINT:
        hr = ToInteger(n, 0, std::numeric_limits<std::uint32_t>::max(), &i);
        out->ulVal = static_cast<ULONG>(i);
        break;
    case VT_BOOL:
        out->boolVal = n.AsDouble() != 0.0 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_R4: {
        const double d = n.AsDouble();
        if (std::fabs(d) > double(FLT_MAX))
            return DISP_E_OVERFLOW;
        out->fltVal = static_cast<float>(d);
        break;
    }
    case VT_R8:
        out->dblVal = n.AsDouble();
        break;
    default:
        return DISP_E_TYPEMISMATCH;
    }
    return hr;
}

} // namespace

void VariantInit(VARIANTARG* v)
{
    if (!v)
        return;
    v->vt = VT_EMPTY;
    v->wReserved1 = v->wReserved2 = v->wReserved3 = 0;
    v->reserved[0] = v->reserved[1] = 0;
}

HRESULT VariantClear(VARIANTARG* v)
{
    if (!v)
        return E_INVALIDARG;
    if (!(v->vt & VT_BYREF)) {
        switch (v->vt) {
        case VT_BSTR:
            SysFreeString(v->bstrVal);
            break;
        case VT_DISPATCH:
            if (v->pdispVal)
                v->pdispVal->Release();
            break;
        case VT_UNKNOWN:
            if (v->punkVal)
                v->punkVal->Release();
            break;
        default:
            break;
        }
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src)
{
    if (!dest || !src)
        return E_INVALIDARG;
    if (dest == src)
        return S_OK;
    VARIANT copy = *src;
    if (!(src->vt & VT_BYREF)) {
        switch (src->vt) {
        case VT_BSTR:
            if (src->bstrVal) {
                copy.bstrVal = SysAllocStringByteLen(
                    reinterpret_cast<LPCSTR>(src->bstrVal), SysStringByteLen(src->bstrVal));
                if (!copy.bstrVal)
                    return E_OUTOFMEMORY;
            }
            break;
        case VT_DISPATCH:
            if (src->pdispVal)
                src->pdispVal->AddRef();
            break;
        case VT_UNKNOWN:
            if (src->punkVal)
                src->punkVal->AddRef();
            break;
        default:
            break;
        }
    }
    VariantClear(dest);
    *dest = copy;
    return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* src, USHORT flags, VARTYPE vt)
{
    if (!dest || !src)
        return E_INVALIDARG;
    if (vt & VT_BYREF)
        return DISP_E_TYPEMISMATCH;
    VARIANT view;
    HRESULT hr = Dereference(src, &view);
    if (FAILED(hr))
        return hr;

    VARIANT out;
    VariantInit(&out);
    if (view.vt == vt) {
        hr = VariantCopy(&out, &view);
    } else if (vt == VT_EMPTY) {
        hr = S_OK;
    } else if (view.vt == VT_DISPATCH && vt != VT_UNKNOWN) {
        // An object converts through its value property.
        if (flags & VARIANT_NOVALUEPROP || !view.pdispVal)
            return DISP_E_TYPEMISMATCH;
        DISPPARAMS none { nullptr, nullptr, 0, 0 };
        VARIANT value;
        VariantInit(&value);
        hr = view.pdispVal->Invoke(
            DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
        if (SUCCEEDED(hr) && value.vt == VT_DISPATCH)
            hr = DISP_E_TYPEMISMATCH; // no chains of objects
        if (SUCCEEDED(hr))
            hr = VariantChangeType(&out, &value, flags, vt);
        VariantClear(&value);
    } else if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
        IUnknown* object = view.vt == VT_UNKNOWN ? view.punkVal
            : view.vt == VT_DISPATCH             ? static_cast<IUnknown*>(view.pdispVal)
                                                 : nullptr;
        if (!object)
            return DISP_E_TYPEMISMATCH;
        out.vt = vt;
        hr = object->QueryInterface(vt == VT_UNKNOWN ? IID_IUnknown : IID_IDispatch,
            vt == VT_UNKNOWN ? reinterpret_cast<void**>(&out.punkVal)
                             : reinterpret_cast<void**>(&out.pdispVal));
        if (FAILED(hr)) {
            VariantInit(&out);
            return DISP_E_TYPEMISMATCH;
        }
    } else if (vt == VT_BSTR) {
        QString text;
        if (view.vt == VT_EMPTY) {
            text.clear();
        } else if (view.vt == VT_BOOL) {
            text = (flags & VARIANT_ALPHABOOL) ? QString::fromLatin1(view.boolVal ? "True" : "False")
                                               : QString::fromLatin1(view.boolVal ? "-1" : "0");
        } else if (IsNumericType(view.vt)) {
            Number n;
            hr = ReadNumber(view, &n);
            if (FAILED(hr))
                return hr;
            text = FormatNumber(n, view.vt);
        } else {
            return DISP_E_TYPEMISMATCH;
        }
        out.vt = VT_BSTR;
        out.bstrVal = SysAllocStringFromQString(text);
        if (!out.bstrVal)
            return E_OUTOFMEMORY;
        hr = S_OK;
    } else {
        Number n;
        hr = ReadNumber(view, &n);
        if (SUCCEEDED(hr))
            hr = ToNumericType(n, vt, &out);
    }
    if (FAILED(hr)) {
        VariantClear(&out);
        return hr;
    }
    // dest may be src: clear it only now that the source is no longer needed.
    VariantClear(dest);
    *dest = out;
    return S_OK;
}
