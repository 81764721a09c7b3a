#include "platform/locale/DecimalSeparator.h"
#include "tests/control/ControlHarness.h"
#include "tests/fixtures/BoardReplay.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QThread>

namespace {

// Pen strokes replayed by the board software over an editable field, through
// the board connection, into the ink component, and recognised on request.
class InkCaptureTest : public ControlHarness
{
protected:
    void RegisterComponents() override
    {
        ASSERT_EQ(CallValtrixExport("DllRegisterServer", std::string(KESTAVO_TEST_LIB_DIR) + "/libobrisk.so"),
            S_OK);
        ControlHarness::RegisterComponents();
        RegisterBoardDirectory();
    }

    void Replay(const std::string& script) { PlayBoardScript(replay, script); }

    QPushButton* RecognizeButton()
    {
        return window->findChild<QPushButton*>(QStringLiteral("RecognizeButton"));
    }

    CObriskReplayClient replay;
};

TEST_F(InkCaptureTest, PenStrokesBecomeInkAndRecognitionFillsTheCells)
{
    ASSERT_EQ(Call(DISPID_VALTRIX_SETFONT, { CComVariant::Bstr("Arial"), CComVariant::I4(26) }), S_OK);
    SetAnswer("17");
    SetStatic(false);
    QPushButton* button = RecognizeButton();
    if (!button)
        GTEST_SKIP() << "no handwriting recogniser found beside the control (libcallig.so not built)";
    EXPECT_TRUE(button->isVisible());
    EXPECT_FALSE(button->isEnabled());
    const int width = Long(DISPID_VALTRIX_GETPREFERREDWIDTH);
    const int height = Long(DISPID_VALTRIX_GETPREFERREDHEIGHT);
    window->resize(width, height);
    const QImage before = window->grab().toImage();

    // A "1" inside the right cell, written as a single downward stroke.
    const int w = (width - 1) / 2;
    const int x = width - 1 - w / 2;
    std::string script = "window CValtrixCtrl\ntool pen\nstroke";
    for (int y = 22; y <= height - 8; y += 3)
        script += " " + std::to_string(x) + "," + std::to_string(y);
    Replay(script + "\n");
    EXPECT_TRUE(button->isEnabled()); // a finished stroke enables recognition
    const QImage written = window->grab().toImage();
    EXPECT_NE(written, before); // the ink is drawn over the cells
    QDir().mkpath(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/control"));
    written.save(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/control/arial26-ink.png"));

    ASSERT_EQ(Call(DISPID_VALTRIX_DORECOGNITION), S_OK);
    EXPECT_FALSE(button->isEnabled());
    const std::string state = State();
    ASSERT_EQ(state.size(), 7u);
    EXPECT_EQ(state[2], ' '); // the left cell had no ink
    EXPECT_NE(std::string("-.0123456789").find(state[3]), std::string::npos) << state;
    EXPECT_EQ(state[3], '1') << "recognised as " << state[3];
    // The ink is gone after recognition: recognising again changes nothing.
    ASSERT_EQ(SetState(state.substr(0, 3) + " " + state.substr(4)), S_OK);
    ASSERT_EQ(Call(DISPID_VALTRIX_DORECOGNITION), S_OK);
    EXPECT_EQ(State()[3], ' ');
}

// A pupil's comma (a short tail written down to the left) in its own cell
// is read as the separator: the point in the state, a comma on the screen.
TEST_F(InkCaptureTest, AWrittenCommaIsStoredAsThePointAndShownAsAComma)
{
    ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Comma));
    ASSERT_EQ(Call(DISPID_VALTRIX_SETFONT, { CComVariant::Bstr("Arial"), CComVariant::I4(26) }), S_OK);
    SetAnswer("3.5");
    SetStatic(false);
    if (!RecognizeButton())
        GTEST_SKIP() << "no handwriting recogniser found beside the control (libcallig.so not built)";
    const int width = Long(DISPID_VALTRIX_GETPREFERREDWIDTH);
    const int height = Long(DISPID_VALTRIX_GETPREFERREDHEIGHT);
    window->resize(width, height);
    const int w = (width - 1) / 3;
    const int x = width - 1 - w - w / 2, y = height / 2;
    std::string script = "window CValtrixCtrl\ntool pen\nstroke";
    for (int i = 0; i <= 7; ++i)
        script += " " + std::to_string(x + 3 - i) + "," + std::to_string(y + 2 * i);
    Replay(script + "\n");
    ASSERT_EQ(Call(DISPID_VALTRIX_DORECOGNITION), S_OK);
    const std::string state = State();
    ASSERT_EQ(state, "3.5 .    0");
    ASSERT_EQ(SetState(state), S_OK);
    const QImage shown = window->grab().toImage();
    ASSERT_EQ(SetState("3.5 ,    0"), S_OK);
    EXPECT_EQ(window->grab().toImage(), shown);
}

TEST_F(InkCaptureTest, FinishedStrokesShowExactlyAsAFullRenderOfTheFieldDoes)
{
    ASSERT_EQ(Call(DISPID_VALTRIX_SETFONT, { CComVariant::Bstr("Arial"), CComVariant::I4(26) }), S_OK);
    SetAnswer("17");
    SetStatic(false);
    if (!RecognizeButton())
        GTEST_SKIP() << "no handwriting recogniser found beside the control (libcallig.so not built)";
    const int width = Long(DISPID_VALTRIX_GETPREFERREDWIDTH);
    const int height = Long(DISPID_VALTRIX_GETPREFERREDHEIGHT);
    window->resize(width, height);
    const QImage blank = window->grab().toImage();

    // Crossing strokes over both cells and the grid line, each drawn over the
    // ink before it as it ends.
    auto at = [&](int px, int py) {
        return std::to_string(px * (width - 1) / 100) + "," + std::to_string(py * (height - 1) / 100);
    };
    std::string script = "window CValtrixCtrl\ntool pen\n";
    script += "stroke " + at(10, 20) + " " + at(50, 80) + " " + at(90, 30) + "\n";
    script += "stroke " + at(10, 80) + " " + at(50, 20) + " " + at(90, 85) + "\n";
    script += "stroke " + at(48, 10) + " " + at(52, 50) + " " + at(49, 90) + "\n";
    Replay(script);
    const QImage shown = window->grab().toImage();
    EXPECT_NE(shown, blank);

    // The same font again re-renders the whole field: cells, then all the ink.
    ASSERT_EQ(Call(DISPID_VALTRIX_SETFONT, { CComVariant::Bstr("Arial"), CComVariant::I4(26) }), S_OK);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->grab().toImage(), shown);
}

