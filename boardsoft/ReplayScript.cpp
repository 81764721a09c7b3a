#include "boardsoft/ReplayScript.h"

#include "platform/com/BoardInterfaces.h"

#include <QList>
#include <QRegularExpression>

namespace {

class LineError
{
public:
    explicit LineError(QString message)
        : text(std::move(message))
    {
    }
    QString text;
};

int ParseInt(const QByteArray& token, int low, int high, const char* what)
{
    bool ok = false;
    const long long v = token.toLongLong(&ok, 10);
    if (!ok || token.startsWith('+'))
        throw LineError(QStringLiteral("%1 '%2' is not a whole number")
                            .arg(QLatin1String(what), QString::fromUtf8(token.left(40))));
    if (v < low || v > high)
        throw LineError(
            QStringLiteral("%1 %2 is outside %3..%4").arg(QLatin1String(what)).arg(v).arg(low).arg(high));
    return static_cast<int>(v);
}

void ExpectCount(const QList<QByteArray>& t, int low, int high, const char* usage)
{
    const int args = t.size() - 1;
    if (args < low || args > high)
        throw LineError(QStringLiteral("usage: %1").arg(QLatin1String(usage)));
}

bool ValidName(const QByteArray& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_.:\\-]{1,128}$"));
    return pattern.match(QString::fromLatin1(name)).hasMatch();
}

void ParseTarget(const QByteArray& token, ReplayCommand& c)
{
    if (token.startsWith('#')) {
        c.order = ParseInt(token.mid(1), 1, 1000, "window number");
        return;
    }
    // NAME#N: the N-th attached window of that name, for windows that share one.
    const qsizetype hash = token.indexOf('#');
    const QByteArray name = hash < 0 ? token : token.left(hash);
    if (!ValidName(name))
        throw LineError(QStringLiteral("'%1' is not a window name (letters, digits, _ . : -)")
                            .arg(QString::fromUtf8(token.left(40))));
    if (hash >= 0)
        c.order = ParseInt(token.mid(hash + 1), 1, 1000, "window number");
    c.name = QString::fromLatin1(name);
}

ReplayCommand ContactAt(SamplePhase phase, int line, int x, int y, int value)
{
    ReplayCommand c;
    c.kind = ReplayCommand::Contact;
    c.line = line;
    c.phase = phase;
    c.x = x;
    c.y = y;
    c.value = value;
    return c;
}

} // namespace

