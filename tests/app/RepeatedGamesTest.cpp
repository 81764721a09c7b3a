// Many games in one process: nothing may pile up from game to game, neither
// widgets nor the pictures Qt's style and icons keep in its pixmap cache.
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "tests/app/AdditionGameOptions.h"
#include "config/OperatorSettings.h"
#include "views/ButtonStrip.h"
#include "views/GameView.h"
#include "views/SummaryView.h"
#include "tests/fixtures/Settle.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// What one game leaves behind once its summary is shown.
struct AfterGame
{
    qsizetype widgets = 0; // every widget of the process
    qsizetype frameObjects = 0;
    qint64 goIconKey = 0;
    qint64 stopIconKey = 0;
    qint64 summaryButtonPaletteKey = 0;
    QRgb summaryBackground = 0;
};

class RepeatedGamesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const CKestavoApp::Options options = AdditionGameOptions();
        ASSERT_TRUE(m_app.InitInstance(options));
        m_frame = m_app.GetMainFrame();
        m_frame->SetNewGameDialogRunner([](bool& keep) {
            keep = true;
            return true;
        });
        m_frame->resize(1024, 768);
        m_frame->show();
        settle();
    }

    AfterGame PlayOneGame()
    {
        AfterGame after;
        CButtonStrip* strip = m_frame->GetButtonStrip();
        QPushButton* goStop = strip->GetButton(CButtonStrip::GoStop);
        m_frame->OnGo(); // Setup or New Game: the game view
        settle();
        EXPECT_TRUE(qobject_cast<CGameView*>(m_frame->CurrentView()));
        m_frame->grab(); // paint everything once, as the screen would
        after.stopIconKey = goStop->icon().cacheKey();

        m_frame->OnGo(); // Stop: the summary
        settle();
        auto* summary = qobject_cast<CSummaryView*>(m_frame->CurrentView());
        EXPECT_TRUE(summary);
        if (!summary)
            return after;
        const QImage shot = m_frame->grab().toImage();
        after.goIconKey = goStop->icon().cacheKey();
        const QList<QPushButton*> buttons = summary->findChildren<QPushButton*>();
        EXPECT_FALSE(buttons.isEmpty());
        if (!buttons.isEmpty())
            after.summaryButtonPaletteKey = buttons.first()->palette().cacheKey();
        // A point of the summary left of the rows and below the two heading lines.
        const QPoint inFrame = summary->mapTo(m_frame, QPoint(10, summary->height() - 10));
        after.summaryBackground = shot.pixel(inFrame);
        after.widgets = QApplication::allWidgets().size();
        after.frameObjects = m_frame->findChildren<QObject*>().size();
        return after;
    }

    CKestavoApp m_app;
    CMainFrame* m_frame = nullptr;
};

} // namespace

TEST_F(RepeatedGamesTest, LaterGamesAddNoWidgetsAndReuseTheButtonPictures)
{
    const AfterGame first = PlayOneGame();
    const AfterGame second = PlayOneGame();
    ASSERT_FALSE(HasFailure());
    EXPECT_NE(first.goIconKey, first.stopIconKey);
    for (int game = 3; game <= 6; ++game) {
        const AfterGame later = PlayOneGame();
        ASSERT_FALSE(HasFailure()) << "game " << game;
        EXPECT_EQ(later.widgets, second.widgets) << "game " << game;
        EXPECT_EQ(later.frameObjects, second.frameObjects) << "game " << game;
        // The same icons and palette mean the same pixmap cache entries: a new
        // icon or palette per game made each game's button pictures new ones.
        EXPECT_EQ(later.goIconKey, first.goIconKey) << "game " << game;
        EXPECT_EQ(later.stopIconKey, first.stopIconKey) << "game " << game;
        EXPECT_EQ(later.summaryButtonPaletteKey, first.summaryButtonPaletteKey) << "game " << game;
    }
    // The summary still stands on the base colour (white on the classic desktop).
    EXPECT_EQ(QColor(first.summaryBackground), QApplication::palette().color(QPalette::Base));
}
