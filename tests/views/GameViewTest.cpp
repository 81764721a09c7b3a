#include "views/GameView.h"

#include "game/GameModel.h"
#include "platform/sound/SoundPlayer.h"
#include "tests/fixtures/BoardReplay.h"
#include "tests/fixtures/RegisterComponent.h"
#include "tests/views/FakeAppServices.h"
#include "views/ButtonStrip.h"
#include "views/DValtrix.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QtMath>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// A game of ten addition questions at level 1 (apples on), shown in a view of
// 1024 x 708 (a 1024 x 768 frame less the strip) with a real button strip.
class GameViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegisterComponent("libvaltrix.so"), S_OK);
        setup.level = 0;
        ASSERT_TRUE(model.NewGame(true));
        services.model = &model;
        services.blank = false;
        strip = std::make_unique<CButtonStrip>(services);
        strip->resize(1024, 60);
        services.strip = strip.get();
    }

    CGameView& MakeView(int width = 1024, int height = 708)
    {
        view = std::make_unique<CGameView>(services, nullptr, [this] { return now; });
        view->resize(width, height);
        view->show();
        model.BuildQuestions();
        QApplication::processEvents(); // the posted click that focuses the answer
        return *view;
    }

    // Replaces question `index` with the given texts and shows it.
    void Pose(int index, const char* sign, const char* a, const char* b, const char* result,
        const char* remainder = "", int unknown = 2, int vertical = 0, bool apples = false)
    {
        CQuestionItem* item = model.GetItem(index);
        item->question.operatorSign = sign;
        item->question.operand1 = a;
        item->question.operand2 = b;
        item->question.result = result;
        item->question.remainder = remainder;
        item->question.vertical = vertical;
        item->question.manipulatives = apples;
        item->question.level = 0;
        item->unknownPosition = unknown;
        item->answerState.clear();
        item->remainderState.clear();
        view->ShowQuestion(index);
        QApplication::processEvents();
    }

    void Type(int field, const QString& text)
    {
        QWidget* target = view->GetField(field)->ControlWindow();
        ASSERT_TRUE(target);
        // A click on the field's first cell, as the pupil would tap it.
        for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
            QMouseEvent click(type, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(target, &click);
        }
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + c.digitValue(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
        }
    }

    QUrl LastSound() { return view->Sound().CurrentSource(); }

    std::uint32_t now = 10000;
    CGameModel model { 7u };
    FakeAppServices services;
    ScriptedSetup setup { model };
    std::unique_ptr<CButtonStrip> strip;
    std::unique_ptr<CGameView> view;
};

// The game view on a stand-in board SDK: pointer 1 is a pen drawing in
// (0x12, 0x34, 0x56) five pixels wide, pointer 2 the eraser.
class GameViewBoardTest : public GameViewTest
{
protected:
    void SetUp() override
    {
        GameViewTest::SetUp();
        // The ink component comes with the board software; the stand-in SDK
        // registers over the real one.
        ASSERT_EQ(RegisterComponent("libobrisk.so"), S_OK);
        ASSERT_EQ(RegisterComponent(FAKE_SDK_PATH), S_OK);
    }
    static constexpr int kPen = 1;
    static constexpr int kEraser = 2;
};

const QUrl kRight = CSoundPlayer::WaveResource(CGameView::kRightSound);
const QUrl kWrong = CSoundPlayer::WaveResource(CGameView::kWrongSound);

} // namespace

