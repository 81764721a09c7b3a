// Score, hints, rows, pages and colours of the results screen.
#include "views/SummaryView.h"

#include "config/TeacherOptions.h"
#include "tests/views/FakeAppServices.h"
#include "tests/views/TextRecorder.h"
#include "views/ButtonStrip.h"
#include "views/SavedAnswer.h"
#include "views/SummaryContent.h"

#include <QDir>
#include <QLabel>
#include <QFontMetricsF>
#include <QPainter>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// State string of a field: expected text, entries, hint marks, verified digit.
QString state(const QString& expected, const QString& entries, const QString& marks = QString())
{
    const QString m = marks.isEmpty() ? QString(expected.size(), QLatin1Char(' ')) : marks;
    return expected + entries + m + QLatin1Char('1');
}

CQuestion question(const char* a, const char* sign, const char* b, const char* r, const char* rem = "")
{
    CQuestion q;
    q.operand1 = QString::fromLatin1(a);
    q.operatorSign = QString::fromLatin1(sign);
    q.operand2 = QString::fromLatin1(b);
    q.result = QString::fromLatin1(r);
    q.remainder = QString::fromLatin1(rem);
    q.algebra = false;
    return q;
}

struct SummaryFixture : ::testing::Test
{
    SummaryFixture()
        : model(99)
        , setup(model)
    {
        services.model = &model;
        model.NewGame(true); // ten addition questions
        for (int i = 0; i < model.GetItemCount(); ++i) {
            CQuestionItem* item = model.GetItem(i);
            item->question = question("12", "+", "30", "42");
            item->unknownPosition = 2;
        }
    }

    CQuestionItem& item(int i) { return *model.GetItem(i); }

    static QString joined(const CSummaryContent::Row& row)
    {
        QString s;
        for (const QString& c : row.cells)
            s += c;
        return s;
    }

    CGameModel model;
    ScriptedSetup setup;
    FakeAppServices services;
};

} // namespace

TEST(SavedAnswer, SplitsWellFormedStatesAndRejectsOthers)
{
    const CSavedAnswer s(QStringLiteral("424  x 0"));
    EXPECT_FALSE(s.IsPresent()); // 8 characters is not 3n + 1
    const CSavedAnswer t(QStringLiteral("424  x0"));
    ASSERT_TRUE(t.IsPresent());
    EXPECT_EQ(t.Expected(), QStringLiteral("42"));
    EXPECT_EQ(t.Entries(), QStringLiteral("4 "));
    EXPECT_EQ(t.HintMarks(), QStringLiteral(" x"));
    EXPECT_EQ(t.HintCount(), 1);
    EXPECT_FALSE(t.Verified());
    EXPECT_FALSE(CSavedAnswer(QString()).IsPresent());
    const CSavedAnswer empty(QStringLiteral("1"));
    EXPECT_TRUE(empty.IsPresent());
    EXPECT_EQ(empty.CellCount(), 0);
}

TEST_F(SummaryFixture, ScoreCountsExactAnswersAndAllHintMarks)
{
    ASSERT_EQ(model.GetItemCount(), 10);
    item(0).answerState = state("42", "42");
    item(1).answerState = state("42", "42", "xx"); // helped twice, still right
    item(2).answerState = state("42", "41", " x");
    item(3).answerState = state("42", " 2");
    item(4).answerState = QStringLiteral("42420"); // malformed: skipped
    // Division: the remainder must be right as well.
    item(5).answerState = state("7", "7");
    item(5).remainderState = state("3", "3", "x");
    item(6).answerState = state("7", "7");
    item(6).remainderState = state("3", " ");
    const CSummaryContent content(model);
    EXPECT_EQ(content.Correct(), 3);
    EXPECT_EQ(content.Hints(), 4);
    EXPECT_EQ(content.QuestionCount(), 10);
}

TEST_F(SummaryFixture, RowsShowAnswersAndMarkTheVerdict)
{
    item(0).answerState = state("42", "42");
    const CSummaryContent::Row right = CSummaryContent::MakeRow(item(0), 0);
    EXPECT_TRUE(right.right);
    EXPECT_EQ(right.cells[0], QStringLiteral("1)\t"));
    EXPECT_EQ(joined(right), QStringLiteral("1)\t12   +   30   =   42      ") + QStringLiteral("   "));
    EXPECT_TRUE(right.written[5]);
    EXPECT_TRUE(right.written[7]); // unknown result: its remainder column too
    EXPECT_FALSE(right.written[1]);

    // A wrong answer shows what was written; blanks are trimmed.
    item(1).answerState = state("42", " 4");
    const CSummaryContent::Row wrong = CSummaryContent::MakeRow(item(1), 1);
    EXPECT_FALSE(wrong.right);
    EXPECT_EQ(wrong.cells[5], QStringLiteral("4   "));

    // Never visited: "?" for each digit, decimal point kept.
    item(2).question = question("1.5", "+", "2.25", "3.75");
    item(2).answerState.clear();
    const CSummaryContent::Row unseen = CSummaryContent::MakeRow(item(2), 2);
    EXPECT_FALSE(unseen.right);
    EXPECT_EQ(unseen.cells[5], QStringLiteral("?.??   "));
}

