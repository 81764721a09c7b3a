#include "app/ScriptRunner.h"

#include "app/BoardRecording.h"
#include "app/DisplayApplication.h"
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "app/ModalWatch.h"
#include "app/PartsCheck.h"
#include "app/WindowSystemInput.h"
#include "boardsoft/ObriskReplay.h"
#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "game/Random.h"
#include "platform/cli/ModeParser.h"
#include "platform/sound/SoundPlayer.h"
#include "resources/StringTable.h"
#include "views/ButtonStrip.h"
#include "views/DValtrix.h"
#include "views/GameView.h"
#include "views/SummaryContent.h"
#include "views/SummaryView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QThread>

namespace {

// How long a recorded board session may play (its pauses are real time).
constexpr int kRecordingTimeoutMs = 3600000;

int ButtonOf(const QString& name)
{
    if (name == QLatin1String("previous"))
        return CButtonStrip::Previous;
    if (name == QLatin1String("next"))
        return CButtonStrip::Next;
    if (name == QLatin1String("check"))
        return CButtonStrip::Check;
    if (name == QLatin1String("hint"))
        return CButtonStrip::Hint;
    return CButtonStrip::GoStop;
}

int FieldOf(const QString& name)
{
    return CPlayScript::FieldNames().indexOf(name); // operand1, operand2, result, remainder = 0..3
}

int QtKeyOf(const QString& name)
{
    static const QStringList names = CPlayScript::KeyNames();
    static const int keys[] = { Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home,
        Qt::Key_End, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape };
    const int i = names.indexOf(name);
    return i >= 0 ? keys[i] : Qt::Key_unknown;
}

} // namespace

CScriptRunner::CScriptRunner(
    const CPlayScript& script, QString screenshots, QTextStream& out, QTextStream& err)
    : m_script(script)
    , m_screenshots(std::move(screenshots))
    , m_out(out)
    , m_err(err)
    , m_replay(std::make_unique<CObriskReplayClient>())
{
}

CScriptRunner::~CScriptRunner()
{
    if (m_app)
        m_app->ExitInstance();
}

bool CScriptRunner::Fail(const CPlayScript::Command& c, const QString& reason)
{
    m_err << QStringLiteral("line %1: %2").arg(c.line).arg(reason) << Qt::endl;
    return false;
}

void CScriptRunner::Pump(int milliseconds)
{
    QApplication::processEvents(QEventLoop::AllEvents);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (milliseconds <= 0)
        return;
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    QApplication::processEvents(QEventLoop::AllEvents);
}

CGameView* CScriptRunner::GameView() const
{
    return m_app && m_app->GetMainFrame() ? qobject_cast<CGameView*>(m_app->GetMainFrame()->CurrentView())
                                          : nullptr;
}

