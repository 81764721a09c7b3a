// The about box: its pages and their order, texts, licence page, single OK.
#include "app/AboutSheet.h"

#include "app/StaticLink.h"
#include "resources/StringTable.h"
#include "tests/fixtures/Screenshots.h"
#include "tests/fixtures/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList TabTexts(const CAboutSheet& sheet)
{
    QStringList tabs;
    for (int i = 0; i < sheet.Tabs()->count(); ++i)
        tabs << sheet.Tabs()->tabText(i);
    return tabs;
}

QString LicenceFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("License.txt"));
    ::WriteFile(path, bytes);
    return path;
}

} // namespace

TEST(AboutSheet, PagesInOrderWithTheLicenseOnlyWhenItLoads)
{
    QTemporaryDir dir;
    CAboutSheet with(QString(), nullptr, 0, QString(), QString(), QString(), LicenceFile(dir, "Terms"));
    EXPECT_EQ(TabTexts(with),
        QStringList({ "Description", "License", "Intellectual Property", "Technical Support" }));
    EXPECT_EQ(with.LicensePage()->findChild<QPlainTextEdit*>(QStringLiteral("1008"))->toPlainText(),
        QStringLiteral("Terms"));

    CAboutSheet without(QString(), nullptr, 0);
    EXPECT_EQ(
        TabTexts(without), QStringList({ "Description", "Intellectual Property", "Technical Support" }));
    EXPECT_EQ(without.LicensePage(), nullptr);

    // A licence path that cannot be read shows the file error, then no tab.
    bool errorShown = false;
    QTimer::singleShot(0, [&errorShown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            errorShown = true;
            box->close();
        }
    });
    CAboutSheet unreadable(QString(), nullptr, 0, QString(), QString(), QString(), dir.path());
    EXPECT_TRUE(errorShown);
    EXPECT_EQ(
        TabTexts(unreadable), QStringList({ "Description", "Intellectual Property", "Technical Support" }));
}

TEST(AboutSheet, DefaultTextsBoldTitleAndSingleOk)
{
    CAboutSheet sheet(QString(), nullptr, 0);
    EXPECT_TRUE(sheet.windowTitle().isEmpty());
    EXPECT_EQ(sheet.Title(), LoadResString(57344));
    for (int i = 0; i < sheet.Tabs()->count(); ++i) {
        auto* title = sheet.Tabs()->widget(i)->findChild<QLabel*>(QStringLiteral("1001"));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), QStringLiteral("Tandrel Kestavo"));
        EXPECT_TRUE(title->font().bold());
        // 20 pixels is the height of the title's line, not its font size.
        EXPECT_EQ(QFontMetrics(title->font()).height(), 20);
    }
    QWidget* description = sheet.Tabs()->widget(0);
    EXPECT_EQ(description->findChild<QLabel*>(QStringLiteral("1004"))->text(), LoadResString(134));
    EXPECT_EQ(description->findChild<QLabel*>(QStringLiteral("1005"))->text(), LoadResString(135));

    sheet.show();
    QApplication::processEvents();
    auto* ok = sheet.findChild<QPushButton*>(QStringLiteral("1"));
    auto* cancel = sheet.findChild<QPushButton*>(QStringLiteral("2"));
    ASSERT_TRUE(ok && cancel);
    EXPECT_TRUE(ok->isVisible());
    EXPECT_FALSE(cancel->isVisible());
    ok->click();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);

    // Given texts win; an empty first description drops the Description page.
    CAboutSheet custom(QStringLiteral("About"), nullptr, 1, QStringLiteral("Title"), QStringLiteral("First"));
    EXPECT_EQ(custom.Tabs()->currentIndex(), 1);
    EXPECT_EQ(custom.Tabs()->widget(0)->findChild<QLabel*>(QStringLiteral("1001"))->text(),
        QStringLiteral("Title"));
    EXPECT_EQ(custom.Tabs()->widget(0)->findChild<QLabel*>(QStringLiteral("1004"))->text(),
        QStringLiteral("First"));
}

TEST(AboutSheet, TechnicalSupportShowsTheBuildAndLinks)
{
    CAboutSheet sheet(QString(), nullptr, 0);
    CAboutTechSupportPage* page = sheet.TechSupportPage();
    const QString build = page->findChild<QLabel*>(QStringLiteral("1003"))->text();
    EXPECT_TRUE(QRegularExpression(
        QStringLiteral("^Build 1\\.0\\.0\\.19 \\d\\d:\\d\\d:\\d\\d [A-Z][a-z]{2} \\d{1,2} \\d{4}$"))
                    .match(build)
                    .hasMatch())
        << build.toStdString();
    EXPECT_EQ(CAboutTechSupportPage::BuildLine(QStringLiteral("v%s")), QStringLiteral("v1.0.0.19"));
    EXPECT_EQ(page->EmailLink()->objectName(), QStringLiteral("1021"));
    EXPECT_EQ(page->WebLink()->objectName(), QStringLiteral("1020"));
    EXPECT_EQ(page->EmailLink()->ResolvedTarget(), QStringLiteral("mailto:") + page->EmailLink()->text());
    EXPECT_TRUE(CStaticLink::OpenableUrl(page->WebLink()->ResolvedTarget()).isValid());

    auto* notice = sheet.findChild<QPlainTextEdit*>(QStringLiteral("1007"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isReadOnly());
    EXPECT_TRUE(notice->toPlainText().startsWith(LoadResString(137)));
    EXPECT_GT(notice->toPlainText().size(), LoadResString(137).size() + 2);
    EXPECT_EQ(sheet.findChild<QLabel*>(QStringLiteral("1006"))->text(), LoadResString(138));
}

TEST(AboutSheet, Screenshots)
{
    QTemporaryDir dir;
    QFile shipped(QStringLiteral(KESTAVO_TEST_SOURCE_DIR "/resources/License.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    CAboutSheet sheet(
        QString(), nullptr, 0, QString(), QString(), QString(), LicenceFile(dir, shipped.readAll()));
    sheet.show();
    for (int i = 0; i < sheet.Tabs()->count(); ++i) {
        sheet.Tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        EXPECT_TRUE(sheet.grab().save(ScreenshotDir() + QStringLiteral("/about-%1.png").arg(i)));
        // Every control of a page lies inside the page.
        QWidget* page = sheet.Tabs()->widget(i);
        for (QWidget* child : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(page->rect().contains(child->geometry())) << child->objectName().toStdString();
    }
}