TEST_F(GameViewTest, ShowsQuestionOneWithTheResultEditable)
{
    CGameView& v = MakeView();
    ASSERT_TRUE(v.ControlProblem().isEmpty()) << v.ControlProblem().toStdString();
    EXPECT_EQ(v.CurrentIndex(), 0);
    EXPECT_EQ(strip->StatusText(), "Question 1 of 10");
    EXPECT_FALSE(strip->GetButton(CButtonStrip::Previous)->isEnabled());
    EXPECT_TRUE(strip->GetButton(CButtonStrip::Next)->isEnabled());
    EXPECT_FALSE(services.previousEnabled);
    EXPECT_TRUE(services.nextEnabled);

    Pose(0, "+", "3", "4", "7");
    EXPECT_TRUE(v.GetField(CGameView::Operand1)->IsStaticModeEnabled());
    EXPECT_TRUE(v.GetField(CGameView::Operand2)->IsStaticModeEnabled());
    EXPECT_FALSE(v.GetField(CGameView::Result)->IsStaticModeEnabled());
    EXPECT_FALSE(v.GetField(CGameView::Remainder)->isVisible());
    EXPECT_FALSE(v.GetField(CGameView::RemainderMarker)->isVisible());
    // The panel sits 5 pixels from the left and bottom edges.
    EXPECT_EQ(v.QuestionPanel().left(), 5);
    EXPECT_EQ(v.QuestionPanel().bottom() + 1, 708 - 5);
    EXPECT_TRUE(v.QuestionPanel().contains(v.GetField(CGameView::Result)->geometry()));
    // The back buffer shows the panel's light blue between the fields.
    const QRect p = v.QuestionPanel();
    EXPECT_EQ(v.BackBuffer().Image().pixel(p.left() + 2, p.top() + 2), 0xFF78C8FFu);

    // Algebra style: the first operand is the unknown, the result read-only.
    Pose(0, "+", "3", "4", "7", "", 0);
    EXPECT_FALSE(v.GetField(CGameView::Operand1)->IsStaticModeEnabled());
    EXPECT_TRUE(v.GetField(CGameView::Result)->IsStaticModeEnabled());
}

TEST_F(GameViewTest, CheckPlaysTheRightOrWrongSound)
{
    CGameView& v = MakeView();
    Pose(0, "+", "3", "4", "7");
    Type(CGameView::Result, "7");
    model.OnCheck();
    EXPECT_EQ(LastSound(), kRight);
    EXPECT_EQ(model.GetItem(0)->answerState.left(2), "77");

    Pose(0, "+", "3", "4", "7");
    Type(CGameView::Result, "8");
    model.OnCheck();
    EXPECT_EQ(LastSound(), kWrong);

    // Nothing editable at all: always the wrong sound.
    Pose(0, "+", "3", "4", "7", "", 5);
    for (int i = CGameView::Operand1; i <= CGameView::Remainder; ++i)
        EXPECT_TRUE(v.GetField(i)->IsStaticModeEnabled());
    model.OnCheck();
    EXPECT_EQ(LastSound(), kWrong);
}

// The frame gives the keyboard focus to a new view after it has shown its
// first question; the click the view posted to the answer field must still
// take it there, or the first digit typed is lost.
TEST_F(GameViewTest, ThePostedClickGivesTheAnswerFieldTheKeyboardFocus)
{
    CGameView& v = MakeView();
    v.activateWindow();
    Pose(0, "+", "3", "4", "7");
    v.ShowQuestion(0);
    v.setFocus();
    QApplication::processEvents();
    if (!v.isActiveWindow())
        GTEST_SKIP() << "this platform gives no window the focus";
    QWidget* field = v.GetField(CGameView::Result)->ControlWindow();
    ASSERT_EQ(QApplication::focusWidget(), field);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
    QApplication::sendEvent(QApplication::focusWidget(), &press);
    model.OnCheck();
    EXPECT_EQ(LastSound(), kRight);
}