int CScriptRunner::Run()
{
    const auto& commands = m_script.Commands();
    size_t next = 0;
    // The choices at the head of the script apply before the program starts.
    auto isSetup = [](CPlayScript::Kind k) {
        return k == CPlayScript::Kind::Seed || k == CPlayScript::Kind::Questions
            || k == CPlayScript::Kind::Operator || k == CPlayScript::Kind::Size
            || k == CPlayScript::Kind::NewGame || k == CPlayScript::Kind::Setup;
    };
    bool seeded = false;
    QSize size(1024, 768);
    for (; next < commands.size() && isSetup(commands[next].kind); ++next) {
        const auto& c = commands[next];
        if (c.kind == CPlayScript::Kind::Seed)
            seeded = true;
        if (c.kind == CPlayScript::Kind::Size)
            size = QSize(c.number, c.value);
        else if (!Execute(c))
            return 1;
    }

    m_next = next;
    // Dialogs and message boxes are answered by the commands that follow them.
    m_modalWatch = std::make_unique<CModalWatch>([this](QWidget* window) { AnswerModal(window); });
    m_app = std::make_unique<CKestavoApp>();
    CKestavoApp::Options options;
    options.goAtStart = true;
    options.setupRunner = [this](std::vector<CParameterSet>& sets, int& count) {
        return m_setupByDialog ? m_app->RunSetup(sets, count) : RunSetup(sets, count);
    };
    options.messageSink = [this](const QString& text) { m_err << "message: " << text << Qt::endl; };
    if (!m_app->InitInstance(options)) {
        m_err << "the program did not start" << Qt::endl;
        return 1;
    }
    CMainFrame* frame = m_app->GetMainFrame();
    frame->SetNewGameDialogRunner([this, dialog = frame->GetNewGameDialogRunner()](bool& keep) {
        if (m_newGameAnswer == QLatin1String("dialog"))
            return dialog(keep);
        keep = m_newGameAnswer == QLatin1String("keep");
        return m_newGameAnswer != QLatin1String("cancel");
    });
    frame->resize(size);
    // The first game starts from the event loop; the seed goes in first (the
    // model seeded the generator from the clock when it was made).
    if (m_seedOverride) {
        CRandom::Seed(m_seed);
    } else if (seeded) {
        for (size_t i = 0; i < next; ++i) {
            if (commands[i].kind == CPlayScript::Kind::Seed)
                CRandom::Seed(static_cast<unsigned int>(commands[i].number));
        }
    }
    Pump(50);
    if (!m_setupError.isEmpty()) {
        m_err << m_setupError << Qt::endl;
        return 1;
    }
    if (m_failed || !RunCommands(nullptr))
        return 1;

    if (GameView()) {
        m_err << "the script ended during the game: stopping it" << Qt::endl;
        frame->GetButtonStrip()->OnGoStop();
        Pump(0);
        if (m_failed)
            return 1;
    }
    if (!qobject_cast<CSummaryView*>(frame->CurrentView())) {
        m_err << "no game was played: there is no summary" << Qt::endl;
        return 1;
    }
    for (const QString& line : SummaryLines(*m_app->GetGameModel()))
        m_out << line << '\n';
    m_out.flush();
    return 0;
}

bool CScriptRunner::RunCommands(QWidget* window)
{
    const auto& commands = m_script.Commands();
    const QPointer<QWidget> open(window);
    while (!m_failed && m_next < commands.size()) {
        if (window && (!open || !open->isVisible()))
            return true; // answered: the rest belongs to whoever opened it
        const CPlayScript::Command& c = commands[m_next++];
        if (!Execute(c)) {
            m_failed = true;
            break;
        }
        Pump(0);
        if (!m_setupError.isEmpty()) {
            m_err << m_setupError << Qt::endl;
            m_setupError.clear();
            m_failed = true;
            break;
        }
        if (CGameView* view = GameView();
            view && !m_reportedControlProblem && !view->ControlProblem().isEmpty()) {
            m_err << view->ControlProblem() << Qt::endl;
            m_reportedControlProblem = true;
        }
    }
    return !m_failed;
}

void CScriptRunner::AnswerModal(QWidget* window)
{
    const QPointer<QWidget> open(window);
    RunCommands(window);
    if (!open || !open->isVisible())
        return;
    // Left open: by a failed command or at the end of the script. Nobody will
    // answer it, so it is closed; the play has failed.
    if (!m_failed)
        m_err << QStringLiteral("the script ended with the '%1' window open").arg(open->windowTitle())
              << Qt::endl;
    m_failed = true;
    if (auto* dialog = qobject_cast<QDialog*>(open.data()))
        dialog->reject();
    else
        open->close();
}

QStringList CScriptRunner::SummaryLines(const CGameModel& model)
{
    const CSummaryContent content(model);
    QStringList lines;
    lines << QStringLiteral("%1: %2 %3 %4")
                 .arg(LoadResString(139))
                 .arg(content.Correct())
                 .arg(LoadResString(141))
                 .arg(content.QuestionCount());
    lines << QStringLiteral("%1: %2").arg(LoadResString(140)).arg(content.Hints());
    for (int i = 0; i < model.GetItemCount(); ++i) {
        const CSummaryContent::Row row = CSummaryContent::MakeRow(*model.GetItem(i), i);
        QString text;
        for (const QString& cell : row.cells)
            text += cell;
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        // In words as well as by colour, for readers of the printed summary.
        lines << text + (row.right ? QStringLiteral("   right") : QStringLiteral("   wrong"));
    }
    return lines;
}

