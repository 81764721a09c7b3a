#include "app/PlayScript.h"

#include <QRegularExpression>

namespace {

bool ToInt(const QString& word, int& value)
{
    bool ok = false;
    value = word.toInt(&ok, 10);
    return ok;
}

// Operator names as the settings spell them and their short forms.
int OperatorIndex(const QString& word)
{
    static const QStringList full = { "addition", "subtraction", "multiplication", "division" };
    static const QStringList shortNames = { "add", "subtract", "multiply", "divide" };
    static const QStringList signs = { "+", "-", "x", "/" };
    const QString lower = word.toLower();
    for (int i = 0; i < 4; ++i) {
        if (lower == full[i] || lower == shortNames[i] || lower == signs[i])
            return i;
    }
    return -1;
}

// The rest of the line after the first `words` words, spacing kept.
QString RestOfLine(const QString& line, int words)
{
    int pos = 0;
    for (int i = 0; i < words; ++i) {
        while (pos < line.size() && line[pos].isSpace())
            ++pos;
        while (pos < line.size() && !line[pos].isSpace())
            ++pos;
    }
    while (pos < line.size() && line[pos].isSpace())
        ++pos;
    return line.mid(pos);
}

} // namespace

const QStringList& CPlayScript::ButtonNames()
{
    static const QStringList names = { "go", "stop", "previous", "next", "check", "hint" };
    return names;
}

const QStringList& CPlayScript::KeyNames()
{
    static const QStringList names
        = { "Backspace", "Delete", "Left", "Right", "Home", "End", "Tab", "Enter", "Escape" };
    return names;
}

const QStringList& CPlayScript::FieldNames()
{
    static const QStringList names = { "operand1", "operand2", "result", "remainder" };
    return names;
}

bool CPlayScript::Fail(int line, const QString& reason)
{
    m_error = QStringLiteral("line %1: %2").arg(line).arg(reason);
    return false;
}

bool CPlayScript::Parse(const QString& text)
{
    m_commands.clear();
    m_error.clear();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!ParseLine(line, i + 1))
            return false;
    }
    return true;
}

bool CPlayScript::ParsePoints(const QStringList& words, int first, Command& command, int line)
{
    static const QRegularExpression pointPattern(
        QStringLiteral("^(?:(dialog:[^\\s:]+|[a-z0-9]+):)?(-?\\d{1,6}),(-?\\d{1,6})$"));
    if (words.size() - first < 1)
        return Fail(line, QStringLiteral("'%1' needs at least one point X,Y").arg(words[0]));
    if (words.size() - first > kMaxPoints)
        return Fail(line, QStringLiteral("more than %1 points").arg(kMaxPoints));
    for (int i = first; i < words.size(); ++i) {
        const QRegularExpressionMatch m = pointPattern.match(words[i]);
        if (!m.hasMatch())
            return Fail(line, QStringLiteral("'%1' is not a point (X,Y or ANCHOR:X,Y)").arg(words[i]));
        Point p;
        p.anchor = m.captured(1);
        if (!p.anchor.isEmpty() && p.anchor != QLatin1String("bowl") && p.anchor != QLatin1String("apple")
            && !FieldNames().contains(p.anchor) && !p.anchor.startsWith(QLatin1String("dialog:")))
            return Fail(line, QStringLiteral("unknown anchor '%1'").arg(p.anchor));
        p.offset = QPoint(m.captured(2).toInt(), m.captured(3).toInt());
        command.points.push_back(p);
    }
    return true;
}

