#pragma once

#include <QLine>
#include <QRect>
#include <QSize>
#include <array>

// Where the seven answer fields of a question go in the game view, the light-blue
// panel behind them, the rule line of a column sum and where the bowl of apples
// is pushed back inside the view. Pure geometry, so it is testable without controls.
class CFieldLayout
{
public:
    // Field order of the game view's members.
    enum Field
    {
        Operand1 = 0,
        Operand2,
        Result,
        Remainder,
        OperatorSign,
        EqualsSign,
        RemainderMarker,
        FieldCount
    };

    static constexpr int kGap = 5;
    // Space between the second operand row and the result row of a column sum
    // at the standard question size.
    static constexpr int kRuleSpace = 13;

    struct Input
    {
        std::array<QSize, FieldCount> preferred; // preferred sizes in member order
        bool hasRemainder = false;
        bool vertical = false;
        QSize client; // client area of the view
        bool bowlVisible = false;
        QRect bowl; // bowl rectangle before the layout
        // Both grow with the question size; the 5-pixel gaps between fields and
        // around the panel do not.
        int ruleSpace = kRuleSpace;
        int ruleOffset = kGap; // from the second operand's bottom to the rule
    };

    struct Output
    {
        std::array<QRect, FieldCount> fields; // client coordinates
        bool remainderShown = false;
        QRect panel;
        bool wrapped = false;
        bool hasRule = false;
        QLine rule; // column sums only: from left to right end, at the rule's y
        QPoint bowlPosition; // unchanged unless the bowl is visible
    };

    static Output Arrange(const Input& in);

private:
    static void ArrangeRow(const Input& in, Output& out);
    static void ArrangeColumn(const Input& in, Output& out);
    static QPoint KeepBowlInside(const QRect& bowl, const QRect& client);
};