bool CScriptRunner::RunSetup(std::vector<CParameterSet>& sets, int& count)
{
    sets.clear();
    bool any = false;
    for (const OperatorChoice& choice : m_operators)
        any = any || choice.level > 0;
    for (int op = 0; op < 4; ++op) {
        OperatorChoice choice = m_operators[static_cast<size_t>(op)];
        if (!any && op == OpAddition)
            choice.level = 1; // nothing chosen: addition at level 1
        if (choice.level <= 0)
            continue;
        CParameterSet set;
        ApplyDefaults(set, OperatorNameOf(op), choice.level - 1);
        for (const QString& setting : choice.settings) {
            const int eq = setting.indexOf(QLatin1Char('='));
            const std::string key = setting.left(eq).toStdString();
            const std::string value = setting.mid(eq + 1).toStdString();
            const int rc = set.HasKey(key) == CParameterSet::kFound ? set.SetString(key, value)
                                                                    : CParameterSet::kMissing;
            if (rc == CParameterSet::kMissing)
                m_setupError = QStringLiteral("line %1: %2 has no setting '%3'")
                                   .arg(choice.line)
                                   .arg(OperatorNameOf(op))
                                   .arg(setting.left(eq));
            else if (rc == CParameterSet::kLocked)
                m_setupError = QStringLiteral("line %1: '%2' is locked at level %3")
                                   .arg(choice.line)
                                   .arg(setting.left(eq))
                                   .arg(choice.level);
            if (!m_setupError.isEmpty())
                return false;
        }
        sets.push_back(set);
    }
    count = m_questions;
    return true;
}

bool CScriptRunner::Execute(const CPlayScript::Command& c)
{
    using K = CPlayScript::Kind;
    switch (c.kind) {
    case K::Seed:
        if (!m_seedOverride)
            CRandom::Seed(static_cast<unsigned int>(c.number));
        return true;
    case K::Questions:
        m_questions = c.number;
        return true;
    case K::Operator:
        m_operators[static_cast<size_t>(c.number)] = OperatorChoice { c.value, c.line, c.settings };
        return true;
    case K::Size:
        if (m_app)
            m_app->GetMainFrame()->resize(c.number, c.value);
        return true;
    case K::NewGame:
        m_newGameAnswer = c.text;
        return true;
    case K::Setup:
        m_setupByDialog = c.text == QLatin1String("dialog");
        return true;
    case K::ExpectDialog:
        return ExpectDialog(c);
    case K::Summary:
        return PrintSummary(c);
    case K::Press:
        return Press(c);
    case K::Type:
        return TypeText(c);
    case K::Key:
        return PressKey(c);
    case K::Click:
        return Click(c);
    case K::Tray:
        return Replay(c, QStringLiteral("tray %1\n").arg(c.text));
    case K::Pen:
    case K::Eraser:
        // Dialogs are not the board's: their controls take window-system input only.
        return m_windowInput || c.points.front().anchor.startsWith(QLatin1String("dialog:")) ? WindowStroke(c)
                                                                                             : BoardStroke(c);
    case K::Touch:
        return WindowStroke(c);
    case K::Input:
        m_windowInput = c.text == QLatin1String("window");
        return true;
    case K::Tap:
        return Tap(c);
    case K::Cells:
        return PrintCells(c);
    case K::ReplayFile: {
        QFile file(c.text);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(c, QStringLiteral("cannot read %1: %2").arg(c.text, file.errorString()));
        return Replay(c, QString::fromUtf8(file.readAll()), kRecordingTimeoutMs);
    }
    case K::Drag:
        return MouseDrag(c);
    case K::Wait:
        Pump(c.number);
        return true;
    case K::Screenshot:
        return Screenshot(c);
    case K::ExpectStatus: {
        const QString status = m_app->GetMainFrame()->GetButtonStrip()->StatusText().trimmed();
        if (status != c.text.trimmed())
            return Fail(c, QStringLiteral("the status reads '%1', not '%2'").arg(status, c.text.trimmed()));
        return true;
    }
    case K::ExpectStrokes: {
        CGameView* view = GameView();
        if (!view)
            return Fail(c, QStringLiteral("no game is running"));
        const int strokes = view->Scribbles().StrokeCount();
        if (strokes != c.number)
            return Fail(c,
                QStringLiteral("the question keeps %1 scribbled strokes, not %2").arg(strokes).arg(c.number));
        return true;
    }
    case K::ExpectApples: {
        CGameView* view = GameView();
        if (!view)
            return Fail(c, QStringLiteral("no game is running"));
        const int apples = view->Manipulatives().ElementCount() - 1;
        if (apples != c.number)
            return Fail(c, QStringLiteral("%1 apples are out of the bowl, not %2").arg(apples).arg(c.number));
        return true;
    }
    }
    return Fail(c, QStringLiteral("command not carried out"));
}

