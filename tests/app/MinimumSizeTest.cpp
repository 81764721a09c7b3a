// The main window cannot be made so small that the widest level-5 question or
// the button strip stops fitting.
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "config/OperatorSettings.h"
#include "views/ButtonStrip.h"
#include "views/DValtrix.h"
#include "views/GameView.h"
#include "tests/fixtures/RegisterComponent.h"
#include "tests/fixtures/Settle.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPushButton>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Widest
{
    const char* name;
    const char* operand1;
    const char* sign;
    const char* operand2;
    const char* result;
    const char* remainder;
    int unknown;
};

// The longest texts level 5's defaults can produce (decimal factors up to
// 1000.00 x 1000.0, three places in the product) and the widest remainder
// question of the levels that have remainders, written at level 5.
const Widest kWidest[] = {
    { "product", "1000.00", "x", "1000.0", "1000000.000", "", 2 },
    { "dividend", "1000000.000", "/", "1000.0", "1000.00", "", 0 },
    { "subtraction", "-100.000", "-", "1000.000", "-1100.000", "", 1 },
    { "remainder", "9999", "/", "100", "99", "99", 2 },
};

} // namespace

TEST(MinimumSize, WidestLevelFiveQuestionAndTheStripFit)
{
    ASSERT_EQ(RegisterControl(), S_OK);
    CKestavoApp app;
    CKestavoApp::Options options;
    options.goAtStart = false;
    options.setupRunner = [](std::vector<CParameterSet>& sets, int& count) {
        CParameterSet set;
        ApplyDefaults(set, OperatorName::Multiplication, kLevelCount - 1);
        sets.assign(1, set);
        count = 50;
        return true;
    };
    options.messageSink = [](const QString&) {};
    ASSERT_TRUE(app.InitInstance(options));
    CMainFrame* frame = app.GetMainFrame();
    frame->GetButtonStrip()->OnGoStop();
    settle();
    auto* game = qobject_cast<CGameView*>(frame->CurrentView());
    ASSERT_NE(game, nullptr);

    // Asked for less than the minimum, the window keeps the minimum.
    frame->resize(200, 150);
    settle();
    EXPECT_EQ(frame->size(), QSize(CMainFrame::kMinimumWidth, CMainFrame::kMinimumHeight));
    QDir().mkpath(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots"));

    for (const Widest& w : kWidest) {
        CQuestionItem* item = app.GetGameModel()->GetItem(0);
        item->question.operand1 = QString::fromLatin1(w.operand1);
        item->question.operatorSign = QString::fromLatin1(w.sign);
        item->question.operand2 = QString::fromLatin1(w.operand2);
        item->question.result = QString::fromLatin1(w.result);
        item->question.remainder = QString::fromLatin1(w.remainder);
        item->question.level = kLevelCount - 1;
        item->question.algebra = true;
        item->question.vertical = 0;
        item->unknownPosition = w.unknown;
        item->answerState.clear();
        item->remainderState.clear();
        game->ShowQuestion(0);
        settle();
        const QRect view = game->rect();
        const QRect panel = game->QuestionPanel();
        EXPECT_TRUE(view.contains(panel))
            << w.name << ": panel " << panel.x() << "," << panel.y() << " " << panel.width() << "x"
            << panel.height() << " in " << view.width() << "x" << view.height();
        for (int f = CGameView::Operand1; f < CGameView::FieldCount; ++f) {
            QWidget* field = game->GetField(f);
            ASSERT_GT(field->width(), 0) << w.name << " field " << f;
            if (field->isVisible())
                EXPECT_TRUE(view.contains(field->geometry()))
                    << w.name << " field " << f << " at " << field->x() << "," << field->y() << " "
                    << field->width() << "x" << field->height() << " in " << view.width() << "x"
                    << view.height();
        }
        frame->grab().save(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/minimum-%1.png")
                               .arg(QString::fromLatin1(w.name)));

        // A pen lifted from the tray enlarges the answer cells: still inside.
        game->SetPenActive(true);
        settle();
        QWidget* answer = game->GetField(w.unknown);
        EXPECT_TRUE(view.contains(answer->geometry()))
            << w.name << " magnified answer at " << answer->x() << "," << answer->y() << " "
            << answer->width() << "x" << answer->height() << " in " << view.width() << "x" << view.height();
        frame->grab().save(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/minimum-%1-pen.png")
                               .arg(QString::fromLatin1(w.name)));
        game->SetPenActive(false);
        settle();
    }

    // The strip: all five buttons and the longest status text side by side.
    CButtonStrip* strip = frame->GetButtonStrip();
    strip->SetStatusText(QStringLiteral("Question 50 of 50"));
    const QFontMetrics metrics(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    const int textLeft = strip->width() - 5 - metrics.horizontalAdvance(strip->StatusText());
    const QRect last = strip->GetButton(CButtonStrip::Hint)->geometry();
    EXPECT_LT(last.right() + 10, textLeft);
    EXPECT_LE(strip->geometry().bottom(), frame->centralWidget()->height());
}
