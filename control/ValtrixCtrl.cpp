#include "control/ValtrixCtrl.h"

#include "board/ObriskConnection.h"
#include "control/HandwritingRecognizer.h"
#include "control/InkRecognition.h"
#include "control/OleColor.h"
#include "control/ValtrixIds.h"
#include "platform/LogOnce.h"
#include "platform/com/BoardInterfaces.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcValtrix, "kestavo.control")

namespace {

struct HelpEntry
{
    DISPID id;
    const char* help;
};

const HelpEntry kHelpStrings[] = {
    { 1, "method SetFont" },
    { 2, "method SetAnswer" },
    { 3, "method GetPreferredWidth" },
    { 4, "method GetPreferredHeight" },
    { 5, "method ShowGridLines" },
    { 6, "method EnableStaticMode" },
    { 7, "method IsStaticModeEnabled" },
    { 8, "method SetBackgroundColour" },
    { 9, "method SetForegroundColour" },
    { 10, "method SetGridLineColour" },
    { 11, "method SetFocussedCellColour" },
    { 12, "method VerifyResponse" },
    { 13, "method IsCorrectAnswer" },
    { 14, "method GiveHint" },
    { 15, "method IsHintPossible" },
    { 16, "method SetTextColors" },
    { 17, "method GetState" },
    { 18, "method SetState" },
    { 19, "method DoRecognition" },
    { 20, "method EnableMagnification" },
    { 21, "method SetMagnificationFactor" },
    { DISPID_ENABLED, "property Enabled" },
};

QRgb ColourArgument(ULONG colour)
{
    return ArgbFromColorRef(TranslateOleColor(colour));
}

} // namespace

// --- watch ---------------------------------------------------------------

CValtrixCtrl::CHintPossibleWatch::CHintPossibleWatch(CValtrixCtrl& control)
    : m_control(control)
    , m_before(control.HintPossible())
{
}

CValtrixCtrl::CHintPossibleWatch::~CHintPossibleWatch()
{
    const bool now = m_control.HintPossible();
    if (now != m_before)
        m_control.FireHintPossible(now);
}

// --- lifetime ------------------------------------------------------------

CValtrixCtrl::CValtrixCtrl()
    : m_events(this, DIID__DValtrixEvents)
{
    // The renderer starts with the default colours, "Comic Sans MS" 16 measured,
    // grid lines on, magnification off at factor 1.5.
    CComPtr<IInkContainer> ink;
    if (SUCCEEDED(CoCreateInstance(
            CLSID_InkContainer, nullptr, CLSCTX_INPROC_SERVER, IID_IInkContainer, ink.ReceiveVoid())))
        m_grid.SetInkContainer(ink.Get());
    else if (IsFirstReport(QStringLiteral("no ink component: the field takes keyboard input only")))
        qCInfo(lcValtrix) << "no ink component: the field takes keyboard input only";
}

CValtrixCtrl::~CValtrixCtrl()
{
    m_events.UnadviseAll();
    // Board first, so no contact arrives for a window that is going away.
    if (m_board && m_widget)
        m_board->DetachWindow(CObriskConnection::Handle(m_widget->winId()));
    m_board.reset();
    DestroyControlWindow();
    m_site.Reset();
    m_recognition.reset();
}

void* CValtrixCtrl::QueryInterfacePointer(REFIID iid)
{
    if (iid == DIID__DValtrix)
        return static_cast<IDispatch*>(this);
    return CComObject::QueryInterfacePointer(iid);
}

// --- IDispatch -------------------------------------------------------------

