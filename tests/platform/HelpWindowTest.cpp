// Help lookup order, missing pages, and refusal of anything but local pages.
#include "platform/help/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// A fake installation: <root>/bin/kestavo, <root>/share/kestavo/help/.
struct Install
{
    Install()
    {
        bin = root.filePath(QStringLiteral("bin"));
        shared = root.filePath(QStringLiteral("share/kestavo/help"));
        QDir().mkpath(bin);
    }
    QTemporaryDir root;
    QString bin;
    QString shared;
};

} // namespace

TEST(HelpWindow, LooksBesideTheProgramThenInTheDataFolderNeverTheWorkingDirectory)
{
    Install install;
    EXPECT_TRUE(CHelpBrowser::FindHelpFolder(install.bin).isEmpty());

    write(install.shared + QStringLiteral("/index.html"), "<p>shared</p>");
    EXPECT_EQ(CHelpBrowser::FindHelpFolder(install.bin), QFileInfo(install.shared).canonicalFilePath());

    write(install.bin + QStringLiteral("/help/index.html"), "<p>beside</p>");
    EXPECT_EQ(CHelpBrowser::FindHelpFolder(install.bin),
        QFileInfo(install.bin + QStringLiteral("/help")).canonicalFilePath());

    // A help folder in the working directory is not looked at.
    QTemporaryDir cwd;
    write(cwd.filePath(QStringLiteral("help/index.html")), "<p>cwd</p>");
    const QString old = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    EXPECT_TRUE(CHelpBrowser::FindHelpFolder(QString()).isEmpty());
    EXPECT_TRUE(CHelpBrowser::FindHelpFolder(QStringLiteral(".")).isEmpty());
    QDir::setCurrent(old);
}

TEST(HelpWindow, ShowsPagesAndReportsMissingOnesInTheWindow)
{
    Install install;
    write(install.shared + QStringLiteral("/index.html"),
        "<html><body><h1>Contents</h1><a href=\"other.html\">x</a></body></html>");
    write(install.shared + QStringLiteral("/other.html"), "<p>Second page</p>");
    CHelpBrowser window(CHelpBrowser::FindHelpFolder(install.bin));
    EXPECT_TRUE(window.OpenPage(QStringLiteral("index.html")));
    EXPECT_TRUE(window.toPlainText().contains(QStringLiteral("Contents")));

    window.anchorClicked(QUrl(QStringLiteral("other.html")));
    EXPECT_TRUE(window.toPlainText().contains(QStringLiteral("Second page")));

    EXPECT_FALSE(window.OpenPage(QStringLiteral("nothing.html")));
    EXPECT_TRUE(window.toPlainText().contains(QStringLiteral("nothing.html")));
    EXPECT_TRUE(window.toPlainText().contains(QStringLiteral("could not find")));

    CHelpBrowser none(QString::fromLatin1("/nonexistent/help/folder"));
    EXPECT_FALSE(none.OpenPage(QStringLiteral("index.html")));
}

TEST(HelpWindow, RefusesRemoteAndOutsideContent)
{
    Install install;
    write(install.shared + QStringLiteral("/index.html"), "<p>Contents</p>");
    write(install.shared + QStringLiteral("/style.css"), "p { color: red; }");
    write(install.root.filePath(QStringLiteral("secret.txt")), "secret");
    CHelpBrowser window(CHelpBrowser::FindHelpFolder(install.bin));
    ASSERT_TRUE(window.OpenPage(QStringLiteral("index.html")));

    EXPECT_TRUE(window.loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("style.css")))
                    .toString()
                    .contains(QStringLiteral("color")));
    for (const char* url : { "http://example.com/tracker.png", "https://example.com/x.css", "ftp://host/file",
             "../../../secret.txt", "qrc:/png/146.png", "data:text/html,<p>x</p>" })
        EXPECT_FALSE(
            window.loadResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(url))).isValid())
            << url;
    EXPECT_FALSE(window
                     .loadResource(QTextDocument::HtmlResource,
                         QUrl::fromLocalFile(install.root.filePath("secret.txt")))
                     .isValid());
    EXPECT_FALSE(window.OpenPage(QStringLiteral("../../secret.txt")));
}

