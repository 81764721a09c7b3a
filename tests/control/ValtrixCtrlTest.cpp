#include "tests/control/ControlHarness.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <cstdint>

namespace {

using ValtrixCtrlTest = ControlHarness;

// A state string from its parts.
std::string S(
    const std::string& expected, const std::string& entries, const std::string& hints, char verified)
{
    return expected + entries + hints + verified;
}

void Key(QWidget* window, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(window, &press);
}

void Type(QWidget* window, const QString& text)
{
    for (QChar ch : text)
        Key(window, ch == QLatin1Char('\b') ? int(Qt::Key_Backspace) : 0, QString(ch));
}

void Click(QWidget* window, int x)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, 10), window->mapToGlobal(QPointF(x, 10)),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
}

TEST_F(ValtrixCtrlTest, FreshControlIsAnEmptyStaticLabel)
{
    EXPECT_EQ(Short(DISPID_VALTRIX_ISSTATICMODEENABLED), 1);
    EXPECT_EQ(Short(DISPID_VALTRIX_ISHINTPOSSIBLE), 0);
    EXPECT_EQ(Long(DISPID_VALTRIX_GETPREFERREDWIDTH), 1);
    EXPECT_EQ(State(), "0");
    EXPECT_FALSE(window->isEnabled());
    EXPECT_TRUE(sink->fired.empty());
}

TEST_F(ValtrixCtrlTest, NamesAnswerTheirDispidsAndUnknownMembersAreRefused)
{
    struct
    {
        const char16_t* name;
        DISPID id;
    } names[]
        = { { u"SetFont", 1 }, { u"getstate", 17 }, { u"SetMagnificationFactor", 21 }, { u"Enabled", -514 } };
    for (const auto& entry : names) {
        LPOLESTR name = const_cast<LPOLESTR>(entry.name);
        DISPID id = 0;
        EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
        EXPECT_EQ(id, entry.id);
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(u"Launch");
    DISPID id = 0;
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Call(22), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(DISPID_VALTRIX_SETANSWER), DISP_E_BADPARAMCOUNT);

    // The stock Enabled property reads and writes.
    CComVariant enabled;
    ASSERT_EQ(DispatchInvoke(control, DISPID_ENABLED, DISPATCH_PROPERTYGET, {}, &enabled), S_OK);
    EXPECT_EQ(enabled.vt, VT_BOOL);
    EXPECT_EQ(enabled.boolVal, VARIANT_TRUE);
    ASSERT_EQ(DispatchPut(control, DISPID_ENABLED, CComVariant::Bool(false)), S_OK);
    ASSERT_EQ(DispatchInvoke(control, DISPID_ENABLED, DISPATCH_PROPERTYGET, {}, &enabled), S_OK);
    EXPECT_EQ(enabled.boolVal, VARIANT_FALSE);
}

TEST_F(ValtrixCtrlTest, HintsFromTheRightFireTheEventOnlyOnChanges)
{
    SetAnswer("125");
    EXPECT_TRUE(sink->fired.empty()); // static: no hint possible before or after
    SetStatic(false);
    EXPECT_EQ(sink->fired, std::vector<bool> { true });
    SetStatic(false); // no change, no event
    EXPECT_EQ(Short(DISPID_VALTRIX_ISHINTPOSSIBLE), 1);

    EXPECT_EQ(Short(DISPID_VALTRIX_GIVEHINT), 1);
    EXPECT_EQ(State(), S("125", "  5", "  x", '0'));
    EXPECT_EQ(sink->fired.size(), 1u);
    EXPECT_EQ(Short(DISPID_VALTRIX_GIVEHINT), 1);
    EXPECT_EQ(Short(DISPID_VALTRIX_ISHINTPOSSIBLE), 0);
    EXPECT_EQ(sink->fired, (std::vector<bool> { true, false }));
    EXPECT_EQ(Short(DISPID_VALTRIX_GIVEHINT), 0);
    EXPECT_EQ(State(), S("125", " 25", " xx", '0'));
    EXPECT_EQ(sink->fired.size(), 2u);
    EXPECT_EQ(Short(DISPID_VALTRIX_ISCORRECTANSWER), 0);

    // A one-cell answer never gets a hint, and static mode refuses hints.
    SetAnswer("7");
    EXPECT_EQ(sink->fired.size(), 2u);
    EXPECT_EQ(Short(DISPID_VALTRIX_ISHINTPOSSIBLE), 0);
    EXPECT_EQ(Short(DISPID_VALTRIX_GIVEHINT), 0);
    SetAnswer("42");
    EXPECT_EQ(sink->fired.back(), true);
    SetStatic(true);
    EXPECT_EQ(sink->fired.back(), false);
    EXPECT_EQ(Short(DISPID_VALTRIX_GIVEHINT), 0);
    EXPECT_EQ(State(), S("42", "  ", "  ", '0'));
}

