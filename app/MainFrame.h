#pragma once

#include "config/QuestionSize.h"
#include "views/AppServices.h"
#include "views/EndGameGuard.h"

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>

class CKestavoApp;
class CResultsActions;
class CSoundPlayer;
class QAction;
class QActionGroup;

// The program's top-level window: the current view above, within a sunken
// client edge, and the button strip in a band 60 pixels high along the bottom. Only SwitchView changes the
// view, in the cycle blank -> game -> summary -> game -> ...
class CMainFrame : public QMainWindow, public CAppServices
{
    Q_OBJECT
public:
    static constexpr int kStripHeight = 60;
    // The smallest window that still shows the widest level-5 question (on
    // two rows) above the whole strip with its status text.
    static constexpr int kMinimumWidth = 720;
    static constexpr int kMinimumHeight = 480;
    static constexpr int kStripId = 100;
    static constexpr int kViewId = 101;
    // Menu command ids.
    static constexpr int kIdPrevious = 32775;
    static constexpr int kIdNext = 32776;
    static constexpr int kIdGo = 32777;
    static constexpr int kIdHelpContents = 32778;
    static constexpr int kIdAbout = 57664;
    static constexpr int kIdExit = 57665;
    static constexpr int kIdHelp = 57670;
    static constexpr int kIdSaveResults = 32801;
    static constexpr int kIdPrintResults = 32802;
    static constexpr int kIdPrintWorksheet = 32803;
    static constexpr int kIdAskBeforeEnding = 32779;
    // Game > Question size: Standard, Large, Extra large.
    static constexpr int kIdQuestionSizeFirst = 32790;

    // Runs the New Game dialog; false on Cancel, else keepLevel is set.
    using NewGameDialogRunner = std::function<bool(bool& keepLevel)>;
    // Asks "End the game now?"; true ends the game.
    using EndGameAsker = std::function<bool(int unanswered)>;
    // Steady clock in milliseconds (tests move it by hand).
    using Clock = std::function<std::int64_t()>;

    explicit CMainFrame(CKestavoApp& app);
    ~CMainFrame() override;

    // CAppServices
    CGameModel* GetGameModel() override;
    CButtonStrip* GetButtonStrip() override { return m_strip; }
    bool IsBlankViewActive() const override;
    void SwitchView() override;
    void SetNextEnabled(bool enabled) override;
    void SetPreviousEnabled(bool enabled) override;
    bool RunNewGameDialog(bool& keepLevel) override;
    bool ConfirmEndGame() override;
    CSoundPlayer& GetSoundPlayer() override { return *m_sound; }

    void SetNewGameDialogRunner(NewGameDialogRunner runner) { m_newGameRunner = std::move(runner); }
    const NewGameDialogRunner& GetNewGameDialogRunner() const { return m_newGameRunner; }
    void SetEndGameAsker(EndGameAsker asker) { m_endGameAsker = std::move(asker); }
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    // "Ask before ending a game": the menu item, the stored choice and the guard.
    bool AskBeforeEndingGame() const { return m_endGuard.AskFirst(); }
    void SetAskBeforeEndingGame(bool ask);

    // Places the strip and the view in the client area and retitles the Go item.
    void LayoutChildren();

    // Shows questions, apples and the strip at this size from now on (the
    // running game included) and ticks it in the menu. Nothing is stored.
    void ApplyQuestionSize(CQuestionSize::Size size);
    CQuestionSize::Size QuestionSize() const { return m_questionSize; }
    // The teacher's choice from the Game menu: applied, then stored for the
    // next start; a store that cannot be written is reported and the size
    // stays for this session.
    void OnQuestionSize(CQuestionSize::Size size);

    // Where failures to store a choice are reported (a message box by default).
    using MessageSink = std::function<void(const QString&)>;
    void SetMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

    QWidget* CurrentView() const { return m_view; }
    QWidget* ClientArea() const { return m_client; }
    // The menu item with the given command id (null when there is none).
    QAction* Action(int commandId) const;
    // Saving and printing results and worksheets (tests script its dialogs).
    CResultsActions& ResultsActions() { return *m_results; }

    // Menu commands.
    void OnGo();
    void OnNextQuestion();
    void OnPreviousQuestion();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void AddResultsCommands(QMenu* game);
    // Saves the current answers, counts the open questions and asks.
    bool AskToEndGame();
    bool AskWithMessageBox(int unanswered);
    QAction* AddCommand(QMenu* menu, const QString& text, int commandId, void (CMainFrame::*handler)());

    CKestavoApp& m_app;
    QWidget* m_client = nullptr;
    CButtonStrip* m_strip = nullptr;
    QWidget* m_edge = nullptr;
    QWidget* m_view = nullptr;
    CSoundPlayer* m_sound = nullptr;
    NewGameDialogRunner m_newGameRunner;
    std::unique_ptr<CResultsActions> m_results;
    EndGameAsker m_endGameAsker;
    Clock m_clock;
    CEndGameGuard m_endGuard;
    MessageSink m_messageSink;
    CQuestionSize::Size m_questionSize = CQuestionSize::Standard;
    QActionGroup* m_sizeGroup = nullptr;
};
