#pragma once

// The contract of the test component library (tests/platform/com/TestComponent.cpp).

#include "platform/com/Com.h"

constexpr CLSID CLSID_TestCalculator = GuidLiteral("{6A1B7C2D-3E4F-4A5B-9C6D-7E8F9A0B1C2D}");
constexpr IID IID_ITestCalculator = GuidLiteral("{6A1B7C2D-3E4F-4A5B-9C6D-7E8F9A0B1C2E}");
constexpr IID DIID_ITestEvents = GuidLiteral("{6A1B7C2D-3E4F-4A5B-9C6D-7E8F9A0B1C2F}");
constexpr GUID TEST_LIBID = GuidLiteral("{6A1B7C2D-3E4F-4A5B-9C6D-7E8F9A0B1C30}");

struct ITestCalculator : public IDispatch
{
};
KESTAVO_INTERFACE_ID(ITestCalculator, IID_ITestCalculator);

enum : DISPID
{
    TEST_DISPID_ADD = 1, // LONG Add(LONG, LONG)
    TEST_DISPID_CONCAT = 2, // BSTR Concat(BSTR, BSTR)
    TEST_DISPID_SCALE = 3, // double Scale(float, double)
    TEST_DISPID_NEGATE = 4, // VARIANT_BOOL Negate(VARIANT_BOOL)
    TEST_DISPID_COLOUR = 5, // OLE_COLOR Colour(OLE_COLOR)
    TEST_DISPID_SHORT = 6, // short Short(short): doubles it
    TEST_DISPID_FAIL = 7, // void Fail(LONG code): raises code
    TEST_DISPID_OUT = 8, // void Out(LONG*, BSTR*)
    TEST_DISPID_FIRE = 9, // LONG Fire(LONG): fires event 1 with the value, returns sinks called
    TEST_DISPID_VALUE = 10, // property LONG Value
    TEST_EVENT_DISPID_FIRED = 1 // event Fired(LONG)
};