TEST_F(ValtrixCtrlTest, StatesAreOneBytePerCharacter)
{
    auto setState = [this](const QString& state) {
        return Call(DISPID_VALTRIX_SETSTATE, { CComVariant::Bstr(state) });
    };
    auto state = [this] {
        CComVariant result;
        EXPECT_EQ(Call(DISPID_VALTRIX_GETSTATE, {}, &result), S_OK);
        return SysStringToQString(result.bstrVal);
    };
    SetAnswer("42");
    // Latin-1 characters in any cell round-trip exactly.
    const QString latin = QStringLiteral("4\u00e9\u00d7\u00f7x 1");
    ASSERT_EQ(setState(latin), S_OK);
    EXPECT_EQ(state(), latin);
    // Wider characters (one outside the basic plane among them) take one
    // place each and read back as '?': the state is still taken.
    ASSERT_EQ(setState(QStringLiteral("4\u20ac") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("2  0")),
        S_OK);
    EXPECT_EQ(state(), QStringLiteral("4??2  0"));
    // An answer with such characters fills one cell per character.
    ASSERT_EQ(Call(DISPID_VALTRIX_SETANSWER, { CComVariant::Bstr(QStringLiteral("\u00bd\u00bc")) }), S_OK);
    EXPECT_EQ(state(), QStringLiteral("\u00bd\u00bc    0"));
}

TEST_F(ValtrixCtrlTest, StatesRoundTripWithoutEventsAndMalformedOnesAreIgnored)
{
    SetAnswer("42");
    SetStatic(false);
    const size_t events = sink->fired.size();
    ASSERT_EQ(SetState("424 x 1"), S_OK);
    EXPECT_EQ(State(), "424 x 1");
    EXPECT_EQ(Short(DISPID_VALTRIX_ISHINTPOSSIBLE), 1);
    ASSERT_EQ(SetState("4242  0"), S_OK); // would end the hint possibility: still no event
    EXPECT_EQ(Short(DISPID_VALTRIX_ISCORRECTANSWER), 1);
    EXPECT_EQ(Short(DISPID_VALTRIX_ISSTATICMODEENABLED), 0);
    for (const char* bad : { "", "12", "12345" }) {
        EXPECT_EQ(SetState(bad), S_OK);
        EXPECT_EQ(State(), "4242  0") << bad;
    }
    ASSERT_EQ(SetState("1"), S_OK);
    EXPECT_EQ(State(), "1");
    EXPECT_EQ(sink->fired.size(), events);
}

TEST_F(ValtrixCtrlTest, KeyboardTypingFollowsTheEntryRules)
{
    SetAnswer("-3.5");
    SetStatic(false);
    Click(window, 0); // left of the cells: the leftmost cell
    Type(window, "-3..");
    EXPECT_EQ(State(), S("-3.5", "-3. ", "    ", '0'));
    Key(window, Qt::Key_Left);
    Type(window, "-"); // a minus outside the leftmost cell is ignored
    Type(window, "x.");
    EXPECT_EQ(State(), S("-3.5", "-3. ", "    ", '0'));
    Type(window, "\b"); // clears the focused (empty) last cell, not the dot before it
    EXPECT_EQ(State(), S("-3.5", "-3. ", "    ", '0'));
    Key(window, Qt::Key_Right);
    Key(window, Qt::Key_Right);
    Type(window, "5");
    Key(window, Qt::Key_Left);
    Key(window, Qt::Key_Delete);
    Type(window, ".5");
    EXPECT_EQ(State(), S("-3.5", "-3.5", "    ", '0'));
    EXPECT_EQ(Short(DISPID_VALTRIX_ISCORRECTANSWER), 1);
}

TEST_F(ValtrixCtrlTest, ClickingChoosesTheCellUnderThePointer)
{
    SetAnswer("42");
    SetStatic(false);
    const LONG width = Long(DISPID_VALTRIX_GETPREFERREDWIDTH);
    window->resize(width, 60);
    Click(window, width - 2); // the right cell
    Type(window, "2");
    EXPECT_EQ(State(), S("42", " 2", "  ", '0'));
    Click(window, 2);
    Type(window, "4");
    EXPECT_EQ(State(), S("42", "42", "  ", '0'));
}

