// "Ask before ending a game": STOP, Next on the last question and Exit ask
// first when the teacher turned it on; a tap on STOP right after the start
// never ends a game; with the choice off the game ends at once as always.
#include "app/KestavoApp.h"
#include "tests/app/AdditionGameOptions.h"
#include "app/MainFrame.h"
#include "config/OperatorSettings.h"
#include "config/TeacherOptions.h"
#include "views/ButtonStrip.h"
#include "views/GameView.h"
#include "views/SummaryView.h"
#include "tests/fixtures/Settle.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct EndGameFixture : ::testing::Test
{
    void Start()
    {
        CKestavoApp::Options options = AdditionGameOptions();
        ASSERT_TRUE(app.InitInstance(options));
        frame = app.GetMainFrame();
        frame->SetClock([this] { return now; });
        frame->SetEndGameAsker([this](int unanswered) {
            asked.push_back(unanswered);
            return answer;
        });
        frame->resize(1024, 768);
        settle();
    }

    CButtonStrip* strip() const { return frame->GetButtonStrip(); }
    bool inGame() const { return qobject_cast<CGameView*>(frame->CurrentView()) != nullptr; }
    bool inSummary() const { return qobject_cast<CSummaryView*>(frame->CurrentView()) != nullptr; }

    void StartGame()
    {
        strip()->OnGoStop();
        settle();
        ASSERT_TRUE(inGame());
    }

    // A double tap on STOP as the window system delivers it.
    void DoubleTapStop()
    {
        QPushButton* stop = strip()->GetButton(CButtonStrip::GoStop);
        const QPoint at = stop->mapTo(frame, stop->rect().center());
        QTest::mouseDClick(frame->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        settle();
    }

    CKestavoApp app;
    CMainFrame* frame = nullptr;
    std::int64_t now = 0;
    std::vector<int> asked;
    bool answer = false;
};

} // namespace

TEST_F(EndGameFixture, OffByDefaultStopEndsAtOnce)
{
    Start();
    EXPECT_FALSE(frame->AskBeforeEndingGame());
    EXPECT_FALSE(frame->Action(CMainFrame::kIdAskBeforeEnding)->isChecked());
    now = 10'000;
    StartGame();
    now += 100; // even a tap right after the start ends the game, as before
    strip()->GetButton(CButtonStrip::GoStop)->click();
    settle();
    EXPECT_TRUE(inSummary());
    EXPECT_TRUE(asked.empty());
}

TEST_F(EndGameFixture, DoubleTapOnStopEndsNothingAndLaterTapsAsk)
{
    Start();
    frame->Action(CMainFrame::kIdAskBeforeEnding)->trigger();
    ASSERT_TRUE(frame->AskBeforeEndingGame());
    EXPECT_TRUE(CTeacherOptions::AskBeforeEndingGame()); // kept in the user's settings

    now = 50'000;
    StartGame();
    now += 300; // the second tap of the double tap that started the game
    DoubleTapStop();
    EXPECT_TRUE(inGame());
    EXPECT_TRUE(strip()->IsRunning());
    EXPECT_TRUE(asked.empty());

    // A second later STOP asks, with every question still open; "keep playing".
    now += 2'000;
    strip()->GetButton(CButtonStrip::GoStop)->click();
    settle();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], 10);
    EXPECT_TRUE(inGame());

    // Answered: the game ends and the summary shows.
    answer = true;
    frame->OnGo(); // Game > Stop is the same operation
    settle();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_TRUE(inSummary());
    EXPECT_FALSE(strip()->IsRunning());
}

TEST_F(EndGameFixture, NextOnTheLastQuestionAndExitAskToo)
{
    ASSERT_TRUE(CTeacherOptions::SetAskBeforeEndingGame(true));
    Start();
    EXPECT_TRUE(frame->AskBeforeEndingGame()); // read back from the settings
    EXPECT_TRUE(frame->Action(CMainFrame::kIdAskBeforeEnding)->isChecked());
    now = 1'000;
    StartGame();
    now = 5'000;
    auto* game = qobject_cast<CGameView*>(frame->CurrentView());
    for (int i = 0; i < 9; ++i)
        frame->OnNextQuestion();
    ASSERT_EQ(game->CurrentIndex(), 9);
    frame->OnNextQuestion(); // --> on the last question
    settle();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(inGame());

    // Game > Exit during a game: declined, the window stays.
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_TRUE(frame->isVisible());
    answer = true;
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(asked.size(), 3u);

    // Turning it off is kept as well.
    frame->SetAskBeforeEndingGame(false);
    EXPECT_FALSE(CTeacherOptions::AskBeforeEndingGame());
}
