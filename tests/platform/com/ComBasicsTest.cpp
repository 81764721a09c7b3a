#include "platform/com/Com.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(GuidTest, ParsesAndPrintsTheRegistryForm)
{
    constexpr GUID literal = GuidLiteral("{5180E2B4-FAF0-4C88-8615-8B6B75B0E689}");
    EXPECT_EQ(literal.Data1, 0x5180E2B4u);
    EXPECT_EQ(literal.Data2, 0xFAF0);
    EXPECT_EQ(literal.Data3, 0x4C88);
    EXPECT_EQ(literal.Data4[0], 0x86);
    EXPECT_EQ(literal.Data4[7], 0x89);
    EXPECT_EQ(GuidToString(literal), "{5180E2B4-FAF0-4C88-8615-8B6B75B0E689}");

    GUID parsed {};
    ASSERT_TRUE(GuidFromString("{5180e2b4-faf0-4c88-8615-8b6b75b0e689}", &parsed));
    EXPECT_EQ(parsed, literal);
    EXPECT_NE(parsed, IID_IUnknown);
}

TEST(GuidTest, RejectsAnythingButTheExactForm)
{
    GUID untouched = IID_IDispatch;
    for (const char* bad : { "", "5180E2B4-FAF0-4C88-8615-8B6B75B0E689",
             "{5180E2B4-FAF0-4C88-8615-8B6B75B0E68}", "{5180E2B4-FAF0-4C88-8615-8B6B75B0E6899}",
             "{5180E2B4FFAF0-4C88-8615-8B6B75B0E689}", "{5180E2B4-FAF0-4C88-8615-8B6B75B0E68G}",
             " {5180E2B4-FAF0-4C88-8615-8B6B75B0E689}", "{+180E2B4-FAF0-4C88-8615-8B6B75B0E689}" }) {
        EXPECT_FALSE(GuidFromString(bad, &untouched)) << bad;
    }
    EXPECT_FALSE(GuidFromString(nullptr, &untouched));
    EXPECT_EQ(untouched, IID_IDispatch);
}

TEST(BstrTest, KeepsLengthEmbeddedZerosAndUtf8)
{
    const OLECHAR text[] = { u'a', u'\0', u'b' };
    BSTR b = SysAllocStringLen(text, 3);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 3u);
    EXPECT_EQ(SysStringByteLen(b), 6u);
    EXPECT_EQ(b[1], u'\0');
    EXPECT_EQ(b[3], u'\0'); // terminated
    SysFreeString(b);

    BSTR umlaut = SysAllocStringFromAnsi("Gr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(SysStringLen(umlaut), 4u);
    EXPECT_EQ(SysStringToAnsi(umlaut), "Gr\xC3\xBC\xC3\x9F");
    SysFreeString(umlaut);

    // A null BSTR is the empty string.
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringToAnsi(nullptr), "");
    SysFreeString(nullptr);

    BSTR zeroFilled = SysAllocStringLen(nullptr, 2);
    EXPECT_EQ(zeroFilled[0], 0);
    EXPECT_EQ(SysStringLen(zeroFilled), 2u);
    EXPECT_TRUE(SysReAllocString(&zeroFilled, u"xyz"));
    EXPECT_EQ(SysStringToQString(zeroFilled), QStringLiteral("xyz"));
    SysFreeString(zeroFilled);
}

namespace {

// Coerces a copy of v to type vt; returns the result code.
HRESULT Coerce(const VARIANT& v, VARTYPE vt, CComVariant* out, USHORT flags = 0)
{
    return VariantChangeType(out, &v, flags, vt);
}

} // namespace

