// The help window asked for from Setup is a window of its own: it takes input
// while Setup is up, stays open when Setup closes, is raised when asked again,
// and its buttons and Escape drive it.
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "config/Setup.h"
#include "platform/help/HelpWindow.h"
#include "tests/fixtures/Settle.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A click as the window system delivers it: refused while a modal window blocks.
void click(QPushButton* button)
{
    QWidget* window = button->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
        button->mapTo(window, button->rect().center()));
    settle();
}

QString page(CHelpWindow* help)
{
    return help->Browser()->source().fileName();
}

} // namespace

TEST(HelpFromSetup, OutlivesSetupTakesInputAndIsDrivenByItsButtons)
{
    CKestavoApp app;
    CKestavoApp::Options options;
    options.goAtStart = false;
    options.messageSink = [](const QString&) {};
    ASSERT_TRUE(app.InitInstance(options)); // the real Setup dialog
    settle();

    QPointer<CHelpWindow> help;
    QString afterBack;
    QTimer::singleShot(0, [&] {
        auto* setup = qobject_cast<CSetup*>(QApplication::activeModalWidget());
        if (!setup)
            return;
        emit setup->helpRequested();
        settle();
        help = CHelpWindow::Current();
        if (help) {
            help->OpenPage(QStringLiteral("setup.html"));
            click(help->BackButton()); // must reach the help although Setup is modal
            afterBack = page(help);
        }
        setup->reject();
    });
    EXPECT_FALSE(app.GetGameModel()->NewGame(true)); // Setup cancelled
    settle();

    ASSERT_TRUE(help) << "the help window went with Setup";
    EXPECT_EQ(afterBack, QStringLiteral("index.html"));
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->parentWidget(), nullptr);
    EXPECT_TRUE(help->LinkBar()->isVisible());
    EXPECT_TRUE(help->LinkBar()->text().contains(QStringLiteral("levels.html")));
    QDir().mkpath(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots"));
    help->resize(1000, 700);
    help->grab().save(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/help-window.png"));

    // Forward, the link bar, Home.
    EXPECT_TRUE(help->ForwardButton()->isEnabled());
    click(help->ForwardButton());
    EXPECT_EQ(page(help), QStringLiteral("setup.html"));
    emit help->LinkBar()->linkActivated(QStringLiteral("levels.html"));
    EXPECT_EQ(page(help), QStringLiteral("levels.html"));
    EXPECT_TRUE(help->windowTitle().contains(QStringLiteral("Learning levels")));
    click(help->HomeButton());
    EXPECT_EQ(page(help), QStringLiteral("index.html"));
    EXPECT_TRUE(help->BackButton()->isEnabled());

    // Asked again: the same window, raised, at the page asked for.
    EXPECT_EQ(CHelpWindow::ShowHelp(QStringLiteral("pens.html")), help.data());
    EXPECT_EQ(page(help), QStringLiteral("pens.html"));

    // Escape in the page area closes the window; so does Close.
    QTest::keyClick(help->Browser(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(help);
    help = CHelpWindow::ShowHelp();
    ASSERT_TRUE(help);
    click(help->CloseButton());
    EXPECT_FALSE(help);
}