bool CScriptRunner::Press(const CPlayScript::Command& c)
{
    CButtonStrip* strip = m_app->GetMainFrame()->GetButtonStrip();
    const int which = ButtonOf(c.text);
    if (c.text == QLatin1String("go") && strip->IsRunning())
        return Fail(c, QStringLiteral("a game is running: 'go' would stop it (use 'stop')"));
    if (c.text == QLatin1String("stop") && !strip->IsRunning())
        return Fail(c, QStringLiteral("no game is running"));
    QPushButton* button = strip->GetButton(static_cast<CButtonStrip::Button>(which));
    if (!button || !button->isEnabled())
        return Fail(c, QStringLiteral("the %1 button is disabled").arg(c.text));
    button->click();
    return true;
}

QWidget* CScriptRunner::KeyTarget()
{
    CGameView* view = GameView();
    if (!view)
        return nullptr;
    QWidget* focus = QApplication::focusWidget();
    if (focus && view->isAncestorOf(focus))
        return focus;
    // No window focus offscreen: the field the view focused for the pupil.
    for (int i = CGameView::Operand1; i <= CGameView::Result; ++i) {
        CDValtrix* field = view->GetField(i);
        if (!field->IsStaticModeEnabled())
            return field->ControlWindow();
    }
    return nullptr;
}

void CScriptRunner::SendKey(QWidget* target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

bool CScriptRunner::TypeText(const CPlayScript::Command& c)
{
    QWidget* target = KeyTarget();
    if (!target)
        return Fail(c, QStringLiteral("no answer field takes keys now"));
    for (QChar ch : c.text) {
        int key = Qt::Key_unknown;
        if (ch.isDigit())
            key = Qt::Key_0 + ch.digitValue();
        else if (ch == QLatin1Char('.'))
            key = Qt::Key_Period;
        else if (ch == QLatin1Char('-'))
            key = Qt::Key_Minus;
        else if (ch == QLatin1Char(' '))
            key = Qt::Key_Space;
        SendKey(target, key, QString(ch));
    }
    return true;
}

bool CScriptRunner::PressKey(const CPlayScript::Command& c)
{
    QWidget* target = KeyTarget();
    if (!target)
        return Fail(c, QStringLiteral("no answer field takes keys now"));
    SendKey(target, QtKeyOf(c.text), QString());
    return true;
}

bool CScriptRunner::Click(const CPlayScript::Command& c)
{
    CGameView* view = GameView();
    if (!view)
        return Fail(c, QStringLiteral("no game is running"));
    CDValtrix* field = view->GetField(FieldOf(c.text));
    QWidget* target = field->ControlWindow();
    if (!target || !field->isVisible())
        return Fail(c, QStringLiteral("the %1 field is not shown").arg(c.text));
    target->setFocus(Qt::MouseFocusReason);
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        QMouseEvent click(type, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &click);
    }
    return true;
}

bool CScriptRunner::Resolve(const CPlayScript::Command& c, const CPlayScript::Point& p, QPoint& at)
{
    CGameView* view = GameView();
    if (!view)
        return Fail(c, QStringLiteral("no game is running"));
    QPoint origin;
    if (p.anchor == QLatin1String("bowl")) {
        origin = view->Manipulatives().GetBowlRect().topLeft();
    } else if (p.anchor == QLatin1String("apple")) {
        if (view->Manipulatives().ElementCount() < 2)
            return Fail(c, QStringLiteral("no apple is out of the bowl"));
        origin = view->Manipulatives().Element(view->Manipulatives().ElementCount() - 1).Rect().topLeft();
    } else if (!p.anchor.isEmpty()) {
        origin = view->GetField(FieldOf(p.anchor))->geometry().topLeft();
    }
    at = origin + p.offset;
    return true;
}