TEST_F(GameViewTest, DivisionWithRemainderNeedsBothRight)
{
    CGameView& v = MakeView();
    Pose(0, "/", "17", "5", "3", "2");
    for (int i = 0; i < CGameView::FieldCount; ++i)
        EXPECT_TRUE(v.GetField(i)->isVisible()) << i;
    EXPECT_FALSE(v.GetField(CGameView::Result)->IsStaticModeEnabled());
    EXPECT_FALSE(v.GetField(CGameView::Remainder)->IsStaticModeEnabled());
    // One row, in reading order: 17 / 5 = 3 R 2.
    const int order[] = { CGameView::Operand1, CGameView::OperatorSign, CGameView::Operand2,
        CGameView::EqualsSign, CGameView::Result, CGameView::RemainderMarker, CGameView::Remainder };
    for (int i = 1; i < 7; ++i) {
        EXPECT_EQ(v.GetField(order[i])->geometry().top(), v.GetField(order[0])->geometry().top());
        EXPECT_GT(v.GetField(order[i])->geometry().left(), v.GetField(order[i - 1])->geometry().right());
    }

    Type(CGameView::Result, "3");
    Type(CGameView::Remainder, "1");
    model.OnCheck();
    EXPECT_EQ(LastSound(), kWrong);
    EXPECT_FALSE(model.GetItem(0)->remainderState.isEmpty());

    Pose(0, "/", "17", "5", "3", "2");
    Type(CGameView::Result, "3");
    Type(CGameView::Remainder, "2");
    model.OnCheck();
    EXPECT_EQ(LastSound(), kRight);
    EXPECT_TRUE(model.GetItem(0)->remainderState.startsWith("22"));
}

TEST_F(GameViewTest, HintsFillTheAnswerAndNavigationKeepsIt)
{
    CGameView& v = MakeView();
    Pose(0, "+", "30", "15", "45");
    Pose(1, "+", "2", "2", "4");
    v.ShowQuestion(0);
    v.UpdateNavigation();
    EXPECT_TRUE(strip->GetButton(CButtonStrip::Hint)->isEnabled());
    model.OnHint();
    EXPECT_EQ(model.GetItem(0)->answerState, "45 5 x0");

    model.OnNext();
    EXPECT_EQ(v.CurrentIndex(), 1);
    EXPECT_EQ(strip->StatusText(), "Question 2 of 10");
    EXPECT_TRUE(services.previousEnabled);
    Type(CGameView::Result, "4");
    model.OnPrevious();
    EXPECT_EQ(v.CurrentIndex(), 0);
    EXPECT_EQ(v.GetField(CGameView::Result)->GetState(), "45 5 x0");
    model.OnNext();
    EXPECT_TRUE(v.GetField(CGameView::Result)->GetState().startsWith("44"));
    model.OnCheck();
    EXPECT_EQ(LastSound(), kRight);
    // A question whose answer is complete has no hint left.
    EXPECT_FALSE(strip->GetButton(CButtonStrip::Hint)->isEnabled());
}

TEST_F(GameViewTest, NextOnTheLastQuestionSavesAndEndsTheGame)
{
    CGameView& v = MakeView();
    strip->OnGoStop(); // the strip starts out with no game running: start one
    const int switches = services.switches;
    for (int i = 0; i < 9; ++i)
        model.OnNext();
    ASSERT_EQ(v.CurrentIndex(), 9);
    EXPECT_EQ(strip->StatusText(), "Question 10 of 10");
    EXPECT_TRUE(strip->GetButton(CButtonStrip::Next)->isEnabled());
    Pose(9, "+", "1", "1", "2");
    Type(CGameView::Result, "2");
    model.OnNext();
    EXPECT_EQ(services.switches, switches + 1);
    EXPECT_EQ(model.GetItem(9)->answerState.left(2), "22");
}

