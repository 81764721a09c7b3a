#pragma once

#include <QChar>
#include <QString>

// The decimal separator numbers are shown with: the language's (QLocale's
// decimal point) or the teacher's choice, kept in the user's settings. Only
// what is shown and typed changes: answers, states and settings always hold
// the point, so every version reads what another saved.
class CDecimalSeparator
{
public:
    enum Choice
    {
        FromLanguage = 0,
        Point = 1,
        Comma = 2,
    };

    // REG_DWORD in the game's main key of the user hive.
    static constexpr const char* kValueName = "DecimalSeparator";

    // The teacher's choice; a missing, mistyped or out-of-range value reads as FromLanguage.
    static Choice ReadChoice();
    // False when the settings could not be written.
    static bool WriteChoice(Choice choice);

    // ',' or '.' for a choice and a locale's decimal point.
    static QChar For(Choice choice, const QString& localeDecimalPoint);
    // The separator in use now: the stored choice, else the default QLocale's.
    // The choice is read from the settings once and kept (every cell paint asks);
    // WriteChoice keeps the new one, Forget makes the next call read again.
    static QChar Current();
    static void Forget();

    // A stored number as shown: every '.' becomes the separator.
    static QString Shown(const QString& stored, QChar separator);
    static QString Shown(const QString& stored) { return Shown(stored, Current()); }
    static char ShownChar(char stored, QChar separator);

    // What a pupil typed or wrote as stored: ',' becomes '.'.
    static char StoredChar(char entered) { return entered == ',' ? '.' : entered; }
};
