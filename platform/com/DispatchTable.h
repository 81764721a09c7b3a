#pragma once

// IDispatch by table: each entry maps a DISPID and a name to a C++ member
// function; arguments are coerced from the caller's VARIANTs to the parameter
// types, the result is packed into a VARIANT. GetIDsOfNames answers from the
// same table, comparing names without regard to ASCII case.
//
//   const CDispatchTable<CValtrixCtrl>& CValtrixCtrl::Table() {
//       static const auto table = CDispatchTable<CValtrixCtrl>()
//           .Method(1, "SetFont", &CValtrixCtrl::SetFont)      // void SetFont(BSTR, LONG)
//           .Method(7, "IsStaticModeEnabled", &CValtrixCtrl::IsStaticModeEnabled) // SHORT ()
//           .Property(DISPID_ENABLED, "Enabled", &CValtrixCtrl::GetEnabled, &CValtrixCtrl::SetEnabled);
//       return table;
//   }
//   HRESULT Invoke(...) override { return Table().Invoke(*this, id, iid, locale, flags, params, result,
//   excepInfo, argErr); }
//
// Parameter types: LONG/int (VT_I4), SHORT (VT_I2; VARIANT_BOOL is a SHORT, so a
// boolean argument arrives as -1 or 0, or as any nonzero value the caller sent),
// bool (VT_BOOL), DWORD/ULONG (OLE_COLOR: VT_I4 bits or VT_UI4), float (VT_R4),
// double (VT_R8), BSTR (VT_BSTR; valid during the call only, the callee copies it),
// QString, IDispatch*, IUnknown* (borrowed), const VARIANT& (the caller's own),
// and out references LONG*, SHORT*, float*, BSTR*, VARIANT* (VT_BYREF arguments).
// Result types: void, LONG, SHORT, bool, DWORD, float, double, BSTR (ownership
// passes to the caller), QString, IDispatch* (an owned reference).
//
// A method reports a failure to the caller by throwing CComError (description and
// code reach the caller as DISP_E_EXCEPTION with EXCEPINFO filled) or std::bad_alloc
// (E_OUTOFMEMORY); no exception crosses Invoke.

#include "platform/com/Com.h"

#include <QString>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

// Thrown by a dispatch method to fail with a code and description.
class CComError : public std::runtime_error
{
public:
    CComError(HRESULT code, const std::string& description)
        : std::runtime_error(description)
        , m_code(code)
    {
    }
    HRESULT Code() const { return m_code; }

private:
    HRESULT m_code;
};

