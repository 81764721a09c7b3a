// At start the first dialog is drawn before the main window behind it, and the
// program's icon is given to the windows once it has been.
#include "app/DialogFirst.h"
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "tests/fixtures/Settle.h"

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Paint events of every window in the order they came.
int g_paintOrder = 0;

template <typename Base>
struct Counting : Base
{
    using Base::Base;
    void paintEvent(QPaintEvent* event) override
    {
        if (firstPaint == 0)
            firstPaint = ++g_paintOrder;
        Base::paintEvent(event);
    }
    int firstPaint = 0;
};

} // namespace

TEST(DialogFirst, TheDialogIsDrawnBeforeTheWindowBehindIt)
{
    Counting<QWidget> frame;
    frame.resize(400, 300);
    CDialogFirst hold(&frame, 10000);
    QSignalSpy released(&hold, &CDialogFirst::released);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTest::qWait(50);
    EXPECT_EQ(frame.firstPaint, 0) << "the main window painted before any dialog";

    // Another plain window is not the dialog the teacher waits for.
    Counting<QWidget> other;
    other.resize(100, 100);
    other.show();
    QTRY_VERIFY(other.firstPaint > 0);
    EXPECT_TRUE(hold.IsHolding());
    EXPECT_EQ(frame.firstPaint, 0);

    Counting<QDialog> dialog(&frame);
    dialog.resize(200, 100);
    dialog.show();
    ASSERT_TRUE(released.wait(5000));
    EXPECT_FALSE(hold.IsHolding());
    EXPECT_TRUE(frame.updatesEnabled());
    QTRY_VERIFY(frame.firstPaint > 0);
    EXPECT_LT(dialog.firstPaint, frame.firstPaint);
    EXPECT_EQ(released.count(), 1);
}

TEST(DialogFirst, TheWindowIsDrawnAnywayWhenNoDialogComes)
{
    Counting<QWidget> frame;
    frame.resize(400, 300);
    CDialogFirst hold(&frame, 100);
    QSignalSpy released(&hold, &CDialogFirst::released);
    frame.show();
    ASSERT_TRUE(released.wait(5000));
    QTRY_VERIFY(frame.firstPaint > 0);
    EXPECT_EQ(released.count(), 1);
}

TEST(DialogFirst, TheProgramsWindowsGetTheirIconOnceTheFirstDialogIsDrawn)
{
    QApplication::setWindowIcon(QIcon());
    CKestavoApp app;
    CKestavoApp::Options options;
    options.goAtStart = false;
    options.dialogFirst = true;
    options.messageSink = [](const QString&) {};
    ASSERT_TRUE(app.InitInstance(options));
    CMainFrame* frame = app.GetMainFrame();
    settle();
    EXPECT_FALSE(frame->updatesEnabled());
    EXPECT_TRUE(QApplication::windowIcon().isNull()) << "the icon is not needed before the first dialog";

    QDialog dialog(frame);
    dialog.resize(200, 100);
    dialog.show();
    QTRY_VERIFY(frame->updatesEnabled());
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_FALSE(dialog.windowIcon().isNull());
}
