#include "platform/help/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPointer<CHelpWindow>& TheWindow()
{
    static QPointer<CHelpWindow> window;
    return window;
}

// The link bar's text is shown by a label: it must stay a short fragment.
constexpr qint64 kLinkBarMaxBytes = 16 * 1024;

} // namespace

CHelpWindow::CHelpWindow(const QString& helpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CHelpWindow"));
    m_browser = new CHelpBrowser(helpFolder, this);

    QStyle* style = this->style();
    auto makeButton = [this](const QString& text, const QIcon& icon, const char* name) {
        auto* button = new QPushButton(icon, text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        button->setMinimumHeight(40);
        QFont font = button->font();
        font.setPointSize(std::max(font.pointSize(), 12));
        button->setFont(font);
        return button;
    };
    m_back = makeButton(tr("Back"), style->standardIcon(QStyle::SP_ArrowBack), "back");
    m_forward = makeButton(tr("Forward"), style->standardIcon(QStyle::SP_ArrowForward), "forward");
    m_home = makeButton(tr("Home"), style->standardIcon(QStyle::SP_DirHomeIcon), "home");
    m_close = makeButton(tr("Close"), style->standardIcon(QStyle::SP_DialogCloseButton), "close");
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    m_linkBar = new QLabel(this);
    m_linkBar->setObjectName(QStringLiteral("linkBar"));
    m_linkBar->setTextFormat(Qt::RichText);
    m_linkBar->setWordWrap(true);
    m_linkBar->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    // Links go through the page area's own checks, never to the desktop directly.
    m_linkBar->setOpenExternalLinks(false);
    m_linkBar->setContentsMargins(6, 4, 6, 6);
    // Readable from the back of a classroom, like the pages.
    QFont barFont = m_linkBar->font();
    barFont.setPointSize(std::max(barFont.pointSize(), 12));
    m_linkBar->setFont(barFont);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_home);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(m_linkBar);
    layout->addWidget(m_browser, 1);

    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QPushButton::clicked, this, &CHelpWindow::GoHome);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::UpdateTitle);
    connect(m_linkBar, &QLabel::linkActivated, this,
        [this](const QString& link) { m_browser->OnAnchorClicked(QUrl(link)); });

    LoadLinkBar();
    UpdateTitle();
    resize(800, 680);
}

CHelpWindow* CHelpWindow::ShowHelp(const QString& page)
{
    QPointer<CHelpWindow>& window = TheWindow();
    if (!window) {
        // No parent: the window outlives whichever dialog asked for it.
        window = new CHelpWindow();
        window->setAttribute(Qt::WA_DeleteOnClose);
        // An open help window does not keep the program running after Exit.
        window->setAttribute(Qt::WA_QuitOnClose, false);
    }
    window->OpenPage(page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

CHelpWindow* CHelpWindow::Current()
{
    return TheWindow();
}

void CHelpWindow::LoadLinkBar()
{
    const QString folder = m_browser->HelpFolder();
    QFile file(folder.isEmpty() ? QString() : m_browser->PageFile(QString::fromLatin1(kLinkBarFile)));
    if (folder.isEmpty() || file.fileName().isEmpty() || file.size() > kLinkBarMaxBytes
        || !file.open(QIODevice::ReadOnly)) {
        m_linkBar->hide();
        return;
    }
    m_linkBar->setText(QString::fromUtf8(file.readAll()));
}

void CHelpWindow::UpdateTitle()
{
    const QString page = m_browser->documentTitle();
    const QString base = tr("Kestavo Help");
    setWindowTitle(page.isEmpty() || page == base ? base : base + QStringLiteral(" - ") + page);
}

void CHelpWindow::keyPressEvent(QKeyEvent* event)
{
    // The page area passes on the keys it does not use, Escape among them.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
