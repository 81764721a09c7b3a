#include "boardsoft/BoardHub.h"

#include "boardsoft/BoardHubAgent.h"
#include "boardsoft/ObriskSdk.h"
#include "platform/com/ComModule.h"
#include "platform/com/DispatchTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <chrono>

CBoardHub& CBoardHub::Instance()
{
    // Never destroyed: sinks may still be called from a replay thread at exit.
    static CBoardHub* hub = new CBoardHub;
    hub->EnsureAgent();
    return *hub;
}

CBoardHub::CBoardHub()
    : m_settings(CBoardSettings::Load())
{
    m_tray.SetNoToolDelay(m_settings.noToolDelayMs);
    // The application holds our event filter and timer: stay loaded for good.
    ComThisModule().locks.fetch_add(1);
}

void CBoardHub::EnsureAgent()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_agent || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    auto* agent = new CBoardHubAgent(this);
    QThread* appThread = QCoreApplication::instance()->thread();
    if (agent->thread() != appThread)
        agent->moveToThread(appThread);
    agent->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(agent);
    m_agent = agent;
}

void CBoardHub::WakeTimer()
{
    CBoardHubAgent* agent = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        agent = m_agent.data();
    }
    if (agent)
        agent->Wake();
}

long long CBoardHub::NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void CBoardHub::RegisterSdk(CObriskSdk* sdk)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_sdks.push_back(sdk);
}

void CBoardHub::UnregisterSdk(CObriskSdk* sdk)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_sdks.erase(std::remove(m_sdks.begin(), m_sdks.end(), sdk), m_sdks.end());
    // Its windows leave the board with it.
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(),
                        [sdk](const Attached& a) { return a.owner == sdk; }),
        m_windows.end());
}

void CBoardHub::PruneLocked()
{
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(),
                        [](const Attached& a) { return a.widget.isNull(); }),
        m_windows.end());
}

HRESULT CBoardHub::Attach(CObriskSdk* owner, OBRISK_HWND handle)
{
    if (handle == 0)
        return E_INVALIDARG;
    QWidget* widget = QWidget::find(static_cast<WId>(handle));
    if (!widget) {
        // A window id wider than 32 bits: compare what the caller could pass.
        const QWidgetList all = QApplication::allWidgets();
        for (QWidget* w : all) {
            if (w->internalWinId() && static_cast<OBRISK_HWND>(w->internalWinId()) == handle) {
                widget = w;
                break;
            }
        }
    }
    if (!widget)
        return E_HANDLE;
    std::vector<Outgoing> out;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        PruneLocked();
        // Touch reaches a widget (and our filter) only when the widget takes touch.
        if (m_settings.touchMode != CTouchGate::Mode::Never)
            widget->setAttribute(Qt::WA_AcceptTouchEvents);
        if (Attached* existing = FindHandleLocked(handle)) {
            existing->owner = owner;
            existing->name = widget->objectName();
            return S_OK;
        }
        m_windows.push_back(Attached { handle, widget, owner, widget->objectName(), ++m_serial });
        // A window attached while a tool is out of the tray learns so now, not at the
        // next change: a view made after a pen tap starts as if the pen had just been taken.
        if (m_tray.Reported() != BoardTool::None) {
            const auto kind
                = m_tray.Reported() == BoardTool::Eraser ? CToolTray::Event::Eraser : CToolTray::Event::Pen;
            TrayLocked({ CToolTray::Event { kind, m_tray.ReportedPointer() } }, out);
            out.back().sinks = owner->EventPoint().DispatchSinks();
        }
    }
    Fire(out);
    return S_OK;
}

HRESULT CBoardHub::SetMode(OBRISK_HWND handle, LONG mode)
{
    if (mode != kInkMode && mode != kPointerMode)
        return E_INVALIDARG;
    std::lock_guard<std::mutex> guard(m_lock);
    Attached* window = FindHandleLocked(handle);
    if (!window)
        return E_HANDLE;
    window->mode = mode;
    return S_OK;
}

HRESULT CBoardHub::Detach(CObriskSdk* owner, OBRISK_HWND handle)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = std::find_if(m_windows.begin(), m_windows.end(),
        [&](const Attached& a) { return a.handle == handle && a.owner == owner; });
    if (it == m_windows.end())
        return S_FALSE;
    m_windows.erase(it);
    for (auto c = m_capture.begin(); c != m_capture.end();) {
        if (c->second == handle)
            c = m_capture.erase(c);
        else
            ++c;
    }
    return S_OK;
}

