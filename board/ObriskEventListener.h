#pragma once

// Receiver of board events on the owner's thread. The operations are in the
// order of the events' DISPIDs; every one does nothing unless overridden.
// Contact events carry the window's client coordinates, a third value whose
// meaning lies with the board software, and the pointer id of the tool.

#include <QString>

class CObriskEventListener
{
public:
    virtual ~CObriskEventListener() = 0;

    virtual void OnXYDown(int x, int y, int value, int pointerId);
    virtual void OnXYMove(int x, int y, int value, int pointerId);
    virtual void OnXYUp(int x, int y, int value, int pointerId);
    virtual void OnXYNonProjectedDown(int x, int y, int value, int pointerId);
    virtual void OnXYNonProjectedMove(int x, int y, int value, int pointerId);
    virtual void OnXYNonProjectedUp(int x, int y, int value, int pointerId);
    // Never called: the event sink drops this event.
    virtual void OnXMLAnnotation(const QString& annotation);
    virtual void OnNoTool(int value);
    virtual void OnPen(int value);
    virtual void OnEraser(int value);
    virtual void OnRectangle(int value);
    virtual void OnLine(int value);
    virtual void OnCircle(int value);
    virtual void OnPrint(int value);
    virtual void OnNext(int value);
    virtual void OnPrevious(int value);
    virtual void OnClear(int value);
    virtual void OnObriskBoardStatusChange();
};
