#pragma once

// A window's connection to the board software: the SDK object, and (with a
// listener) an event sink advised on the SDK's event connection point. Every
// SDK operation answers 0 or false when there is no SDK or the call fails.

#include "platform/com/BoardInterfaces.h"
#include "platform/com/Com.h"

class CObriskEventDispatcher;
class CObriskEventListener;
class QObject;

class CObriskConnection
{
public:
    CObriskConnection() = default;
    CObriskConnection(const CObriskConnection&) = delete;
    CObriskConnection& operator=(const CObriskConnection&) = delete;
    // Unadvises the sink, drops its pending events and releases the SDK.
    virtual ~CObriskConnection();

    // Creates the SDK object and, when a listener is given, subscribes to its
    // events so they reach the listener on owner's thread. False when the SDK
    // could not be created (the owner then discards the connection); a failing
    // subscription leaves a connection without events.
    bool CreateWithEvents(QObject* owner, CObriskEventListener* listener);
    // Creates the SDK object only.
    bool CreateWithoutEvents();

    bool HasSdk() const { return m_sdk != nullptr; }
    bool HasEvents() const { return m_sink != nullptr; }
    IObriskSdk* Sdk() const { return m_sdk; }
    CObriskEventDispatcher* Sink() const { return m_sink; }
    DWORD Cookie() const { return m_cookie; }

    bool AttachWindow(OBRISK_HWND window);
    bool DetachWindow(OBRISK_HWND window);
    bool SetWindowMode(OBRISK_HWND window, int mode, int option);
    bool PrepareContact();
    // 1 pen, 2 eraser; 0 when the call fails.
    int GetToolType(int pointerId);
    // A COLORREF (red in the low byte); 0 when the call fails.
    COLORREF GetToolColour(int pointerId);
    int GetToolWidth(int pointerId);

    // The 32-bit handle of a window id, as the SDK takes it.
    static OBRISK_HWND Handle(unsigned long long windowId) { return static_cast<OBRISK_HWND>(windowId); }

private:
    void Destroy();

    DWORD m_cookie = 0;
    CObriskEventDispatcher* m_sink = nullptr; // owned reference
    IObriskSdk* m_sdk = nullptr; // owned reference
};