bool CScriptRunner::MouseDrag(const CPlayScript::Command& c)
{
    CGameView* view = GameView();
    if (!view)
        return Fail(c, QStringLiteral("no game is running"));
    std::vector<QPoint> points;
    for (const CPlayScript::Point& p : c.points) {
        QPoint at;
        if (!Resolve(c, p, at))
            return false;
        points.push_back(at);
    }
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    };
    send(QEvent::MouseButtonPress, points.front(), Qt::LeftButton);
    for (size_t i = 1; i < points.size(); ++i)
        send(QEvent::MouseMove, points[i], Qt::LeftButton);
    send(QEvent::MouseButtonRelease, points.back(), Qt::NoButton);
    return true;
}

bool CScriptRunner::BoardStroke(const CPlayScript::Command& c)
{
    CGameView* view = GameView();
    if (!view)
        return Fail(c, QStringLiteral("no game is running"));
    // Strokes over an answer field go to that control's window in its own
    // coordinates; all other points are the view's.
    QString field;
    for (const CPlayScript::Point& p : c.points) {
        const bool isField = FieldOf(p.anchor) >= 0;
        const QString target = isField ? p.anchor : QString();
        if (&p != &c.points.front() && target != field)
            return Fail(c, QStringLiteral("the points of one stroke must all be over one window"));
        field = target;
    }
    QString window = QStringLiteral("CGameView");
    if (!field.isEmpty()) {
        CDValtrix* target = view->GetField(FieldOf(field));
        if (target->IsStaticModeEnabled())
            return Fail(c, QStringLiteral("the %1 field is read-only").arg(field));
        // The board finds a control window by name; the answer field is the
        // first editable one, so the remainder takes keys only.
        if (field == QLatin1String("remainder"))
            return Fail(c, QStringLiteral("write the remainder with 'click remainder' and 'type'"));
        window = QStringLiteral("CValtrixCtrl");
    }
    QVector<QPoint> points;
    points.reserve(c.points.size());
    for (const CPlayScript::Point& p : c.points) {
        QPoint at = p.offset;
        if (field.isEmpty() && !Resolve(c, p, at))
            return false;
        points << at;
    }
    const QString body
        = QStringLiteral("wait-window %1 2000\nwindow %1\ntool %2\n")
              .arg(
                  window, c.kind == CPlayScript::Kind::Pen ? QStringLiteral("pen") : QStringLiteral("eraser"))
        + StrokeLines(points);
    return Replay(c, body);
}

CWindowSystemInput& CScriptRunner::Input()
{
    if (!m_input)
        m_input = std::make_unique<CWindowSystemInput>();
    return *m_input;
}

bool CScriptRunner::WindowStroke(const CPlayScript::Command& c)
{
    const auto tool = c.kind == CPlayScript::Kind::Touch ? CWindowSystemInput::Tool::Touch
        : c.kind == CPlayScript::Kind::Eraser            ? CWindowSystemInput::Tool::Eraser
                                                         : CWindowSystemInput::Tool::Pen;
    const QString& anchor = c.points.front().anchor;
    if (anchor.startsWith(QLatin1String("dialog:"))) {
        // A stroke on one control of the open dialog, in its coordinates (a slider dragged).
        QVector<QPoint> points;
        for (const CPlayScript::Point& p : c.points) {
            if (p.anchor != anchor)
                return Fail(c, QStringLiteral("the points of one stroke must all be over one window"));
            points << p.offset;
        }
        QWidget* control = DialogControl(c, anchor.mid(7));
        if (!control)
            return false;
        Input().Stroke(tool, control, points);
        Pump(30);
        return true;
    }
    CGameView* view = GameView();
    if (!view)
        return Fail(c, QStringLiteral("no game is running"));
    // Points over an answer field are in that field's window, as for the replay;
    // the rest are the view's. The window system finds what lies under them.
    QString field;
    for (const CPlayScript::Point& p : c.points) {
        const QString target = FieldOf(p.anchor) >= 0 ? p.anchor : QString();
        if (&p != &c.points.front() && target != field)
            return Fail(c, QStringLiteral("the points of one stroke must all be over one window"));
        field = target;
    }
    QWidget* over = view;
    if (!field.isEmpty()) {
        CDValtrix* target = view->GetField(FieldOf(field));
        over = target->ControlWindow();
        if (!over || !target->isVisible())
            return Fail(c, QStringLiteral("the %1 field is not shown").arg(field));
    }
    QVector<QPoint> points;
    for (const CPlayScript::Point& p : c.points) {
        QPoint at = p.offset;
        if (field.isEmpty() && !Resolve(c, p, at))
            return false;
        points << at;
    }
    Input().Stroke(tool, over, points);
    Pump(30);
    return true;
}

