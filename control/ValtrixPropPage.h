#pragma once
// The control's property page. It edits no property; it exists so the class is
// registered and can be created like the rest of the component.

#include "platform/com/Com.h"
#include "platform/com/ComObject.h"

class CValtrixPropPage final : public CComObject<IUnknown>
{
public:
    // Caption of the page (string 200) and its placeholder text.
    static const char* Caption();
    static const char* PlaceholderText();
};