TEST_F(SummaryFixture, UnknownOperandTakesItsColumn)
{
    CQuestion q = question("12", "+", "30", "42");
    q.algebra = true;
    item(0).question = q;
    item(0).unknownPosition = 1;
    item(0).answerState = state("30", "30");
    const CSummaryContent::Row row = CSummaryContent::MakeRow(item(0), 0);
    EXPECT_TRUE(row.right);
    EXPECT_TRUE(row.written[3]);
    EXPECT_FALSE(row.written[5]);
    EXPECT_FALSE(row.written[7]);
    EXPECT_EQ(row.cells[3], QStringLiteral("30   "));

    // Without the algebra flag the position is ignored: the result is asked.
    item(1).question = question("12", "+", "30", "42");
    item(1).unknownPosition = 0;
    item(1).answerState.clear();
    const CSummaryContent::Row plain = CSummaryContent::MakeRow(item(1), 1);
    EXPECT_EQ(plain.cells[1], QStringLiteral("12   "));
    EXPECT_EQ(plain.cells[5], QStringLiteral("??   "));
}

TEST_F(SummaryFixture, RemainderRowsOfDivision)
{
    item(0).question = question("23", "/", "5", "4", "3");
    // Quotient written, remainder left empty: the expected remainder shows, red row.
    item(0).answerState = state("4", "4");
    item(0).remainderState = state("3", " ");
    const CSummaryContent::Row partial = CSummaryContent::MakeRow(item(0), 0);
    EXPECT_FALSE(partial.right);
    EXPECT_EQ(partial.cells[6], QStringLiteral("R   "));
    EXPECT_EQ(partial.cells[7], QStringLiteral("3   "));

    // Never visited: both quotient and remainder are question marks.
    item(1).question = question("23", "/", "5", "4", "3");
    const CSummaryContent::Row unseen = CSummaryContent::MakeRow(item(1), 1);
    EXPECT_EQ(unseen.cells[5], QStringLiteral("?   "));
    EXPECT_EQ(unseen.cells[7], QStringLiteral("?   "));

    item(2).question = question("23", "/", "5", "4", "3");
    item(2).answerState = state("4", "4");
    item(2).remainderState = state("3", "3");
    EXPECT_TRUE(CSummaryContent::MakeRow(item(2), 2).right);
}

TEST_F(SummaryFixture, TenQuestionsAtHeight375MakeTwoPagesOfSix)
{
    CButtonStrip strip(services);
    services.strip = &strip;
    strip.SetStatusText(QStringLiteral("Question 10 of 10"));
    CSummaryView view(services);
    view.resize(800, 375);
    view.show();
    EXPECT_EQ(view.RowsPerPage(), 6);
    EXPECT_EQ(view.PageCount(), 2);
    EXPECT_EQ(view.PageIndex(), 0);
    EXPECT_FALSE(view.PreviousButton()->isEnabled());
    EXPECT_TRUE(view.NextButton()->isEnabled());
    EXPECT_EQ(view.NextButton()->geometry(), QRect(710, 340, 80, 25));
    EXPECT_EQ(view.PreviousButton()->geometry(), QRect(620, 340, 80, 25));
    EXPECT_EQ(view.NextButton()->text(), QStringLiteral("Next"));
    EXPECT_EQ(view.PreviousButton()->text(), QStringLiteral("Previous"));

    view.NextButton()->click();
    EXPECT_EQ(view.PageIndex(), 1);
    EXPECT_TRUE(view.PreviousButton()->isEnabled());
    EXPECT_FALSE(view.NextButton()->isEnabled());
    view.OnNextPage(); // already on the last page
    EXPECT_EQ(view.PageIndex(), 1);

    // Resizing goes back to the first page; a very low window keeps two rows.
    view.resize(800, 100);
    EXPECT_EQ(view.PageIndex(), 0);
    EXPECT_EQ(view.RowsPerPage(), 2);

    // The strip is cleared for the results: status blank, relays off.
    EXPECT_EQ(strip.StatusText(), QString(30, QLatin1Char(' ')));
    EXPECT_FALSE(strip.GetButton(CButtonStrip::Previous)->isEnabled());
    EXPECT_FALSE(strip.GetButton(CButtonStrip::Next)->isEnabled());
    EXPECT_FALSE(strip.GetButton(CButtonStrip::Check)->isEnabled());
    EXPECT_FALSE(strip.GetButton(CButtonStrip::Hint)->isEnabled());
    EXPECT_TRUE(strip.GetButton(CButtonStrip::GoStop)->isEnabled());
    EXPECT_FALSE(services.nextEnabled);
    EXPECT_FALSE(services.previousEnabled);
}

