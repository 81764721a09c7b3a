#pragma once

#include <QColor>
#include <QLabel>
#include <QUrl>
#include <functional>

// A text control that looks and acts like a hyperlink: blue underlined text
// with a hand cursor; a click opens its target with the desktop's default
// handler (a web page, or a new e-mail message) and turns it purple. Only
// http, https and mailto targets are ever opened; anything else, or a failed
// open, beeps and leaves the colour as it was.
class CStaticLink : public QLabel
{
    Q_OBJECT

public:
    // Opens a URL; true on success. Defaults to QDesktopServices::openUrl.
    using Launcher = std::function<bool(const QUrl&)>;

    static const QColor UnvisitedColor; // RGB(0, 0, 255)
    static const QColor VisitedColor; // RGB(128, 0, 128)

    // controlId names the string resource used when both the target and the
    // control's text are empty.
    explicit CStaticLink(const QString& text = QString(), QWidget* parent = nullptr, int controlId = 0);

    void SetTarget(const QString& target) { m_target = target; }
    QString Target() const { return m_target; }
    void SetLauncher(Launcher launcher);
    QColor LinkColor() const { return m_color; }
    int ControlId() const { return m_controlId; }

    // What a click opens: the target, else the control's text, else the string
    // resource of the control's id; an e-mail address gets "mailto:" in front.
    // Empty when there is nothing to open.
    QString ResolvedTarget() const;
    static QString WithMailtoPrefix(const QString& target);
    // The URL to open for a resolved target; invalid when it may not be opened.
    static QUrl OpenableUrl(const QString& target);

    // The click: opens the target. Returns true when it was opened.
    bool Open();

signals:
    void opened(const QUrl& url);
    void openFailed(const QString& target);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ApplyColor();

    QString m_target;
    Launcher m_launcher;
    QColor m_color;
    int m_controlId;
};
