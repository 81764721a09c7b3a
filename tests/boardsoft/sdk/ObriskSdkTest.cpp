// The board SDK component through the real path: registered in the hive, created
// by class id, windows attached by their window id, tablet events sent to widgets,
// scripts replayed from the replay thread.

#include "board/ObriskConnection.h"
#include "boardsoft/BoardSettings.h"
#include "boardsoft/ObriskReplay.h"
#include "platform/com/ComServer.h"
#include "platform/registry/Registry.h"
#include "tests/board/RecordingListener.h"

#include <QApplication>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTouchEvent>
#include <QWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const kObrisk = KESTAVO_TEST_LIB_DIR "/libobrisk.so";

void WriteSetting(const char* name, DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, CBoardSettings::kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

QPointingDevice* Device(QPointingDevice::PointerType type)
{
    // Kept for good: a device must not outlive the application it was made in.
    static auto* keep = new std::vector<std::unique_ptr<QPointingDevice>>;
    keep->push_back(std::make_unique<QPointingDevice>(QStringLiteral("board stylus"),
        500 + qint64(keep->size()), QInputDevice::DeviceType::Stylus, type,
        QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3, QString(),
        QPointingDeviceUniqueId::fromNumericId(4242)));
    return keep->back().get();
}

// Sends a tablet event to a widget at a local position; returns whether it was accepted.
bool SendTablet(QWidget* widget, QEvent::Type type, const QPointingDevice* device, QPointF local)
{
    const bool pressed = type != QEvent::TabletRelease;
    QTabletEvent event(type, device, local, widget->mapToGlobal(local), pressed ? 0.5 : 0.0, 0, 0, 0, 0, 0,
        Qt::NoModifier, type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton,
        pressed ? Qt::LeftButton : Qt::NoButton);
    event.setAccepted(false);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

// A top-level board window with an answer field and a cell inside the field.
struct Windows
{
    QWidget top;
    QWidget* answer;
    QWidget* cell;
    Windows()
    {
        top.setObjectName(QStringLiteral("board-top"));
        top.resize(400, 300);
        answer = new QWidget(&top);
        answer->setObjectName(QStringLiteral("answer"));
        answer->setGeometry(50, 40, 100, 80);
        cell = new QWidget(answer);
        cell->setGeometry(10, 10, 30, 30);
        top.show();
    }
};

class ObriskSdkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ComSetRegistrationScope(ComRegistrationScope::User);
        void* handle = dlopen(kObrisk, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        auto reg = reinterpret_cast<PFN_DllRegisterServer>(dlsym(handle, "DllRegisterServer"));
        ASSERT_EQ(reg(), S_OK);
        dlclose(handle);
        ComSetRegistrationScope(ComRegistrationScope::Machine);
        ASSERT_TRUE(replay.Load());
    }

    // Plays a script and delivers what it caused; returns the replay's final state.
    int Play(const std::string& script, std::string* error = nullptr)
    {
        const int id = replay.Start(script);
        int state = 0;
        for (long spins = 0; (state = replay.State(id)) == 0 && spins < 20000000L; ++spins)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        if (error)
            *error = replay.Error(id);
        replay.Release(id);
        return state;
    }

    // The connection made for owner and attached to window, with all tools
    // in the tray and nothing heard yet.
    void Connect(CObriskConnection& connection, CRecordingListener& listener, QWidget* owner, QWidget* window)
    {
        ASSERT_TRUE(connection.CreateWithEvents(owner, &listener));
        ASSERT_TRUE(connection.AttachWindow(CObriskConnection::Handle(window->winId())));
        Play("tray none\n");
        listener.calls.clear();
    }

    CObriskReplayClient replay;
};

} // namespace

