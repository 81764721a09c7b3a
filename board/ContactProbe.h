#pragma once

// An optional observer of board contacts, for load measurements. A program that
// exports the C function `KestavoContactProbe` (link it with -rdynamic) is told
// of every contact event as the board's thread calls the event sink (before the
// sink's lock: listener null), once the sink has queued it (the listener known),
// and just before and just after the listener handles it (on the owner's
// thread). The observer is looked up once per module, so the control's library
// and the program reach the same one; without it a contact costs one null
// check. Nothing about delivery changes either way.

extern "C" {
// stage: CContactProbe::Stage; dispid: the contact event's DISPID; listener: who gets it.
typedef void (*KestavoContactProbeFn)(
    int stage, int dispid, int x, int y, int value, int pointerId, const void* listener);
}

class CContactProbe
{
public:
    enum Stage
    {
        Queued = 0,
        Delivering = 1,
        Handled = 2,
        Arriving = 3,
    };

    static constexpr const char* kSymbol = "KestavoContactProbe";

    // The observer exported by the program, or null.
    static KestavoContactProbeFn Observer();

    static void Report(Stage stage, int dispid, int x, int y, int value, int pointerId, const void* listener)
    {
        if (KestavoContactProbeFn observer = Observer())
            observer(stage, dispid, x, y, value, pointerId, listener);
    }
};