namespace dispatch_detail {

// Case-insensitive ASCII comparison of a UTF-16 name with an 8-bit table name.
bool NameEquals(LPCOLESTR name, const char* tableName);
// Fills the EXCEPINFO (when given) for an exception leaving a dispatch method.
HRESULT ReportException(EXCEPINFO* info, HRESULT code, const std::string& description);

// Holds one converted argument; `Get` returns what is passed to the method.
template <VARTYPE Vt, class T, T VARIANT::*Member> struct ByValueArg
{
    VARIANT converted {};
    ByValueArg() { VariantInit(&converted); }
    ~ByValueArg() { VariantClear(&converted); }
    HRESULT From(VARIANT* v) { return VariantChangeType(&converted, v, 0, Vt); }
    T Get() const { return converted.*Member; }
};

// By default an argument is converted to its type's variant slot
// (VariantSlot: LONG, SHORT, float, double, BSTR, IDispatch*, IUnknown*).
template <class T, class Enable = void> struct Arg;
template <class T>
struct Arg<T, std::void_t<decltype(VariantSlot<T>::vt)>>
    : ByValueArg<VariantSlot<T>::vt, T, VariantSlot<T>::member>
{
};
template <> struct Arg<bool>
{
    ByValueArg<VT_BOOL, VARIANT_BOOL, &VARIANT::boolVal> inner;
    HRESULT From(VARIANT* v) { return inner.From(v); }
    bool Get() const { return inner.Get() != 0; }
};
// 32-bit unsigned (colours): the bits of a VT_I4, or a VT_UI4 in range.
template <> struct Arg<ULONG>
{
    ULONG value = 0;
    HRESULT From(VARIANT* v)
    {
        VARIANT c;
        VariantInit(&c);
        HRESULT hr = VariantChangeType(&c, v, 0, VT_I4);
        if (SUCCEEDED(hr)) {
            value = static_cast<ULONG>(c.lVal);
        } else {
            hr = VariantChangeType(&c, v, 0, VT_UI4);
            if (SUCCEEDED(hr))
                value = c.ulVal;
        }
        VariantClear(&c);
        return hr;
    }
    ULONG Get() const { return value; }
};
template <> struct Arg<QString>
{
    Arg<BSTR> inner;
    HRESULT From(VARIANT* v) { return inner.From(v); }
    QString Get() const { return SysStringToQString(inner.Get()); }
};
template <> struct Arg<const VARIANT&>
{
    VARIANT* original = nullptr;
    HRESULT From(VARIANT* v)
    {
        original = v;
        return S_OK;
    }
    const VARIANT& Get() const { return *original; }
};
// Out references: the caller passes VT_BYREF | type.
template <VARTYPE Vt, class P> struct RefArg
{
    P pointer = nullptr;
    HRESULT From(VARIANT* v)
    {
        if (v->vt != (VT_BYREF | Vt) || !v->byref)
            return DISP_E_TYPEMISMATCH;
        pointer = static_cast<P>(v->byref);
        return S_OK;
    }
    P Get() const { return pointer; }
};
template <> struct Arg<LONG*> : RefArg<VT_I4, LONG*>
{
};
template <> struct Arg<SHORT*> : RefArg<VT_I2, SHORT*>
{
};
template <> struct Arg<float*> : RefArg<VT_R4, float*>
{
};
template <> struct Arg<BSTR*> : RefArg<VT_BSTR, BSTR*>
{
};
template <> struct Arg<VARIANT*>
{
    VARIANT* pointer = nullptr;
    HRESULT From(VARIANT* v)
    {
        pointer = (v->vt == (VT_BYREF | VT_VARIANT)) ? v->pvarVal : v;
        return pointer ? S_OK : DISP_E_TYPEMISMATCH;
    }
    VARIANT* Get() const { return pointer; }
};
template <> struct Arg<const QString&> : Arg<QString>
{
};

// A number is returned in its type's variant slot; what a result owns
// (text, an interface) is also discarded when the caller wants no result.
template <class R, class Enable = void> struct Result;
template <> struct Result<void>
{
};
template <class R> struct Result<R, std::enable_if_t<std::is_arithmetic_v<R> && !std::is_same_v<R, bool>>>
{
    static void Put(VARIANT* v, R r) { PutVariant(v, r); }
};
template <> struct Result<bool>
{
    static void Put(VARIANT* v, bool r)
    {
        v->vt = VT_BOOL;
        v->boolVal = r ? VARIANT_TRUE : VARIANT_FALSE;
    }
};
template <> struct Result<BSTR>
{
    static void Put(VARIANT* v, BSTR r) { PutVariant(v, r); }
    static void Discard(BSTR r) { SysFreeString(r); }
};
template <> struct Result<QString>
{
    static void Put(VARIANT* v, const QString& r)
    {
        BSTR text = SysAllocStringFromQString(r);
        if (!text)
            throw std::bad_alloc();
        PutVariant(v, text);
    }
};
template <> struct Result<IDispatch*>
{
    static void Put(VARIANT* v, IDispatch* r) { PutVariant(v, r); }
    static void Discard(IDispatch* r)
    {
        if (r)
            r->Release();
    }
};

template <class R, class = void> struct HasDiscard : std::false_type
{
};
template <class R>
struct HasDiscard<R, std::void_t<decltype(Result<R>::Discard(std::declval<R>()))>> : std::true_type
{
};

} // namespace dispatch_detail