bool CPlayScript::ParseLine(const QString& rawLine, int line)
{
    const QString trimmed = rawLine.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
        return true;
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    const QStringList words = trimmed.split(spaces, Qt::SkipEmptyParts);
    const QString verb = words[0].toLower();
    const int argc = static_cast<int>(words.size()) - 1;
    Command c;
    c.line = line;

    auto needArgs = [&](int count) {
        return argc == count ? true
                             : Fail(line, QStringLiteral("'%1' takes %2 argument(s)").arg(verb).arg(count));
    };
    auto number = [&](const QString& word, int low, int high, int& out) {
        if (!ToInt(word, out) || out < low || out > high)
            return Fail(
                line, QStringLiteral("'%1' is not a number from %2 to %3").arg(word).arg(low).arg(high));
        return true;
    };

    if (verb == QLatin1String("seed")) {
        c.kind = Kind::Seed;
        bool ok = false;
        if (!needArgs(1))
            return false;
        const uint seed = words[1].toUInt(&ok, 10);
        if (!ok)
            return Fail(line, QStringLiteral("'%1' is not a seed (0 to 4294967295)").arg(words[1]));
        c.number = static_cast<int>(seed);
    } else if (verb == QLatin1String("questions")) {
        c.kind = Kind::Questions;
        if (!needArgs(1) || !number(words[1], 10, 50, c.number))
            return false;
        if (c.number % 5 != 0)
            return Fail(line, QStringLiteral("the number of questions goes in steps of 5"));
    } else if (verb == QLatin1String("operator")) {
        c.kind = Kind::Operator;
        if (argc < 2)
            return Fail(line,
                QStringLiteral("'operator' takes a name, a level 1..5 and optional KEY=VALUE settings"));
        c.number = OperatorIndex(words[1]);
        if (c.number < 0)
            return Fail(line, QStringLiteral("unknown operator '%1'").arg(words[1]));
        if (!number(words[2], 1, 5, c.value))
            return false;
        for (int i = 3; i < words.size(); ++i) {
            const int eq = words[i].indexOf(QLatin1Char('='));
            if (eq <= 0 || eq == words[i].size() - 1)
                return Fail(line, QStringLiteral("'%1' is not a KEY=VALUE setting").arg(words[i]));
            c.settings << words[i];
        }
    } else if (verb == QLatin1String("size")) {
        c.kind = Kind::Size;
        if (!needArgs(2) || !number(words[1], 200, 8000, c.number) || !number(words[2], 200, 8000, c.value))
            return false;
    } else if (verb == QLatin1String("press") || ButtonNames().contains(verb)) {
        c.kind = Kind::Press;
        QString name = verb;
        if (verb == QLatin1String("press")) {
            if (!needArgs(1))
                return false;
            name = words[1].toLower();
        } else if (argc != 0) {
            return Fail(line, QStringLiteral("'%1' takes no argument").arg(verb));
        }
        // The strip's own captions name the same buttons.
        static const QStringList captions = { "go", "stop", "<--", "-->", "v", "help" };
        const int caption = captions.indexOf(name);
        if (caption >= 0)
            name = ButtonNames()[caption];
        if (!ButtonNames().contains(name))
            return Fail(line, QStringLiteral("unknown button '%1'").arg(words.last()));
        c.text = name;
    } else if (verb == QLatin1String("type")) {
        c.kind = Kind::Type;
        c.text = RestOfLine(trimmed, 1);
        if (c.text.isEmpty())
            return Fail(line, QStringLiteral("'type' needs the text to type"));
    } else if (verb == QLatin1String("key")) {
        c.kind = Kind::Key;
        if (!needArgs(1))
            return false;
        for (const QString& name : KeyNames()) {
            if (name.compare(words[1], Qt::CaseInsensitive) == 0)
                c.text = name;
        }
        if (c.text.isEmpty())
            return Fail(line, QStringLiteral("unknown key '%1'").arg(words[1]));
    } else if (verb == QLatin1String("click")) {
        c.kind = Kind::Click;
        if (!needArgs(1))
            return false;
        c.text = words[1].toLower();
        if (!FieldNames().contains(c.text))
            return Fail(line, QStringLiteral("unknown field '%1'").arg(words[1]));
    } else if (verb == QLatin1String("tray")) {
        c.kind = Kind::Tray;
        if (!needArgs(1))
            return false;
        c.text = words[1].toLower();
        if (c.text != QLatin1String("pen") && c.text != QLatin1String("none"))
            return Fail(line, QStringLiteral("'tray' takes pen or none"));
    } else if (verb == QLatin1String("pen") || verb == QLatin1String("eraser")
        || verb == QLatin1String("drag")) {
        c.kind = verb == QLatin1String("pen") ? Kind::Pen
            : verb == QLatin1String("eraser") ? Kind::Eraser
                                              : Kind::Drag;
        if (!ParsePoints(words, 1, c, line))
            return false;
    } else if (verb == QLatin1String("input")) {
        c.kind = Kind::Input;
        if (!needArgs(1))
            return false;
        c.text = words[1].toLower();
        if (c.text != QLatin1String("replay") && c.text != QLatin1String("window"))
            return Fail(line, QStringLiteral("'input' takes replay or window"));
    } else if (verb == QLatin1String("touch")) {
        c.kind = Kind::Touch;
        if (!ParsePoints(words, 1, c, line))
            return false;
    } else if (verb == QLatin1String("tap")) {
        c.kind = Kind::Tap;
        // The target may be a caption with spaces: the tool, if given, is the last word.
        QString target = RestOfLine(trimmed, 1);
        const QString last = words.back().toLower();
        if (argc >= 2 && (last == QLatin1String("pen") || last == QLatin1String("touch"))) {
            c.value = last == QLatin1String("touch") ? 1 : 0;
            target = target.left(target.size() - last.size()).trimmed();
        }
        if (target.startsWith(QLatin1String("dialog:")) || target.startsWith(QLatin1String("menu:"))) {
            static const QRegularExpression inControl(
                QStringLiteral("^(dialog:.+):(-?\\d{1,6}),(-?\\d{1,6})$"));
            const QRegularExpressionMatch m = inControl.match(target);
            if (m.hasMatch())
                c.points.push_back(
                    Point { m.captured(1), QPoint(m.captured(2).toInt(), m.captured(3).toInt()) });
            else
                c.text = target;
            if (target.section(QLatin1Char(':'), 1).trimmed().isEmpty())
                return Fail(line, QStringLiteral("'%1' names no control").arg(target));
        } else {
            if (argc < 1 || argc > 2)
                return Fail(line,
                    QStringLiteral(
                        "'tap' takes a button, dialog:NAME, menu:NAME or a point, then pen or touch"));
            if (target.contains(QLatin1Char(' '))) // a second word that is not a tool
                return Fail(line, QStringLiteral("'tap' is made with pen or touch"));
            static const QStringList captions = { "go", "stop", "<--", "-->", "v", "help" };
            const QString lower = target.toLower();
            if (ButtonNames().contains(lower)) {
                c.text = lower;
            } else if (captions.contains(lower)) {
                c.text = ButtonNames()[captions.indexOf(lower)];
            } else if (lower == QLatin1String("recognise") || lower == QLatin1String("a")) {
                c.text = QStringLiteral("recognise");
            } else if (!ParsePoints(QStringList { words[0], target }, 1, c, line)) {
                m_error
                    = QStringLiteral("line %1: '%2' is neither a button nor a point").arg(line).arg(target);
                return false;
            }
        }
    } else if (verb == QLatin1String("replay")) {
        c.kind = Kind::ReplayFile;
        c.text = RestOfLine(trimmed, 1);
        if (c.text.isEmpty())
            return Fail(line, QStringLiteral("'replay' needs a board session file"));
    } else if (verb == QLatin1String("cells")) {
        c.kind = Kind::Cells;
        if (!needArgs(1))
            return false;
        c.text = words[1].toLower();
        if (!FieldNames().contains(c.text))
            return Fail(line, QStringLiteral("unknown field '%1'").arg(words[1]));
    } else if (verb == QLatin1String("newgame")) {
        c.kind = Kind::NewGame;
        if (!needArgs(1))
            return false;
        c.text = words[1].toLower();
        if (c.text != QLatin1String("keep") && c.text != QLatin1String("change")
            && c.text != QLatin1String("cancel") && c.text != QLatin1String("dialog"))
            return Fail(line, QStringLiteral("'newgame' takes keep, change, cancel or dialog"));
    } else if (verb == QLatin1String("setup")) {
        c.kind = Kind::Setup;
        if (!needArgs(1))
            return false;
        c.text = words[1].toLower();
        if (c.text != QLatin1String("choices") && c.text != QLatin1String("dialog"))
            return Fail(line, QStringLiteral("'setup' takes choices or dialog"));
    } else if (verb == QLatin1String("summary")) {
        c.kind = Kind::Summary;
        if (!needArgs(0))
            return false;
    } else if (verb == QLatin1String("wait")) {
        c.kind = Kind::Wait;
        if (!needArgs(1) || !number(words[1], 0, 60000, c.number))
            return false;
    } else if (verb == QLatin1String("screenshot")) {
        c.kind = Kind::Screenshot;
        if (!needArgs(1))
            return false;
        static const QRegularExpression safeName(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
        if (!safeName.match(words[1]).hasMatch())
            return Fail(line, QStringLiteral("screenshot names use letters, digits, '_' and '-' only"));
        c.text = words[1];
    } else if (verb == QLatin1String("expect")) {
        if (argc < 1)
            return Fail(
                line, QStringLiteral("'expect' takes status TEXT, dialog TITLE, apples N or strokes N"));
        const QString what = words[1].toLower();
        if (what == QLatin1String("status")) {
            c.kind = Kind::ExpectStatus;
            c.text = RestOfLine(trimmed, 2);
        } else if (what == QLatin1String("dialog")) {
            // "none": no dialog may be open.
            c.kind = Kind::ExpectDialog;
            c.text = RestOfLine(trimmed, 2);
            if (c.text.isEmpty())
                return Fail(line, QStringLiteral("'expect dialog' takes a title or none"));
            if (c.text == QLatin1String("none"))
                c.text.clear();
        } else if (what == QLatin1String("apples") || what == QLatin1String("strokes")) {
            c.kind = what == QLatin1String("apples") ? Kind::ExpectApples : Kind::ExpectStrokes;
            if (argc != 2)
                return Fail(line, QStringLiteral("'expect %1' takes a number").arg(what));
            if (!number(words[2], 0, 100000, c.number))
                return false;
        } else {
            return Fail(line, QStringLiteral("cannot expect '%1'").arg(words[1]));
        }
    } else {
        return Fail(line, QStringLiteral("unknown command '%1'").arg(words[0]));
    }
    m_commands.push_back(std::move(c));
    return true;
}
