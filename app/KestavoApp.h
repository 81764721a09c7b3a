#pragma once

#include "app/PartsCheck.h"
#include "game/GameModel.h"

#include <future>
#include <memory>

class CMainFrame;

// The application: owns the one game model and the main frame, starts the
// first game at once (the Setup dialog opens over the blank view), and
// answers the menu commands that are not the frame's own (help, about).
class CKestavoApp
{
public:
    struct Options
    {
        // Full screen for a projector; otherwise an ordinary window.
        bool fullScreen = false;
        // Run the Go operation once the window shows, as a press of GO would.
        bool goAtStart = true;
        // Look for the separately installed parts once the window shows and
        // say in one message box what is missing, before Setup opens.
        bool checkParts = false;
        // Draw the first dialog (Setup) before the main window behind it, and
        // give the windows their icon only then: the first screen sooner.
        bool dialogFirst = false;
        // The Setup dialog; empty: the real dialog (tests script it).
        CGameModel::SetupRunner setupRunner;
        // Where messages for the user go; empty: a message box.
        CGameModel::MessageSink messageSink;
    };

    CKestavoApp();
    ~CKestavoApp();
    CKestavoApp(const CKestavoApp&) = delete;
    CKestavoApp& operator=(const CKestavoApp&) = delete;

    // Needs a QApplication. False when the program cannot start.
    bool InitInstance(const Options& options);
    // Destroys the frame, then the model. The program's exit code: 0.
    int ExitInstance();

    CGameModel* GetGameModel() const { return m_model.get(); }
    CMainFrame* GetMainFrame() const { return m_frame.get(); }

    // States of the Game menu's "&Next" and "&Previous" items, set by the views.
    void SetNextEnabled(bool enabled) { m_nextEnabled = enabled; }
    void SetPreviousEnabled(bool enabled) { m_previousEnabled = enabled; }
    bool IsNextEnabled() const { return m_nextEnabled; }
    bool IsPreviousEnabled() const { return m_previousEnabled; }

    // Help > Contents and the Setup dialog's "Help" button.
    void OnHelpContents();
    // Help > About Kestavo.
    void OnAbout();

    // The Setup dialog, as Go runs it unless a Setup runner was given.
    bool RunSetup(std::vector<CParameterSet>& sets, int& questionCount);

private:
    std::unique_ptr<CGameModel> m_model;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_nextEnabled = false;
    bool m_previousEnabled = false;
    // The handwriting reader's check, run while the window is built.
    std::future<CPartsCheck::SRecognizerFound> m_recognizerProbe;
};
