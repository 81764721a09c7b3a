// Start-up, the view cycle, the menus, the New Game dialog and the frame's layout.
#include "app/AboutSheet.h"
#include "app/GoDialog.h"
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "app/TouchWritingMenu.h"
#include "app/WindowSystemInput.h"
#include "config/OperatorSettings.h"
#include "platform/help/HelpWindow.h"
#include "platform/sound/SoundPlayer.h"
#include "views/BlankView.h"
#include "views/ButtonStrip.h"
#include "views/ClientEdge.h"
#include "views/DValtrix.h"
#include "views/GameView.h"
#include "views/SummaryView.h"
#include "tests/fixtures/RegisterComponent.h"
#include "tests/fixtures/UnwritableHive.h"
#include "tests/fixtures/Settle.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>

namespace {

// The application with a scripted Setup dialog and message sink.
struct AppFixture : ::testing::Test
{
    void Start(bool goAtStart = false)
    {
        CKestavoApp::Options options;
        options.goAtStart = goAtStart;
        options.setupRunner = [this](std::vector<CParameterSet>& sets, int& count) {
            ++setupRuns;
            if (!setupOk)
                return false;
            CParameterSet set;
            ApplyDefaults(set, OperatorName::Addition, 2);
            sets.assign(1, set);
            count = 10;
            return true;
        };
        options.messageSink = [this](const QString&) { ++messages; };
        ASSERT_TRUE(app.InitInstance(options));
        frame = app.GetMainFrame();
        frame->SetNewGameDialogRunner([this](bool& keep) {
            ++newGameDialogs;
            keep = keepLevel;
            return newGameOk;
        });
        frame->resize(1024, 768);
        settle();
    }

    QString goText() const { return frame->Action(CMainFrame::kIdGo)->text(); }
    CButtonStrip* strip() const { return frame->GetButtonStrip(); }
    bool stripButton(CButtonStrip::Button b) const { return strip()->GetButton(b)->isEnabled(); }

    CKestavoApp app;
    CMainFrame* frame = nullptr;
    int setupRuns = 0;
    bool setupOk = true;
    int messages = 0;
    int newGameDialogs = 0;
    bool newGameOk = true;
    bool keepLevel = true;
};

CKestavoApp::Options AdditionGameOptionsForRestart()
{
    CKestavoApp::Options options;
    options.goAtStart = false;
    options.messageSink = [](const QString&) {};
    return options;
}

} // namespace

TEST_F(AppFixture, StartOpensSetupOverTheBlankViewAndCancelKeepsIt)
{
    setupOk = false;
    Start(true);
    EXPECT_EQ(setupRuns, 1);
    EXPECT_TRUE(frame->IsBlankViewActive());
    EXPECT_TRUE(qobject_cast<CBlankView*>(frame->CurrentView()));
    EXPECT_EQ(goText(), QStringLiteral("&Go..."));
    EXPECT_FALSE(stripButton(CButtonStrip::Previous));
    EXPECT_FALSE(stripButton(CButtonStrip::Next));
    EXPECT_FALSE(stripButton(CButtonStrip::Check));
    EXPECT_FALSE(stripButton(CButtonStrip::Hint));
    EXPECT_TRUE(stripButton(CButtonStrip::GoStop));
    EXPECT_FALSE(frame->Action(CMainFrame::kIdNext)->isEnabled());
    EXPECT_FALSE(frame->Action(CMainFrame::kIdPrevious)->isEnabled());
    EXPECT_FALSE(strip()->IsRunning());

    // The menu item is the same operation: Setup again.
    frame->Action(CMainFrame::kIdGo)->trigger();
    EXPECT_EQ(setupRuns, 2);
    EXPECT_TRUE(frame->IsBlankViewActive());
}

TEST_F(AppFixture, TouchAsPenChoiceIsKeptInTheBoardSettings)
{
    Start();
    auto* menu = frame->findChild<QMenu*>(QStringLiteral("TouchAsPenMenu"));
    ASSERT_NE(menu, nullptr);
    auto checked = [menu] {
        QStringList out;
        for (QAction* a : menu->actions())
            if (a->isChecked())
                out << a->text();
        return out;
    };
    EXPECT_EQ(checked(), QStringList { QStringLiteral("&Automatic") }) << "the default";
    menu->actions().at(2)->trigger(); // Never
    EXPECT_EQ(CTouchWritingMenu::Read(), CTouchWritingMenu::Never);
    EXPECT_EQ(checked(), QStringList { QStringLiteral("&Never") });
    menu->actions().at(1)->trigger(); // Always
    EXPECT_EQ(CTouchWritingMenu::Read(), CTouchWritingMenu::Always);
    EXPECT_EQ(checked(), QStringList { QStringLiteral("A&lways") }) << "one choice at a time";
}