TEST_F(ObriskSdkTest, TabletContactsReachTheTopmostAttachedWindowInItsCoordinates)
{
    Windows w;
    CRecordingListener topListener, answerListener;
    CObriskConnection topConnection, answerConnection;
    ASSERT_TRUE(topConnection.CreateWithEvents(&w.top, &topListener));
    ASSERT_TRUE(answerConnection.CreateWithEvents(w.answer, &answerListener));
    ASSERT_TRUE(topConnection.HasEvents());
    ASSERT_TRUE(topConnection.AttachWindow(CObriskConnection::Handle(w.top.winId())));
    ASSERT_TRUE(answerConnection.AttachWindow(CObriskConnection::Handle(w.answer->winId())));
    Play("tray none\n"); // all tools in the tray
    topListener.calls.clear();
    answerListener.calls.clear();

    QPointingDevice* pen = Device(QPointingDevice::PointerType::Pen);
    // Down over the cell: the answer field is the topmost attached window there.
    EXPECT_TRUE(SendTablet(w.cell, QEvent::TabletPress, pen, { 5, 5 }));
    // The pen moves on outside the field: the contact stays with the field.
    EXPECT_TRUE(SendTablet(&w.top, QEvent::TabletMove, pen, { 200, 100 }));
    EXPECT_TRUE(SendTablet(&w.top, QEvent::TabletRelease, pen, { 201, 101 }));
    QCoreApplication::processEvents();

    ASSERT_EQ(answerListener.calls.size(), 4u);
    EXPECT_EQ(answerListener.calls[0].rfind("pen ", 0), 0u) << "the pen was taken before it touched";
    const int pointer = std::stoi(answerListener.calls[0].substr(4));
    EXPECT_EQ(answerListener.calls[1], "down 15 15 500 " + std::to_string(pointer));
    EXPECT_EQ(answerListener.calls[2], "move 150 60 500 " + std::to_string(pointer));
    EXPECT_EQ(answerListener.calls[3], "up 151 61 0 " + std::to_string(pointer));
    // The top window's connection hears the tray, not the field's contact.
    EXPECT_EQ(topListener.calls, std::vector<std::string>({ answerListener.calls[0] }));
    EXPECT_EQ(answerConnection.GetToolType(pointer), 1);
    EXPECT_EQ(answerConnection.GetToolColour(pointer), 0u); // black by default
    EXPECT_EQ(answerConnection.GetToolWidth(pointer), 3);

    // The eraser is a pointer of its own; it lands on the top window.
    QPointingDevice* eraser = Device(QPointingDevice::PointerType::Eraser);
    topListener.calls.clear();
    EXPECT_TRUE(SendTablet(&w.top, QEvent::TabletPress, eraser, { 300, 200 }));
    EXPECT_TRUE(SendTablet(&w.top, QEvent::TabletRelease, eraser, { 300, 200 }));
    QCoreApplication::processEvents();
    ASSERT_EQ(topListener.calls.size(), 3u);
    const int eraserPointer = std::stoi(topListener.calls[0].substr(7));
    EXPECT_EQ(topListener.calls[0].rfind("eraser ", 0), 0u);
    EXPECT_NE(eraserPointer, pointer);
    EXPECT_EQ(topListener.calls[1], "down 300 200 500 " + std::to_string(eraserPointer));
    EXPECT_EQ(topConnection.GetToolType(eraserPointer), 2);
    EXPECT_EQ(answerListener.calls.size(), 5u); // only the tray event

    EXPECT_EQ(topListener.offThreadCalls + answerListener.offThreadCalls, 0);
}

TEST_F(ObriskSdkTest, UnattachedWindowsAndMiceAreLeftAlone)
{
    Windows w;
    CRecordingListener listener;
    CObriskConnection connection;
    ASSERT_NO_FATAL_FAILURE(Connect(connection, listener, &w.top, w.answer));

    QPointingDevice* pen = Device(QPointingDevice::PointerType::Pen);
    // Over the top window, which is not attached: not taken (it may become mouse input).
    EXPECT_FALSE(SendTablet(&w.top, QEvent::TabletPress, pen, { 300, 250 }));
    EXPECT_FALSE(SendTablet(&w.top, QEvent::TabletRelease, pen, { 300, 250 }));
    QMouseEvent click(QEvent::MouseButtonPress, { 60, 60 }, w.answer->mapToGlobal(QPointF(60, 60)),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.answer, &click);
    QCoreApplication::processEvents();
    for (const std::string& call : listener.calls)
        EXPECT_EQ(call.find("down"), std::string::npos) << call;

    // Detached: the field no longer takes the pen.
    EXPECT_TRUE(connection.DetachWindow(CObriskConnection::Handle(w.answer->winId())));
    EXPECT_FALSE(SendTablet(w.answer, QEvent::TabletPress, pen, { 5, 5 }));
    EXPECT_FALSE(connection.AttachWindow(0));
}

TEST_F(ObriskSdkTest, SettingsGiveTheToolColourWidthAndTouchAsPen)
{
    WriteSetting("Pen Colour", 0x0000FF);
    WriteSetting("Pen Width", 7);
    WriteSetting("Touch As Pen", 1);
    Windows w;
    CRecordingListener listener;
    CObriskConnection connection;
    ASSERT_NO_FATAL_FAILURE(Connect(connection, listener, &w.top, &w.top));

    QPointingDevice screen(QStringLiteral("panel"), 777, QInputDevice::DeviceType::TouchScreen,
        QPointingDevice::PointerType::Finger, QInputDevice::Capability::Position, 10, 0);
    const QPointF local(20, 30);
    QEventPoint point(0, QEventPoint::State::Pressed, local, w.top.mapToGlobal(local));
    QTouchEvent touch(QEvent::TouchBegin, &screen, Qt::NoModifier, { point });
    QApplication::sendEvent(&w.top, &touch);
    QCoreApplication::processEvents();
    ASSERT_EQ(listener.calls.size(), 2u);
    const int pointer = std::stoi(listener.calls[0].substr(4));
    EXPECT_EQ(listener.calls[1], "down 20 30 1000 " + std::to_string(pointer));
    EXPECT_EQ(connection.GetToolType(pointer), 1);
    EXPECT_EQ(connection.GetToolColour(pointer), 0x0000FFu);
    EXPECT_EQ(connection.GetToolWidth(pointer), 7);
    QEventPoint lifted(0, QEventPoint::State::Released, local, w.top.mapToGlobal(local));
    QTouchEvent end(QEvent::TouchEnd, &screen, Qt::NoModifier, { lifted });
    QApplication::sendEvent(&w.top, &end);
    QCoreApplication::processEvents();
}

