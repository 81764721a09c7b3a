#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <functional>

// The page area of the help window: plain HTML pages of one help folder.
// Pages are looked up beside the program file (<program folder>/help/), then
// in the installation's data folder (<program folder>/../share/kestavo/help/),
// never in the working directory. Pages load nothing but local files from that
// folder; links to web and mail addresses go to the desktop's handlers.
class CHelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    static constexpr const char* kDefaultPage = "index.html";

    // helpFolder empty: the folder is looked up from the program's own folder.
    explicit CHelpBrowser(const QString& helpFolder = QString(), QWidget* parent = nullptr);

    // The first existing help folder for a program in programFolder, or an
    // empty string when there is none.
    static QString FindHelpFolder(const QString& programFolder);

    // The language of the pages: a language's pages live in a subfolder named
    // by its code (help/de/); a page or picture missing there is taken from the
    // English pages. Empty: English.
    static void SetLanguage(const QString& code);
    static QString Language();

    // The file for a page name of the help in the current language, or empty.
    QString PageFile(const QString& page) const;

    // Opens a page of the help folder; a missing page or folder is reported in
    // the window itself. Returns whether the page was found.
    bool OpenPage(const QString& page);

    QString HelpFolder() const { return m_folder; }

    // Where links to http, https and mailto addresses go (the desktop by default).
    void SetExternalOpener(std::function<void(const QUrl&)> opener) { m_opener = std::move(opener); }

    QVariant loadResource(int type, const QUrl& name) override;

    // Follows a link as a click on it would (the window's link bar uses it).
    void OnAnchorClicked(const QUrl& url);

private:
    // The local file inside the help folder that url names, or empty.
    QString LocalFileFor(const QUrl& url) const;
    void ShowMissing(const QString& what);

    QString m_folder;
    std::function<void(const QUrl&)> m_opener;
};