TEST_F(AppFixture, MenusCarryTheirTextsAndCommandIds)
{
    Start();
    const QList<QAction*> tops = frame->menuBar()->actions();
    ASSERT_EQ(tops.size(), 2);
    EXPECT_EQ(tops[0]->text(), QStringLiteral("&Game"));
    EXPECT_EQ(tops[1]->text(), QStringLiteral("&Help"));
    auto items = [](QAction* top) {
        QStringList out;
        for (QAction* a : top->menu()->actions())
            out << (a->isSeparator() ? QStringLiteral("-")
                                     : a->text() + QLatin1Char(' ') + a->property("commandId").toString());
        return out;
    };
    EXPECT_EQ(items(tops[0]),
        (QStringList { QStringLiteral("&Go... 32777"), QStringLiteral("&Next 32776"),
            QStringLiteral("&Previous 32775"), QStringLiteral("-"), QStringLiteral("Save Results... 32801"),
            QStringLiteral("Print Results... 32802"), QStringLiteral("Print Worksheet... 32803"),
            QStringLiteral("-"), QStringLiteral("&Import Settings... "),
            QStringLiteral("E&xport Settings... "), QStringLiteral("-"),
            QStringLiteral("Ask before ending a game 32779"), QStringLiteral("-"),
            QStringLiteral("&Touch As Pen "), QStringLiteral("&Decimal Separator "), QStringLiteral("&Language "),
            QStringLiteral("-"), QStringLiteral("Question &Size "), QStringLiteral("-"),
            QStringLiteral("&Exit 57665") }));
    QStringList sizes;
    for (int id = CMainFrame::kIdQuestionSizeFirst; id < CMainFrame::kIdQuestionSizeFirst + 3; ++id)
        sizes << frame->Action(id)->text() + (frame->Action(id)->isChecked() ? QStringLiteral(" *") : QString());
    EXPECT_EQ(sizes, (QStringList { QStringLiteral("Standard *"), QStringLiteral("Large"), QStringLiteral("Extra large") }));
    EXPECT_EQ(items(tops[1]),
        (QStringList { QStringLiteral("&Contents... 32778"), QStringLiteral("-"),
            QStringLiteral("&About Kestavo... 57664") }));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tandrel Kestavo"));
    EXPECT_FALSE(frame->windowIcon().isNull());
}

TEST_F(AppFixture, ViewCycleWithGoStopAndTheNewGameDialog)
{
    Start();
    frame->OnGo(); // Setup OK: a game
    settle();
    EXPECT_EQ(setupRuns, 1);
    ASSERT_TRUE(qobject_cast<CGameView*>(frame->CurrentView()));
    EXPECT_EQ(goText(), QStringLiteral("&Stop"));
    EXPECT_TRUE(strip()->IsRunning());
    EXPECT_EQ(app.GetGameModel()->GetItemCount(), 10);
    EXPECT_EQ(frame->CurrentView()->property("controlId").toInt(), 101);
    EXPECT_EQ(frame->findChildren<CGameView*>().size(), 1);
    // The game view sets the menu items: on question 1 only Next.
    EXPECT_TRUE(frame->Action(CMainFrame::kIdNext)->isEnabled());
    EXPECT_FALSE(frame->Action(CMainFrame::kIdPrevious)->isEnabled());
    frame->Action(CMainFrame::kIdNext)->trigger();
    EXPECT_TRUE(frame->Action(CMainFrame::kIdPrevious)->isEnabled());
    EXPECT_TRUE(app.IsPreviousEnabled());

    frame->OnGo(); // Stop: the summary
    settle();
    ASSERT_TRUE(qobject_cast<CSummaryView*>(frame->CurrentView()));
    EXPECT_EQ(goText(), QStringLiteral("&Go..."));
    EXPECT_FALSE(strip()->IsRunning());
    EXPECT_TRUE(frame->findChildren<CGameView*>().isEmpty()) << "the game view is destroyed";
    EXPECT_FALSE(frame->Action(CMainFrame::kIdNext)->isEnabled());

    // New Game, Cancel: nothing changes.
    newGameOk = false;
    frame->OnGo();
    settle();
    EXPECT_EQ(newGameDialogs, 1);
    EXPECT_TRUE(qobject_cast<CSummaryView*>(frame->CurrentView()));

    // Change learning level, then Cancel in Setup: the results stay.
    newGameOk = true;
    keepLevel = false;
    setupOk = false;
    frame->OnGo();
    settle();
    EXPECT_EQ(setupRuns, 2);
    EXPECT_TRUE(qobject_cast<CSummaryView*>(frame->CurrentView()));
    EXPECT_EQ(goText(), QStringLiteral("&Go..."));

    // Keep learning level: a new game at once, without Setup.
    keepLevel = true;
    frame->OnGo();
    settle();
    EXPECT_EQ(setupRuns, 2);
    EXPECT_TRUE(qobject_cast<CGameView*>(frame->CurrentView()));
    EXPECT_EQ(goText(), QStringLiteral("&Stop"));
    EXPECT_TRUE(frame->findChildren<CSummaryView*>().isEmpty());
}