TEST_F(ObriskSdkTest, ReplayedScriptReachesTheWindowFromTheReplayThreadInOrder)
{
    Windows w;
    CRecordingListener listener;
    CObriskConnection connection;
    ASSERT_NO_FATAL_FAILURE(Connect(connection, listener, w.answer, w.answer));

    // Played to its end without the window thread running: everything waits in the
    // sink's queue for the window's thread.
    const int id = replay.Start("window answer\n"
                                "tool pen\n"
                                "stroke 1,2 3,4 5,6\n"
                                "tool eraser\n"
                                "down 70 8\n"
                                "up 70 9\n"
                                "button next 2\n");
    EXPECT_EQ(replay.Wait(id, -1), 1) << replay.Error(id);
    replay.Release(id);
    EXPECT_TRUE(listener.calls.empty());
    QCoreApplication::processEvents();

    ASSERT_EQ(listener.calls.size(), 9u);
    const std::string pen = listener.calls[0].substr(4);
    EXPECT_EQ(listener.calls[0], "pen " + pen);
    EXPECT_EQ(listener.calls[1], "down 1 2 1000 " + pen);
    EXPECT_EQ(listener.calls[2], "move 3 4 1000 " + pen);
    EXPECT_EQ(listener.calls[3], "move 5 6 1000 " + pen);
    EXPECT_EQ(listener.calls[4], "up 5 6 0 " + pen);
    const std::string eraser = listener.calls[5].substr(7);
    EXPECT_EQ(listener.calls[5], "eraser " + eraser);
    EXPECT_EQ(listener.calls[6], "down 70 8 1000 " + eraser);
    EXPECT_EQ(listener.calls[7], "up 70 9 0 " + eraser);
    EXPECT_EQ(listener.calls[8], "next 2");
    EXPECT_EQ(connection.GetToolType(std::stoi(pen)), 1);
    EXPECT_EQ(connection.GetToolType(std::stoi(eraser)), 2);
    EXPECT_EQ(listener.offThreadCalls, 0);
}

TEST_F(ObriskSdkTest, ReplayStopsAtAMalformedLineOrAMissingWindow)
{
    Windows w;
    CRecordingListener listener;
    CObriskConnection connection;
    ASSERT_NO_FATAL_FAILURE(Connect(connection, listener, &w.top, &w.top));

    std::string error;
    EXPECT_EQ(Play("window #1\nstroke 1,1 2,2\nscribble 3 3\nstroke 4,4 5,5\n", &error), 2);
    EXPECT_EQ(error, "line 3: unknown command 'scribble'");
    ASSERT_EQ(listener.calls.size(), 4u); // pen, down, move, up of the first stroke only
    EXPECT_EQ(listener.calls[3].rfind("up 2 2", 0), 0u);

    listener.calls.clear();
    EXPECT_EQ(Play("window elsewhere\ndown 1 1\n", &error), 2);
    EXPECT_EQ(error, "line 2: window 'elsewhere' is not attached");
    EXPECT_EQ(Play("wait-window #5 30\n", &error), 2);
    EXPECT_EQ(error, "line 1: window #5 was not attached in time");
    EXPECT_TRUE(listener.calls.empty());

    EXPECT_EQ(Play("tray pen\ntray none\nstatus\n", &error), 1) << error;
    EXPECT_EQ(listener.calls, std::vector<std::string>({ "pen 0", "notool 0", "status" }));
}

TEST_F(ObriskSdkTest, ConnectionsOfAnUnregisteredBoardAreDiscarded)
{
    void* handle = dlopen(kObrisk, RTLD_NOW | RTLD_LOCAL);
    ComSetRegistrationScope(ComRegistrationScope::User);
    reinterpret_cast<PFN_DllUnregisterServer>(dlsym(handle, "DllUnregisterServer"))();
    ComSetRegistrationScope(ComRegistrationScope::Machine);
    dlclose(handle);

    QWidget owner;
    CRecordingListener listener;
    CObriskConnection connection;
    EXPECT_FALSE(connection.CreateWithEvents(&owner, &listener));
    EXPECT_FALSE(connection.AttachWindow(CObriskConnection::Handle(owner.winId())));
}