TEST_F(GameViewTest, ColumnSumAndNarrowWindowLayouts)
{
    CGameView& v = MakeView();
    Pose(0, "+", "123", "45", "168", "", 2, 1);
    ASSERT_TRUE(v.IsVertical());
    const QRect a = v.GetField(CGameView::Operand1)->geometry();
    const QRect b = v.GetField(CGameView::Operand2)->geometry();
    const QRect r = v.GetField(CGameView::Result)->geometry();
    EXPECT_EQ(a.right(), b.right());
    EXPECT_EQ(a.right(), r.right());
    EXPECT_LT(a.bottom(), b.top());
    EXPECT_LT(b.bottom(), r.top());
    // The rule: 3 pixels of black 5 under the second operand, across the wider number.
    const int ruleY = b.bottom() + 1 + 5;
    const QImage& image = v.BackBuffer().Image();
    EXPECT_EQ(qGray(image.pixel(std::min(b.left(), r.left()) + 3, ruleY)), 0);
    EXPECT_EQ(qGray(image.pixel(r.right() - 3, ruleY)), 0);
    EXPECT_NE(qGray(image.pixel(r.right() - 3, ruleY - 4)), 0);

    // A window narrower than the row breaks it after the second operand.
    view->resize(180, 500);
    Pose(0, "+", "123", "456", "579");
    const QRect eq = v.GetField(CGameView::EqualsSign)->geometry();
    EXPECT_GT(eq.top(), v.GetField(CGameView::Operand2)->geometry().bottom());
    EXPECT_EQ(eq.left(), v.GetField(CGameView::Operand1)->geometry().left());
}

TEST_F(GameViewTest, PenTrayMagnifiesTheAnswerFieldWhileThePenIsOut)
{
    CGameView& v = MakeView();
    Pose(0, "+", "3", "4", "7");
    const QSize plain = v.GetField(CGameView::Result)->size();
    const QSize operand = v.GetField(CGameView::Operand1)->size();
    v.OnPen(0);
    EXPECT_TRUE(v.IsPenActive());
    // Level 1 magnifies 2.5 times; read-only fields keep their size.
    EXPECT_GT(v.GetField(CGameView::Result)->width(), 2 * plain.width());
    EXPECT_EQ(v.GetField(CGameView::Operand1)->width(), operand.width());
    EXPECT_EQ(v.QuestionPanel().bottom() + 1, 708 - 5);
    v.OnNoTool(0);
    EXPECT_FALSE(v.IsPenActive());
    EXPECT_EQ(v.GetField(CGameView::Result)->size(), plain);
    EXPECT_EQ(CGameView::MagnificationFactor(2), 2.0f);
    EXPECT_EQ(CGameView::MagnificationFactor(4), 1.5f);
}

TEST_F(GameViewTest, MouseDragsApplesOnlyWhenTheQuestionHasThem)
{
    CGameView& v = MakeView();
    Pose(0, "+", "3", "4", "7", "", 2, 0, true);
    const QRect bowl = v.Manipulatives().GetBowlRect();
    EXPECT_EQ(bowl.bottomRight(), QPoint(1023, 707)); // parked in the corner
    const QPoint pile = bowl.topLeft() + QPoint(95, 45);
    auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, v.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&v, &e);
    };
    mouse(QEvent::MouseButtonPress, pile, Qt::LeftButton);
    mouse(QEvent::MouseMove, pile + QPoint(-100, -100), Qt::LeftButton);
    mouse(QEvent::MouseMove, pile + QPoint(-300, -200), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, pile + QPoint(-300, -200), Qt::NoButton);
    ASSERT_EQ(v.Manipulatives().ElementCount(), 2);
    const QPoint apple = v.Manipulatives().Element(1).Rect().center();
    EXPECT_LE((apple - (pile + QPoint(-300, -200))).manhattanLength(), 2);
    // The apple is in the back buffer (it is not white or grid-blue there).
    EXPECT_GT(qRed(v.BackBuffer().Image().pixel(apple)), 120);
    EXPECT_LT(qGreen(v.BackBuffer().Image().pixel(apple)), 120);

    // The next question drops the apple and keeps the bowl.
    Pose(1, "+", "1", "2", "3", "", 2, 0, false);
    EXPECT_EQ(v.Manipulatives().ElementCount(), 1);
    EXPECT_FALSE(v.Manipulatives().IsVisible());
    mouse(QEvent::MouseButtonPress, pile, Qt::LeftButton);
    mouse(QEvent::MouseMove, pile + QPoint(-100, 0), Qt::LeftButton);
    EXPECT_EQ(v.Manipulatives().ElementCount(), 1);
    EXPECT_EQ(v.Manipulatives().GetBowlRect(), bowl);
}