ReplayParseResult CReplayScript::Parse(const QByteArray& text)
{
    ReplayParseResult result;
    bool windowChosen = false;
    int lineNumber = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArray raw = text.mid(start, end - start);
        start = end + 1;
        ++lineNumber;
        try {
            if (raw.size() > kMaxLineLength)
                throw LineError(QStringLiteral("line longer than %1 characters").arg(kMaxLineLength));
            if (raw.contains('\0'))
                throw LineError(QStringLiteral("line holds a NUL character"));
            const QByteArray line = raw.simplified();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QList<QByteArray> t = line.split(' ');
            const QByteArray& verb = t[0];
            ReplayCommand c;
            c.line = lineNumber;
            if (verb == "window") {
                ExpectCount(t, 1, 1, "window NAME | window #N");
                c.kind = ReplayCommand::SelectWindow;
                ParseTarget(t[1], c);
                windowChosen = true;
                result.commands.push_back(c);
            } else if (verb == "wait-window") {
                ExpectCount(t, 1, 2, "wait-window NAME|#N [TIMEOUT_MS]");
                c.kind = ReplayCommand::WaitWindow;
                ParseTarget(t[1], c);
                c.milliseconds = t.size() > 2 ? ParseInt(t[2], 0, kMaxPauseMs, "timeout") : 5000;
                result.commands.push_back(c);
            } else if (verb == "tool") {
                ExpectCount(t, 1, 1, "tool pen|eraser");
                c.kind = ReplayCommand::SelectTool;
                if (t[1] == "pen")
                    c.tool = BoardTool::Pen;
                else if (t[1] == "eraser")
                    c.tool = BoardTool::Eraser;
                else
                    throw LineError(
                        QStringLiteral("unknown tool '%1'").arg(QString::fromUtf8(t[1].left(40))));
                result.commands.push_back(c);
            } else if (verb == "down" || verb == "move" || verb == "up") {
                ExpectCount(t, 2, 3, "down|move|up X Y [VALUE]");
                if (!windowChosen)
                    throw LineError(QStringLiteral("no window chosen before this contact"));
                const SamplePhase phase = verb == "down" ? SamplePhase::Down
                    : verb == "move"                     ? SamplePhase::Move
                                                         : SamplePhase::Up;
                const int x = ParseInt(t[1], -kMaxCoordinate, kMaxCoordinate, "x");
                const int y = ParseInt(t[2], -kMaxCoordinate, kMaxCoordinate, "y");
                const int value
                    = t.size() > 3 ? ParseInt(t[3], 0, 1000, "value") : (phase == SamplePhase::Up ? 0 : 1000);
                result.commands.push_back(ContactAt(phase, lineNumber, x, y, value));
            } else if (verb == "stroke") {
                if (t.size() < 2 || t.size() - 1 > kMaxStrokePoints)
                    throw LineError(QStringLiteral("usage: stroke X,Y [X,Y ...] (at most %1 points)")
                                        .arg(kMaxStrokePoints));
                if (!windowChosen)
                    throw LineError(QStringLiteral("no window chosen before this contact"));
                std::vector<ReplayCommand> expanded;
                for (int i = 1; i < t.size(); ++i) {
                    const QList<QByteArray> xy = t[i].split(',');
                    if (xy.size() != 2)
                        throw LineError(
                            QStringLiteral("point '%1' is not X,Y").arg(QString::fromUtf8(t[i].left(40))));
                    const int x = ParseInt(xy[0], -kMaxCoordinate, kMaxCoordinate, "x");
                    const int y = ParseInt(xy[1], -kMaxCoordinate, kMaxCoordinate, "y");
                    expanded.push_back(
                        ContactAt(i == 1 ? SamplePhase::Down : SamplePhase::Move, lineNumber, x, y, 1000));
                }
                ReplayCommand up = expanded.back();
                up.phase = SamplePhase::Up;
                up.value = 0;
                expanded.push_back(up);
                result.commands.insert(result.commands.end(), expanded.begin(), expanded.end());
            } else if (verb == "pause") {
                ExpectCount(t, 1, 1, "pause MS");
                c.kind = ReplayCommand::Pause;
                c.milliseconds = ParseInt(t[1], 0, kMaxPauseMs, "pause");
                result.commands.push_back(c);
            } else if (verb == "tray") {
                ExpectCount(t, 1, 1, "tray pen|eraser|none");
                c.kind = ReplayCommand::Tray;
                if (t[1] == "pen")
                    c.dispid = OBRISK_DISPID_PEN;
                else if (t[1] == "eraser")
                    c.dispid = OBRISK_DISPID_ERASER;
                else if (t[1] == "none")
                    c.dispid = OBRISK_DISPID_NOTOOL;
                else
                    throw LineError(
                        QStringLiteral("unknown tray event '%1'").arg(QString::fromUtf8(t[1].left(40))));
                result.commands.push_back(c);
            } else if (verb == "button") {
                ExpectCount(t, 1, 2, "button next|previous|clear|print|rectangle|line|circle [VALUE]");
                c.kind = ReplayCommand::Button;
                static const struct
                {
                    const char* name;
                    int dispid;
                } buttons[] = { { "next", OBRISK_DISPID_NEXT }, { "previous", OBRISK_DISPID_PREVIOUS },
                    { "clear", OBRISK_DISPID_CLEAR }, { "print", OBRISK_DISPID_PRINT },
                    { "rectangle", OBRISK_DISPID_RECTANGLE }, { "line", OBRISK_DISPID_LINE },
                    { "circle", OBRISK_DISPID_CIRCLE } };
                for (const auto& b : buttons)
                    if (t[1] == b.name)
                        c.dispid = b.dispid;
                if (c.dispid == 0)
                    throw LineError(
                        QStringLiteral("unknown button '%1'").arg(QString::fromUtf8(t[1].left(40))));
                c.value = t.size() > 2 ? ParseInt(t[2], -1000000, 1000000, "value") : 0;
                result.commands.push_back(c);
            } else if (verb == "pointer") {
                ExpectCount(t, 1, 1, "pointer on|off");
                c.kind = ReplayCommand::Pointer;
                if (t[1] == "on")
                    c.value = 1;
                else if (t[1] != "off")
                    throw LineError(QStringLiteral("'pointer' takes on or off"));
                result.commands.push_back(c);
            } else if (verb == "status") {
                ExpectCount(t, 0, 0, "status");
                c.kind = ReplayCommand::Status;
                result.commands.push_back(c);
            } else {
                throw LineError(QStringLiteral("unknown command '%1'").arg(QString::fromUtf8(verb.left(40))));
            }
        } catch (const LineError& e) {
            result.errorLine = lineNumber;
            result.error = QStringLiteral("line %1: %2").arg(lineNumber).arg(e.text);
            return result;
        }
    }
    return result;
}
