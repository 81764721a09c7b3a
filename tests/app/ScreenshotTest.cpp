// Pictures of the frame for review (written to <build>/screenshots) with the
// geometry and colours the frame fixes.
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "tests/app/AdditionGameOptions.h"
#include "config/OperatorSettings.h"
#include "views/ButtonStrip.h"
#include "views/ClientEdge.h"
#include "game/GameModel.h"
#include "game/QuestionItem.h"
#include "views/GameView.h"
#include "views/SummaryView.h"
#include "tests/fixtures/RegisterComponent.h"
#include "tests/fixtures/Settle.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <gtest/gtest.h>
#include <string>

namespace {

QString shotPath(const QString& name)
{
    const QString dir = QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

// Strip geometry and colour in a grab of the client area.
void checkStrip(const QImage& client, const CButtonStrip& strip)
{
    const int top = client.height() - 60;
    // The blue band, right of the buttons and left of any status text.
    EXPECT_EQ(client.pixel(client.width() / 3, top + 2), 0xFF3C3CFFu);
    EXPECT_EQ(client.pixel(320, client.height() - 2), 0xFF3C3CFFu);
    // The view above it is not blue.
    EXPECT_NE(client.pixel(client.width() / 3, top - 3), 0xFF3C3CFFu);
    for (int i = 0; i < CButtonStrip::ButtonCount; ++i)
        EXPECT_EQ(strip.GetButton(static_cast<CButtonStrip::Button>(i))->geometry().topLeft(),
            QPoint(10 + 60 * i, 14));
}

} // namespace

TEST(Screenshots, BlankViewGameAndSummaryAtProjectorSizes)
{
    CKestavoApp app;
    const CKestavoApp::Options options = AdditionGameOptions();
    ASSERT_TRUE(app.InitInstance(options));
    CMainFrame* frame = app.GetMainFrame();

    for (QSize size : { QSize(1024, 768), QSize(1920, 1080) }) {
        const QString tag = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        frame->resize(size);
        settle();
        const QImage blank = frame->ClientArea()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        frame->grab().save(shotPath(QStringLiteral("frame-blank-%1.png").arg(tag)));
        checkStrip(blank, *frame->GetButtonStrip());
    }

    frame->resize(1024, 768);
    frame->OnGo();
    settle();
    frame->grab().save(shotPath(QStringLiteral("frame-game-1024x768.png")));
    // Answer a few questions the way the game view saves them, then stop.
    CGameModel* model = app.GetGameModel();
    frame->OnGo();
    settle();
    ASSERT_TRUE(qobject_cast<CSummaryView*>(frame->CurrentView()));
    for (int i = 0; i < model->GetItemCount(); ++i) {
        CQuestionItem* item = model->GetItem(i);
        const QString expected = item->question.result;
        const QString blanks(expected.size(), QLatin1Char(' '));
        if (i % 3 == 0)
            item->answerState = expected + expected + blanks + QLatin1Char('1');
        else if (i % 3 == 1)
            item->answerState
                = expected + QString(expected.size(), QLatin1Char('9')) + blanks + QLatin1Char('1');
    }
    for (QSize size : { QSize(1024, 768), QSize(1920, 1080) }) {
        const QString tag = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        frame->resize(size);
        settle();
        frame->CurrentView()->update();
        settle();
        const QImage summary = frame->ClientArea()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        frame->grab().save(shotPath(QStringLiteral("frame-summary-%1.png").arg(tag)));
        checkStrip(summary, *frame->GetButtonStrip());
        EXPECT_EQ(frame->GetButtonStrip()->StatusText().trimmed(), QString());
    }
}

namespace {

} // namespace

TEST(Screenshots, GameAtEveryQuestionSizeOnSmallAndLargeScreens)
{
    ASSERT_EQ(RegisterControl(), S_OK);
    CKestavoApp app;
    ASSERT_TRUE(app.InitInstance(AdditionGameOptions()));
    CMainFrame* frame = app.GetMainFrame();
    frame->resize(1024, 768);
    frame->OnGo();
    settle();
    auto* game = qobject_cast<CGameView*>(frame->CurrentView());
    ASSERT_TRUE(game);
    // A column sum of four digits with apples: the tallest question there is.
    CQuestionItem* item = app.GetGameModel()->GetItem(0);
    item->question.operand1 = QStringLiteral("9999");
    item->question.operand2 = QStringLiteral("9999");
    item->question.result = QStringLiteral("19998");
    item->question.vertical = 1;
    item->question.manipulatives = true;
    game->ShowQuestion(0);

    const char* const names[] = { "standard", "large", "extra-large" };
    for (QSize screen : { QSize(1024, 768), QSize(1920, 1080) })
        for (int s = 0; s < CQuestionSize::Count; ++s) {
            const auto size = static_cast<CQuestionSize::Size>(s);
            SCOPED_TRACE(QStringLiteral("%1x%2 %3").arg(screen.width()).arg(screen.height()).arg(names[s]).toStdString());
            frame->resize(screen);
            frame->ApplyQuestionSize(size);
            game->SetPenActive(false);
            settle();
            frame->grab().save(shotPath(QStringLiteral("frame-game-%1x%2-%3.png")
                                            .arg(screen.width())
                                            .arg(screen.height())
                                            .arg(QLatin1String(names[s]))));
            const int strip = CButtonStrip::HeightFor(CQuestionSize::Scale(size));
            EXPECT_EQ(frame->GetButtonStrip()->height(), strip);
            // The view fills what the strip leaves, within its sunken edge.
            EXPECT_EQ(game->height(), frame->ClientArea()->height() - strip - 2 * CClientEdge::kWidth);
            // Panel 5 pixels from the left and the bottom, wholly on screen, clear of the bowl.
            for (bool pen : { false, true }) {
                game->SetPenActive(pen);
                const QRect panel = game->QuestionPanel();
                EXPECT_EQ(panel.left(), 5);
                EXPECT_EQ(panel.bottom() + 1, game->height() - 5);
                EXPECT_GE(panel.top(), 0) << "pen " << pen;
                EXPECT_FALSE(panel.intersects(game->Manipulatives().GetBowlRect())) << "pen " << pen;
            }
            game->SetPenActive(false);
        }
}