std::size_t CBoardHub::AttachedCount()
{
    std::lock_guard<std::mutex> guard(m_lock);
    PruneLocked();
    return m_windows.size();
}

CBoardHub::Attached* CBoardHub::FindHandleLocked(OBRISK_HWND handle)
{
    for (Attached& a : m_windows)
        if (a.handle == handle && !a.widget.isNull())
            return &a;
    return nullptr;
}

CBoardHub::Attached* CBoardHub::FindLocked(const Target& target)
{
    if (target.order > 0 && target.name.isEmpty()) {
        int seen = 0;
        for (Attached& a : m_windows) {
            if (a.widget.isNull())
                continue;
            if (++seen == target.order)
                return &a;
        }
        return nullptr;
    }
    int seen = 0;
    for (Attached& a : m_windows)
        if (!a.widget.isNull() && a.name == target.name && ++seen >= target.order)
            return &a;
    return nullptr;
}

QString CBoardHub::RecordedNameLocked(const Attached& window)
{
    Target target { window.name, 0 };
    for (const Attached& a : m_windows) {
        if (a.widget.isNull() || a.name != window.name)
            continue;
        ++target.order;
        if (&a == &window)
            break;
    }
    return target.Label();
}

CBoardHub::Attached* CBoardHub::TopmostLocked(QWidget* receiver)
{
    // A child lies above its parent: the nearest attached ancestor is the topmost.
    for (QWidget* w = receiver; w; w = w->parentWidget()) {
        for (Attached& a : m_windows)
            if (a.widget.data() == w)
                return &a;
    }
    return nullptr;
}

int CBoardHub::PointerIdLocked(const QString& deviceKey, BoardTool tool)
{
    auto found = m_pointerIds.find(deviceKey);
    if (found != m_pointerIds.end())
        return found->second;
    const int id = static_cast<int>(m_pointerIds.size()) + 1;
    m_pointerIds[deviceKey] = id;
    m_pointerTools[id] = tool;
    return id;
}

int CBoardHub::PointerIdFor(const QString& deviceKey, BoardTool tool)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return PointerIdLocked(deviceKey, tool);
}

std::vector<CComPtr<IDispatch>> CBoardHub::AllSinksLocked()
{
    std::vector<CComPtr<IDispatch>> sinks;
    for (CObriskSdk* sdk : m_sdks) {
        auto more = sdk->EventPoint().DispatchSinks();
        sinks.insert(sinks.end(), more.begin(), more.end());
    }
    return sinks;
}

void CBoardHub::TrayLocked(const std::vector<CToolTray::Event>& events, std::vector<Outgoing>& out)
{
    for (const CToolTray::Event& e : events) {
        if (m_recorder.IsRecording())
            m_recorder.Tray(e.kind == CToolTray::Event::Pen ? "pen"
                    : e.kind == CToolTray::Event::Eraser    ? "eraser"
                                                            : "none",
                NowMs());
        const DISPID id = e.kind == CToolTray::Event::Pen ? OBRISK_DISPID_PEN
            : e.kind == CToolTray::Event::Eraser          ? OBRISK_DISPID_ERASER
                                                          : OBRISK_DISPID_NOTOOL;
        out.push_back(Outgoing { AllSinksLocked(), id, { static_cast<LONG>(e.pointerId) } });
    }
}

void CBoardHub::ContactLocked(CObriskSdk* owner, SamplePhase phase, QPoint position, int value, int pointerId,
    std::vector<Outgoing>& out)
{
    DISPID id = 0;
    switch (phase) {
    case SamplePhase::Down:
        id = OBRISK_DISPID_XYDOWN;
        break;
    case SamplePhase::Move:
        id = OBRISK_DISPID_XYMOVE;
        break;
    case SamplePhase::Up:
        id = OBRISK_DISPID_XYUP;
        break;
    default:
        return;
    }
    // The owner is alive while we hold the lock: its destructor unregisters under it first.
    out.push_back(Outgoing { owner->EventPoint().DispatchSinks(), id,
        { static_cast<LONG>(position.x()), static_cast<LONG>(position.y()), static_cast<LONG>(value),
            static_cast<LONG>(pointerId) } });
}

