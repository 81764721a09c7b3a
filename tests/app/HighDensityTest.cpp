// The frame on a screen of device pixel ratio 2 (a 3840 x 2160 panel at 200 %):
// pictures at every question size for review (<build>/screenshots), buffers and
// artwork at the screen's resolution, and apples that land where they are put.
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "game/GameModel.h"
#include "game/QuestionItem.h"
#include "tests/app/AdditionGameOptions.h"
#include "views/ButtonStrip.h"
#include "views/DValtrix.h"
#include "views/GameView.h"
#include "tests/fixtures/RegisterComponent.h"
#include "tests/fixtures/Settle.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <string>

namespace {

// Before main makes the application: every test of this program runs at ratio 2.
const bool kDenseScreen = [] {
    qputenv("QT_SCALE_FACTOR", "2");
    return true;
}();

QString shotPath(const QString& name)
{
    const QString dir = QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

} // namespace

TEST(HighDensity, GameAtEverySizeIsDrawnAtTheScreensResolution)
{
    ASSERT_TRUE(kDenseScreen);
    ASSERT_EQ(RegisterComponent("libvaltrix.so"), S_OK);
    CKestavoApp app;
    ASSERT_TRUE(app.InitInstance(AdditionGameOptions()));
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_EQ(frame->devicePixelRatioF(), 2.0);
    frame->resize(1920, 1080);
    frame->OnGo();
    settle();
    auto* game = qobject_cast<CGameView*>(frame->CurrentView());
    ASSERT_TRUE(game);
    ASSERT_TRUE(game->ControlProblem().isEmpty()) << game->ControlProblem().toStdString();
    // Apples on: the question comes with the bowl.
    CQuestionItem* item = app.GetGameModel()->GetItem(0);
    item->question.manipulatives = true;
    game->ShowQuestion(0);

    const char* const names[] = { "standard", "large", "extra-large" };
    for (int s = 0; s < CQuestionSize::Count; ++s) {
        const auto size = static_cast<CQuestionSize::Size>(s);
        SCOPED_TRACE(names[s]);
        frame->ApplyQuestionSize(size);
        settle();
        const double scale = CQuestionSize::Scale(size);

        const QImage shot = frame->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(shot.size(), frame->size() * 2);
        shot.save(shotPath(QStringLiteral("frame-game-3840x2160-%1.png").arg(QLatin1String(names[s]))));

        // Back buffers of the view and the strip: one pixel per device
        // pixel (the view's buffer only grows, so it may be larger than the view).
        EXPECT_EQ(game->BackBuffer().Image().devicePixelRatio(), 2.0);
        EXPECT_GE(game->BackBuffer().Image().width(), 2 * game->width());
        EXPECT_GE(game->BackBuffer().Image().height(), 2 * game->height());
        EXPECT_EQ(frame->GetButtonStrip()->BackBuffer().Image().devicePixelRatio(), 2.0);

        // Geometry in device pixels: the strip's blue band and the panel 5 logical
        // pixels from the view's left and bottom edges.
        const QImage client = frame->ClientArea()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const int stripTop = client.height() - 2 * CButtonStrip::HeightFor(scale);
        EXPECT_EQ(client.pixel(client.width() / 2, stripTop + 2), 0xFF3C3CFFu);
        EXPECT_NE(client.pixel(client.width() / 2, stripTop - 3), 0xFF3C3CFFu);
        // The view lies within its sunken edge: look at it in its own pixels.
        const QImage view = game->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QRect panel = game->QuestionPanel();
        EXPECT_EQ(panel.left(), 5);
        EXPECT_EQ(panel.bottom() + 1, game->height() - 5);
        // The panel's 1-pixel outline covers two device pixels, the fill starts after them.
        EXPECT_EQ(qGray(view.pixel(10, 2 * panel.center().y())), 0);
        EXPECT_EQ(qGray(view.pixel(11, 2 * panel.center().y())), 0);
        EXPECT_EQ(view.pixel(13, 2 * (panel.top() + 3)), 0xFF78C8FFu);

        // The digits of a field are drawn at the screen's resolution: a picture
        // drawn at half the resolution and enlarged has every aligned 2 x 2 block
        // of one colour.
        const QRect field = game->GetField(CGameView::Operand1)->geometry();
        int detailed = 0;
        for (int y = 2 * field.top(); y + 1 < 2 * (field.bottom() + 1); y += 2)
            for (int x = 2 * field.left(); x + 1 < 2 * (field.right() + 1); x += 2) {
                const QRgb p = view.pixel(x, y);
                detailed += (view.pixel(x + 1, y) != p || view.pixel(x, y + 1) != p
                                || view.pixel(x + 1, y + 1) != p)
                    ? 1
                    : 0;
            }
        EXPECT_GT(detailed, 20);

        // The bowl is drawn from artwork with the pixels it covers, not enlarged.
        const QRect bowl = game->Manipulatives().GetBowlRect();
        EXPECT_EQ(bowl.size(), QSize(qRound(190 * scale), qRound(111 * scale)));
        EXPECT_EQ(bowl.bottomRight(), QPoint(game->width() - 1, game->height() - 1));
    }

    // A pull from the bowl with the mouse: the apple lands where it is let go.
    const QRect bowl = game->Manipulatives().GetBowlRect();
    const QPoint pile = bowl.topLeft() + QPoint(bowl.width() / 2, bowl.height() * 45 / 111);
    const QPoint target = pile + QPoint(-400, -250);
    auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, game->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(game, &e);
    };
    mouse(QEvent::MouseButtonPress, pile, Qt::LeftButton);
    mouse(QEvent::MouseMove, pile + QPoint(-100, -100), Qt::LeftButton);
    mouse(QEvent::MouseMove, target, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, target, Qt::NoButton);
    ASSERT_EQ(game->Manipulatives().ElementCount(), 2);
    const QRect apple = game->Manipulatives().Element(1).Rect();
    EXPECT_EQ(apple.size(), QSize(76, 92));
    EXPECT_LE((apple.center() - target).manhattanLength(), 2);
    const QImage& buffer = game->BackBuffer().Image();
    const QRgb red = buffer.pixel(2 * apple.center().x(), 2 * apple.center().y());
    EXPECT_GT(qRed(red), 120);
    EXPECT_LT(qGreen(red), 120);
}