const CDispatchTable<CValtrixCtrl>& CValtrixCtrl::Table()
{
    static const auto table
        = CDispatchTable<CValtrixCtrl>()
              .Method(1, "SetFont", &CValtrixCtrl::SetFont)
              .Method(2, "SetAnswer", &CValtrixCtrl::SetAnswer)
              .Method(3, "GetPreferredWidth", &CValtrixCtrl::GetPreferredWidth)
              .Method(4, "GetPreferredHeight", &CValtrixCtrl::GetPreferredHeight)
              .Method(5, "ShowGridLines", &CValtrixCtrl::ShowGridLines)
              .Method(6, "EnableStaticMode", &CValtrixCtrl::EnableStaticMode)
              .Method(7, "IsStaticModeEnabled", &CValtrixCtrl::IsStaticModeEnabled)
              .Method(8, "SetBackgroundColour", &CValtrixCtrl::SetBackgroundColour)
              .Method(9, "SetForegroundColour", &CValtrixCtrl::SetForegroundColour)
              .Method(10, "SetGridLineColour", &CValtrixCtrl::SetGridLineColour)
              .Method(11, "SetFocussedCellColour", &CValtrixCtrl::SetFocussedCellColour)
              .Method(12, "VerifyResponse", &CValtrixCtrl::VerifyResponse)
              .Method(13, "IsCorrectAnswer", &CValtrixCtrl::IsCorrectAnswer)
              .Method(14, "GiveHint", &CValtrixCtrl::GiveHint)
              .Method(15, "IsHintPossible", &CValtrixCtrl::IsHintPossible)
              .Method(16, "SetTextColors", &CValtrixCtrl::SetTextColors)
              .Method(17, "GetState", &CValtrixCtrl::GetState)
              .Method(18, "SetState", &CValtrixCtrl::SetState)
              .Method(19, "DoRecognition", &CValtrixCtrl::DoRecognition)
              .Method(20, "EnableMagnification", &CValtrixCtrl::EnableMagnification)
              .Method(21, "SetMagnificationFactor", &CValtrixCtrl::SetMagnificationFactor)
              .Property(DISPID_ENABLED, "Enabled", &CValtrixCtrl::GetEnabled, &CValtrixCtrl::SetEnabled);
    return table;
}

const char* CValtrixCtrl::HelpString(DISPID id)
{
    for (const HelpEntry& entry : kHelpStrings) {
        if (entry.id == id)
            return entry.help;
    }
    return nullptr;
}

HRESULT CValtrixCtrl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CValtrixCtrl::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CValtrixCtrl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID, DISPID* ids)
{
    return Table().GetIDsOfNames(iid, names, nameCount, ids);
}

HRESULT CValtrixCtrl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
    EXCEPINFO* exception, UINT* argumentError)
{
    // The host may release its last reference from inside a call (an event
    // handler destroying the view); keep the object alive until the call returns.
    CComPtr<IDispatch> keepAlive(this);
    return Table().Invoke(*this, id, iid, flags, params, result, exception, argumentError);
}

// --- connection points ---------------------------------------------------

HRESULT CValtrixCtrl::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT CValtrixCtrl::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (iid != DIID__DValtrixEvents)
        return CONNECT_E_NOCONNECTION;
    m_events.AddRef();
    *point = &m_events;
    return S_OK;
}

bool CValtrixCtrl::HintPossible() const
{
    return !m_staticMode && m_grid.HasOpenCell();
}

void CValtrixCtrl::FireHintPossible(bool possible)
{
    CComVariant argument = CComVariant::Bool(possible);
    m_events.Fire(DISPID_VALTRIX_ONHINTPOSSIBLE, { argument });
}

// --- window --------------------------------------------------------------

HRESULT CValtrixCtrl::SetSite(IQtWidgetSite* site)
{
    if (!site) {
        DestroyControlWindow();
        m_site.Reset();
        return S_OK;
    }
    QWidget* parent = nullptr;
    const HRESULT hr = site->GetWindow(&parent);
    if (FAILED(hr))
        return hr;
    if (!parent)
        return E_INVALIDARG;
    m_site = CComPtr<IQtWidgetSite>(site);
    if (m_widget) {
        m_widget->setParent(parent);
        m_widget->show();
        return S_OK;
    }
    CreateControlWindow(parent);
    return S_OK;
}

HRESULT CValtrixCtrl::GetWindow(QWidget** window)
{
    if (!window)
        return E_POINTER;
    *window = m_widget;
    return m_widget ? S_OK : E_FAIL;
}

void CValtrixCtrl::CreateControlWindow(QWidget* parent)
{
    m_widget = new CValtrixWidget(this, parent);
    m_widget->setEnabled(m_enabled);
    m_widget->show();
    // A new control is a static label until the host makes it editable.
    EnableStaticMode(VARIANT_TRUE);
    Repaint();
}

void CValtrixCtrl::DestroyControlWindow()
{
    if (!m_widget)
        return;
    // The window is the parent's child; deleting it here detaches it there.
    // OnWindowDestroyed still sees it while it goes; the pointer clears itself.
    delete m_widget.data();
}

QSize CValtrixCtrl::ControlSize() const
{
    return m_widget ? m_widget->size() : QSize(0, 0);
}

void CValtrixCtrl::Repaint()
{
    if (m_widget)
        m_widget->Invalidate();
}

void CValtrixCtrl::EnableRecognizeButton(bool enable)
{
    if (m_widget && m_widget->RecognizeButton())
        m_widget->RecognizeButton()->setEnabled(enable);
}

