#pragma once

#include <QString>
#include <QStringList>

class QLocale;
class QTextStream;

// The language of the program's texts: one of the shipped translations or
// English. Chosen, first to last, by --lang, by the teacher's choice kept in
// the user hive (the main key's REG_SZ "Language"; empty or unknown means the
// desktop's), and by the desktop's locale; English when none of them names a
// shipped language.
class CAppLanguage
{
public:
    // Every code the program can show, English first.
    static QStringList Codes();
    // The shipped code for a language name such as "de", "de_AT", "pt-BR" or
    // "fr_CA", or empty when there is none.
    static QString Match(const QString& name);
    // The language's own name ("Deutsch"), as a teacher looks for it.
    static QString NativeName(const QString& code);

    // The teacher's stored choice, a shipped code or empty (follow the desktop).
    static QString Stored();
    // Keeps code (empty: follow the desktop); false when the hive cannot be written.
    static bool Store(const QString& code);
    // The first shipped language of the desktop's locale, English otherwise.
    static QString Desktop();
    // The same for any locale ("C" and unshipped languages: English).
    static QString ForLocale(const QLocale& locale);

    // Removes --lang CODE / --lang=CODE from args and remembers the code for
    // Apply. Returns false, with "kestavo: ..." on err, for a missing value or
    // a language the program does not have.
    static bool TakeOption(QStringList& args, QTextStream& err);
    // The code --lang named, or empty.
    static QString Requested();
    static void Request(const QString& code);

    // The language in force for this run: --lang, the stored choice, the desktop.
    static QString Effective();
    // Loads the effective language's translations (the program's and Qt's own)
    // into the running application and points the help at its pages.
    // Call once the application object exists.
    static void Apply();
};
