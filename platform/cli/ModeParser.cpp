#include "platform/cli/ModeParser.h"

#include <QTextStream>

namespace {

const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");

} // namespace

CModeParser::CModeParser(QString usage, QString about)
    : m_usage(std::move(usage))
    , m_about(std::move(about))
{
    // Long options are always written with two dashes; "-abc" is never a
    // bundle of short ones.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    AddOption(
        QCommandLineOption({ QStringLiteral("h"), kHelp }, QStringLiteral("Print this help and exit.")));
    AddOption(
        QCommandLineOption({ QStringLiteral("v"), kVersion }, QStringLiteral("Print the version and exit.")));
}

void CModeParser::AddOption(const QCommandLineOption& option)
{
    m_parser.addOption(option);
    if (!(option.flags() & QCommandLineOption::HiddenFromHelp))
        m_options << option;
}

void CModeParser::AddModeFlag(const QString& name)
{
    QCommandLineOption flag(name);
    flag.setFlags(QCommandLineOption::HiddenFromHelp);
    AddOption(flag);
}

int CModeParser::Parse(const QStringList& args, QTextStream& out, QTextStream& err)
{
    // Help anywhere wins, even where it would be an option's value
    // ("kestavo --script --help"), and so does the version.
    const bool help = args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
    const bool version = args.contains(QStringLiteral("--version")) || args.contains(QStringLiteral("-v"));
    if (!help && !version && !m_parser.parse(QStringList { QStringLiteral("kestavo") } + args))
        return Reject(m_parser.errorText(), err);
    if (help) {
        out << HelpText();
        out.flush();
        return 0;
    }
    if (version) {
        out << VersionText() << '\n';
        out.flush();
        return 0;
    }
    if (!m_parser.positionalArguments().isEmpty())
        return Reject(
            QStringLiteral("unexpected argument '%1'.").arg(m_parser.positionalArguments().front()), err);
    return -1;
}

int CModeParser::Reject(const QString& message, QTextStream& err) const
{
    err << "kestavo: " << message << '\n' << "usage: " << m_usage << '\n';
    err.flush();
    return 2;
}

QString CModeParser::HelpText() const
{
    QString text = QStringLiteral("usage: %1\n%2\n\nOptions:\n").arg(m_usage, m_about);
    for (const QCommandLineOption& option : m_options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += QLatin1Char(' ') + option.valueName();
        text += QStringLiteral("  %1  %2\n").arg(left, -24).arg(option.description());
    }
    for (const QString& note : m_notes)
        text += QLatin1Char('\n') + note + QLatin1Char('\n');
    return text;
}

QString CModeParser::VersionText()
{
    return QStringLiteral("kestavo " KESTAVO_VERSION);
}
