#pragma once
// The pen input control: one answer field offered as a component with a
// dispatch interface (_DValtrix), an event interface (_DValtrixEvents) and a
// window that a host embeds through its widget site.

#include "board/ObriskEventListener.h"
#include "control/AnswerGrid.h"
#include "control/CellRenderer.h"
#include "control/ValtrixWidget.h"
#include "platform/com/Com.h"
#include "platform/com/ComObject.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/DispatchTable.h"
#include "platform/com/IQtWidgetSite.h"

#include <QPointF>
#include <QPointer>
#include <memory>
#include <string>

class CInkRecognition;
class CObriskConnection;

class CValtrixCtrl final : public CComObject<IDispatch, IConnectionPointContainer, IQtWidgetControl>,
                           public CValtrixWidget::Owner,
                           public CObriskEventListener
{
public:
    CValtrixCtrl();
    ~CValtrixCtrl() override;

    // IDispatch
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale, DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) override;

    // IConnectionPointContainer
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // IQtWidgetControl
    HRESULT SetSite(IQtWidgetSite* site) override;
    HRESULT GetWindow(QWidget** window) override;

    // _DValtrix methods, by DISPID.
    void SetFont(BSTR font, LONG pointSize);
    void SetAnswer(BSTR answer);
    LONG GetPreferredWidth();
    LONG GetPreferredHeight();
    void ShowGridLines(SHORT show);
    void EnableStaticMode(SHORT enable);
    SHORT IsStaticModeEnabled();
    void SetBackgroundColour(ULONG colour);
    void SetForegroundColour(ULONG colour);
    void SetGridLineColour(ULONG colour);
    void SetFocussedCellColour(ULONG colour);
    void VerifyResponse();
    SHORT IsCorrectAnswer();
    SHORT GiveHint();
    SHORT IsHintPossible();
    void SetTextColors(ULONG correct, ULONG wrong, ULONG hint);
    BSTR GetState();
    void SetState(BSTR state);
    void DoRecognition();
    void EnableMagnification(SHORT enable);
    void SetMagnificationFactor(float factor);
    // Stock property Enabled.
    bool GetEnabled() const;
    void SetEnabled(bool enabled);

    // The dispatch table (names, DISPIDs) and each member's help string.
    static const CDispatchTable<CValtrixCtrl>& Table();
    static const char* HelpString(DISPID id);

    // Read access for tests and the host side of this library.
    const CAnswerGrid& Grid() const { return m_grid; }
    const CCellRenderer& Renderer() const { return m_renderer; }
    CValtrixWidget* Widget() const { return m_widget; }
    bool StaticMode() const { return m_staticMode; }

    // CValtrixWidget::Owner
    void Render(QPainter& painter, QSize size, bool hasFocus) override;
    void OnChar(int code) override;
    void OnKeyDown(CAnswerGrid::Key key, int repeatCount) override;
    void OnLeftButtonDown(int x) override;
    void OnFocusChange(bool gained) override;
    void OnRecognizeButton() override;
    void OnResized() override;
    void OnWindowDestroyed() override;

    // CObriskEventListener: pen contacts over the window become ink.
    void OnXYDown(int x, int y, int value, int pointerId) override;
    void OnXYMove(int x, int y, int value, int pointerId) override;
    void OnXYUp(int x, int y, int value, int pointerId) override;

    // Replaces the recogniser (tests script one); the control owns it. Marks the
    // recogniser as set up, so leaving static mode does not search for another.
    void SetRecognition(std::unique_ptr<CInkRecognition> recognition);
    bool HasBoardConnection() const { return m_board != nullptr; }

protected:
    void* QueryInterfacePointer(REFIID iid) override;

private:
    friend class CHintPossibleWatch;

    // Fires OnHintPossible when the hint possibility changed across its lifetime.
    class CHintPossibleWatch
    {
    public:
        explicit CHintPossibleWatch(CValtrixCtrl& control);
        ~CHintPossibleWatch();

    private:
        CValtrixCtrl& m_control;
        bool m_before;
    };

    bool HintPossible() const;
    void FireHintPossible(bool possible);
    void Repaint();
    void ResetGrid();
    void EnableRecognizeButton(bool enable);
    void SetUpRecognizer();
    // The recogniser found on this machine, or null (keyboard only).
    static std::unique_ptr<CInkRecognition> CreateRecognition();
    void Recognize();
    QSize ControlSize() const;
    void AttachToBoard(bool attach);
    void DrawInk(QPainter& painter);
    void CreateControlWindow(QWidget* parent);
    void DestroyControlWindow();

    bool m_staticMode = false;
    bool m_recognizerSetUp = false;
    bool m_enabled = true;
    CCellRenderer m_renderer;
    CAnswerGrid m_grid;
    CConnectionPoint m_events;
    CComPtr<IQtWidgetSite> m_site;
    std::unique_ptr<CInkRecognition> m_recognition;
    std::unique_ptr<CObriskConnection> m_board;
    QPointF m_lastInkPoint;
    QPointer<CValtrixWidget> m_widget;
};
