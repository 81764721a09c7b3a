#include "platform/com/DispatchTable.h"

namespace dispatch_detail {

bool NameEquals(LPCOLESTR name, const char* tableName)
{
    if (!name || !tableName)
        return false;
    for (;; ++name, ++tableName) {
        char16_t a = *name;
        char16_t b = static_cast<unsigned char>(*tableName);
        if (a >= u'A' && a <= u'Z')
            a = char16_t(a - u'A' + u'a');
        if (b >= u'A' && b <= u'Z')
            b = char16_t(b - u'A' + u'a');
        if (a != b)
            return false;
        if (a == 0)
            return true;
    }
}

HRESULT ReportException(EXCEPINFO* info, HRESULT code, const std::string& description)
{
    if (info) {
        *info = EXCEPINFO {};
        info->scode = code;
        info->bstrDescription = SysAllocStringFromAnsi(description.c_str());
    }
    return DISP_E_EXCEPTION;
}

} // namespace dispatch_detail

HRESULT DispatchInvoke(IDispatch* object, DISPID id, WORD flags, const std::vector<VARIANT>& arguments,
    VARIANT* result, EXCEPINFO* exception)
{
    if (!object)
        return E_POINTER;
    // Dispatch arguments run right to left.
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params { reversed.empty() ? nullptr : reversed.data(), nullptr, UINT(reversed.size()), 0 };
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    UINT argumentError = 0;
    return object->Invoke(id, IID_NULL, 0, flags, &params, result, exception, &argumentError);
}

HRESULT DispatchCall(IDispatch* object, DISPID id, const std::vector<VARIANT>& arguments, VARIANT* result)
{
    return DispatchInvoke(object, id, DISPATCH_METHOD, arguments, result);
}

HRESULT DispatchPut(IDispatch* object, DISPID id, const VARIANT& value)
{
    return DispatchInvoke(object, id, DISPATCH_PROPERTYPUT, { value }, nullptr);
}