bool CScriptRunner::Tap(const CPlayScript::Command& c)
{
    QWidget* target = nullptr;
    QPoint at;
    if (!c.points.empty() && c.points.front().anchor.startsWith(QLatin1String("dialog:"))) {
        target = DialogControl(c, c.points.front().anchor.mid(7));
        if (!target)
            return false;
        at = c.points.front().offset;
    } else if (!c.points.empty()) {
        if (!Resolve(c, c.points.front(), at))
            return false;
        target = GameView();
    } else if (c.text.startsWith(QLatin1String("dialog:"))) {
        target = DialogControl(c, c.text.mid(7));
        if (!target)
            return false;
        at = target->rect().center();
    } else if (c.text.startsWith(QLatin1String("menu:"))) {
        if (!MenuTarget(c, c.text.mid(5), target, at))
            return false;
    } else if (c.text == QLatin1String("recognise")) {
        CGameView* view = GameView();
        if (!view)
            return Fail(c, QStringLiteral("no game is running"));
        for (int i = CGameView::Operand1; i <= CGameView::Remainder && !target; ++i) {
            CDValtrix* field = view->GetField(i);
            QWidget* window = field->ControlWindow();
            if (!window || !field->isVisible() || field->IsStaticModeEnabled())
                continue;
            auto* button = window->findChild<QPushButton*>();
            if (button && button->isVisible())
                target = button;
        }
        if (!target)
            return Fail(c, QStringLiteral("no answer field shows its recognise button"));
        at = target->rect().center();
    } else {
        CButtonStrip* strip = m_app->GetMainFrame()->GetButtonStrip();
        QPushButton* button = strip->GetButton(static_cast<CButtonStrip::Button>(ButtonOf(c.text)));
        if (!button || !button->isEnabled() || !button->isVisible())
            return Fail(c, QStringLiteral("the %1 button is disabled").arg(c.text));
        target = button;
        at = button->rect().center();
    }
    Input().Tap(c.value == 1 ? CWindowSystemInput::Tool::Touch : CWindowSystemInput::Tool::Pen, target, at);
    Pump(30);
    return true;
}

QWidget* CScriptRunner::DialogControl(const CPlayScript::Command& c, const QString& name)
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
        Fail(c, QStringLiteral("no dialog is open"));
        return nullptr;
    }
    // By caption (without its '&'), by accessible name, or by object name.
    const auto children = dialog->findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (!w->isVisible())
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(w);
        if (!(button && QString(button->text()).remove(QLatin1Char('&')) == name)
            && w->accessibleName() != name && w->objectName() != name)
            continue;
        if (!w->isEnabled()) {
            Fail(c, QStringLiteral("'%1' is disabled in the '%2' window").arg(name, dialog->windowTitle()));
            return nullptr;
        }
        return w;
    }
    Fail(c, QStringLiteral("the '%1' window shows no '%2'").arg(dialog->windowTitle(), name));
    return nullptr;
}

bool CScriptRunner::MenuTarget(
    const CPlayScript::Command& c, const QString& name, QWidget*& target, QPoint& at)
{
    // An item's text without its '&' and its shortcut.
    auto caption = [](const QAction* action) {
        return action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    };
    // An open menu takes the tap; otherwise it is the main window's menu bar.
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible() || caption(action) != name)
                continue;
            if (!action->isEnabled())
                return Fail(c, QStringLiteral("the menu item '%1' is disabled").arg(name));
            target = menu;
            at = menu->actionGeometry(action).center();
            return true;
        }
        return Fail(c, QStringLiteral("the open menu has no item '%1'").arg(name));
    }
    if (QApplication::activeModalWidget())
        return Fail(c,
            QStringLiteral("the menus wait while the '%1' window is open")
                .arg(QApplication::activeModalWidget()->windowTitle()));
    QMenuBar* bar = m_app->GetMainFrame()->menuBar();
    for (QAction* action : bar->actions()) {
        if (!action->isVisible() || caption(action) != name)
            continue;
        target = bar;
        at = bar->actionGeometry(action).center();
        return true;
    }
    return Fail(c, QStringLiteral("the menu bar has no menu '%1'").arg(name));
}

