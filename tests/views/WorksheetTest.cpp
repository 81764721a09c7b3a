// Worksheet figures laid out as the game lays out its fields, and the columns
// that fit a page.
#include "views/Worksheet.h"

#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "platform/locale/DecimalSeparator.h"
#include "tests/views/PdfText.h"
#include "views/PagedOutput.h"
#include "views/WorksheetPainter.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

CGameModel* buildGame(CGameModel& model, const char* op, int level, bool columns, int count)
{
    model.SetSetupRunner([=](std::vector<CParameterSet>& sets, int& n) {
        CParameterSet set;
        ApplyDefaults(set, op, level);
        set.Unlock(ParamKey::LayoutHorizontal);
        set.SetBool(ParamKey::LayoutHorizontal, !columns);
        sets = { set };
        n = count;
        return true;
    });
    model.SetMessageSink([](const QString&) {});
    model.NewGame(true);
    return &model;
}

} // namespace

TEST(WorksheetTest, ColumnSumsStackDigitsUnderARuleAndRowsRunLeftToRight)
{
    CGameModel columns(11);
    buildGame(columns, OperatorName::Addition, 3, true, 8);
    const CWorksheet sheet(columns, 11);
    ASSERT_EQ(sheet.Entries().size(), 8u);
    const CWorksheetPainter painter(sheet);
    for (const CWorksheet::Entry& entry : sheet.Entries()) {
        ASSERT_EQ(entry.question.vertical, 1);
        const CWorksheetPainter::Figure f = painter.Arrange(entry);
        const QRectF& a = f.fields[CFieldLayout::Operand1];
        const QRectF& b = f.fields[CFieldLayout::Operand2];
        const QRectF& r = f.fields[CFieldLayout::Result];
        // Right edges line up, so units stand under units.
        EXPECT_DOUBLE_EQ(a.right(), b.right());
        EXPECT_DOUBLE_EQ(b.right(), r.right());
        EXPECT_LT(a.bottom(), b.top());
        ASSERT_TRUE(f.hasRule);
        EXPECT_GE(f.rule.y1(), b.bottom());
        EXPECT_LE(f.rule.y1(), r.top());
        EXPECT_LE(f.rule.x1(), std::min(b.left(), r.left()));
        EXPECT_GE(f.rule.x2(), std::max(b.right(), r.right()));
        EXPECT_LT(f.fields[CFieldLayout::OperatorSign].right(), b.left());
    }

    CGameModel rows(12);
    buildGame(rows, OperatorName::Division, 1, false, 8);
    const CWorksheet rowSheet(rows, 12);
    const CWorksheetPainter rowPainter(rowSheet);
    bool sawRemainder = false;
    for (const CWorksheet::Entry& entry : rowSheet.Entries()) {
        const CWorksheetPainter::Figure f = rowPainter.Arrange(entry);
        const CFieldLayout::Field order[] = { CFieldLayout::Operand1, CFieldLayout::OperatorSign,
            CFieldLayout::Operand2, CFieldLayout::EqualsSign, CFieldLayout::Result,
            CFieldLayout::RemainderMarker, CFieldLayout::Remainder };
        const int count = entry.question.HasRemainder() ? 7 : 5;
        sawRemainder |= count == 7;
        for (int i = 1; i < count; ++i) {
            EXPECT_LT(f.fields[order[i - 1]].right(), f.fields[order[i]].left()) << i;
            EXPECT_DOUBLE_EQ(f.fields[order[i - 1]].top(), f.fields[order[i]].top());
        }
        EXPECT_FALSE(f.hasRule);
    }
    EXPECT_TRUE(sawRemainder);
    // Division with remainder boxes fits two to an A4 or Letter page, single
    // digit sums three; a very narrow page takes one.
    const qreal pageWidth = CPagedOutput::LocalePageSize().size(QPageSize::Point).width() - 85;
    EXPECT_EQ(rowPainter.ColumnsFor(pageWidth), 2);
    EXPECT_EQ(rowPainter.ColumnsFor(150), 1);
    CGameModel small(13);
    buildGame(small, OperatorName::Addition, 0, false, 8);
    const CWorksheet smallSheet(small, 13);
    EXPECT_EQ(CWorksheetPainter(smallSheet).ColumnsFor(pageWidth), 3);

    // A sheet of column sums for a look (kept out of the repository).
    const QString dir = QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots");
    QDir().mkpath(dir);
    QString error;
    const QString path = dir + QStringLiteral("/worksheet-column-sums.pdf");
    ASSERT_TRUE(CPagedOutput::WritePdf(
        path, QStringLiteral("Kestavo worksheet"),
        [&painter](QPagedPaintDevice& device) { return painter.Paint(device); }, error))
        << error.toStdString();
    const QString text = Tokens(PdfText(path));
    for (const CWorksheet::Entry& entry : sheet.Entries())
        EXPECT_TRUE(text.contains(QStringLiteral("%1) %2").arg(entry.number).arg(CWorksheet::KeyText(entry))))
            << "key of " << entry.number;
}

// A comma class gets its worksheets and answer keys printed with the comma.
TEST(WorksheetTest, DecimalsArePrintedWithTheClasssSeparator)
{
    ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Comma));
    CGameModel model(21);
    buildGame(model, OperatorName::Addition, 2, false, 8);
    CQuestion& q = model.GetItem(0)->question;
    q.operand1 = QStringLiteral("2.5");
    q.operand2 = QStringLiteral("1.25");
    q.result = QStringLiteral("3.75");
    q.algebra = false;
    const CWorksheet sheet(model, 21);
    const QString dir = QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots");
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/worksheet-decimal-comma.pdf");
    QString error;
    const CWorksheetPainter painter(sheet);
    ASSERT_TRUE(CPagedOutput::WritePdf(
        path, QStringLiteral("Kestavo worksheet"),
        [&painter](QPagedPaintDevice& device) { return painter.Paint(device); }, error))
        << error.toStdString();
    const QString text = Tokens(PdfText(path));
    EXPECT_TRUE(text.contains(QStringLiteral("2,5 + 1,25 ="))) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1) 3,75"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("3.75")));
}