TEST_F(AppFixture, NextOnTheLastQuestionEndsTheGame)
{
    Start();
    frame->OnGo();
    settle();
    ASSERT_TRUE(qobject_cast<CGameView*>(frame->CurrentView()));
    const int count = app.GetGameModel()->GetItemCount();
    for (int i = 0; i < count - 1; ++i)
        frame->OnNextQuestion();
    settle();
    EXPECT_TRUE(qobject_cast<CGameView*>(frame->CurrentView())) << "still playing the last question";
    frame->OnNextQuestion();
    settle();
    EXPECT_TRUE(qobject_cast<CSummaryView*>(frame->CurrentView()));
    EXPECT_EQ(goText(), QStringLiteral("&Go..."));
    EXPECT_FALSE(strip()->IsRunning());
}

TEST_F(AppFixture, TheAnswerSoundOutlivesStopAndEndsOnNavigation)
{
    const QUrl wrong = CSoundPlayer::WaveResource(CGameView::kWrongSound);
    Start();
    frame->OnGo();
    settle();
    auto* view = qobject_cast<CGameView*>(frame->CurrentView());
    ASSERT_TRUE(view);
    view->OnCheck(); // nothing written: wrong
    const QPointer<CSoundPlayer> playing = &view->Sound();
    EXPECT_EQ(playing->CurrentSource(), wrong);
    frame->OnGo(); // Stop: the summary replaces the game view, the sound plays on
    settle();
    ASSERT_TRUE(qobject_cast<CSummaryView*>(frame->CurrentView()));
    ASSERT_TRUE(playing) << "the sound's player went with the game view";
    EXPECT_EQ(playing->CurrentSource(), wrong);

    // In a game, moving to another question (either way) stops it.
    frame->OnGo(); // New Game, keeping the level
    settle();
    view = qobject_cast<CGameView*>(frame->CurrentView());
    ASSERT_TRUE(view);
    for (bool forward : { true, false }) {
        view->OnCheck();
        ASSERT_EQ(view->Sound().CurrentSource(), wrong);
        if (forward)
            frame->OnNextQuestion();
        else
            frame->OnPreviousQuestion();
        EXPECT_TRUE(view->Sound().CurrentSource().isEmpty()) << (forward ? "next" : "previous");
    }
}