TEST_F(SummaryFixture, NewQuestionSetReturnsToFirstPageAndViewUnregisters)
{
    {
        CSummaryView view(services);
        view.resize(800, 375);
        view.show();
        view.OnNextPage();
        ASSERT_EQ(view.PageIndex(), 1);
        model.BuildQuestions();
        EXPECT_EQ(view.PageIndex(), 0);
    }
    // The destroyed view is no longer notified.
    model.BuildQuestions();
    SUCCEED();
}

TEST_F(SummaryFixture, RowsDrawnInTheirColours)
{
    item(0).answerState = state("42", "42"); // right: blue
    item(1).answerState = state("42", "17"); // wrong: red
    CSummaryView view(services);
    view.resize(900, 375);
    view.show();
    const QImage img = view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    auto countColour = [&](int y0, QRgb colour) {
        int n = 0;
        for (int y = y0; y < y0 + 30; ++y)
            for (int x = 60; x < 700; ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    };
    const QRgb blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0), teal = qRgb(0, 150, 150);
    EXPECT_GT(countColour(100, blue), 20);
    EXPECT_EQ(countColour(100, red), 0);
    EXPECT_GT(countColour(100, teal), 10); // the written answer
    EXPECT_GT(countColour(150, red), 20);
    EXPECT_EQ(countColour(150, blue), 0);
    // Header in black above the rows.
    int dark = 0;
    for (int y = 10; y < 40; ++y)
        for (int x = 40; x < 400; ++x)
            dark += qGray(img.pixel(x, y)) < 60;
    EXPECT_GT(dark, 50);
}

