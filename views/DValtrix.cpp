#include "views/DValtrix.h"

#include "platform/LogOnce.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComVariant.h"
#include "platform/com/DispatchTable.h"
#include "platform/com/IQtWidgetSite.h"

#include <QLoggingCategory>
#include <QResizeEvent>
#include <vector>

Q_LOGGING_CATEGORY(lcDValtrix, "kestavo.views.dvaltrix")

namespace {

// DISPIDs of the control's dispatch interface.
enum : DISPID
{
    kSetFont = 1,
    kSetAnswer = 2,
    kGetPreferredWidth = 3,
    kGetPreferredHeight = 4,
    kShowGridLines = 5,
    kEnableStaticMode = 6,
    kIsStaticModeEnabled = 7,
    kSetBackgroundColour = 8,
    kVerifyResponse = 12,
    kIsCorrectAnswer = 13,
    kGiveHint = 14,
    kIsHintPossible = 15,
    kGetState = 17,
    kSetState = 18,
    kDoRecognition = 19,
    kEnableMagnification = 20,
    kSetMagnificationFactor = 21,
};

VARIANT Bool(bool value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT I4(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// The variant owns the new BSTR; Call clears it.
VARIANT Bstr(const QString& text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringFromQString(text);
    return v;
}

VARIANT R4(float value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R4;
    v.fltVal = value;
    return v;
}

} // namespace

// The site through which the control finds the widget to put its window in.
class CDValtrix::CSite final : public CComObject<IQtWidgetSite>
{
public:
    explicit CSite(QWidget* host)
        : m_host(host)
    {
    }
    HRESULT GetWindow(QWidget** parent) override
    {
        if (!parent)
            return E_POINTER;
        *parent = m_host;
        return m_host ? S_OK : E_FAIL;
    }
    void Detach() { m_host = nullptr; }

private:
    QWidget* m_host;
};

CDValtrix::CDValtrix(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CDValtrix"));
}

CDValtrix::~CDValtrix()
{
    if (m_control) {
        CComPtr<IQtWidgetControl> control;
        if (SUCCEEDED(m_control->QueryInterface(IID_IQtWidgetControl, control.ReceiveVoid())))
            control->SetSite(nullptr);
        m_control->Release();
    }
    if (m_dispatch)
        m_dispatch->Release();
    if (m_site) {
        m_site->Detach();
        m_site->Release();
    }
}

bool CDValtrix::Create()
{
    if (m_status != Status::NotCreated)
        return IsReady();
    IUnknown* unknown = nullptr;
    m_createError = CoCreateInstance(
        kClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (FAILED(m_createError)) {
        m_status = m_createError == REGDB_E_CLASSNOTREG ? Status::NotRegistered : Status::LoadFailed;
        if (IsFirstReport(StatusMessage()))
            qCWarning(lcDValtrix) << StatusMessage();
        return false;
    }
    CComPtr<IUnknown> object = CComPtr<IUnknown>::Adopt(unknown);
    CComPtr<IDispatch> dispatch;
    if (FAILED(object->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid()))) {
        m_status = Status::NoInterface;
        if (IsFirstReport(StatusMessage()))
            qCWarning(lcDValtrix) << StatusMessage();
        return false;
    }
    CComPtr<IQtWidgetControl> control;
    QWidget* window = nullptr;
    m_site = new CSite(this);
    if (FAILED(object->QueryInterface(IID_IQtWidgetControl, control.ReceiveVoid()))
        || FAILED(control->SetSite(m_site)) || FAILED(control->GetWindow(&window)) || !window) {
        if (control)
            control->SetSite(nullptr);
        m_status = Status::NoWindow;
        if (IsFirstReport(StatusMessage()))
            qCWarning(lcDValtrix) << StatusMessage();
        return false;
    }
    m_window = window;
    m_window->setGeometry(rect());
    m_dispatch = dispatch.Detach();
    m_control = control.Detach();
    m_status = Status::Ready;
    return true;
}

QString CDValtrix::StatusMessage() const
{
    const QString component = tr("the pen input control Valtrix (libvaltrix.so, class %1)")
                                  .arg(QString::fromStdString(GuidToString(kClassId)));
    switch (m_status) {
    case Status::Ready:
        return QString();
    case Status::NotCreated:
        return tr("The answer field has not been created.");
    case Status::NotRegistered:
        return tr("Answers cannot be entered: %1 is not registered. Run kestavo-register on "
                  "libvaltrix.so to register it.")
            .arg(component);
    case Status::LoadFailed:
        return tr("Answers cannot be entered: %1 could not be loaded (error 0x%2).")
            .arg(component)
            .arg(static_cast<quint32>(m_createError), 8, 16, QLatin1Char('0'));
    case Status::NoInterface:
        return tr("Answers cannot be entered: %1 does not offer its dispatch interface.").arg(component);
    case Status::NoWindow:
        return tr("Answers cannot be entered: %1 could not create its window.").arg(component);
    }
    return QString();
}

void CDValtrix::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_window)
        m_window->setGeometry(rect());
}

