#include "platform/help/HelpBrowser.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcHelp, "kestavo.platform.help")

namespace {

QString g_language;

} // namespace

void CHelpBrowser::SetLanguage(const QString& code)
{
    g_language = code;
}

QString CHelpBrowser::Language()
{
    return g_language;
}

QString CHelpBrowser::PageFile(const QString& page) const
{
    const QUrl url(page);
    if (!g_language.isEmpty() && url.scheme().isEmpty() && QDir::isRelativePath(url.path()))
        return LocalFileFor(QUrl(g_language + QLatin1Char('/') + page));
    return LocalFileFor(url);
}

CHelpBrowser::CHelpBrowser(const QString& helpFolder, QWidget* parent)
    : QTextBrowser(parent)
    , m_folder(helpFolder.isEmpty() ? FindHelpFolder(QCoreApplication::applicationDirPath()) : helpFolder)
    , m_opener([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("CHelpBrowser"));
    // Every link goes through OnAnchorClicked, which decides what may open.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CHelpBrowser::OnAnchorClicked);
}

QString CHelpBrowser::FindHelpFolder(const QString& programFolder)
{
    if (programFolder.isEmpty() || QDir::isRelativePath(programFolder))
        return QString(); // a relative folder would mean the working directory
    const QDir program(programFolder);
    for (const QString& candidate : { QStringLiteral("help"), QStringLiteral("../share/kestavo/help") }) {
        const QFileInfo info(program.filePath(candidate));
        if (info.isDir())
            return info.canonicalFilePath();
    }
    return QString();
}

bool CHelpBrowser::OpenPage(const QString& page)
{
    if (m_folder.isEmpty()) {
        ShowMissing(tr("the help folder"));
        return false;
    }
    const QString file = PageFile(page);
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        ShowMissing(page);
        return false;
    }
    setSource(QUrl::fromLocalFile(file));
    return true;
}

void CHelpBrowser::ShowMissing(const QString& what)
{
    qCWarning(lcHelp) << "help not found:" << what;
    const QString where = m_folder.isEmpty()
        ? QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/help"))
        : QDir::toNativeSeparators(m_folder);
    setHtml(tr("<h2>Help is not available</h2><p>Kestavo could not find %1 in <tt>%2</tt>.</p>"
               "<p>The help pages are installed with the program; reinstalling Kestavo restores them.</p>")
                .arg(what.toHtmlEscaped(), where.toHtmlEscaped()));
}

QString CHelpBrowser::LocalFileFor(const QUrl& url) const
{
    if (m_folder.isEmpty())
        return QString();
    QString path;
    if (url.isLocalFile()) {
        path = url.toLocalFile();
    } else if (url.scheme().isEmpty() && url.host().isEmpty()) {
        path = url.path();
        if (QDir::isRelativePath(path))
            path = QDir(m_folder).filePath(path);
    } else {
        return QString(); // http, data, qrc, ...: not a help page
    }
    const QFileInfo info(path);
    const QString canonical
        = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    // Nothing outside the help folder, "../" and symbolic links included.
    if (!canonical.startsWith(m_folder + QLatin1Char('/')))
        return QString();
    // What a language's pages do not have (pictures, the style sheet, a page
    // not translated yet) comes from the English pages.
    const QString languageFolder = m_folder + QLatin1Char('/') + g_language + QLatin1Char('/');
    if (!g_language.isEmpty() && !info.exists() && canonical.startsWith(languageFolder))
        return LocalFileFor(
            QUrl::fromLocalFile(m_folder + QLatin1Char('/') + canonical.mid(languageFolder.size())));
    return canonical;
}

QVariant CHelpBrowser::loadResource(int type, const QUrl& name)
{
    // Resolve relative names against the page being shown.
    const QUrl resolved = source().isValid() ? source().resolved(name) : name;
    const QString file = LocalFileFor(resolved);
    if (file.isEmpty()) {
        qCDebug(lcHelp) << "refused resource" << name;
        return QVariant();
    }
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource
        || type == QTextDocument::ImageResource || type == QTextDocument::MarkdownResource) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return QVariant();
        const QByteArray data = f.readAll();
        if (type == QTextDocument::ImageResource)
            return data;
        return QString::fromUtf8(data);
    }
    return QVariant();
}

void CHelpBrowser::OnAnchorClicked(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")
        || scheme == QLatin1String("mailto")) {
        if (m_opener)
            m_opener(url);
        return;
    }
    const QUrl resolved = source().isValid() ? source().resolved(url) : url;
    const QString file = LocalFileFor(resolved);
    if (!file.isEmpty() && QFileInfo(file).isFile()) {
        QUrl target = QUrl::fromLocalFile(file);
        target.setFragment(url.fragment());
        setSource(target);
        return;
    }
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment()) {
        scrollToAnchor(url.fragment()); // a link within the page
        return;
    }
    qCDebug(lcHelp) << "refused link" << url;
}