bool CScriptRunner::ExpectDialog(const CPlayScript::Command& c)
{
    const QWidget* dialog = QApplication::activeModalWidget();
    const QString title = dialog ? dialog->windowTitle() : QString();
    // "none" (an empty text) is no dialog at all, not a dialog without a title.
    if (c.text.isEmpty() ? !dialog : dialog && title == c.text)
        return true;
    if (!dialog)
        return Fail(c, QStringLiteral("no dialog is open, not '%1'").arg(c.text));
    return Fail(c,
        QStringLiteral("the open dialog is '%1', not %2")
            .arg(title, c.text.isEmpty() ? QStringLiteral("none") : QStringLiteral("'%1'").arg(c.text)));
}

bool CScriptRunner::PrintSummary(const CPlayScript::Command& c)
{
    if (!qobject_cast<CSummaryView*>(m_app->GetMainFrame()->CurrentView()))
        return Fail(c, QStringLiteral("the summary is not shown"));
    for (const QString& line : SummaryLines(*m_app->GetGameModel()))
        m_out << line << '\n';
    m_out.flush();
    return true;
}

bool CScriptRunner::PrintCells(const CPlayScript::Command& c)
{
    CGameView* view = GameView();
    if (!view)
        return Fail(c, QStringLiteral("no game is running"));
    CDValtrix* field = view->GetField(FieldOf(c.text));
    QWidget* window = field->ControlWindow();
    if (!window || !field->isVisible())
        return Fail(c, QStringLiteral("the %1 field is not shown").arg(c.text));
    window->grab(); // draws it as it is now, which records its cells
    const QVariantList cells = window->property("cellRects").toList();
    if (cells.isEmpty())
        return Fail(c, QStringLiteral("the %1 field reports no cells").arg(c.text));
    // In the field window's coordinates, as points "FIELD:X,Y" take them.
    for (int i = 0; i < cells.size(); ++i) {
        const QRect r = cells[i].toRect();
        m_out << QStringLiteral("%1 cell %2: %3,%4 %5x%6")
                     .arg(c.text)
                     .arg(i + 1)
                     .arg(r.x())
                     .arg(r.y())
                     .arg(r.width())
                     .arg(r.height())
              << '\n';
    }
    m_out.flush();
    return true;
}

QString CScriptRunner::StrokeLines(const QVector<QPoint>& points)
{
    // The replay reads lines of at most this many characters.
    constexpr int kMaxReplayLine = 4096;
    if (points.isEmpty())
        return QString();
    QStringList coords;
    coords.reserve(points.size());
    for (const QPoint& at : points)
        coords << QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
    const QString stroke = QStringLiteral("stroke ") + coords.join(QLatin1Char(' '));
    if (stroke.size() <= kMaxReplayLine)
        return stroke + QLatin1Char('\n');
    // Long strokes: the same contact, one point a line.
    QString lines;
    lines.reserve(points.size() * 20);
    for (int i = 0; i < points.size(); ++i) {
        lines += QStringLiteral("%1 %2 %3\n")
                     .arg(i == 0 ? QStringLiteral("down") : QStringLiteral("move"))
                     .arg(points[i].x())
                     .arg(points[i].y());
    }
    lines += QStringLiteral("up %1 %2\n").arg(points.back().x()).arg(points.back().y());
    return lines;
}

