#pragma once

#include "board/ObriskEventListener.h"

#include <QCoreApplication>
#include <QThread>
#include <string>
#include <vector>

// Records each listener call as text, and whether it ran on the application thread.
class CRecordingListener : public CObriskEventListener
{
public:
    std::vector<std::string> calls;
    int offThreadCalls = 0;

    void OnXYDown(int x, int y, int v, int p) override { Record("down", x, y, v, p); }
    void OnXYMove(int x, int y, int v, int p) override { Record("move", x, y, v, p); }
    void OnXYUp(int x, int y, int v, int p) override { Record("up", x, y, v, p); }
    void OnXYNonProjectedDown(int x, int y, int v, int p) override { Record("npdown", x, y, v, p); }
    void OnNoTool(int v) override { Record("notool", v); }
    void OnPen(int v) override { Record("pen", v); }
    void OnEraser(int v) override { Record("eraser", v); }
    void OnClear(int v) override { Record("clear", v); }
    void OnNext(int v) override { Record("next", v); }
    void OnObriskBoardStatusChange() override { Record("status"); }

protected:
    template <class... Values> void Record(const char* name, Values... values)
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            ++offThreadCalls;
        std::string text = name;
        ((text += " " + std::to_string(values)), ...);
        calls.push_back(text);
    }
};