TEST(HelpWindow, OnlyWebAndMailLinksLeaveTheProgram)
{
    Install install;
    write(install.shared + QStringLiteral("/index.html"), "<p>Contents</p>");
    CHelpBrowser window(CHelpBrowser::FindHelpFolder(install.bin));
    ASSERT_TRUE(window.OpenPage(QStringLiteral("index.html")));
    QList<QUrl> opened;
    window.SetExternalOpener([&](const QUrl& url) { opened << url; });

    for (const char* url : { "https://example.org/", "http://example.org/a", "mailto:teacher@example.org",
             "file:///etc/passwd", "javascript:alert(1)", "smb://server/share", "../bin" })
        window.anchorClicked(QUrl(QString::fromLatin1(url)));
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("https"));
    EXPECT_EQ(opened[1].scheme(), QStringLiteral("http"));
    EXPECT_EQ(opened[2].scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(window.toPlainText().contains(QStringLiteral("Contents"))); // still on the page
}

TEST(HelpWindow, ShippedPagesLinkOnlyToEachOther)
{
    // The pages copied into the build's data folder: every local link resolves.
    const QString folder = QStringLiteral(KESTAVO_TEST_DATA_DIR "/help");
    ASSERT_TRUE(QFile::exists(folder + QStringLiteral("/index.html")));
    CHelpBrowser window(folder);
    for (const char* page :
        { "index.html", "setup.html", "levels.html", "advanced.html", "pens.html", "pupils.html" }) {
        ASSERT_TRUE(window.OpenPage(QString::fromLatin1(page))) << page;
        EXPECT_FALSE(window.documentTitle().isEmpty()) << page;
        const QString html = window.toHtml();
        EXPECT_FALSE(html.contains(QStringLiteral("<script"), Qt::CaseInsensitive)) << page;
    }
    // A picture of the contents page in the whole window for review; its
    // pictures of the buttons load.
    CHelpWindow full(folder);
    ASSERT_TRUE(full.OpenPage(QStringLiteral("index.html")));
    EXPECT_TRUE(full.Browser()
                    ->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("img/138.png")))
                    .isValid());
    full.resize(760, 640);
    QDir().mkpath(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots"));
    full.grab().save(QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/help-index.png"));

    // The contents page's links each open a page that exists.
    QFile f(folder + QStringLiteral("/index.html"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    int links = 0;
    for (qsizetype at = text.indexOf(QStringLiteral("href=\"")); at >= 0;
         at = text.indexOf(QStringLiteral("href=\""), at + 1)) {
        const qsizetype start = at + 6;
        const QString target = text.mid(start, text.indexOf(QLatin1Char('"'), start) - start);
        if (target.endsWith(QStringLiteral(".html"))) {
            ++links;
            EXPECT_TRUE(QFile::exists(folder + QLatin1Char('/') + target)) << qPrintable(target);
        }
    }
    EXPECT_GE(links, 5);
}

TEST(HelpWindow, LinkBarStaysAboveThePageAndOpensPagesThroughTheChecks)
{
    Install install;
    write(install.shared + QStringLiteral("/index.html"), "<p>Contents</p>");
    write(install.shared + QStringLiteral("/b.html"), "<p>Page B</p>");
    write(install.shared + QStringLiteral("/linkbar.html"),
        "<a href=\"b.html\">B</a> <a href=\"../../../etc/passwd\">out</a>");
    CHelpWindow window(CHelpWindow::FindHelpFolder(install.bin));
    window.resize(600, 400);
    window.show();
    ASSERT_TRUE(window.OpenPage(QStringLiteral("index.html")));
    QLabel* bar = window.LinkBar();
    EXPECT_TRUE(bar->isVisible());
    // Above the page area, outside what scrolls.
    EXPECT_LE(bar->geometry().bottom(), window.Browser()->geometry().top());
    EXPECT_FALSE(window.Browser()->isAncestorOf(bar));

    emit bar->linkActivated(QStringLiteral("../../../etc/passwd"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Contents")));
    emit bar->linkActivated(QStringLiteral("b.html"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Page B")));

    // A folder without a link bar shows none, and the buttons still work.
    Install bare;
    write(bare.shared + QStringLiteral("/index.html"), "<p>Bare</p>");
    CHelpWindow plain(CHelpWindow::FindHelpFolder(bare.bin));
    plain.show();
    EXPECT_FALSE(plain.LinkBar()->isVisible());
    plain.HomeButton()->click();
    EXPECT_TRUE(plain.Browser()->toPlainText().contains(QStringLiteral("Bare")));
}

TEST(HelpWindow, ShowsTheLanguagesPagesAndTheEnglishOnesItLacks)
{
    Install install;
    write(install.shared + QStringLiteral("/index.html"), "<p>Contents</p>");
    write(install.shared + QStringLiteral("/levels.html"), "<p>Levels</p>");
    write(install.shared + QStringLiteral("/linkbar.html"), "<a href=\"levels.html\">Levels</a>");
    write(install.shared + QStringLiteral("/style.css"), "p { color: red; }");
    write(install.shared + QStringLiteral("/de/index.html"),
        "<html><head><link rel=\"stylesheet\" href=\"../style.css\"></head>"
        "<body><p>Inhalt</p><a href=\"levels.html\">Stufen</a></body></html>");
    write(install.shared + QStringLiteral("/de/linkbar.html"), "<a href=\"index.html\">Inhalt</a>");
    write(install.root.filePath(QStringLiteral("share/kestavo/secret.txt")), "secret");

    CHelpBrowser::SetLanguage(QStringLiteral("de"));
    CHelpWindow window(CHelpWindow::FindHelpFolder(install.bin));
    ASSERT_TRUE(window.OpenPage(QStringLiteral("index.html")));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Inhalt")));
    EXPECT_TRUE(window.LinkBar()->text().contains(QStringLiteral("Inhalt")));
    EXPECT_TRUE(window.Browser()
                    ->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("../style.css")))
                    .isValid());
    // A page the language lacks comes in English, from a link as from the start.
    window.Browser()->OnAnchorClicked(QUrl(QStringLiteral("levels.html")));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Levels")));
    ASSERT_TRUE(window.OpenPage(QStringLiteral("levels.html")));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Levels")));
    // The language's folder is no way out of the help folder.
    EXPECT_FALSE(window.OpenPage(QStringLiteral("../secret.txt")));
    EXPECT_FALSE(window.OpenPage(QStringLiteral("../../secret.txt")));

    CHelpBrowser::SetLanguage(QString());
    ASSERT_TRUE(window.OpenPage(QStringLiteral("index.html")));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Contents")));
}

TEST(HelpWindow, ShippedLanguagesHaveEveryPageAndTheirPictures)
{
    const QString folder = QStringLiteral(KESTAVO_TEST_DATA_DIR "/help");
    for (const char* code : { "de", "fr", "es", "pt_BR" }) {
        CHelpBrowser::SetLanguage(QLatin1String(code));
        CHelpWindow window(folder);
        for (const char* page : { "index.html", "setup.html", "advanced.html", "pens.html", "pupils.html" }) {
            const QString file = window.Browser()->PageFile(QLatin1String(page));
            EXPECT_TRUE(file.contains(QStringLiteral("/help/%1/").arg(QLatin1String(code))))
                << code << " lacks " << page;
            ASSERT_TRUE(window.OpenPage(QLatin1String(page))) << code << " " << page;
            EXPECT_FALSE(window.Browser()->documentTitle().isEmpty()) << code << " " << page;
        }
        ASSERT_TRUE(window.OpenPage(QStringLiteral("index.html")));
        EXPECT_TRUE(window.Browser()
                        ->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("../img/138.png")))
                        .isValid())
            << code;
        EXPECT_TRUE(window.Browser()
                        ->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("../style.css")))
                        .isValid())
            << code;
        EXPECT_TRUE(window.LinkBar()->text().contains(QStringLiteral("pupils.html"))) << code;
        // The levels page is made in English at build time; the language's help shows it.
        ASSERT_TRUE(window.OpenPage(QStringLiteral("levels.html"))) << code;
    }
    CHelpBrowser::SetLanguage(QString());
}
