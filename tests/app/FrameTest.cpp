// Start-up, the view cycle, the menus, the New Game dialog and the frame's layout.
#include "app/GoDialog.h"
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "config/OperatorSettings.h"
#include "views/BlankView.h"
#include "views/ButtonStrip.h"
#include "views/DValtrix.h"
#include "views/GameView.h"
#include "views/SummaryView.h"

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
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

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

HRESULT RegisterControl()
{
    const std::string path = std::string(KESTAVO_TEST_LIB_DIR) + "/libvaltrix.so";
    void* handle = dlopen(path.c_str(), RTLD_NOW);
    if (!handle)
        return CO_E_DLLNOTFOUND;
    auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(handle, "DllRegisterServer"));
    const HRESULT hr = entry ? entry() : CO_E_ERRORINDLL;
    dlclose(handle);
    return hr;
}

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
            QStringLiteral("&Previous 32775"), QStringLiteral("-"), QStringLiteral("Question &Size "),
            QStringLiteral("-"), QStringLiteral("&Exit 57665") }));
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

TEST_F(AppFixture, StripKeepsSixtyPixelsAndTheViewTakesTheRest)
{
    Start();
    for (QSize size : { QSize(1024, 768), QSize(1920, 1080), QSize(640, 200) }) {
        frame->resize(size);
        settle();
        const QRect client = frame->ClientArea()->rect();
        EXPECT_EQ(strip()->geometry(), QRect(0, client.height() - 60, client.width(), 60)) << size.width();
        EXPECT_EQ(frame->CurrentView()->geometry(), QRect(0, 0, client.width(), client.height() - 60));
    }
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
    EXPECT_EQ(game->geometry(), QRect(0, 0, client.width(), client.height() - 120));
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
    // A settings folder below a plain file cannot be made, whoever runs this.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QByteArray oldHive = qgetenv("KESTAVO_HIVE_DIR");
    qputenv("KESTAVO_HIVE_DIR", QFile::encodeName(plain.fileName() + QStringLiteral("/hive")));
    QStringList told;
    frame->SetMessageSink([&told](const QString& text) { told << text; });
    frame->Action(CMainFrame::kIdQuestionSizeFirst + CQuestionSize::Large)->trigger();
    qputenv("KESTAVO_HIVE_DIR", oldHive);
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