void CValtrixCtrl::ResetGrid()
{
    if (m_widget)
        m_widget->EndLiveSurface();
    m_grid.Reset();
}

// --- methods -------------------------------------------------------------

void CValtrixCtrl::SetFont(BSTR font, LONG pointSize)
{
    m_renderer.SetFont(SysStringToQString(font), static_cast<float>(pointSize));
    Repaint();
}

void CValtrixCtrl::SetAnswer(BSTR answer)
{
    CHintPossibleWatch watch(*this);
    EnableRecognizeButton(false);
    ResetGrid();
    m_grid.LoadAnswer(SysStringToLatin1(answer));
    Repaint();
}

LONG CValtrixCtrl::GetPreferredWidth()
{
    const double width = std::trunc(static_cast<double>(m_grid.CellCount()) * m_renderer.CellWidth());
    // An absurdly long answer must not overflow the 32-bit result.
    return static_cast<LONG>(std::min(width, 2147483646.0)) + 1;
}

LONG CValtrixCtrl::GetPreferredHeight()
{
    LONG height = static_cast<LONG>(std::trunc(m_renderer.CellHeight()));
    QPushButton* button = m_widget ? m_widget->RecognizeButton() : nullptr;
    if (button && button->isVisibleTo(m_widget))
        height += button->height() + 1;
    return height;
}

void CValtrixCtrl::ShowGridLines(SHORT show)
{
    if (m_renderer.ShowGridLines(show != 0))
        Repaint();
}

void CValtrixCtrl::EnableStaticMode(SHORT enable)
{
    CHintPossibleWatch watch(*this);
    const bool makeStatic = enable != 0;
    if (makeStatic == m_staticMode)
        return;
    m_staticMode = makeStatic;
    if (!m_staticMode && !m_recognizerSetUp) {
        m_recognizerSetUp = true;
        SetUpRecognizer();
    }
    const std::string expected = m_grid.Expected();
    EnableRecognizeButton(false);
    ResetGrid();
    if (m_widget) {
        if (QPushButton* button = m_widget->RecognizeButton())
            button->setVisible(!m_staticMode);
        m_widget->setEnabled(!m_staticMode);
    }
    m_grid.LoadAnswer(expected);
    AttachToBoard(!m_staticMode);
    Repaint();
}

SHORT CValtrixCtrl::IsStaticModeEnabled()
{
    return m_staticMode ? 1 : 0;
}

void CValtrixCtrl::SetBackgroundColour(ULONG colour)
{
    m_renderer.ColourSet().background = ColourArgument(colour);
    Repaint();
}

void CValtrixCtrl::SetForegroundColour(ULONG colour)
{
    m_renderer.ColourSet().foreground = ColourArgument(colour);
    Repaint();
}

void CValtrixCtrl::SetGridLineColour(ULONG colour)
{
    m_renderer.ColourSet().gridLine = ColourArgument(colour);
    Repaint();
}

void CValtrixCtrl::SetFocussedCellColour(ULONG colour)
{
    m_renderer.ColourSet().focusedCell = ColourArgument(colour);
    Repaint();
}

void CValtrixCtrl::SetTextColors(ULONG correct, ULONG wrong, ULONG hint)
{
    CCellRenderer::Colours& colours = m_renderer.ColourSet();
    colours.correct = ColourArgument(correct);
    colours.wrong = ColourArgument(wrong);
    colours.hint = ColourArgument(hint);
    Repaint();
}

void CValtrixCtrl::VerifyResponse()
{
    DoRecognition();
    m_grid.SetVerified(true);
    Repaint();
}

SHORT CValtrixCtrl::IsCorrectAnswer()
{
    return m_grid.IsCorrect() ? 1 : 0;
}

SHORT CValtrixCtrl::GiveHint()
{
    CHintPossibleWatch watch(*this);
    if (m_staticMode)
        return 0;
    const bool filled = m_grid.GiveHint();
    Repaint();
    return filled ? 1 : 0;
}

SHORT CValtrixCtrl::IsHintPossible()
{
    return HintPossible() ? 1 : 0;
}

BSTR CValtrixCtrl::GetState()
{
    const std::string state = m_grid.GetState();
    // One byte a cell: the state string is 8-bit text, 3n+1 characters long.
    BSTR result = SysAllocStringFromLatin1(state);
    if (!result)
        throw std::bad_alloc();
    return result;
}