TEST_F(InkCaptureTest, TheRecogniseButtonAddsItsHeightAndAGapToThePreferredHeight)
{
    ASSERT_EQ(Call(DISPID_VALTRIX_SETFONT, { CComVariant::Bstr("Arial"), CComVariant::I4(26) }), S_OK);
    SetAnswer("17");
    SetStatic(true);
    const int plain = Long(DISPID_VALTRIX_GETPREFERREDHEIGHT); // read-only: no button
    SetStatic(false);
    QPushButton* button = RecognizeButton();
    if (!button)
        GTEST_SKIP() << "no handwriting recogniser found beside the control (libcallig.so not built)";
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->height(), 16);
    EXPECT_EQ(Long(DISPID_VALTRIX_GETPREFERREDHEIGHT), plain + 16 + 1);
}

TEST_F(InkCaptureTest, StaticFieldsAreNotAttachedAndTakeNoInk)
{
    SetAnswer("17");
    SetStatic(false);
    if (!RecognizeButton())
        GTEST_SKIP() << "no handwriting recogniser found beside the control (libcallig.so not built)";
    SetStatic(true);
    EXPECT_FALSE(RecognizeButton()->isVisible());
    ASSERT_TRUE(replay.Load());
    const int id = replay.Start("window CValtrixCtrl\nstroke 10,10 10,40\n");
    replay.Wait(id, 5000);
    EXPECT_EQ(replay.State(id), 2); // no such attached window
    replay.Release(id);
}

} // namespace