TEST(GameViewMissingControlTest, NamesTheMissingControlAndKeepsWorking)
{
    CGameModel model(3u);
    ScriptedSetup setup(model);
    ASSERT_TRUE(model.NewGame(true));
    FakeAppServices services;
    services.model = &model;
    CGameView view(services);
    view.resize(800, 600);
    view.show();
    model.BuildQuestions();
    EXPECT_TRUE(view.ControlProblem().contains("Valtrix")) << view.ControlProblem().toStdString();
    model.OnNext();
    model.OnCheck();
    model.OnHint();
    EXPECT_EQ(view.CurrentIndex(), 1);
    EXPECT_EQ(view.Sound().CurrentSource(), CSoundPlayer::WaveResource(CGameView::kWrongSound));
    // The message is drawn in red near the top left.
    const QImage& image = view.BackBuffer().Image();
    bool red = false;
    for (int y = 20; y < 60 && !red; ++y)
        for (int x = 20; x < 400 && !red; ++x)
            red = qRed(image.pixel(x, y)) > 150 && qGreen(image.pixel(x, y)) < 80;
    EXPECT_TRUE(red);
}

TEST_F(GameViewBoardTest, PenScribblesInTheBoardPensColourAndWidthAndTheEraserRubsOutTwentyPixels)
{
    CGameView& v = MakeView();
    ASSERT_TRUE(v.BoardConnection());
    Pose(0, "+", "3", "4", "7");
    const int y = 600;
    v.OnXYDown(100, y, 0, kPen);
    for (int x = 102; x <= 400; x += 2)
        v.OnXYMove(x, y, 0, kPen);
    v.OnXYUp(400, y, 0, kPen);
    const QColor ink(0x12, 0x34, 0x56);
    auto inked = [&](int x, int row) { return v.BackBuffer().Image().pixelColor(x, row) == ink; };
    EXPECT_TRUE(inked(250, y));
    int thickness = 0;
    for (int row = y - 10; row <= y + 10; ++row)
        thickness += inked(250, row) ? 1 : 0;
    EXPECT_GE(thickness, 4);
    EXPECT_LE(thickness, 6);

    v.OnXYDown(250, y, 0, kEraser);
    v.OnXYUp(250, y, 0, kEraser);
    for (int dx : { 0, 16, -16 })
        EXPECT_FALSE(inked(250 + dx, y)) << dx;
    for (int dx : { 28, -28, 100 })
        EXPECT_TRUE(inked(250 + dx, y)) << dx;
}

TEST_F(GameViewBoardTest, PenDragsOfApplesFollowOnlyAfterTheDragInterval)
{
    CGameView& v = MakeView();
    ASSERT_TRUE(v.BoardConnection());
    Pose(0, "+", "3", "4", "7", "", 2, 0, true);
    const QPoint pile = v.Manipulatives().GetBowlRect().topLeft() + QPoint(95, 45);
    const QPoint first = pile + QPoint(-200, -150);
    const QPoint second = pile + QPoint(-300, -200);
    v.OnXYDown(pile.x(), pile.y(), 0, kPen);
    now += CGameView::kBoardDragInterval; // not yet more than the interval
    v.OnXYMove(first.x(), first.y(), 0, kPen);
    EXPECT_EQ(v.Manipulatives().ElementCount(), 1) << "no apple pulled out yet";
    now += 1;
    v.OnXYMove(second.x(), second.y(), 0, kPen);
    v.OnXYUp(second.x(), second.y(), 0, kPen);
    ASSERT_EQ(v.Manipulatives().ElementCount(), 2);
    EXPECT_LE((v.Manipulatives().Element(1).Rect().center() - second).manhattanLength(), 2);
    // A drag is no scribble.
    EXPECT_EQ(v.Scribbles().StrokeCount(), 0);
}

