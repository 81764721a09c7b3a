#pragma once

#include <QRect>

// What the drawing layers of the game view (apples, scribbles) need from the
// window that shows them: re-render part of the back buffer, push the result to
// the screen now, and pause the window thread during the apple fade-out.
class CSceneHost
{
public:
    virtual ~CSceneHost() = default;

    // Re-renders the given area of the back buffer (null: the whole buffer).
    virtual void RenderBackground(const QRect* area) = 0;
    // Shows what was rendered without waiting for the event loop.
    virtual void UpdateWindow() = 0;
    // Blocks the window thread; the fade-out runs synchronously.
    virtual void Sleep(int milliseconds) = 0;
    // Schedules a repaint of an area already drawn into the back buffer (live ink).
    virtual void Invalidate(const QRect& area) { (void)area; }
};
