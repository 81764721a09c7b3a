#pragma once

// The board inside one process: the windows attached to it and which SDK object
// (connection) each belongs to, the pointer ids of the tools, the emulated tray,
// and the routing of pointer samples to the event sinks of the right connection.
//
// Qt input arrives on the application thread through an application event filter;
// replayed input arrives on the replay's own thread. State is guarded by one lock;
// sinks are called outside it (a sink may block while its owner's thread delivers,
// and that thread may call back into the board).

#include "boardsoft/BoardRecorder.h"
#include "boardsoft/BoardSettings.h"
#include "boardsoft/PointerNormaliser.h"
#include "boardsoft/PointerSample.h"
#include "boardsoft/ToolTray.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/Com.h"

#include <QPointF>
#include <QPointer>
#include <QString>
#include <map>
#include <mutex>
#include <set>
#include <vector>

class CObriskSdk;
class CBoardHubAgent;
class QWidget;

class CBoardHub
{
public:
    // Addresses an attached window: by objectName, by attach order (1 = the
    // longest attached of those still attached), or by both: the order-th of
    // those with that name ("NAME#N"; a name alone is the first of them).
    struct Target
    {
        QString name;
        int order = 0;

        QString Label() const
        {
            return name.isEmpty() ? QStringLiteral("#%1").arg(order)
                : order > 1       ? QStringLiteral("%1#%2").arg(name).arg(order)
                                  : name;
        }
        // For messages: #N, or the name in quotes.
        QString Quoted() const
        {
            return name.isEmpty() ? Label() : QLatin1Char('\'') + Label() + QLatin1Char('\'');
        }
    };

    static CBoardHub& Instance();

    void RegisterSdk(CObriskSdk* sdk);
    void UnregisterSdk(CObriskSdk* sdk);

    // Application thread. The handle is a widget's window id (32 bits).
    HRESULT Attach(CObriskSdk* owner, OBRISK_HWND handle);
    HRESULT Detach(CObriskSdk* owner, OBRISK_HWND handle);
    // Ink mode (the default): contacts over the window become board events, except
    // on push buttons inside it. Pointer mode: contacts reach the window and its
    // children as ordinary mouse input. Other modes: E_INVALIDARG, nothing changes.
    static constexpr LONG kInkMode = 0;
    static constexpr LONG kPointerMode = 1;
    HRESULT SetMode(OBRISK_HWND handle, LONG mode);

    HRESULT ToolType(LONG pointerId, LONG* type);
    HRESULT ToolColour(LONG pointerId, LONG* red, LONG* green, LONG* blue);
    HRESULT ToolWidth(LONG pointerId, LONG* width);

    // Qt input (application thread). True when the event is over an attached window
    // and is to be accepted there.
    bool ProcessQt(QWidget* receiver, const PointerSample& sample);
    // Whether a contact at this point of the receiver would be ink for the board.
    bool IsInkAt(QWidget* receiver, QPointF position);
    // Replayed input (any thread); position in the target's client coordinates.
    // False with a message when the target is not attached.
    // asMouse (or a pointer-mode target): the contact reaches the window as mouse input.
    bool ProcessReplay(
        const Target& target, const PointerSample& sample, QString* error, bool asMouse = false);
    bool IsAttached(const Target& target);
    // Tray and button events reported directly (replay): sent to every connection.
    void ForceTray(CToolTray::Event::Kind kind);
    void FireToAll(DISPID id, const std::vector<LONG>& arguments);

    // Time passing for the tray (application thread timer).
    void TickTray();
    bool TrayNeedsTick();

    void ReloadSettings();
    // Records live board input into a replay script (empty path: stops).
    bool Record(const QString& path);
    // The widget of an attached window (application thread).
    QWidget* WidgetOf(OBRISK_HWND handle);
    CBoardSettings Settings();
    int PointerIdFor(const QString& deviceKey, BoardTool tool);
    std::size_t AttachedCount();

private:
    struct Attached
    {
        OBRISK_HWND handle;
        QPointer<QWidget> widget;
        CObriskSdk* owner;
        QString name; // objectName when attached
        long serial; // attach order
        LONG mode = kInkMode;
    };
    struct Outgoing
    {
        std::vector<CComPtr<IDispatch>> sinks;
        DISPID id;
        std::vector<LONG> arguments;
    };

    CBoardHub();
    void EnsureAgent();
    void WakeTimer();
    Attached* FindLocked(const Target& target);
    // How a recording names the window so that its replay finds the same one.
    QString RecordedNameLocked(const Attached& window);
    Attached* FindHandleLocked(OBRISK_HWND handle);
    Attached* TopmostLocked(QWidget* receiver);
    void PruneLocked();
    int PointerIdLocked(const QString& deviceKey, BoardTool tool);
    void TrayLocked(const std::vector<CToolTray::Event>& events, std::vector<Outgoing>& out);
    void ContactLocked(CObriskSdk* owner, SamplePhase phase, QPoint position, int value, int pointerId,
        std::vector<Outgoing>& out);
    std::vector<CComPtr<IDispatch>> AllSinksLocked();
    static bool LeftToQt(const Attached& window, QWidget* receiver, QPointF position);
    static void Fire(const std::vector<Outgoing>& outgoing);
    static long long NowMs();

    std::mutex m_lock;
    std::vector<CObriskSdk*> m_sdks;
    std::vector<Attached> m_windows;
    long m_serial = 0;
    std::map<QString, int> m_pointerIds;
    std::map<int, BoardTool> m_pointerTools;
    std::map<int, OBRISK_HWND> m_capture; // pointer id -> window a contact began in
    // Pointer ids whose contact began where Qt takes it as mouse input -> that window.
    std::map<int, OBRISK_HWND> m_toQt;
    CBoardRecorder m_recorder;
    QString m_recordPath; // from the settings, when they started the recorder
    CToolTray m_tray;
    CBoardSettings m_settings;
    QPointer<CBoardHubAgent> m_agent;

    friend class CBoardHubAgent;
};
