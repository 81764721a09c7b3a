#include "app/StaticLink.h"

#include "resources/StringTable.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPalette>

const QColor CStaticLink::UnvisitedColor = QColor(0, 0, 255);
const QColor CStaticLink::VisitedColor = QColor(128, 0, 128);

CStaticLink::CStaticLink(const QString& text, QWidget* parent, int controlId)
    : QLabel(text, parent)
    , m_launcher([](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , m_color(UnvisitedColor)
    , m_controlId(controlId)
{
    if (controlId != 0)
        setObjectName(QString::number(controlId));
    setTextFormat(Qt::PlainText);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    ApplyColor();
}

void CStaticLink::SetLauncher(Launcher launcher)
{
    m_launcher = std::move(launcher);
}

QString CStaticLink::WithMailtoPrefix(const QString& target)
{
    // A bare e-mail address opens a new message. Web addresses keep their
    // scheme: "https://" counts too, so a URL holding "@" is never mangled.
    if (target.size() > 7 && !target.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        && !target.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)
        && !target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)
        && target.contains(QLatin1Char('@')))
        return QStringLiteral("mailto:") + target;
    return target;
}

QString CStaticLink::ResolvedTarget() const
{
    QString target = m_target;
    if (target.isEmpty())
        target = text();
    if (target.isEmpty() && m_controlId != 0)
        target = LoadResString(m_controlId);
    if (target.isEmpty())
        return QString();
    return WithMailtoPrefix(target.trimmed());
}

QUrl CStaticLink::OpenableUrl(const QString& target)
{
    const QUrl url(target, QUrl::StrictMode);
    if (!url.isValid())
        return QUrl();
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return url.path().isEmpty() ? QUrl() : url;
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.host().isEmpty() ? QUrl() : url;
    return QUrl();
}

bool CStaticLink::Open()
{
    const QString target = ResolvedTarget();
    if (target.isEmpty())
        return false;
    const QUrl url = OpenableUrl(target);
    if (!url.isValid() || !m_launcher || !m_launcher(url)) {
        QApplication::beep();
        emit openFailed(target);
        return false;
    }
    m_color = VisitedColor;
    ApplyColor();
    emit opened(url);
    return true;
}

void CStaticLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        Open();
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void CStaticLink::ApplyColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, m_color);
    pal.setColor(QPalette::Text, m_color);
    setPalette(pal);
    update();
}