TEST_F(AppFixture, StripKeepsSixtyPixelsAndEveryViewLiesWithinASunkenEdge)
{
    Start();
    const QPalette palette = frame->ClientArea()->palette();
    for (int round = 0; round < 3; ++round) { // blank, game, summary
        for (QSize size : { QSize(1024, 768), QSize(1920, 1080), QSize(640, 200) }) {
            frame->resize(size);
            settle();
            const QRect client = frame->ClientArea()->rect();
            const int bottom = client.height() - 60; // first row of the strip
            EXPECT_EQ(strip()->geometry(), QRect(0, bottom, client.width(), 60)) << size.width();
            EXPECT_EQ(frame->CurrentView()->geometry(), QRect(2, 2, client.width() - 4, bottom - 4));
            const QImage shot = frame->ClientArea()->grab().toImage();
            const int right = client.width() - 1;
            // Outer line dark above and left, light below and right; inner
            // line shadow and midlight.
            // (The palette's 16-bit channels land within one step in the 8-bit shot.)
            auto near = [&](int x, int y, QPalette::ColorRole role) {
                const QColor a = shot.pixelColor(x, y), b = palette.color(role);
                return std::abs(a.red() - b.red()) <= 1 && std::abs(a.green() - b.green()) <= 1
                    && std::abs(a.blue() - b.blue()) <= 1;
            };
            EXPECT_TRUE(near(0, 0, QPalette::Dark));
            EXPECT_TRUE(near(1, bottom / 2, QPalette::Shadow));
            EXPECT_TRUE(near(right, bottom - 1, QPalette::Light));
            EXPECT_TRUE(near(right / 2, bottom - 2, QPalette::Midlight));
            EXPECT_FALSE(near(right / 2, bottom - 2, QPalette::Dark)) << "the two sides differ";
        }
        frame->OnGo();
        settle();
    }
}

TEST_F(AppFixture, HelpMenuOpensTheHelpWindowAndTheAboutBox)
{
    Start();
    frame->Action(CMainFrame::kIdHelpContents)->trigger();
    settle();
    CHelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<CHelpWindow*>(w); found && found->isVisible())
            help = found;
    ASSERT_TRUE(help) << "Help > Contents shows the help window";
    help->close();

    // The about box is modal: look at it from inside its own event loop.
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* about = qobject_cast<CAboutSheet*>(modal)) {
            shown = about->Title();
            about->reject();
        } else if (modal) {
            modal->close();
        }
    });
    frame->Action(CMainFrame::kIdAbout)->trigger();
    EXPECT_EQ(shown, QStringLiteral("Tandrel Kestavo"));
}

TEST_F(AppFixture, QuestionSizeFromTheMenuResizesAtOnceAndHoldsAcrossRestarts)
{
    ASSERT_EQ(RegisterControl(), S_OK);
    Start();
    frame->OnGo();
    settle();
    auto* game = qobject_cast<CGameView*>(frame->CurrentView());
    ASSERT_TRUE(game);
    const int standardHeight = game->GetField(CGameView::Result)->height();

    frame->Action(CMainFrame::kIdQuestionSizeFirst + CQuestionSize::ExtraLarge)->trigger();
    settle();
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(game->QuestionSize(), CQuestionSize::ExtraLarge);
    EXPECT_GT(game->GetField(CGameView::Result)->height(), standardHeight * 3 / 2);
    // The strip doubles, its buttons too, and the view takes the rest.
    const QRect client = frame->ClientArea()->rect();
    EXPECT_EQ(strip()->geometry(), QRect(0, client.height() - 120, client.width(), 120));
    EXPECT_EQ(game->geometry(), CClientEdge::Inner(QRect(0, 0, client.width(), client.height() - 120)));
    EXPECT_EQ(strip()->GetButton(CButtonStrip::Next)->geometry(), QRect(20 + 120 * 2, 120 - 92, 100, 80));
    EXPECT_EQ(strip()->GetButton(CButtonStrip::Next)->iconSize(), QSize(64, 64));
    EXPECT_EQ(game->QuestionPanel().bottom() + 1, game->height() - 5);
    EXPECT_EQ(CQuestionSize::Load(), CQuestionSize::ExtraLarge);

    // Stopping and starting again keeps it; so does the next start of the program.
    frame->OnGo();
    frame->OnGo();
    settle();
    game = qobject_cast<CGameView*>(frame->CurrentView());
    ASSERT_TRUE(game);
    EXPECT_EQ(game->QuestionSize(), CQuestionSize::ExtraLarge);
    app.ExitInstance();
    settle();
    CKestavoApp again;
    ASSERT_TRUE(again.InitInstance(AdditionGameOptionsForRestart()));
    EXPECT_EQ(again.GetMainFrame()->QuestionSize(), CQuestionSize::ExtraLarge);
    EXPECT_TRUE(again.GetMainFrame()->Action(CMainFrame::kIdQuestionSizeFirst + 2)->isChecked());
    EXPECT_EQ(again.GetMainFrame()->GetButtonStrip()->height(), 120);
}

