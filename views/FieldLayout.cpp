#include "views/FieldLayout.h"

#include <algorithm>

CFieldLayout::Output CFieldLayout::Arrange(const Input& in)
{
    Output out;
    out.remainderShown = in.hasRemainder;
    for (int i = 0; i < FieldCount; ++i)
        out.fields[i] = QRect(QPoint(0, 0), in.preferred[i]);

    if (in.vertical)
        ArrangeColumn(in, out);
    else
        ArrangeRow(in, out);

    // The panel sits 5 pixels from the left and bottom edges of the client area.
    const int placedCount = in.vertical ? 5 : (in.hasRemainder ? 7 : 5);
    static const Field order[]
        = { Operand1, OperatorSign, Operand2, EqualsSign, Result, RemainderMarker, Remainder };
    QRect panel(0, 0, 1, 1);
    for (int i = 0; i < placedCount; ++i)
        panel = panel.united(out.fields[order[i]]);
    panel.adjust(0, 0, kGap, kGap);
    const QPoint shift(kGap, in.client.height() - (panel.y() + panel.height()) - kGap);
    panel.translate(shift);
    out.panel = panel;
    for (QRect& field : out.fields)
        field.translate(panel.topLeft());
    if (out.hasRule)
        out.rule.translate(panel.topLeft());

    out.bowlPosition = in.bowl.topLeft();
    if (in.bowlVisible)
        out.bowlPosition = KeepBowlInside(in.bowl, QRect(QPoint(0, 0), in.client));
    return out;
}

void CFieldLayout::ArrangeRow(const Input& in, Output& out)
{
    static const Field order[]
        = { Operand1, OperatorSign, Operand2, EqualsSign, Result, RemainderMarker, Remainder };
    const int count = in.hasRemainder ? 7 : 5;
    int rowHeight = 0;
    int total = 2 * kGap;
    for (int i = 0; i < count; ++i) {
        rowHeight = std::max(rowHeight, out.fields[order[i]].height());
        total += out.fields[order[i]].width() + kGap;
    }
    out.wrapped = total > in.client.width();
    int x = kGap;
    int y = kGap;
    for (int i = 0; i < count; ++i) {
        QRect& field = out.fields[order[i]];
        field = QRect(x, y, field.width(), rowHeight);
        if (order[i] == Operand2 && out.wrapped) {
            y += rowHeight + kGap;
            x = kGap;
        } else {
            x += field.width() + kGap;
        }
    }
}

void CFieldLayout::ArrangeColumn(const Input& in, Output& out)
{
    QRect& first = out.fields[Operand1];
    QRect& sign = out.fields[OperatorSign];
    QRect& second = out.fields[Operand2];
    QRect& equals = out.fields[EqualsSign];
    QRect& result = out.fields[Result];

    const int t = std::max(
        { first.width(), sign.width() + second.width() + kGap, equals.width() + result.width() + kGap });
    const int right = t + kGap; // right edge (exclusive) of the column
    first.moveTo(right - first.width(), kGap);

    const int h2 = std::max(sign.height(), second.height());
    const int y2 = first.height() + 2 * kGap;
    sign = QRect(kGap, y2, sign.width(), h2);
    second = QRect(right - second.width(), y2, second.width(), h2);

    const int h3 = std::max(equals.height(), result.height());
    const int y3 = first.height() + h2 + 2 * kGap + in.ruleSpace;
    equals = QRect(kGap, y3, equals.width(), h3);
    result = QRect(right - result.width(), y3, result.width(), h3);

    // The rule spans the wider of second operand and result, 5 pixels under the
    // second operand at the standard size.
    out.hasRule = true;
    const int ruleY = second.y() + second.height() + in.ruleOffset;
    out.rule = QLine(std::min(second.left(), result.left()), ruleY,
        std::max(second.x() + second.width(), result.x() + result.width()), ruleY);
}

QPoint CFieldLayout::KeepBowlInside(const QRect& bowl, const QRect& client)
{
    if (!bowl.intersects(client))
        return QPoint(client.width() - bowl.width(), client.height() - bowl.height());
    QRect b = bowl;
    if (b.left() < client.left())
        b.moveLeft(client.left());
    else if (b.x() + b.width() > client.width())
        b.moveLeft(client.width() - b.width());
    if (b.top() < client.top())
        b.moveTop(client.top());
    else if (b.y() + b.height() > client.height())
        b.moveTop(client.height() - b.height());
    return b.topLeft();
}
