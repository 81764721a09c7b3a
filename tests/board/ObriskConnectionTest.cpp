#include "board/ObriskConnection.h"

#include "board/ObriskEventDispatcher.h"
#include "platform/com/ComServer.h"
#include "platform/com/DispatchTable.h"
#include "tests/board/RecordingListener.h"

#include <QCoreApplication>
#include <QObject>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <thread>

namespace {

void RegisterFakeSdk()
{
    ComSetRegistrationScope(ComRegistrationScope::User);
    void* handle = dlopen(FAKE_SDK_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto reg = reinterpret_cast<PFN_DllRegisterServer>(dlsym(handle, "DllRegisterServer"));
    ASSERT_NE(reg, nullptr);
    ASSERT_EQ(reg(), S_OK);
    dlclose(handle);
    ComSetRegistrationScope(ComRegistrationScope::Machine);
}

LONG Connections(IObriskSdk* sdk)
{
    CComVariant result;
    return SUCCEEDED(DispatchCall(sdk, 101, {}, &result)) ? result.lVal : -1;
}

} // namespace

TEST(ObriskConnectionTest, WithoutTheBoardSoftwareEverythingIsQuietlyAbsent)
{
    QObject owner;
    CRecordingListener listener;
    {
        CObriskConnection connection;
        EXPECT_FALSE(connection.CreateWithEvents(&owner, &listener));
        EXPECT_FALSE(connection.HasSdk());
        EXPECT_FALSE(connection.HasEvents());
        EXPECT_FALSE(connection.AttachWindow(5));
        EXPECT_FALSE(connection.DetachWindow(5));
        EXPECT_FALSE(connection.SetWindowMode(5, 1, -1));
        EXPECT_FALSE(connection.PrepareContact());
        EXPECT_EQ(connection.GetToolType(1), 0);
        EXPECT_EQ(connection.GetToolColour(1), 0u);
        EXPECT_EQ(connection.GetToolWidth(1), 0);
        CObriskConnection plain;
        EXPECT_FALSE(plain.CreateWithoutEvents());
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(listener.calls.empty());
}

TEST(ObriskConnectionTest, WrapsTheSdkOperations)
{
    RegisterFakeSdk();
    CObriskConnection connection;
    ASSERT_TRUE(connection.CreateWithoutEvents());
    EXPECT_FALSE(connection.HasEvents());
    EXPECT_TRUE(connection.AttachWindow(5));
    EXPECT_FALSE(connection.AttachWindow(0));
    EXPECT_TRUE(connection.SetWindowMode(5, 1, -1));
    EXPECT_TRUE(connection.PrepareContact());
    EXPECT_EQ(connection.GetToolType(1), 1);
    EXPECT_EQ(connection.GetToolType(2), 2);
    EXPECT_EQ(connection.GetToolColour(1), 0x563412u); // red in the low byte, each component cut to a byte
    EXPECT_EQ(connection.GetToolWidth(1), 5);
    // A failing query answers 0.
    EXPECT_EQ(connection.GetToolType(99), 0);
    EXPECT_EQ(connection.GetToolColour(99), 0u);
    EXPECT_EQ(connection.GetToolWidth(99), 0);
    EXPECT_TRUE(connection.DetachWindow(5));
    EXPECT_EQ(Connections(connection.Sdk()), 0);
}

TEST(ObriskConnectionTest, EventsReachTheListenerUntilTheConnectionIsDestroyed)
{
    RegisterFakeSdk();
    QObject owner;
    CRecordingListener listener;
    IObriskSdk* sdk = nullptr;
    {
        CObriskConnection connection;
        ASSERT_TRUE(connection.CreateWithEvents(&owner, &listener));
        ASSERT_TRUE(connection.HasEvents());
        EXPECT_NE(connection.Cookie(), 0u);
        sdk = connection.Sdk();
        sdk->AddRef(); // outlive the connection, as the board software does
        EXPECT_EQ(Connections(sdk), 1);

        std::thread board([sdk] { DispatchCall(sdk, 100, { CComVariant::I4(1) }); });
        board.join();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(listener.calls, std::vector<std::string>({ "down 1 2 3 4" }));

        // Pending when the owner goes away: never delivered.
        DispatchCall(sdk, 100, { CComVariant::I4(2) });
    }
    EXPECT_EQ(Connections(sdk), 0) << "destroying the connection unadvises its sink";
    DispatchCall(sdk, 100, { CComVariant::I4(3) });
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(listener.calls, std::vector<std::string>({ "down 1 2 3 4" }));
    sdk->Release();
}