TEST_F(AppFixture, AQuestionSizeThatCannotBeStoredStaysForTheSessionAndIsReported)
{
    Start();
    QStringList told;
    {
        UnwritableHive unwritable;
        ASSERT_TRUE(unwritable.isValid());
        frame->SetMessageSink([&told](const QString& text) { told << text; });
        frame->Action(CMainFrame::kIdQuestionSizeFirst + CQuestionSize::Large)->trigger();
    }
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(frame->QuestionSize(), CQuestionSize::Large);
    EXPECT_EQ(strip()->height(), 90);
    EXPECT_EQ(CQuestionSize::Load(), CQuestionSize::Standard);
}

TEST(GoDialog, KeepIsTheDefaultAndTheChoiceFollowsTheButtons)
{
    CGoDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Game"));
    EXPECT_EQ(dialog.objectName(), QStringLiteral("CGoDialog"));
    EXPECT_TRUE(dialog.KeepLearningLevel());
    EXPECT_TRUE(dialog.KeepButton()->isChecked());
    EXPECT_EQ(dialog.KeepButton()->text(), QStringLiteral("Keep learning level"));
    EXPECT_EQ(dialog.ChangeButton()->text(), QStringLiteral("Change learning level"));
    dialog.ChangeButton()->click();
    EXPECT_FALSE(dialog.KeepLearningLevel());
    EXPECT_FALSE(dialog.KeepButton()->isChecked());
    dialog.KeepButton()->click();
    EXPECT_TRUE(dialog.KeepLearningLevel());
    EXPECT_FALSE(dialog.ChangeButton()->isChecked());
    dialog.show();
    dialog.CancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Answered at the board: a pen tap and a touch tap through the window system each
// press a button once, as the X11 plugin delivers them.
TEST(GoDialog, AnsweredByPenAndByTouch)
{
    CWindowSystemInput input;
    for (const auto tool : { CWindowSystemInput::Tool::Pen, CWindowSystemInput::Tool::Touch }) {
        CGoDialog dialog;
        dialog.show();
        QCoreApplication::processEvents();
        input.Tap(tool, dialog.ChangeButton(), { 8, dialog.ChangeButton()->height() / 2 });
        EXPECT_FALSE(dialog.KeepLearningLevel());
        input.Tap(tool, dialog.KeepButton(), { 8, dialog.KeepButton()->height() / 2 });
        EXPECT_TRUE(dialog.KeepLearningLevel()) << "the second tap was lost";
        input.Tap(tool, dialog.OkButton(), dialog.OkButton()->rect().center());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(AppFixture, ExitRightAfterASwitchDestroysEveryViewSafely)
{
    Start();
    frame->OnGo();
    frame->OnGo(); // the game view now only waits for deferred deletion
    QPointer<QWidget> summary = frame->CurrentView();
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_TRUE(summary.isNull());
    EXPECT_EQ(app.GetMainFrame(), nullptr);
    EXPECT_EQ(app.GetGameModel(), nullptr);
    settle();
}

TEST(AppStart, MissingPartsAreToldInOneMessageBeforeSetupOpens)
{
    // The test hive registers no component: the check has something to say.
    int boxes = 0;
    QString told;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            told = box->text();
            box->done(QMessageBox::Ok);
        }
    });
    closer.start(10);

    CKestavoApp app;
    CKestavoApp::Options options;
    options.checkParts = true;
    int setupRuns = 0;
    int boxesBeforeSetup = -1;
    options.setupRunner = [&](std::vector<CParameterSet>&, int&) {
        ++setupRuns;
        boxesBeforeSetup = boxes;
        return false;
    };
    ASSERT_TRUE(app.InitInstance(options));
    QDeadlineTimer deadline(10000);
    while (setupRuns == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    settle();

    ASSERT_EQ(setupRuns, 1);
    EXPECT_EQ(boxesBeforeSetup, 1);
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(told.contains(QStringLiteral("answer boxes"))) << told.toStdString();
    EXPECT_FALSE(told.contains(QStringLiteral("libvaltrix"))) << told.toStdString();
}