// The game view with the board software and the recogniser installed: pen
// strokes over the answer field become its ink.
class GameViewInkTest : public GameViewTest
{
protected:
    void SetUp() override
    {
        GameViewTest::SetUp();
        ASSERT_EQ(RegisterComponent("libobrisk.so"), S_OK);
        RegisterBoardDirectory();
    }

    void Replay(const std::string& script) { PlayBoardScript(replay, script); }

    CObriskReplayClient replay;
};

TEST_F(GameViewInkTest, PuttingThePenBackRecognisesWhatWasWritten)
{
    CGameView& v = MakeView();
    Pose(0, "+", "0", "1", "1");
    CDValtrix* result = v.GetField(CGameView::Result);
    Replay("tray pen\n");
    ASSERT_TRUE(v.IsPenActive());
    QWidget* window = result->ControlWindow();
    ASSERT_TRUE(window);
    if (!window->findChild<QWidget*>(QStringLiteral("RecognizeButton")))
        GTEST_SKIP() << "no handwriting recogniser found beside the control (libcallig.so not built)";

    // A "1": one stroke down the middle of the magnified field's cell.
    const int x = window->width() / 2;
    std::string script = "wait-window CValtrixCtrl 2000\nwindow CValtrixCtrl\ntool pen\nstroke";
    for (int y = window->height() / 8; y <= window->height() * 5 / 8; y += 3)
        script += " " + std::to_string(x) + "," + std::to_string(y);
    Replay(script + "\n");
    // State: answer, entry, hint and verified mark, one character each.
    EXPECT_EQ(result->GetState(), QStringLiteral("1  0")) << "written, not yet recognised";

    Replay("tray none\n");
    EXPECT_FALSE(v.IsPenActive());
    EXPECT_EQ(result->GetState(), QStringLiteral("11 0"));
}

namespace {

const CQuestionSize::Size kSizes[]
    = { CQuestionSize::Standard, CQuestionSize::Large, CQuestionSize::ExtraLarge };

// The width of the question as one row: what the wrap rule compares with the view.
int OneRowWidth(CGameView& v, bool remainder)
{
    int total = 10;
    for (int f : { CGameView::Operand1, CGameView::OperatorSign, CGameView::Operand2, CGameView::EqualsSign,
             CGameView::Result })
        total += v.GetField(f)->GetPreferredWidth() + 5;
    if (remainder)
        for (int f : { CGameView::RemainderMarker, CGameView::Remainder })
            total += v.GetField(f)->GetPreferredWidth() + 5;
    return total;
}

} // namespace