void CValtrixCtrl::SetState(BSTR state)
{
    if (m_widget)
        m_widget->EndLiveSurface();
    if (m_grid.SetState(SysStringToLatin1(state)))
        Repaint();
}

void CValtrixCtrl::DoRecognition()
{
    CHintPossibleWatch watch(*this);
    Recognize();
    EnableRecognizeButton(false);
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
    Repaint();
}

void CValtrixCtrl::EnableMagnification(SHORT enable)
{
    if (m_renderer.EnableMagnification(enable != 0))
        Repaint();
}

void CValtrixCtrl::SetMagnificationFactor(float factor)
{
    if (m_renderer.SetMagnificationFactor(factor))
        Repaint();
}

bool CValtrixCtrl::GetEnabled() const
{
    return m_enabled;
}

void CValtrixCtrl::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_widget)
        m_widget->setEnabled(enabled && !m_staticMode);
    Repaint();
}

// --- window events -------------------------------------------------------

void CValtrixCtrl::Render(QPainter& painter, QSize size, bool hasFocus)
{
    m_renderer.Paint(painter, size, m_grid, m_staticMode, hasFocus);
    DrawInk(painter);
    // The cells as last drawn, for scripts that place writing in them (the host
    // reads the window's property; it never links the control).
    if (m_widget) {
        QVariantList cells;
        for (const QRectF& cell : m_grid.CellRects(size.width(), size.height(), m_renderer.CellWidth()))
            cells << cell.toRect();
        m_widget->setProperty("cellRects", cells);
    }
}

void CValtrixCtrl::OnChar(int code)
{
    if (m_staticMode || !m_grid.FocusValid())
        return;
    CHintPossibleWatch watch(*this);
    m_grid.OnChar(code);
    Repaint();
}

void CValtrixCtrl::OnKeyDown(CAnswerGrid::Key key, int repeatCount)
{
    if (m_staticMode)
        return;
    CHintPossibleWatch watch(*this);
    m_grid.OnKey(key, repeatCount);
    Repaint();
}

void CValtrixCtrl::OnLeftButtonDown(int x)
{
    if (m_staticMode)
        return;
    const int index = m_grid.HitTest(x, ControlSize().width(), m_renderer.CellWidth());
    if (index >= 0)
        m_grid.SetFocus(index);
    Repaint();
}

void CValtrixCtrl::OnFocusChange(bool gained)
{
    if (gained && !m_grid.FocusValid())
        m_grid.SetFocus(0);
    Repaint();
}

void CValtrixCtrl::OnRecognizeButton()
{
    try {
        DoRecognition();
    } catch (const std::exception& error) {
        // Nobody to report to from a button click; the field stays as it was.
        qCWarning(lcValtrix) << "recognition failed:" << error.what();
    }
}

void CValtrixCtrl::OnWindowDestroyed()
{
    // Also reached when the host deletes the window with its own: no contact may
    // arrive for it afterwards, and a stroke in progress has lost its surface.
    // internalWinId: a window being destroyed must not get a native handle now.
    if (m_board && m_widget && m_widget->internalWinId())
        m_board->DetachWindow(CObriskConnection::Handle(m_widget->internalWinId()));
    m_grid.ReleaseCurrentStroke();
}

void CValtrixCtrl::OnResized()
{
    // The widget keeps the recognise button in the top-right corner itself.
}

// --- ink -----------------------------------------------------------------

void CValtrixCtrl::SetRecognition(std::unique_ptr<CInkRecognition> recognition)
{
    m_recognizerSetUp = true;
    m_recognition = std::move(recognition);
}

void CValtrixCtrl::SetUpRecognizer()
{
    std::unique_ptr<CInkRecognition> recognition = CreateRecognition();
    if (!recognition) {
        if (IsFirstReport(QStringLiteral("no handwriting recogniser: the field takes keyboard input only")))
            qCInfo(lcValtrix) << "no handwriting recogniser: the field takes keyboard input only";
        return;
    }
    m_recognition = std::move(recognition);
    m_board = std::make_unique<CObriskConnection>();
    if (!m_board->CreateWithEvents(m_widget, this)) {
        if (IsFirstReport(QStringLiteral("no board software: ink cannot be written")))
            qCInfo(lcValtrix) << "no board software: ink cannot be written";
        m_board.reset();
    }
    if (m_widget)
        m_widget->CreateRecognizeButton();
}

void CValtrixCtrl::AttachToBoard(bool attach)
{
    if (!m_board || !m_widget)
        return;
    const OBRISK_HWND handle = CObriskConnection::Handle(m_widget->winId());
    if (attach)
        m_board->AttachWindow(handle);
    else
        m_board->DetachWindow(handle);
}