TEST_F(ValtrixCtrlTest, VerifyMarksTheFieldUntilTheNextEntry)
{
    SetAnswer("42");
    SetStatic(false);
    ASSERT_EQ(Call(DISPID_VALTRIX_VERIFYRESPONSE), S_OK);
    EXPECT_EQ(State(), S("42", "  ", "  ", '1'));
    EXPECT_EQ(Short(DISPID_VALTRIX_ISCORRECTANSWER), 0);
    ASSERT_EQ(Call(DISPID_VALTRIX_DORECOGNITION), S_OK); // no ink: verified stays
    EXPECT_EQ(State(), S("42", "  ", "  ", '1'));
    Click(window, 0);
    Type(window, "4");
    EXPECT_EQ(State(), S("42", "4 ", "  ", '0'));
}

TEST_F(ValtrixCtrlTest, TogglingStaticModeClearsTheEntries)
{
    SetAnswer("42");
    SetStatic(false);
    EXPECT_TRUE(window->isEnabled());
    Click(window, 0);
    Type(window, "42");
    EXPECT_EQ(Short(DISPID_VALTRIX_ISCORRECTANSWER), 1);
    SetStatic(true);
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(State(), S("42", "  ", "  ", '0'));
    SetStatic(false);
    EXPECT_EQ(State(), S("42", "  ", "  ", '0'));
    // A static field takes no typing.
    SetStatic(true);
    Type(window, "4");
    EXPECT_EQ(State(), S("42", "  ", "  ", '0'));
}

TEST_F(ValtrixCtrlTest, PreferredSizeFollowsFontAndMagnification)
{
    SetAnswer("123");
    ASSERT_EQ(Call(DISPID_VALTRIX_SETFONT, { CComVariant::Bstr("Arial"), CComVariant::I4(26) }), S_OK);
    const LONG plain = Long(DISPID_VALTRIX_GETPREFERREDWIDTH);
    const LONG plainHeight = Long(DISPID_VALTRIX_GETPREFERREDHEIGHT);
    EXPECT_GT(plain, 3 * 12);
    EXPECT_EQ((plain - 1) % 3, 0); // three whole-pixel cells plus one

    // The factor alone changes nothing while magnification is off.
    ASSERT_EQ(Call(DISPID_VALTRIX_SETMAGNIFICATIONFACTOR, { CComVariant::R4(7.0f) }), S_OK);
    EXPECT_EQ(Long(DISPID_VALTRIX_GETPREFERREDWIDTH), plain);
    ASSERT_EQ(Call(DISPID_VALTRIX_ENABLEMAGNIFICATION, { CComVariant::Bool(true) }), S_OK);
    const LONG atSeven = Long(DISPID_VALTRIX_GETPREFERREDWIDTH);
    ASSERT_EQ(Call(DISPID_VALTRIX_SETMAGNIFICATIONFACTOR, { CComVariant::R4(4.0f) }), S_OK);
    EXPECT_EQ(Long(DISPID_VALTRIX_GETPREFERREDWIDTH), atSeven); // clamped to 4
    EXPECT_GT(atSeven, 3 * plain);
    EXPECT_GT(Long(DISPID_VALTRIX_GETPREFERREDHEIGHT), 3 * plainHeight);

    ASSERT_EQ(Call(DISPID_VALTRIX_SETMAGNIFICATIONFACTOR, { CComVariant::R4(0.5f) }), S_OK);
    const LONG atHalf = Long(DISPID_VALTRIX_GETPREFERREDWIDTH);
    ASSERT_EQ(Call(DISPID_VALTRIX_SETMAGNIFICATIONFACTOR, { CComVariant::R4(1.0f) }), S_OK);
    EXPECT_EQ(Long(DISPID_VALTRIX_GETPREFERREDWIDTH), atHalf); // clamped to 1
    EXPECT_GT(atSeven, 3 * (atHalf - 1));

    ASSERT_EQ(Call(DISPID_VALTRIX_ENABLEMAGNIFICATION, { CComVariant::Bool(false) }), S_OK);
    EXPECT_EQ(Long(DISPID_VALTRIX_GETPREFERREDWIDTH), plain);
    EXPECT_EQ(Long(DISPID_VALTRIX_GETPREFERREDHEIGHT), plainHeight);
}

