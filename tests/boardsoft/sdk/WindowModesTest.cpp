// Live pen and touch input through the window system's input path (as the X11
// plugin delivers a stylus and a touch panel) over windows attached to the real
// board software: what reaches the board, and what Qt turns into clicks.

#include "app/WindowSystemInput.h"
#include "board/ObriskConnection.h"
#include "boardsoft/BoardSettings.h"
#include "boardsoft/ObriskReplay.h"
#include "platform/com/ComServer.h"
#include "platform/registry/Registry.h"
#include "tests/board/RecordingListener.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

using Tool = CWindowSystemInput::Tool;

int Count(const std::vector<std::string>& calls, const std::string& prefix)
{
    int n = 0;
    for (const std::string& call : calls)
        n += call.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

// A main window (not attached) holding a strip of buttons and an answer field
// with its recognise button, laid out as the game lays them out.
struct Board
{
    QWidget top;
    QWidget* strip;
    QPushButton* go;
    QWidget* field;
    QPushButton* recognise;
    QPushButton* plain; // a button of the main window itself
    QCheckBox* option; // as in Setup, which is not attached
    int goClicks = 0, recogniseClicks = 0, plainClicks = 0;

    Board()
    {
        top.setObjectName(QStringLiteral("frame"));
        top.resize(600, 400);
        strip = new QWidget(&top);
        strip->setGeometry(0, 0, 600, 60);
        go = new QPushButton(QStringLiteral("GO"), strip);
        go->setGeometry(10, 10, 80, 40);
        field = new QWidget(&top);
        field->setObjectName(QStringLiteral("field"));
        field->setGeometry(100, 100, 300, 150);
        recognise = new QPushButton(QStringLiteral("A"), field);
        recognise->setGeometry(260, 110, 30, 30);
        plain = new QPushButton(QStringLiteral("OK"), &top);
        plain->setGeometry(450, 300, 80, 40);
        option = new QCheckBox(QStringLiteral("Apples"), &top);
        option->setGeometry(450, 350, 120, 30);
        QObject::connect(go, &QPushButton::clicked, [this] { ++goClicks; });
        QObject::connect(recognise, &QPushButton::clicked, [this] { ++recogniseClicks; });
        QObject::connect(plain, &QPushButton::clicked, [this] { ++plainClicks; });
        top.show();
        QCoreApplication::processEvents();
    }
};

class WindowModesTest : public ::testing::TestWithParam<Tool>
{
protected:
    void SetUp() override
    {
        ComSetRegistrationScope(ComRegistrationScope::User);
        void* handle = dlopen(KESTAVO_TEST_LIB_DIR "/libobrisk.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        ASSERT_EQ(reinterpret_cast<PFN_DllRegisterServer>(dlsym(handle, "DllRegisterServer"))(), S_OK);
        dlclose(handle);
        ComSetRegistrationScope(ComRegistrationScope::Machine);
        // Touch panels write only with the board's touch-as-pen setting.
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, CBoardSettings::kKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr),
            ERROR_SUCCESS);
        const DWORD on = 1;
        RegSetValueExA(key, "Touch As Pen", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
        RegCloseKey(key);
    }

    // Attaches the strip in pointer mode and the field in ink mode, as the game does.
    void Attach(Board& b)
    {
        ASSERT_TRUE(stripBoard.CreateWithEvents(b.strip, &stripListener));
        ASSERT_TRUE(fieldBoard.CreateWithEvents(b.field, &fieldListener));
        const OBRISK_HWND strip = CObriskConnection::Handle(b.strip->winId());
        ASSERT_TRUE(stripBoard.AttachWindow(strip));
        ASSERT_TRUE(stripBoard.SetWindowMode(strip, 1, -1));
        ASSERT_TRUE(fieldBoard.AttachWindow(CObriskConnection::Handle(b.field->winId())));
        QCoreApplication::processEvents();
    }

    void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    CWindowSystemInput input;
    CRecordingListener stripListener, fieldListener;
    CObriskConnection stripBoard, fieldBoard;
};

} // namespace