void CBoardHub::Fire(const std::vector<Outgoing>& outgoing)
{
    for (const Outgoing& o : outgoing) {
        std::vector<VARIANT> args(o.arguments.size());
        for (std::size_t i = 0; i < args.size(); ++i) {
            VariantInit(&args[i]);
            args[i].vt = VT_I4;
            args[i].lVal = o.arguments[i];
        }
        for (const CComPtr<IDispatch>& sink : o.sinks)
            DispatchInvoke(sink.Get(), o.id, DISPATCH_METHOD, args, nullptr);
    }
}

bool CBoardHub::LeftToQt(const Attached& window, QWidget* receiver, QPointF position)
{
    if (window.mode == kPointerMode)
        return true;
    // A tap on a push button inside an ink window presses it. Touch arrives at the
    // nearest widget that takes touch, so look for the deepest widget at the point.
    QWidget* hit = receiver->childAt(position.toPoint());
    for (QWidget* w = hit ? hit : receiver; w && w != window.widget.data(); w = w->parentWidget())
        if (qobject_cast<QAbstractButton*>(w))
            return true;
    return false;
}

bool CBoardHub::IsInkAt(QWidget* receiver, QPointF position)
{
    std::lock_guard<std::mutex> guard(m_lock);
    Attached* over = receiver ? TopmostLocked(receiver) : nullptr;
    return over && !LeftToQt(*over, receiver, position);
}

bool CBoardHub::ProcessQt(QWidget* receiver, const PointerSample& sample)
{
    std::vector<Outgoing> out;
    bool accept = false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        PruneLocked();
        const int pointerId = PointerIdLocked(sample.deviceKey, sample.tool);
        TrayLocked(m_tray.Observe(sample.tool, pointerId, sample.phase, NowMs()), out);
        Attached* over = receiver ? TopmostLocked(receiver) : nullptr;
        // A contact that began where Qt takes the pen as a mouse stays with Qt to
        // its end, wherever it moves: a button pressed is always released.
        if (sample.phase == SamplePhase::Down) {
            m_toQt.erase(pointerId);
            if (over && LeftToQt(*over, receiver, sample.position))
                m_toQt[pointerId] = over->handle;
        }
        auto toQt = m_toQt.find(pointerId);
        const bool toQtContact = toQt != m_toQt.end();
        Attached* qtWindow = toQtContact ? FindHandleLocked(toQt->second) : nullptr;
        if (toQtContact && sample.phase == SamplePhase::Up)
            m_toQt.erase(toQt);
        if (qtWindow && receiver && m_recorder.IsRecording())
            m_recorder.Contact(RecordedNameLocked(*qtWindow), sample.tool, sample.phase,
                qtWindow->widget->mapFromGlobal(receiver->mapToGlobal(sample.position)).toPoint(),
                sample.value, true, NowMs());
        if (over && (toQtContact || over->mode == kPointerMode))
            over = nullptr;
        accept = over != nullptr;
        Attached* target = nullptr;
        if (toQtContact) {
            // Nothing for the board: Qt makes the mouse press, move and release.
        } else if (sample.phase == SamplePhase::Down) {
            target = over;
            if (target)
                m_capture[pointerId] = target->handle;
        } else if (sample.phase == SamplePhase::Move || sample.phase == SamplePhase::Up) {
            auto captured = m_capture.find(pointerId);
            if (captured != m_capture.end()) {
                target = FindHandleLocked(captured->second);
                if (sample.phase == SamplePhase::Up)
                    m_capture.erase(captured);
                accept = true;
            }
        }
        if (target && receiver) {
            QWidget* window = target->widget.data();
            const QPointF local = (window == receiver || window->isAncestorOf(receiver))
                ? QPointF(receiver->mapTo(window, sample.position.toPoint()))
                : QPointF(window->mapFromGlobal(receiver->mapToGlobal(sample.position)));
            ContactLocked(target->owner, sample.phase, local.toPoint(), sample.value, pointerId, out);
            if (m_recorder.IsRecording())
                m_recorder.Contact(RecordedNameLocked(*target), sample.tool, sample.phase, local.toPoint(),
                    sample.value, false, NowMs());
        }
    }
    Fire(out);
    return accept;
}

