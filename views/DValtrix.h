#pragma once
// Host window of one pen input control. Creates the control by its class id,
// embeds its window, and offers the calls the game view makes as typed methods
// that go through IDispatch::Invoke by DISPID. The game never links the
// control's library: a missing or unregistered control is a status to show,
// and every call on a field without a control does nothing and answers 0.

#include "platform/WinTypes.h"
#include "platform/com/Com.h"

#include <QString>
#include <QWidget>

class CDValtrix : public QWidget
{
    Q_OBJECT
public:
    static constexpr CLSID kClassId = GuidLiteral("{50116834-6E15-447D-B5A1-300411DB2891}");

    enum class Status
    {
        NotCreated, // Create has not run
        Ready, // the control exists and has its window here
        NotRegistered, // no such class in the classes hive
        LoadFailed, // registered, but its library does not load or has no entry point
        NoInterface, // created, but it offers no dispatch interface
        NoWindow, // created, but it did not make a window for this host
    };

    explicit CDValtrix(QWidget* parent = nullptr);
    ~CDValtrix() override;

    // Creates the control as a child of this window; false with Status() set
    // when that fails. A second call does nothing and answers the first result.
    bool Create();
    Status CreateStatus() const { return m_status; }
    bool IsReady() const { return m_status == Status::Ready; }
    // A sentence for the user naming the missing component; empty when ready.
    QString StatusMessage() const;
    // Result of the last call through the dispatch interface (S_OK when none failed).
    HRESULT LastError() const { return m_lastError; }
    IDispatch* Dispatch() const { return m_dispatch; }
    QWidget* ControlWindow() const { return m_window; }

    void SetFont(const QString& face, int pointSize);
    void SetAnswer(const QString& text);
    int GetPreferredWidth();
    int GetPreferredHeight();
    void ShowGridLines(bool show);
    void EnableStaticMode(bool enable);
    bool IsStaticModeEnabled();
    void SetBackgroundColour(COLORREF colour);
    void VerifyResponse();
    bool IsCorrectAnswer();
    bool GiveHint();
    bool IsHintPossible();
    QString GetState();
    void SetState(const QString& state);
    void DoRecognition();
    void EnableMagnification(bool enable);
    void SetMagnificationFactor(float factor);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class CSite;

    // Invokes a method with arguments in natural order; result may be null.
    bool Call(DISPID id, std::initializer_list<VARIANT> arguments, VARIANT* result = nullptr);
    LONG CallLong(DISPID id);
    SHORT CallShort(DISPID id);

    Status m_status = Status::NotCreated;
    HRESULT m_createError = S_OK;
    HRESULT m_lastError = S_OK;
    IDispatch* m_dispatch = nullptr; // owned reference
    IUnknown* m_control = nullptr; // owned reference, the control's window interface
    CSite* m_site = nullptr; // owned reference
    QWidget* m_window = nullptr; // the control's window, a child of this one
};