TEST_P(WindowModesTest, TapsPressButtonsOnceAndLeaveNoInk)
{
    Board b;
    // Not attached at all: Qt makes the click.
    input.Tap(GetParam(), b.plain, { 40, 20 });
    EXPECT_EQ(b.plainClicks, 1);

    Attach(b);
    // Windows the board has not attached (Setup, dialogs) take taps as clicks.
    input.Tap(GetParam(), b.option, { 10, 15 });
    Settle();
    EXPECT_TRUE(b.option->isChecked());
    input.Tap(GetParam(), b.go, { 40, 20 });
    input.Tap(GetParam(), b.recognise, { 15, 15 });
    Settle();
    EXPECT_EQ(b.goClicks, 1) << "pointer-mode window";
    EXPECT_EQ(b.recogniseClicks, 1) << "push button inside an ink-mode window";
    EXPECT_EQ(Count(stripListener.calls, "down") + Count(fieldListener.calls, "down"), 0)
        << "a tap on a button became a board contact";

    // The same pen on the field's own surface is ink for the field alone.
    input.Stroke(GetParam(), b.field, { { 20, 30 }, { 40, 60 }, { 60, 90 } });
    Settle();
    EXPECT_EQ(Count(fieldListener.calls, "down 20 30"), 1);
    EXPECT_EQ(Count(fieldListener.calls, "up 60 90"), 1);
    EXPECT_EQ(Count(stripListener.calls, "down"), 0);
    EXPECT_EQ(b.goClicks + b.recogniseClicks + b.plainClicks, 3) << "ink pressed a button";
}

TEST_P(WindowModesTest, AContactStaysWithWhereItBegan)
{
    Board b;
    Attach(b);
    // Ink begun on the field and lifted on "A" stays ink and presses nothing.
    input.Stroke(GetParam(), b.field, { { 200, 120 }, { 250, 125 }, { 275, 125 } });
    Settle();
    EXPECT_EQ(Count(fieldListener.calls, "up 275 125"), 1);
    EXPECT_EQ(b.recogniseClicks, 0);
    // A press on "A" that slides onto the field is Qt's: no ink, and the button
    // is released (a later tap presses it once).
    const int downs = Count(fieldListener.calls, "down");
    input.Stroke(GetParam(), b.field, { { 275, 125 }, { 200, 120 }, { 150, 100 } });
    Settle();
    EXPECT_EQ(Count(fieldListener.calls, "down"), downs);
    EXPECT_FALSE(b.recognise->isDown());
    input.Tap(GetParam(), b.recognise, { 15, 15 });
    Settle();
    EXPECT_EQ(b.recogniseClicks, 1);
}

INSTANTIATE_TEST_SUITE_P(PenAndTouch, WindowModesTest, ::testing::Values(Tool::Pen, Tool::Touch),
    [](const ::testing::TestParamInfo<Tool>& info) { return info.param == Tool::Pen ? "Pen" : "Touch"; });

TEST_F(WindowModesTest, ModesOtherThanInkAndPointerAreRefusedAndChangeNothing)
{
    Board b;
    Attach(b);
    const OBRISK_HWND strip = CObriskConnection::Handle(b.strip->winId());
    EXPECT_FALSE(stripBoard.SetWindowMode(strip, 2, -1));
    EXPECT_FALSE(stripBoard.SetWindowMode(strip, -1, -1));
    QWidget stray;
    EXPECT_FALSE(stripBoard.SetWindowMode(CObriskConnection::Handle(stray.winId()), 1, -1));
    // Still pointer mode: the strip's own surface raises no contact.
    input.Tap(Tool::Pen, b.strip, { 300, 30 });
    Settle();
    EXPECT_EQ(Count(stripListener.calls, "down"), 0);
    // Back to ink mode: the same tap is a board contact for the strip.
    EXPECT_TRUE(stripBoard.SetWindowMode(strip, 0, -1));
    input.Tap(Tool::Pen, b.strip, { 300, 30 });
    Settle();
    EXPECT_EQ(Count(stripListener.calls, "down 300 30"), 1);
    // The eraser end is a tool of its own, with its own pointer.
    input.Tap(Tool::Eraser, b.field, { 50, 50 });
    Settle();
    ASSERT_EQ(Count(fieldListener.calls, "down 50 50"), 1);
    const std::string& down = *std::find_if(fieldListener.calls.begin(), fieldListener.calls.end(),
        [](const std::string& c) { return c.rfind("down 50 50", 0) == 0; });
    EXPECT_EQ(fieldBoard.GetToolType(std::stoi(down.substr(down.rfind(' ') + 1))), 2);
}

