#include "views/FieldLayout.h"

#include <gtest/gtest.h>

namespace {

using F = CFieldLayout;

// Operands 60 wide, signs 30, result 90, remainder 40; all 50 high except the
// magnified result (70 high).
F::Input Question(int width, int height)
{
    F::Input in;
    in.preferred[F::Operand1] = QSize(60, 50);
    in.preferred[F::Operand2] = QSize(60, 50);
    in.preferred[F::Result] = QSize(90, 70);
    in.preferred[F::Remainder] = QSize(40, 50);
    in.preferred[F::OperatorSign] = QSize(30, 50);
    in.preferred[F::EqualsSign] = QSize(30, 50);
    in.preferred[F::RemainderMarker] = QSize(30, 50);
    in.client = QSize(width, height);
    return in;
}

} // namespace

TEST(FieldLayoutTest, HorizontalRowSitsInPanelAtBottomLeft)
{
    const F::Output out = F::Arrange(Question(1000, 700));
    EXPECT_FALSE(out.wrapped);
    EXPECT_FALSE(out.hasRule);
    // Row before shifting: x = 5, 70, 105, 170, 205; height 70 for all.
    // Panel (0,0)-(300,80) exclusive, moved so its bottom is 5 above 700: top 615.
    EXPECT_EQ(out.panel, QRect(5, 615, 300, 80));
    EXPECT_EQ(out.fields[F::Operand1], QRect(10, 620, 60, 70));
    EXPECT_EQ(out.fields[F::OperatorSign], QRect(75, 620, 30, 70));
    EXPECT_EQ(out.fields[F::Operand2], QRect(110, 620, 60, 70));
    EXPECT_EQ(out.fields[F::EqualsSign], QRect(175, 620, 30, 70));
    EXPECT_EQ(out.fields[F::Result], QRect(210, 620, 90, 70));
    EXPECT_EQ(out.panel.right() + 1, out.fields[F::Result].right() + 1 + 5);
    EXPECT_FALSE(out.remainderShown);
}

TEST(FieldLayoutTest, RowWrapsAfterSecondOperandOnlyWhenTooNarrow)
{
    F::Input in = Question(0, 700);
    in.hasRemainder = true;
    // One row needs 10 + (60+30+60+30+90+30+40) + 7*5 = 385 pixels.
    in.client.setWidth(385);
    EXPECT_FALSE(F::Arrange(in).wrapped);
    in.client.setWidth(384);
    const F::Output out = F::Arrange(in);
    ASSERT_TRUE(out.wrapped);
    EXPECT_TRUE(out.remainderShown);
    const int row1 = out.fields[F::Operand1].top();
    EXPECT_EQ(out.fields[F::Operand2].top(), row1);
    EXPECT_EQ(out.fields[F::EqualsSign].top(), row1 + 75);
    EXPECT_EQ(out.fields[F::EqualsSign].left(), out.fields[F::Operand1].left());
    EXPECT_EQ(out.fields[F::RemainderMarker].left(), out.fields[F::Result].right() + 1 + 5);
    EXPECT_EQ(out.fields[F::Remainder].left(), out.fields[F::RemainderMarker].right() + 1 + 5);
    EXPECT_EQ(out.fields[F::Remainder].top(), row1 + 75);
    // The panel still ends 5 pixels above the bottom and holds both rows.
    EXPECT_EQ(out.panel.bottom() + 1, 695);
    EXPECT_EQ(out.panel.top(), row1 - 5);
}

TEST(FieldLayoutTest, ColumnSumRightAlignsNumbersAndDrawsRuleUnderSecondOperand)
{
    F::Input in = Question(800, 600);
    in.vertical = true;
    const F::Output out = F::Arrange(in);
    // T = max(60, 30+60+5, 30+90+5) = 125; right edge 130.
    const QPoint o = out.panel.topLeft();
    EXPECT_EQ(out.fields[F::Operand1], QRect(70, 5, 60, 50).translated(o));
    EXPECT_EQ(out.fields[F::OperatorSign], QRect(5, 60, 30, 50).translated(o));
    EXPECT_EQ(out.fields[F::Operand2], QRect(70, 60, 60, 50).translated(o));
    EXPECT_EQ(out.fields[F::EqualsSign], QRect(5, 123, 30, 70).translated(o));
    EXPECT_EQ(out.fields[F::Result], QRect(40, 123, 90, 70).translated(o));
    ASSERT_TRUE(out.hasRule);
    // From the result's left (wider) to the common right edge, 5 under the second operand.
    EXPECT_EQ(out.rule, QLine(QPoint(40, 115) + o, QPoint(130, 115) + o));
    EXPECT_EQ(out.panel, QRect(5, 600 - 5 - 198, 135, 198));
}

TEST(FieldLayoutTest, BowlIsPushedBackInsideOrParkedInTheCorner)
{
    F::Input in = Question(1000, 700);
    in.bowlVisible = true;
    in.bowl = QRect(-191, -112, 190, 111); // off-screen at the start
    EXPECT_EQ(F::Arrange(in).bowlPosition, QPoint(810, 589));

    in.bowl = QRect(900, 650, 190, 111); // sticks out right and bottom
    EXPECT_EQ(F::Arrange(in).bowlPosition, QPoint(810, 589));
    in.bowl = QRect(-50, -20, 190, 111); // sticks out left and top
    EXPECT_EQ(F::Arrange(in).bowlPosition, QPoint(0, 0));
    in.bowl = QRect(300, 200, 190, 111); // inside: stays
    EXPECT_EQ(F::Arrange(in).bowlPosition, QPoint(300, 200));

    in.bowlVisible = false;
    in.bowl = QRect(900, 650, 190, 111);
    EXPECT_EQ(F::Arrange(in).bowlPosition, QPoint(900, 650));
}
