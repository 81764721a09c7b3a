#include "app/DisplayApplication.h"

#include "app/AppLanguage.h"

#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Qt keeps references to the argument count and vector for the application's
// lifetime. Qt's own options are not offered: the modes reject unknown ones.
int g_argc = 1;
char g_name[] = "kestavo";
char* g_argv[] = { g_name, nullptr };

// Messages Qt prints while it looks for a display, held back so that a
// failure reads as one line; they are passed on when the display opens.
QtMessageHandler g_previous = nullptr;
std::vector<std::pair<QtMsgType, QString>>* g_held = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        // The last warning names the display ("could not connect to display :9");
        // the fatal text itself only says that no plugin could start.
        const QString reason
            = g_held && !g_held->empty() ? g_held->back().second : message.section('\n', 0, 0);
        std::fprintf(stderr, "kestavo: cannot open a display: %s\n", reason.toLocal8Bit().constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (g_held)
        g_held->emplace_back(type, message);
}

} // namespace

QString CDisplayApplication::MissingDisplay(
    const QByteArray& platform, const QByteArray& display, const QByteArray& waylandDisplay)
{
    if (!platform.isEmpty() || !display.isEmpty() || !waylandDisplay.isEmpty())
        return QString();
    return QStringLiteral("no display to open (DISPLAY is not set); run it on a desktop, or with "
                          "QT_QPA_PLATFORM=offscreen");
}

std::unique_ptr<QApplication> CDisplayApplication::Open(QTextStream& err)
{
    const QString missing
        = MissingDisplay(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"));
    if (!missing.isEmpty()) {
        err << "kestavo: " << missing << Qt::endl;
        return nullptr;
    }
    std::vector<std::pair<QtMsgType, QString>> held;
    g_held = &held;
    g_previous = qInstallMessageHandler(HoldMessage);
    auto app = std::make_unique<QApplication>(g_argc, g_argv);
    qInstallMessageHandler(g_previous);
    g_held = nullptr;
    for (const auto& [type, message] : held)
        g_previous(type, QMessageLogContext(), message);
    CAppLanguage::Apply();
    return app;
}
