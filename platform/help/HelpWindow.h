#pragma once

#include "platform/help/HelpBrowser.h"

#include <QWidget>

class QLabel;
class QPushButton;

// The program's help window: a top-level window of its own (never owned by
// the dialog that asked for it, so closing Setup leaves it open), with Back,
// Forward, Home and Close along the top and the help's link bar fixed under
// them while the page below scrolls. Escape closes it.
class CHelpWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kDefaultPage = CHelpBrowser::kDefaultPage;
    // The link bar's text: a fragment of links in the help folder.
    static constexpr const char* kLinkBarFile = "linkbar.html";

    // helpFolder empty: the folder is looked up from the program's own folder.
    explicit CHelpWindow(const QString& helpFolder = QString(), QWidget* parent = nullptr);

    static QString FindHelpFolder(const QString& programFolder)
    {
        return CHelpBrowser::FindHelpFolder(programFolder);
    }

    // Shows the one help window of the program at the given page: created on
    // first use without a parent, raised when asked again.
    static CHelpWindow* ShowHelp(const QString& page = QString::fromLatin1(kDefaultPage));
    // The window ShowHelp made, or null when it is closed.
    static CHelpWindow* Current();

    bool OpenPage(const QString& page) { return m_browser->OpenPage(page); }
    void GoHome() { OpenPage(QString::fromLatin1(kDefaultPage)); }

    CHelpBrowser* Browser() const { return m_browser; }
    QLabel* LinkBar() const { return m_linkBar; }
    QPushButton* BackButton() const { return m_back; }
    QPushButton* ForwardButton() const { return m_forward; }
    QPushButton* HomeButton() const { return m_home; }
    QPushButton* CloseButton() const { return m_close; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LoadLinkBar();
    void UpdateTitle();

    CHelpBrowser* m_browser = nullptr;
    QLabel* m_linkBar = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_home = nullptr;
    QPushButton* m_close = nullptr;
};
