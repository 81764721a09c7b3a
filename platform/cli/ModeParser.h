#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// The arguments of one command-line mode, parsed the same way for every mode
// with QCommandLineParser: --help/-h and --version/-v print and end the mode
// with 0; an unknown option, a missing value or a stray argument prints one
// line naming it and the usage, and ends the mode with 2. Needs no application
// object, so it answers before any display is opened.
class CModeParser
{
public:
    // usage: the synopsis after "usage: ", e.g. "kestavo --questions [--count N]".
    // about: what the mode does, for --help.
    CModeParser(QString usage, QString about);

    void AddOption(const QCommandLineOption& option);
    // A flag that only selects the mode; it is accepted and otherwise ignored.
    void AddModeFlag(const QString& name);
    // A line under the options in --help (e.g. the list of other modes).
    void AddHelpNote(const QString& text) { m_notes << text; }

    // args: the arguments after the program name. Returns -1 when the mode
    // should run, otherwise the exit code after printing.
    int Parse(const QStringList& args, QTextStream& out, QTextStream& err);
    // Prints "kestavo: message" and the usage on err; returns 2 (bad usage).
    int Reject(const QString& message, QTextStream& err) const;

    bool IsSet(const QString& name) const { return m_parser.isSet(name); }
    QString Value(const QString& name) const { return m_parser.value(name); }
    QString HelpText() const;
    static QString VersionText();

private:
    QString m_usage;
    QString m_about;
    QList<QCommandLineOption> m_options;
    QStringList m_notes;
    QCommandLineParser m_parser;
};
