#include "board/ObriskEventListener.h"

CObriskEventListener::~CObriskEventListener() = default;

void CObriskEventListener::OnXYDown(int, int, int, int)
{
}
void CObriskEventListener::OnXYMove(int, int, int, int)
{
}
void CObriskEventListener::OnXYUp(int, int, int, int)
{
}
void CObriskEventListener::OnXYNonProjectedDown(int, int, int, int)
{
}
void CObriskEventListener::OnXYNonProjectedMove(int, int, int, int)
{
}
void CObriskEventListener::OnXYNonProjectedUp(int, int, int, int)
{
}
void CObriskEventListener::OnXMLAnnotation(const QString&)
{
}
void CObriskEventListener::OnNoTool(int)
{
}
void CObriskEventListener::OnPen(int)
{
}
void CObriskEventListener::OnEraser(int)
{
}
void CObriskEventListener::OnRectangle(int)
{
}
void CObriskEventListener::OnLine(int)
{
}
void CObriskEventListener::OnCircle(int)
{
}
void CObriskEventListener::OnPrint(int)
{
}
void CObriskEventListener::OnNext(int)
{
}
void CObriskEventListener::OnPrevious(int)
{
}
void CObriskEventListener::OnClear(int)
{
}
void CObriskEventListener::OnObriskBoardStatusChange()
{
}