TEST_F(GameViewTest, QuestionSizeScalesFieldsApplesAndRuleTogether)
{
    CGameView& v = MakeView();
    Pose(0, "+", "1234", "5678", "6912", "", 2, 1, true);
    const QSize standardField = v.GetField(CGameView::Operand1)->size();
    const QSize standardBowl = v.Manipulatives().GetBowlRect().size();
    ASSERT_EQ(standardBowl, QSize(190, 111));

    for (CQuestionSize::Size size : kSizes) {
        SCOPED_TRACE(static_cast<int>(size));
        v.SetQuestionSize(size);
        const double s = CQuestionSize::Scale(size);
        const QSize field = v.GetField(CGameView::Operand1)->size();
        // The font grows by the scale; cells carry fixed allowances and the
        // recognise button, so the field grows somewhat less.
        const double least = 1 + (s - 1) / 2;
        EXPECT_GE(field.width(), standardField.width() * least);
        EXPECT_LE(field.width(), standardField.width() * s + 1);
        EXPECT_GE(field.height(), standardField.height() * least);
        EXPECT_LE(field.height(), standardField.height() * s + 1);
        // Panel 5 pixels from the left and the bottom at every size.
        EXPECT_EQ(v.QuestionPanel().left(), 5);
        EXPECT_EQ(v.QuestionPanel().bottom() + 1, 708 - 5);
        // Apples and bowl keep their proportion to the question, inside the view.
        const QRect bowl = v.Manipulatives().GetBowlRect();
        EXPECT_EQ(bowl.size(), QSize(qRound(190 * s), qRound(111 * s)));
        EXPECT_EQ(bowl.bottomRight(), QPoint(1023, 707));
        // The rule: black, thicker with the size, between the operand and the result.
        const QRect b = v.GetField(CGameView::Operand2)->geometry();
        const QRect r = v.GetField(CGameView::Result)->geometry();
        const QImage& image = v.BackBuffer().Image();
        const int ruleY = b.bottom() + 1 + qRound(5 * s);
        EXPECT_EQ(qGray(image.pixel(r.left() + 3, ruleY)), 0);
        EXPECT_EQ(qGray(image.pixel(r.left() + 3, ruleY + qFloor(1.5 * s) - 1)), 0);
        EXPECT_LT(ruleY + 1.5 * s, r.top());
    }

    // Apples pulled out at one size are dropped when the artwork changes;
    // the next pull gives an apple of the new size.
    const QRect bowl = v.Manipulatives().GetBowlRect();
    const QPoint pile = bowl.topLeft() + QPoint(bowl.width() / 2, bowl.height() * 45 / 111);
    v.Manipulatives().Press(pile.x(), pile.y());
    v.Manipulatives().Drag(pile.x() - 60, pile.y() - 60, v);
    ASSERT_EQ(v.Manipulatives().ElementCount(), 2);
    EXPECT_EQ(v.Manipulatives().Element(1).Rect().size(), QSize(76, 92));
    v.SetQuestionSize(CQuestionSize::Standard);
    EXPECT_EQ(v.Manipulatives().ElementCount(), 1);
}

TEST_F(GameViewTest, WrapRuleHoldsAtEverySize)
{
    CGameView& v = MakeView();
    for (CQuestionSize::Size size : kSizes) {
        SCOPED_TRACE(static_cast<int>(size));
        v.SetQuestionSize(size);
        Pose(0, "\u00f7", "9875", "7", "1410", "5");
        const int oneRow = OneRowWidth(v, true);
        view->resize(oneRow, 600);
        QApplication::processEvents();
        EXPECT_FALSE(v.Layout().wrapped);
        EXPECT_EQ(v.GetField(CGameView::Remainder)->geometry().right() + 1 + 5, oneRow);
        EXPECT_EQ(v.QuestionPanel().right() + 1, oneRow);

        view->resize(oneRow - 1, 600);
        QApplication::processEvents();
        ASSERT_TRUE(v.Layout().wrapped);
        const QRect first = v.GetField(CGameView::Operand1)->geometry();
        const QRect second = v.GetField(CGameView::Operand2)->geometry();
        const QRect equals = v.GetField(CGameView::EqualsSign)->geometry();
        EXPECT_EQ(second.top(), first.top());
        EXPECT_EQ(equals.left(), first.left());
        EXPECT_EQ(equals.top(), first.bottom() + 1 + 5);
        EXPECT_EQ(v.QuestionPanel().left(), 5);
        EXPECT_EQ(v.QuestionPanel().bottom() + 1, 600 - 5);
    }
}

TEST_F(GameViewTest, FourDigitColumnSumAtExtraLargeFitsASmallScreenEvenMagnified)
{
    // A 1024 x 768 screen less a title and menu bar and the doubled strip.
    CGameView& v = MakeView(1024, 768 - 60 - 120);
    v.SetQuestionSize(CQuestionSize::ExtraLarge);
    Pose(0, "+", "9999", "9999", "19998", "", 2, 1);
    for (bool pen : { false, true }) {
        v.SetPenActive(pen);
        EXPECT_GE(v.QuestionPanel().top(), 0) << "pen " << pen;
        EXPECT_LT(v.QuestionPanel().right(), 1024);
    }
    v.SetPenActive(false);
    // A horizontal 4-digit sum stays on one row at Extra large.
    Pose(0, "+", "1234", "5678", "6912");
    EXPECT_FALSE(v.Layout().wrapped);
}
