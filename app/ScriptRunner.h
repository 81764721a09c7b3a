#pragma once

#include "app/PlayScript.h"

#include <QPoint>
#include <QString>
#include <QTextStream>
#include <QVector>
#include <array>
#include <memory>
#include <vector>

class CGameView;
class CModalWatch;
class CWindowSystemInput;
class CKestavoApp;
class CObriskReplayClient;
class CParameterSet;
class QWidget;

// Plays a CPlayScript on the real program: the application object, its main
// frame, strip and views, the hosted pen input controls and the board software's
// replay driver. Setup is answered from the script's choices instead of the
// dialog. At the end the summary is printed as the summary view shows it.
class CScriptRunner
{
public:
    // screenshots: folder for "screenshot" commands (empty: they are skipped).
    CScriptRunner(const CPlayScript& script, QString screenshots, QTextStream& out, QTextStream& err);
    ~CScriptRunner();
    CScriptRunner(const CScriptRunner&) = delete;
    CScriptRunner& operator=(const CScriptRunner&) = delete;

    // Needs a QApplication. 0 when every command ran and the summary was printed,
    // 1 when a command failed (reported as "line N: ..." on err).
    int Run();
    // A seed that wins over the script's own "seed" lines.
    void SetSeed(unsigned int seed)
    {
        m_seedOverride = true;
        m_seed = seed;
    }

    // kestavo --script FILE [--screenshots DIR] [--seed N]: reads and parses the
    // file (2 on a malformed line or bad arguments), then runs it.
    static int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

    // The summary of the finished game: two header lines, then one line a question.
    static QStringList SummaryLines(const class CGameModel& model);

    // One board contact through the given points as replay lines, each ending
    // in a newline: a single "stroke" line, or, when that would pass the
    // replay's line length limit, a "down" line, "move" lines and an "up"
    // line, which the board plays the same way.
    static QString StrokeLines(const QVector<QPoint>& points);

private:
    // Runs commands from the next one on, to the end of the script, or, with a
    // window, while that (modal) window is shown. False once a command failed.
    bool RunCommands(QWidget* window);
    // A modal window opened: the commands that follow answer it.
    void AnswerModal(QWidget* window);
    bool Execute(const CPlayScript::Command& c);
    bool Fail(const CPlayScript::Command& c, const QString& reason);
    bool RunSetup(std::vector<CParameterSet>& sets, int& count);
    bool Press(const CPlayScript::Command& c);
    bool TypeText(const CPlayScript::Command& c);
    bool PressKey(const CPlayScript::Command& c);
    bool Click(const CPlayScript::Command& c);
    bool Replay(const CPlayScript::Command& c, const QString& body, int timeoutMs = 60000);
    bool BoardStroke(const CPlayScript::Command& c);
    bool MouseDrag(const CPlayScript::Command& c);
    bool Screenshot(const CPlayScript::Command& c);
    bool WindowStroke(const CPlayScript::Command& c);
    bool Tap(const CPlayScript::Command& c);
    bool PrintCells(const CPlayScript::Command& c);
    bool ExpectDialog(const CPlayScript::Command& c);
    bool PrintSummary(const CPlayScript::Command& c);
    QWidget* DialogControl(const CPlayScript::Command& c, const QString& name);
    bool MenuTarget(const CPlayScript::Command& c, const QString& name, QWidget*& target, QPoint& at);
    CWindowSystemInput& Input();
    bool Resolve(const CPlayScript::Command& c, const CPlayScript::Point& p, QPoint& at);
    void SendKey(QWidget* target, int key, const QString& text);
    QWidget* KeyTarget();
    CGameView* GameView() const;
    void Pump(int milliseconds);

    const CPlayScript& m_script;
    QString m_screenshots;
    QTextStream& m_out;
    QTextStream& m_err;
    std::unique_ptr<CKestavoApp> m_app;
    std::unique_ptr<CObriskReplayClient> m_replay;
    bool m_replayLoaded = false;
    // "input window": pen and eraser strokes go through the window system's input
    // path (as a real stylus) instead of the board's replay driver.
    bool m_windowInput = false;
    std::unique_ptr<CWindowSystemInput> m_input;
    bool m_reportedControlProblem = false;
    // The next command to run; commands that answer a modal window run from
    // inside its event loop and move it on.
    size_t m_next = 0;
    bool m_failed = false;
    std::unique_ptr<CModalWatch> m_modalWatch;
    // "setup dialog": the real Setup dialog opens and the script answers it.
    bool m_setupByDialog = false;

    // Setup choices: level 1..5 per operator (0 = not chosen) and their settings.
    struct OperatorChoice
    {
        int level = 0;
        int line = 0;
        QStringList settings;
    };
    std::array<OperatorChoice, 4> m_operators;
    int m_questions = 10;
    QString m_setupError;
    QString m_newGameAnswer = QStringLiteral("keep");
    bool m_seedOverride = false;
    unsigned int m_seed = 0;
};