template <class T> class CDispatchTable
{
public:
    // Raw handler: full control over the call (named arguments, optional arguments ...).
    using Handler = std::function<HRESULT(T& object, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError)>;

    struct Entry
    {
        DISPID id;
        std::string name;
        Handler method; // DISPATCH_METHOD (and DISPATCH_PROPERTYGET for a method without arguments)
        Handler get; // DISPATCH_PROPERTYGET
        Handler put; // DISPATCH_PROPERTYPUT
    };

    template <class R, class... A> CDispatchTable& Method(DISPID id, const char* name, R (T::*fn)(A...))
    {
        Slot(id, name).method = MakeHandler<R, A...>([fn](T& o, A... a) -> R { return (o.*fn)(a...); });
        return *this;
    }
    template <class R, class... A> CDispatchTable& Method(DISPID id, const char* name, R (T::*fn)(A...) const)
    {
        Slot(id, name).method = MakeHandler<R, A...>([fn](T& o, A... a) -> R { return (o.*fn)(a...); });
        return *this;
    }
    // A read-only property.
    template <class R> CDispatchTable& Property(DISPID id, const char* name, R (T::*getter)() const)
    {
        Slot(id, name).get = MakeHandler<R>([getter](T& o) -> R { return (o.*getter)(); });
        return *this;
    }
    // A property with a getter and a setter.
    template <class R, class S>
    CDispatchTable& Property(DISPID id, const char* name, R (T::*getter)() const, void (T::*setter)(S))
    {
        Entry& e = Slot(id, name);
        e.get = MakeHandler<R>([getter](T& o) -> R { return (o.*getter)(); });
        e.put = MakeHandler<void, S>([setter](T& o, S v) { (o.*setter)(v); });
        return *this;
    }
    CDispatchTable& Raw(DISPID id, const char* name, Handler method)
    {
        Slot(id, name).method = std::move(method);
        return *this;
    }

    const std::vector<Entry>& Entries() const { return m_entries; }
    const Entry* Find(DISPID id) const
    {
        for (const Entry& e : m_entries)
            if (e.id == id)
                return &e;
        return nullptr;
    }

    // IDispatch::GetIDsOfNames. Only the member name (names[0]) is known; argument
    // names give DISPID_UNKNOWN and DISP_E_UNKNOWNNAME.
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) const
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids)
            return E_POINTER;
        if (count == 0)
            return E_INVALIDARG;
        HRESULT hr = S_OK;
        ids[0] = DISPID_UNKNOWN;
        for (const Entry& e : m_entries) {
            if (dispatch_detail::NameEquals(names[0], e.name.c_str())) {
                ids[0] = e.id;
                break;
            }
        }
        if (ids[0] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
        for (UINT i = 1; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }

    // IDispatch::Invoke.
    HRESULT Invoke(T& object, DISPID id, REFIID iid, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) const
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        const Entry* e = Find(id);
        if (!e)
            return DISP_E_MEMBERNOTFOUND;
        DISPPARAMS none { nullptr, nullptr, 0, 0 };
        if (!params)
            params = &none;
        if (params->cArgs > 0 && !params->rgvarg)
            return E_INVALIDARG;
        const Handler* handler = nullptr;
        if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && e->put) {
            handler = &e->put;
        } else if ((flags & DISPATCH_METHOD) && e->method) {
            handler = &e->method;
        } else if ((flags & DISPATCH_PROPERTYGET) && e->get) {
            handler = &e->get;
        } else if ((flags & DISPATCH_PROPERTYGET) && e->method && params->cArgs == 0) {
            handler = &e->method;
        }
        if (!handler)
            return DISP_E_MEMBERNOTFOUND;
        const bool isPut = handler == &e->put;
        if (isPut) {
            if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs
                || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                return DISP_E_PARAMNOTOPTIONAL;
        } else if (params->cNamedArgs != 0) {
            return DISP_E_NONAMEDARGS;
        }
        if (result)
            VariantInit(result);
        try {
            return (*handler)(object, flags, params, result, exception, argumentError);
        } catch (const CComError& error) {
            if (result)
                VariantClear(result);
            return dispatch_detail::ReportException(exception, error.Code(), error.what());
        } catch (const std::bad_alloc&) {
            if (result)
                VariantClear(result);
            return dispatch_detail::ReportException(exception, E_OUTOFMEMORY, "Out of memory.");
        } catch (const std::exception& error) {
            if (result)
                VariantClear(result);
            return dispatch_detail::ReportException(exception, E_UNEXPECTED, error.what());
        }
    }

private:
    Entry& Slot(DISPID id, const char* name)
    {
        for (Entry& e : m_entries)
            if (e.id == id)
                return e;
        m_entries.push_back(Entry { id, name, {}, {}, {} });
        return m_entries.back();
    }

    template <class R, class... A, class F> static Handler MakeHandler(F call)
    {
        return [call](T& object, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                   UINT* argumentError) -> HRESULT {
            constexpr UINT n = sizeof...(A);
            if (params->cArgs != n)
                return DISP_E_BADPARAMCOUNT;
            return Call<R, A...>(
                call, object, params, result, argumentError, std::index_sequence_for<A...> {});
        };
    }

    template <class R, class... A, class F, std::size_t... I>
    static HRESULT Call(const F& call, T& object, DISPPARAMS* params, VARIANT* result, UINT* argumentError,
        std::index_sequence<I...>)
    {
        constexpr UINT n = sizeof...(A);
        std::tuple<dispatch_detail::Arg<A>...> args;
        HRESULT hr = S_OK;
        // Arguments are stored right to left.
        auto convert = [&](auto& arg, UINT index) {
            if (SUCCEEDED(hr)) {
                VARIANT* v = &params->rgvarg[n - 1 - index];
                hr = arg.From(v);
                if (FAILED(hr) && argumentError)
                    *argumentError = n - 1 - index;
            }
        };
        (convert(std::get<I>(args), static_cast<UINT>(I)), ...);
        (void)convert;
        if (FAILED(hr))
            return hr == DISP_E_OVERFLOW ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
        if constexpr (std::is_void_v<R>) {
            call(object, std::get<I>(args).Get()...);
        } else {
            R r = call(object, std::get<I>(args).Get()...);
            if (result) {
                dispatch_detail::Result<std::decay_t<R>>::Put(result, r);
            } else if constexpr (dispatch_detail::HasDiscard<std::decay_t<R>>::value) {
                dispatch_detail::Result<std::decay_t<R>>::Discard(r);
            }
        }
        return S_OK;
    }

    std::vector<Entry> m_entries;
};

// Calls a dispatch member with arguments in their natural (left to right) order.
// result may be null. Arguments are not changed (pass CComVariant::RefI4 for out values).
HRESULT DispatchInvoke(IDispatch* object, DISPID id, WORD flags, const std::vector<VARIANT>& arguments,
    VARIANT* result, EXCEPINFO* exception = nullptr);
// Convenience: DISPATCH_METHOD.
HRESULT DispatchCall(
    IDispatch* object, DISPID id, const std::vector<VARIANT>& arguments = {}, VARIANT* result = nullptr);
// Property put (one argument named DISPID_PROPERTYPUT).
HRESULT DispatchPut(IDispatch* object, DISPID id, const VARIANT& value);