bool CScriptRunner::Replay(const CPlayScript::Command& c, const QString& body, int timeoutMs)
{
    if (!m_replayLoaded && !m_replay->Load())
        return Fail(c, QStringLiteral("the board software is not installed: board input cannot be replayed"));
    m_replayLoaded = true;
    const int id = m_replay->Start(body.toStdString());
    if (id <= 0)
        return Fail(c, QStringLiteral("the board software did not start the replay"));
    QDeadlineTimer deadline(timeoutMs);
    int state = m_replay->State(id);
    while (state == 0 && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
        state = m_replay->State(id);
    }
    const std::string error = state == 2 ? m_replay->Error(id) : std::string();
    m_replay->Release(id);
    Pump(30); // deliver what the board queued last
    if (state == 0)
        return Fail(c, QStringLiteral("the board replay did not finish"));
    if (state != 1)
        return Fail(c, QStringLiteral("board replay: %1").arg(QString::fromStdString(error)));
    return true;
}

bool CScriptRunner::Screenshot(const CPlayScript::Command& c)
{
    if (m_screenshots.isEmpty())
        return true;
    QDir dir(m_screenshots);
    if (!dir.exists() && !dir.mkpath(QStringLiteral(".")))
        return Fail(c, QStringLiteral("cannot make the folder %1").arg(m_screenshots));
    const QString path = dir.filePath(c.text + QStringLiteral(".png"));
    if (!m_app->GetMainFrame()->grab().save(path))
        return Fail(c, QStringLiteral("cannot write %1").arg(path));
    // An open dialog is a window of its own: beside the main window's picture.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        const QString dialogPath = dir.filePath(c.text + QStringLiteral("-dialog.png"));
        if (!dialog->grab().save(dialogPath))
            return Fail(c, QStringLiteral("cannot write %1").arg(dialogPath));
    }
    return true;
}

int CScriptRunner::RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString file = QStringLiteral("script");
    const QString screenshots = QStringLiteral("screenshots");
    const QString seed = QStringLiteral("seed");
    CModeParser parser(QStringLiteral("kestavo --script FILE [--screenshots DIR] [--seed N] [--record FILE]"),
        QStringLiteral("Plays a scripted session through the real program and prints the summary."));
    parser.AddOption({ file, QStringLiteral("The play script to run."), QStringLiteral("FILE") });
    parser.AddOption(
        { screenshots, QStringLiteral("Folder for the script's screenshots."), QStringLiteral("DIR") });
    parser.AddOption({ seed, QStringLiteral("Seed that wins over the script's own."), QStringLiteral("N") });
    const QString record = QStringLiteral("record");
    parser.AddOption(
        { record, QStringLiteral("Record the live board input into FILE, a board session script."),
            QStringLiteral("FILE") });
    if (const int code = parser.Parse(arguments, out, err); code >= 0)
        return code;
    bool seeded = false;
    unsigned int seedValue = 0;
    if (parser.IsSet(seed)) {
        seedValue = parser.Value(seed).toUInt(&seeded);
        if (!seeded)
            return parser.Reject(
                QStringLiteral("--seed takes a number from 0 to 4294967295: %1").arg(parser.Value(seed)),
                err);
    }
    if (parser.Value(file).isEmpty())
        return parser.Reject(QStringLiteral("--script needs a file"), err);

    QFile in(parser.Value(file));
    if (!in.open(QIODevice::ReadOnly)) {
        err << "kestavo: cannot read " << in.fileName() << ": " << in.errorString() << Qt::endl;
        return 2;
    }
    CPlayScript script;
    if (!script.Parse(QString::fromUtf8(in.readAll()))) {
        err << "kestavo: " << in.fileName() << ": " << script.Error() << Qt::endl;
        return 2;
    }

    // With QT_QPA_PLATFORM=offscreen this needs no display.
    const std::unique_ptr<QApplication> app = CDisplayApplication::Open(err);
    if (!app)
        return 1;
    // What the message box would say, once, where a script's reader sees it.
    const QString missing = CPartsCheck::Report(CPartsCheck::Probe());
    if (!missing.isEmpty())
        err << missing << Qt::endl;
    if (parser.IsSet(record))
        StartBoardRecording(parser.Value(record), err);
    int result = 0;
    {
        CScriptRunner runner(script, parser.Value(screenshots), out, err);
        if (seeded)
            runner.SetSeed(seedValue);
        result = runner.Run();
    }
    StopBoardRecording();
    CSoundPlayer::FinishPendingLoads();
    return result;
}