TEST_F(ValtrixCtrlTest, SystemColourIndicesResolveThroughThePalette)
{
    SetAnswer("");
    ASSERT_EQ(
        Call(DISPID_VALTRIX_SETBACKGROUNDCOLOUR, { CComVariant::I4(static_cast<LONG>(0x80000005u)) }), S_OK);
    const QColor base = QApplication::palette().color(QPalette::Active, QPalette::Base);
    QImage shot = window->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(5, 5)).rgb(), base.rgb());

    ASSERT_EQ(Call(DISPID_VALTRIX_SETBACKGROUNDCOLOUR, { CComVariant::I4(0x00FFC878) }), S_OK);
    shot = window->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(120, 200, 255));
}

TEST_F(ValtrixCtrlTest, NonAsciiAndLongAnswersStayConsistent)
{
    SetAnswer("\xc3\xa9\xe2\x82\xac"); // two characters: one cell each
    SetStatic(false);
    EXPECT_EQ(State(), "\xe9?    0");
    const std::string longAnswer(2000, '7');
    SetAnswer(longAnswer.c_str());
    EXPECT_EQ(State().size(), 3 * longAnswer.size() + 1);
    EXPECT_EQ(Short(DISPID_VALTRIX_GIVEHINT), 1);
    Click(window, 0);
    Type(window, "7");
}

} // namespace

TEST(ValtrixRegistrationTest, RegistersItsClassesAndUnregistersThem)
{
    ASSERT_EQ(CallValtrixExport("DllRegisterServer"), S_OK);
    IDispatch* control = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ValtrixCtrl, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                  reinterpret_cast<void**>(&control)),
        S_OK);
    IUnknown* viaDispInterface = nullptr;
    EXPECT_EQ(control->QueryInterface(DIID__DValtrix, reinterpret_cast<void**>(&viaDispInterface)), S_OK);
    viaDispInterface->Release();
    control->Release();

    auto readDefault = [](const std::string& key) {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
            return std::string("<missing>");
        char buffer[512] = {};
        DWORD size = sizeof buffer;
        DWORD type = 0;
        const LONG error
            = RegQueryValueExA(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(handle);
        return error == ERROR_SUCCESS ? std::string(buffer) : std::string("<no value>");
    };
    const std::string clsid = "CLSID\\" + GuidToString(CLSID_ValtrixCtrl);
    EXPECT_EQ(readDefault(clsid), "Valtrix Control");
    EXPECT_EQ(readDefault(clsid + "\\MiscStatus\\1"), "131473");
    EXPECT_EQ(readDefault(clsid + "\\ProgID"), "VALTRIX.ValtrixCtrl.1");
    EXPECT_EQ(readDefault(clsid + "\\TypeLib"), "{8722C4B6-9D37-4216-AD62-B1E8C8C31E2C}");
    EXPECT_EQ(readDefault("VALTRIX.ValtrixCtrl.1\\CLSID"), GuidToString(CLSID_ValtrixCtrl));
    EXPECT_EQ(readDefault("CLSID\\" + GuidToString(CLSID_ValtrixPropPage)), "Valtrix Property Page");

    ASSERT_EQ(CallValtrixExport("DllUnregisterServer"), S_OK);
    EXPECT_EQ(readDefault(clsid), "<missing>");
    EXPECT_EQ(CoCreateInstance(CLSID_ValtrixCtrl, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                  reinterpret_cast<void**>(&control)),
        REGDB_E_CLASSNOTREG);
}

TEST(ValtrixRegistrationTest, ReportsItsFileVersion)
{
    void* library = dlopen(ValtrixLibraryPath().c_str(), RTLD_NOW);
    ASSERT_TRUE(library);
    auto version = reinterpret_cast<const char* (*)()>(dlsym(library, "ValtrixFileVersion"));
    ASSERT_TRUE(version);
    EXPECT_STREQ(version(), "1.0.0.19");
    dlclose(library);
}

TEST(ValtrixRegistrationTest, AStoreThatCannotBeWrittenFailsAtTheTypeLibrary)
{
    const QByteArray hive = qgetenv("KESTAVO_HIVE_DIR");
    // A folder below a plain file can never be created.
    qputenv("KESTAVO_HIVE_DIR", "/dev/null/hive");
    const HRESULT hr = CallValtrixExport("DllRegisterServer");
    qputenv("KESTAVO_HIVE_DIR", hive);
    EXPECT_EQ(static_cast<uint32_t>(hr), 0x80040200u);
}