TEST(VariantTest, NumericCoercionsRoundHalfToEvenAndCheckRange)
{
    CComVariant out;
    ASSERT_EQ(Coerce(CComVariant::R8(2.5), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 2);
    ASSERT_EQ(Coerce(CComVariant::R8(3.5), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 4);
    ASSERT_EQ(Coerce(CComVariant::R4(-1.5f), VT_I2, &out), S_OK);
    EXPECT_EQ(out.iVal, -2);
    EXPECT_EQ(Coerce(CComVariant::I4(40000), VT_I2, &out), DISP_E_OVERFLOW);
    EXPECT_EQ(Coerce(CComVariant::I4(-1), VT_UI4, &out), DISP_E_OVERFLOW);
    EXPECT_EQ(Coerce(CComVariant::R8(1e300), VT_R4, &out), DISP_E_OVERFLOW);
    ASSERT_EQ(Coerce(CComVariant::I4(7), VT_BOOL, &out), S_OK);
    EXPECT_EQ(out.boolVal, VARIANT_TRUE);
    ASSERT_EQ(Coerce(CComVariant::Bool(true), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, -1);
    ASSERT_EQ(Coerce(CComVariant(), VT_I4, &out), S_OK); // empty reads as 0
    EXPECT_EQ(out.lVal, 0);
}

TEST(VariantTest, TextCoercions)
{
    CComVariant out;
    ASSERT_EQ(Coerce(CComVariant::Bstr(QStringLiteral(" 42 ")), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 42);
    ASSERT_EQ(Coerce(CComVariant::Bstr(QStringLiteral("1.5")), VT_R4, &out), S_OK);
    EXPECT_FLOAT_EQ(out.fltVal, 1.5f);
    EXPECT_EQ(Coerce(CComVariant::Bstr(QStringLiteral("abc")), VT_I4, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Coerce(CComVariant::Bstr(QStringLiteral("99999999999")), VT_I4, &out), DISP_E_OVERFLOW);
    ASSERT_EQ(Coerce(CComVariant::Bstr(QStringLiteral("true")), VT_BOOL, &out), S_OK);
    EXPECT_EQ(out.boolVal, VARIANT_TRUE);

    ASSERT_EQ(Coerce(CComVariant::I4(-17), VT_BSTR, &out), S_OK);
    EXPECT_EQ(SysStringToQString(out.bstrVal), QStringLiteral("-17"));
    ASSERT_EQ(Coerce(CComVariant::Bool(true), VT_BSTR, &out), S_OK);
    EXPECT_EQ(SysStringToQString(out.bstrVal), QStringLiteral("-1"));
    ASSERT_EQ(Coerce(CComVariant::Bool(false), VT_BSTR, &out, VARIANT_ALPHABOOL), S_OK);
    EXPECT_EQ(SysStringToQString(out.bstrVal), QStringLiteral("False"));
    ASSERT_EQ(Coerce(CComVariant::R4(0.1f), VT_BSTR, &out), S_OK);
    EXPECT_EQ(SysStringToQString(out.bstrVal), QStringLiteral("0.1"));
}

TEST(VariantTest, InPlaceAndByReferenceConversionsOwnTheirText)
{
    // In place: the source text is freed only once the result exists.
    CComVariant v = CComVariant::Bstr(QStringLiteral("12"));
    ASSERT_EQ(v.ChangeType(VT_I4), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 12);

    // A reference is followed; the referenced text stays the caller's.
    BSTR owned = SysAllocStringFromAnsi("5");
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_BSTR;
    ref.pbstrVal = &owned;
    CComVariant out;
    ASSERT_EQ(VariantChangeType(&out, &ref, 0, VT_BSTR), S_OK);
    EXPECT_NE(out.bstrVal, owned);
    EXPECT_EQ(SysStringToQString(out.bstrVal), QStringLiteral("5"));
    LONG target = 9;
    CComVariant refI4 = CComVariant::RefI4(&target);
    ASSERT_EQ(VariantChangeType(&out, &refI4, 0, VT_R8), S_OK);
    EXPECT_DOUBLE_EQ(out.dblVal, 9.0);
    VariantClear(&ref); // does not free what a reference points at
    SysFreeString(owned);

    // A failed conversion leaves the destination as it was.
    CComVariant keep = CComVariant::I4(3);
    EXPECT_EQ(VariantChangeType(&keep, &v, 0, VT_DISPATCH), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(keep.vt, VT_I4);
    EXPECT_EQ(keep.lVal, 3);
}