void CValtrixCtrl::Recognize()
{
    const QSize size = ControlSize();
    try {
        m_grid.RecognizeInk(
            m_grid.CellRects(size.width(), size.height(), m_renderer.CellWidth()), m_recognition.get());
    } catch (const std::invalid_argument& error) {
        // Reaches the host as a dispatch exception with the invalid-argument code.
        throw CComError(E_INVALIDARG, error.what());
    }
}

void CValtrixCtrl::DrawInk(QPainter& painter)
{
    IInkContainer* ink = m_grid.InkContainer();
    if (!ink || m_grid.InkCount() == 0)
        return;
    CComPtr<IInkStroke> all;
    if (SUCCEEDED(ink->QueryInterface(IID_IInkStroke, all.ReceiveVoid())))
        all->Draw(&painter, 0, 0, 1.0f);
}

void CValtrixCtrl::OnXYDown(int x, int y, int, int pointerId)
{
    if (!m_board)
        return;
    m_board->PrepareContact();
    if (m_board->GetToolType(pointerId) != OBRISK_TOOL_PEN)
        return;
    m_grid.ReleaseCurrentStroke();
    if (m_widget)
        m_widget->EndLiveSurface();
    CComPtr<IInkStroke> stroke;
    if (FAILED(CoCreateInstance(
            CLSID_InkStroke, nullptr, CLSCTX_INPROC_SERVER, IID_IInkStroke, stroke.ReceiveVoid())))
        return;
    // Colour and width before the first point, so the start is drawn in them too.
    CComVariant colour = CComVariant::I4(static_cast<LONG>(m_board->GetToolColour(pointerId)));
    CComVariant width = CComVariant::I4(1);
    stroke->SetProperty(INK_PROPERTY_COLOUR, colour);
    stroke->SetProperty(INK_PROPERTY_WIDTH, width);
    QPainter* surface = m_widget ? m_widget->BeginLiveSurface() : nullptr;
    stroke->Begin(surface, static_cast<float>(x), static_cast<float>(y), 0, 1.0f);
    m_lastInkPoint = QPointF(x, y);
    if (m_widget)
        m_widget->UpdateLiveRect(QRectF(m_lastInkPoint, m_lastInkPoint));
    m_grid.SetCurrentStroke(stroke.Detach());
}

void CValtrixCtrl::OnXYMove(int x, int y, int, int)
{
    IInkStroke* stroke = m_grid.CurrentStroke();
    if (!stroke)
        return;
    QPainter* surface = m_widget ? m_widget->LiveSurface() : nullptr;
    stroke->AddPoint(surface, static_cast<float>(x), static_cast<float>(y), 1.0f, 0);
    const QPointF point(x, y);
    if (m_widget)
        m_widget->UpdateLiveRect(QRectF(m_lastInkPoint, point).normalized());
    m_lastInkPoint = point;
}

void CValtrixCtrl::OnXYUp(int x, int y, int, int pointerId)
{
    IInkStroke* stroke = m_grid.CurrentStroke();
    if (!m_board || !stroke || m_board->GetToolType(pointerId) != OBRISK_TOOL_PEN)
        return;
    QPainter* surface = m_widget ? m_widget->LiveSurface() : nullptr;
    stroke->End(surface, static_cast<float>(x), static_cast<float>(y), 1.0f);
    // Without a container the stroke has nowhere to go and is dropped.
    IInkContainer* ink = m_grid.InkContainer();
    const bool kept = ink && SUCCEEDED(ink->Insert(stroke, m_grid.InkCount()));
    if (m_widget) {
        m_widget->EndLiveSurface();
        // Ink is the last layer of a render and this stroke the last of the ink, so
        // drawing it over the back buffer shows what a full render would, at the
        // cost of one stroke rather than of all the ink the field holds (a field
        // written on for long re-rendered everything at every stroke's end).
        if (kept)
            m_widget->DrawOverBuffer([stroke](QPainter& painter) { stroke->Draw(&painter, 0, 0, 1.0f); });
    }
    m_grid.ReleaseCurrentStroke();
    EnableRecognizeButton(true);
}

std::unique_ptr<CInkRecognition> CValtrixCtrl::CreateRecognition()
{
    auto recognizer = std::make_unique<CHandwritingRecognizer>();
    if (!recognizer->FindRecognizer())
        return nullptr;
    return recognizer;
}