TEST_F(WindowModesTest, AWindowAttachedWhileAPenIsOutHearsSoAtOnce)
{
    Board b;
    Attach(b);
    // The pen taps a button (a dialog's, say): it is out of the tray now.
    input.Tap(Tool::Pen, b.plain, { 40, 20 });
    Settle();
    ASSERT_EQ(Count(fieldListener.calls, "pen"), 1);
    // A window made now (a new game's view) is told without waiting for a change.
    QWidget view(&b.top);
    view.setGeometry(0, 300, 100, 100);
    view.show();
    CRecordingListener viewListener;
    CObriskConnection viewBoard;
    ASSERT_TRUE(viewBoard.CreateWithEvents(&view, &viewListener));
    ASSERT_TRUE(viewBoard.AttachWindow(CObriskConnection::Handle(view.winId())));
    Settle();
    EXPECT_EQ(Count(viewListener.calls, "pen"), 1);
    EXPECT_EQ(Count(fieldListener.calls, "pen"), 1) << "others were told again";
}

// The three settings through the window system: what a touch on the field does.
TEST_F(WindowModesTest, TouchWritesAsTheSettingSaysAndThePenWins)
{
    const struct
    {
        DWORD setting;
        bool stylusListed;
        bool writes;
    } cases[] = { { 2, false, true }, { 0, false, false }, { 1, true, true } }; // the stylus stays listed
    for (const auto& c : cases) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, CBoardSettings::kKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegSetValueExA(
            key, "Touch As Pen", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&c.setting), sizeof c.setting);
        RegCloseKey(key);
        if (c.stylusListed)
            CWindowSystemInput::Device(Tool::Pen);
        Board b;
        CRecordingListener listener;
        CObriskConnection board; // made after the setting: it reads the settings
        ASSERT_TRUE(board.CreateWithEvents(b.field, &listener));
        ASSERT_TRUE(board.AttachWindow(CObriskConnection::Handle(b.field->winId())));
        input.Stroke(Tool::Touch, b.field, { { 30, 30 }, { 60, 60 } });
        Settle();
        EXPECT_EQ(Count(listener.calls, "down 30 30"), c.writes ? 1 : 0) << "setting " << c.setting;
    }
    // A pen just used: the touch that follows at once does not write.
    Board b;
    CRecordingListener listener;
    CObriskConnection board;
    ASSERT_TRUE(board.CreateWithEvents(b.field, &listener));
    ASSERT_TRUE(board.AttachWindow(CObriskConnection::Handle(b.field->winId())));
    input.Tap(Tool::Pen, b.field, { 10, 10 });
    input.Stroke(Tool::Touch, b.field, { { 30, 30 }, { 60, 60 } });
    Settle();
    EXPECT_EQ(Count(listener.calls, "down 10 10"), 1);
    EXPECT_EQ(Count(listener.calls, "down 30 30"), 0) << "a hand resting while the pen writes";
}

// Two attached windows that share a name (two answer fields): the recording names
// the one the pen wrote in, and its replay reaches that one and not the other.
TEST_F(WindowModesTest, ARecordingTellsApartWindowsThatShareAName)
{
    QWidget top;
    top.resize(400, 200);
    QWidget* fields[2];
    CRecordingListener listeners[2];
    CObriskConnection boards[2];
    for (int i = 0; i < 2; ++i) {
        fields[i] = new QWidget(&top);
        fields[i]->setObjectName(QStringLiteral("field"));
        fields[i]->setGeometry(200 * i, 0, 200, 200);
    }
    top.show();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(boards[i].CreateWithEvents(fields[i], &listeners[i]));
        ASSERT_TRUE(boards[i].AttachWindow(CObriskConnection::Handle(fields[i]->winId())));
    }
    Settle();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.txt"));
    CObriskReplayClient board;
    ASSERT_TRUE(board.Load());
    ASSERT_TRUE(board.RecordStart(path.toStdString()));
    input.Stroke(Tool::Pen, fields[1], { { 20, 30 }, { 60, 90 } });
    Settle();
    board.RecordStop();
    ASSERT_EQ(Count(listeners[1].calls, "down 20 30"), 1);
    ASSERT_EQ(Count(listeners[0].calls, "down"), 0);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray recording = file.readAll();
    EXPECT_TRUE(recording.contains("\nwindow field#2\n")) << recording.toStdString();

    for (CRecordingListener& l : listeners)
        l.calls.clear();
    const int id = board.Start(recording.toStdString());
    ASSERT_GT(id, 0);
    QDeadlineTimer deadline(10000);
    while (board.State(id) == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(board.State(id), 1) << board.Error(id);
    board.Release(id);
    Settle();
    EXPECT_EQ(Count(listeners[1].calls, "down 20 30"), 1);
    EXPECT_EQ(Count(listeners[1].calls, "up 60 90"), 1);
    EXPECT_EQ(Count(listeners[0].calls, "down"), 0) << "the replay wrote into the other field";
}