bool CDValtrix::Call(DISPID id, std::initializer_list<VARIANT> arguments, VARIANT* result)
{
    std::vector<VARIANT> args(arguments);
    bool ok = false;
    if (!m_dispatch) {
        m_lastError = E_POINTER;
    } else {
        EXCEPINFO exception {};
        m_lastError = DispatchInvoke(m_dispatch, id, DISPATCH_METHOD, args, result, &exception);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        ok = SUCCEEDED(m_lastError);
        if (!ok)
            qCWarning(lcDValtrix) << "call" << id << "failed" << Qt::hex << static_cast<quint32>(m_lastError);
    }
    for (VARIANT& v : args)
        VariantClear(&v);
    return ok;
}

LONG CDValtrix::CallLong(DISPID id)
{
    CComVariant result;
    if (!Call(id, {}, &result))
        return 0;
    CComVariant converted;
    if (FAILED(VariantChangeType(&converted, &result, 0, VT_I4)))
        return 0;
    return converted.lVal;
}

SHORT CDValtrix::CallShort(DISPID id)
{
    CComVariant result;
    if (!Call(id, {}, &result))
        return 0;
    CComVariant converted;
    if (FAILED(VariantChangeType(&converted, &result, 0, VT_I2)))
        return 0;
    return converted.iVal;
}

void CDValtrix::SetFont(const QString& face, int pointSize)
{
    Call(kSetFont, { Bstr(face), I4(pointSize) });
}

void CDValtrix::SetAnswer(const QString& text)
{
    Call(kSetAnswer, { Bstr(text) });
}

int CDValtrix::GetPreferredWidth()
{
    return CallLong(kGetPreferredWidth);
}

int CDValtrix::GetPreferredHeight()
{
    return CallLong(kGetPreferredHeight);
}

void CDValtrix::ShowGridLines(bool show)
{
    Call(kShowGridLines, { Bool(show) });
}

void CDValtrix::EnableStaticMode(bool enable)
{
    Call(kEnableStaticMode, { Bool(enable) });
}

bool CDValtrix::IsStaticModeEnabled()
{
    return CallShort(kIsStaticModeEnabled) != 0;
}

void CDValtrix::SetBackgroundColour(COLORREF colour)
{
    Call(kSetBackgroundColour, { I4(static_cast<LONG>(colour)) });
}

void CDValtrix::VerifyResponse()
{
    Call(kVerifyResponse, {});
}

bool CDValtrix::IsCorrectAnswer()
{
    return CallShort(kIsCorrectAnswer) != 0;
}

bool CDValtrix::GiveHint()
{
    return CallShort(kGiveHint) != 0;
}

bool CDValtrix::IsHintPossible()
{
    return CallShort(kIsHintPossible) != 0;
}

QString CDValtrix::GetState()
{
    CComVariant result;
    if (!Call(kGetState, {}, &result) || result.vt != VT_BSTR)
        return QString();
    return SysStringToQString(result.bstrVal);
}

void CDValtrix::SetState(const QString& state)
{
    Call(kSetState, { Bstr(state) });
}

void CDValtrix::DoRecognition()
{
    Call(kDoRecognition, {});
}

void CDValtrix::EnableMagnification(bool enable)
{
    Call(kEnableMagnification, { Bool(enable) });
}

void CDValtrix::SetMagnificationFactor(float factor)
{
    Call(kSetMagnificationFactor, { R4(factor) });
}
