// Hyperlink text controls: which targets are opened, and how a link shows it.
#include "app/StaticLink.h"

#include "resources/StringTable.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

TEST(StaticLink, BareEmailAddressesBecomeMailtoLinks)
{
    EXPECT_EQ(
        CStaticLink::WithMailtoPrefix("support@example.com"), QStringLiteral("mailto:support@example.com"));
    EXPECT_EQ(CStaticLink::WithMailtoPrefix("ab@cd.ef"), QStringLiteral("mailto:ab@cd.ef"));
    // Seven characters or fewer are left alone.
    EXPECT_EQ(CStaticLink::WithMailtoPrefix("a@b.com"), QStringLiteral("a@b.com"));
    EXPECT_EQ(CStaticLink::WithMailtoPrefix("MailTo:x@example.com"), QStringLiteral("MailTo:x@example.com"));
    EXPECT_EQ(
        CStaticLink::WithMailtoPrefix("HTTP://www.example.org"), QStringLiteral("HTTP://www.example.org"));
    // A web address that carries an "@" keeps its scheme, https included.
    EXPECT_EQ(CStaticLink::WithMailtoPrefix("http://user@example.org/"),
        QStringLiteral("http://user@example.org/"));
    EXPECT_EQ(CStaticLink::WithMailtoPrefix("https://user@example.org/"),
        QStringLiteral("https://user@example.org/"));
}

TEST(StaticLink, OnlyWebAndMailTargetsAreOpened)
{
    EXPECT_TRUE(CStaticLink::OpenableUrl("http://www.example.org").isValid());
    EXPECT_TRUE(CStaticLink::OpenableUrl("HTTPS://www.example.org/support").isValid());
    EXPECT_TRUE(CStaticLink::OpenableUrl("mailto:support@example.com").isValid());
    for (const char* target : { "file:///etc/passwd", "/usr/bin/xterm", "www.example.org",
             "javascript:alert(1)", "smb://server/share", "http://", "mailto:", "ftp://example.org" })
        EXPECT_FALSE(CStaticLink::OpenableUrl(target).isValid()) << target;
}

TEST(StaticLink, ClickOpensTheTargetAndTurnsPurple)
{
    CStaticLink link(QStringLiteral("support@example.com"), nullptr, 1021);
    EXPECT_EQ(link.objectName(), QStringLiteral("1021"));
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), CStaticLink::UnvisitedColor);

    QList<QUrl> opened;
    link.SetLauncher([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    link.resize(200, 20);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(&link, &press);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:support@example.com")));
    EXPECT_EQ(link.LinkColor(), CStaticLink::VisitedColor);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(128, 0, 128));

    // The target, when set, wins over the text.
    link.SetTarget(QStringLiteral("https://www.example.org/support"));
    EXPECT_TRUE(link.Open());
    EXPECT_EQ(opened.last(), QUrl(QStringLiteral("https://www.example.org/support")));
}

TEST(StaticLink, FailureBeepsAndKeepsTheColour)
{
    CStaticLink link(QStringLiteral("https://www.example.org"));
    int failed = 0;
    QObject::connect(&link, &CStaticLink::openFailed, [&failed] { ++failed; });
    int calls = 0;
    link.SetLauncher([&calls](const QUrl&) {
        ++calls;
        return false;
    });
    EXPECT_FALSE(link.Open());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(link.LinkColor(), CStaticLink::UnvisitedColor);

    // A target that may not be opened never reaches the launcher.
    link.SetTarget(QStringLiteral("file:///etc/passwd"));
    EXPECT_FALSE(link.Open());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(failed, 2);
    EXPECT_EQ(link.LinkColor(), CStaticLink::UnvisitedColor);
}

TEST(StaticLink, EmptyTextFallsBackToTheStringOfItsId)
{
    CStaticLink link(QString(), nullptr, 57344);
    EXPECT_EQ(link.ResolvedTarget(), LoadResString(57344));
    CStaticLink nothing(QString(), nullptr, 0);
    int calls = 0;
    nothing.SetLauncher([&calls](const QUrl&) { return ++calls > 0; });
    int failed = 0;
    QObject::connect(&nothing, &CStaticLink::openFailed, [&failed] { ++failed; });
    EXPECT_FALSE(nothing.Open());
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(failed, 0); // nothing to open: not even a beep
}