bool CBoardHub::ProcessReplay(const Target& target, const PointerSample& sample, QString* error, bool asMouse)
{
    std::vector<Outgoing> out;
    CBoardHubAgent* agent = nullptr;
    OBRISK_HWND mouseWindow = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        Attached* window = FindLocked(target);
        if (!window) {
            if (error)
                *error = QStringLiteral("window %1 is not attached").arg(target.Quoted());
            return false;
        }
        const int pointerId = PointerIdLocked(sample.deviceKey, sample.tool);
        TrayLocked(m_tray.Observe(sample.tool, pointerId, sample.phase, NowMs()), out);
        if (asMouse || window->mode == kPointerMode) {
            mouseWindow = window->handle;
            agent = m_agent.data();
        } else {
            ContactLocked(
                window->owner, sample.phase, sample.position.toPoint(), sample.value, pointerId, out);
        }
    }
    Fire(out);
    if (agent)
        agent->PostMouse(mouseWindow, sample.phase, sample.position.toPoint());
    WakeTimer();
    return true;
}

bool CBoardHub::IsAttached(const Target& target)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return FindLocked(target) != nullptr;
}

void CBoardHub::ForceTray(CToolTray::Event::Kind kind)
{
    std::vector<Outgoing> out;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_tray.Force(kind, NowMs());
        TrayLocked({ CToolTray::Event { kind, 0 } }, out);
    }
    Fire(out);
    WakeTimer();
}

void CBoardHub::FireToAll(DISPID id, const std::vector<LONG>& arguments)
{
    std::vector<Outgoing> out;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        out.push_back(Outgoing { AllSinksLocked(), id, arguments });
    }
    Fire(out);
}

void CBoardHub::TickTray()
{
    std::vector<Outgoing> out;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        TrayLocked(m_tray.Tick(NowMs()), out);
    }
    Fire(out);
}

bool CBoardHub::TrayNeedsTick()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_tray.NeedsTick();
}

void CBoardHub::ReloadSettings()
{
    const CBoardSettings settings = CBoardSettings::Load();
    std::lock_guard<std::mutex> guard(m_lock);
    m_settings = settings;
    m_tray.SetNoToolDelay(settings.noToolDelayMs);
    // The setting starts a recording once; a recording asked for directly stays.
    if (!settings.recordFile.isEmpty() && settings.recordFile != m_recordPath && !m_recorder.IsRecording()) {
        m_recordPath = settings.recordFile;
        m_recorder.Start(settings.recordFile);
    }
}

bool CBoardHub::Record(const QString& path)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (path.isEmpty()) {
        m_recorder.Stop();
        return true;
    }
    return m_recorder.Start(path);
}

QWidget* CBoardHub::WidgetOf(OBRISK_HWND handle)
{
    std::lock_guard<std::mutex> guard(m_lock);
    Attached* window = FindHandleLocked(handle);
    return window ? window->widget.data() : nullptr;
}

CBoardSettings CBoardHub::Settings()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_settings;
}

HRESULT CBoardHub::ToolType(LONG pointerId, LONG* type)
{
    if (!type)
        return E_POINTER;
    std::lock_guard<std::mutex> guard(m_lock);
    auto found = m_pointerTools.find(pointerId);
    if (found == m_pointerTools.end())
        return E_INVALIDARG;
    *type = static_cast<LONG>(found->second);
    return S_OK;
}

HRESULT CBoardHub::ToolColour(LONG pointerId, LONG* red, LONG* green, LONG* blue)
{
    if (!red || !green || !blue)
        return E_POINTER;
    std::lock_guard<std::mutex> guard(m_lock);
    auto found = m_pointerTools.find(pointerId);
    if (found == m_pointerTools.end())
        return E_INVALIDARG;
    // The eraser draws in the board's background colour.
    const COLORREF colour = found->second == BoardTool::Eraser ? RGB(255, 255, 255) : m_settings.penColour;
    *red = GetRValue(colour);
    *green = GetGValue(colour);
    *blue = GetBValue(colour);
    return S_OK;
}

HRESULT CBoardHub::ToolWidth(LONG pointerId, LONG* width)
{
    if (!width)
        return E_POINTER;
    std::lock_guard<std::mutex> guard(m_lock);
    auto found = m_pointerTools.find(pointerId);
    if (found == m_pointerTools.end())
        return E_INVALIDARG;
    *width = found->second == BoardTool::Eraser ? m_settings.eraserWidth : m_settings.penWidth;
    return S_OK;
}