// Ticks and crosses beside the row numbers, so the list reads without colour,
// and the page count beside the page buttons.
TEST_F(SummaryFixture, RowsCarryTickOrCrossAndPagesAreCounted)
{
    item(0).answerState = state("42", "42"); // right
    item(1).answerState = state("42", "17"); // wrong
    CSummaryView view(services);
    view.resize(900, 375);
    view.show();
    ASSERT_TRUE(view.MarksShown()); // on unless the teacher turned it off

    QDir().mkpath(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots"));
    const QImage img = view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    img.save(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/summary-marks.png"));
    // Pixels of the colour in a part of a mark box (fractions of its size).
    auto inBox = [](const QImage& image, const QRect& box, QRgb colour, qreal x0, qreal y0, qreal x1,
                     qreal y1) {
        int n = 0;
        for (int y = box.top() + int(box.height() * y0); y < box.top() + int(box.height() * y1); ++y)
            for (int x = box.left() + int(box.width() * x0); x < box.left() + int(box.width() * x1); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    };
    const QRgb blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0);
    const QRect rightBox = CSummaryView::MarkRect(100);
    const QRect wrongBox = CSummaryView::MarkRect(150);
    // Left of the row number, inside the view.
    EXPECT_LT(rightBox.right(), CSummaryView::kRowsLeft);
    EXPECT_GE(rightBox.left(), 0);
    // The right row's mark is blue and a tick: nothing in its top-left corner.
    EXPECT_GT(inBox(img, rightBox, blue, 0, 0, 1, 1), 15);
    EXPECT_EQ(inBox(img, rightBox, red, 0, 0, 1, 1), 0);
    EXPECT_EQ(inBox(img, rightBox, blue, 0, 0, 0.3, 0.3), 0);
    EXPECT_GT(inBox(img, rightBox, blue, 0.7, 0, 1, 0.3), 0);
    // The wrong row's mark is red and a cross: all four corners and the middle.
    EXPECT_EQ(inBox(img, wrongBox, blue, 0, 0, 1, 1), 0);
    EXPECT_GT(inBox(img, wrongBox, red, 0, 0, 0.35, 0.35), 0);
    EXPECT_GT(inBox(img, wrongBox, red, 0.65, 0.65, 1, 1), 0);
    EXPECT_GT(inBox(img, wrongBox, red, 0.4, 0.4, 0.6, 0.6), 0);

    // Unvisited questions are wrong and crossed too.
    const QRect unvisited = CSummaryView::MarkRect(200);
    EXPECT_GT(inBox(img, unvisited, red, 0.4, 0.4, 0.6, 0.6), 0);

    view.SetMarksShown(false);
    const QImage plain = view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(inBox(plain, rightBox, blue, 0, 0, 1, 1), 0);
    EXPECT_EQ(inBox(plain, wrongBox, red, 0, 0, 1, 1), 0);

    // "Page 1 of 2" beside the buttons, left of "Previous" on the same line.
    QLabel* label = view.PageLabel();
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("Page 1 of 2"));
    EXPECT_LE(label->geometry().right(), view.PreviousButton()->geometry().left());
    EXPECT_EQ(label->geometry().top(), view.PreviousButton()->geometry().top());
    EXPECT_GE(label->geometry().left(), 0);
    view.NextButton()->click();
    EXPECT_EQ(label->text(), QStringLiteral("Page 2 of 2"));
    view.resize(900, 900); // one page holds all ten
    EXPECT_EQ(label->text(), QStringLiteral("Page 1 of 1"));
}

TEST_F(SummaryFixture, MarksFollowTheTeachersStoredChoice)
{
    ASSERT_TRUE(CTeacherOptions::SetSummaryMarks(false));
    EXPECT_FALSE(CSummaryView(services).MarksShown());
    ASSERT_TRUE(CTeacherOptions::SetSummaryMarks(true));
    EXPECT_TRUE(CSummaryView(services).MarksShown());
}

TEST_F(SummaryFixture, UnansweredCountsQuestionsWithoutAWrittenCell)
{
    // Ten questions; three have something written, one only a blank state.
    item(0).answerState = state("42", "42");
    item(1).answerState = state("42", " 7");
    item(2).answerState = state("42", "  ");
    item(3).question = question("17", "/", "5", "3", "2");
    item(3).answerState = state("3", " ");
    item(3).remainderState = state("2", "2"); // only the remainder written
    EXPECT_EQ(CSummaryContent::CountUnanswered(model), 7);
}

TEST_F(SummaryFixture, HeaderAndRowsInTheirFontsAndColumns)
{
    item(0).answerState = state("42", "42");
    item(1).answerState = state("42", "17");
    CSummaryView view(services);
    view.resize(900, 700); // one page of all ten rows
    TextRecorder drawn;
    {
        QPainter painter(&drawn);
        view.render(&painter);
    }

    // Two header lines in bold Courier New 28 pixels high, at x 40.
    const TextRecorder::Text* score = drawn.Find(QStringLiteral("Score"));
    const TextRecorder::Text* hints = drawn.Find(QStringLiteral("Hints"));
    ASSERT_TRUE(score && hints);
    EXPECT_EQ(score->text, QStringLiteral("Score: 1 correct out of 10"));
    EXPECT_EQ(hints->text, QStringLiteral("Hints: 0"));
    for (const TextRecorder::Text* header : { score, hints }) {
        EXPECT_EQ(header->font.family(), QStringLiteral("Courier New"));
        EXPECT_TRUE(header->font.bold());
        // Asked for by its cell height: the line comes within a pixel of it.
        EXPECT_NEAR(QFontMetricsF(header->font).height(), 28.0, 1.0);
        EXPECT_EQ(header->colour, QColor(Qt::black));
    }
    const qreal headerAscent = QFontMetricsF(score->font).ascent();
    EXPECT_EQ(score->at, QPointF(40, 10 + headerAscent));
    EXPECT_EQ(hints->at, QPointF(40, 45 + headerAscent));

    // Rows in bold Arial 20 pixels high, 50 apart from y 100; the numbers at
    // x 80 and the question one tab stop further, so that "10)" lines up too.
    const TextRecorder::Text* first = drawn.Find(QStringLiteral("1)"));
    const TextRecorder::Text* tenth = drawn.Find(QStringLiteral("10)"));
    ASSERT_TRUE(first && tenth);
    EXPECT_EQ(first->font.family(), QStringLiteral("Arial"));
    EXPECT_TRUE(first->font.bold());
    EXPECT_NEAR(QFontMetricsF(first->font).height(), 20.0, 1.0);
    const QFontMetricsF rowMetrics(first->font);
    EXPECT_EQ(first->at, QPointF(80, 100 + rowMetrics.ascent()));
    EXPECT_EQ(tenth->at, QPointF(80, 100 + 9 * 50 + rowMetrics.ascent()));
    std::vector<qreal> operandColumn;
    for (const TextRecorder::Text& t : drawn.Texts())
        if (t.text.startsWith(QStringLiteral("12")))
            operandColumn.push_back(t.at.x());
    ASSERT_EQ(operandColumn.size(), 10u);
    for (qreal x : operandColumn)
        EXPECT_DOUBLE_EQ(x, 80 + 8 * rowMetrics.averageCharWidth());
}
