#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

class CStaticLink;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// One page of the about box: a 266 x 180 dialog-unit page with the program's
// icon and the bold title (control 1001) at its top, and on the first three
// pages a framed legal warning (1002) at the bottom.
class CAboutPage : public QWidget
{
    Q_OBJECT

public:
    CAboutPage(const QString& className, const QString& tabText, bool withHeader);

    QString TabText() const { return m_tabText; }
    // Sets control 1001's text in the bold title font (weight 700, 20 px).
    void SetTitle(const QString& title);

protected:
    QLabel* AddLabel(int id, const QString& text, int x, int y, int width, int height);
    QPlainTextEdit* AddReadOnlyEdit(int id, int x, int y, int width, int height);

private:
    QString m_tabText;
    QLabel* m_title = nullptr;
};

class CAboutDescriptionPage : public CAboutPage
{
    Q_OBJECT

public:
    CAboutDescriptionPage(const QString& description1, const QString& description2);
};

class CAboutLegalPage : public CAboutPage
{
    Q_OBJECT

public:
    CAboutLegalPage();
};

class CAboutTechSupportPage : public CAboutPage
{
    Q_OBJECT

public:
    CAboutTechSupportPage();

    // "1.0.0.19": the program's file version.
    static QString FileVersion();
    // "Build <version> <hh:mm:ss> <Mon d yyyy>" from control 1003's format.
    static QString BuildLine(const QString& format);

    CStaticLink* EmailLink() const { return m_email; }
    CStaticLink* WebLink() const { return m_web; }

private:
    CStaticLink* m_email = nullptr;
    CStaticLink* m_web = nullptr;
};

class CAboutLicensePage : public CAboutPage
{
    Q_OBJECT

public:
    CAboutLicensePage();

    // Reads the licence file (see LicenseText::Read). A file that cannot be
    // opened or read shows the file error box; an empty path fails silently.
    bool LoadLicenseText(const QString& path);
    // Puts the loaded text into control 1008, scrolled to its top.
    void ShowText();
    bool HasText() const { return m_loaded; }
    QString Text() const { return m_text; }

private:
    QString m_text;
    bool m_loaded = false;
    QPlainTextEdit* m_edit = nullptr;
};

// The about box: a tabbed sheet with a single OK button and an empty caption.
// Pages, in order: Description (when there is a first description), License
// (when the licence file loads), Intellectual Property, Technical Support.
class CAboutSheet : public QDialog
{
    Q_OBJECT

public:
    // Empty texts take the defaults: title string 57344, descriptions strings
    // 134 and 135. spare is kept for callers and not used.
    CAboutSheet(const QString& caption, QWidget* parent, int firstPage, const QString& title = QString(),
        const QString& description1 = QString(), const QString& description2 = QString(),
        const QString& licensePath = QString(), int spare = 0);

    // The about command: the sheet with the licence found beside the program
    // (or in the install's data folder), shown modally.
    static int ShowAbout(QWidget* parent = nullptr);

    QTabWidget* Tabs() const { return m_tabs; }
    QString Title() const { return m_title; }
    QString Description1() const { return m_description1; }
    QString Description2() const { return m_description2; }
    CAboutLicensePage* LicensePage() const { return m_license; }
    CAboutTechSupportPage* TechSupportPage() const { return m_techSupport; }

private:
    QString m_title;
    QString m_description1;
    QString m_description2;
    int m_spare;
    QTabWidget* m_tabs;
    CAboutDescriptionPage* m_description = nullptr;
    CAboutLicensePage* m_license = nullptr;
    CAboutLegalPage* m_legal = nullptr;
    CAboutTechSupportPage* m_techSupport = nullptr;
};
