#include "app/AppLanguage.h"

#include "config/OperatorSettings.h"
#include "platform/help/HelpBrowser.h"
#include "platform/registry/Registry.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>
#include <QTranslator>
#include <vector>

namespace {

constexpr const char* kLanguageValue = "Language";
// A stored language name is a few letters; anything longer is not one.
constexpr DWORD kMaxStoredBytes = 64;

struct Language
{
    const char* code;
    const char* nativeName;
};

const Language kLanguages[] = {
    { "en", "English" },
    { "de", "Deutsch" },
    { "fr", "Fran\u00e7ais" },
    { "es", "Espa\u00f1ol" },
    { "pt_BR", "Portugu\u00eas (Brasil)" },
};

QString g_requested;

} // namespace

QStringList CAppLanguage::Codes()
{
    QStringList codes;
    for (const Language& language : kLanguages)
        codes << QString::fromLatin1(language.code);
    return codes;
}

QString CAppLanguage::Match(const QString& name)
{
    // "pt-BR", "pt_br", "de_DE.UTF-8", "fr_CA@euro": language and territory only.
    const QString clean = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    static const QRegularExpression shape(QStringLiteral("^([A-Za-z]{2,3})(?:[-_]([A-Za-z]{2}|[0-9]{3}))?$"));
    const QRegularExpressionMatch parts = shape.match(clean);
    if (!parts.hasMatch())
        return QString();
    const QString language = parts.captured(1).toLower();
    const QString full
        = parts.captured(2).isEmpty() ? language : language + QLatin1Char('_') + parts.captured(2).toUpper();
    const QStringList codes = Codes();
    if (codes.contains(full))
        return full;
    // Another country's variant of a shipped language reads it rather than English.
    for (const QString& code : codes)
        if (code.section(QLatin1Char('_'), 0, 0) == language)
            return code;
    return QString();
}

QString CAppLanguage::NativeName(const QString& code)
{
    for (const Language& language : kLanguages)
        if (code == QLatin1String(language.code))
            return QString::fromUtf8(language.nativeName);
    return code;
}

QString CAppLanguage::Stored()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKestavoRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return QString();
    char text[kMaxStoredBytes + 1] = {};
    DWORD type = REG_NONE;
    DWORD size = kMaxStoredBytes;
    const LONG rc
        = RegQueryValueExA(key, kLanguageValue, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return QString();
    return Match(QString::fromUtf8(text, static_cast<int>(qstrnlen(text, size))));
}

bool CAppLanguage::Store(const QString& code)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKestavoRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
            KEY_WRITE | KEY_QUERY_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const QByteArray text = Match(code).toUtf8();
    LONG rc = RegSetValueExA(key, kLanguageValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.constData()),
        static_cast<DWORD>(text.size() + 1));
    // The store writes the hive when the key is closed.
    const LONG closed = RegCloseKey(key);
    return rc == ERROR_SUCCESS && closed == ERROR_SUCCESS;
}

QString CAppLanguage::Desktop()
{
    return ForLocale(QLocale::system());
}

QString CAppLanguage::ForLocale(const QLocale& locale)
{
    if (locale.language() != QLocale::C)
        for (const QString& name : locale.uiLanguages()) {
            const QString code = Match(name);
            if (!code.isEmpty())
                return code;
        }
    return QStringLiteral("en");
}

bool CAppLanguage::TakeOption(QStringList& args, QTextStream& err)
{
    const QString flag = QStringLiteral("--lang");
    for (int i = 0; i < args.size(); ++i) {
        QString value;
        if (args[i] == flag) {
            if (i + 1 >= args.size()) {
                err << "kestavo: --lang needs a language code (" << Codes().join(QStringLiteral(", ")) << ")"
                    << Qt::endl;
                return false;
            }
            value = args[i + 1];
            args.remove(i, 2);
        } else if (args[i].startsWith(flag + QLatin1Char('='))) {
            value = args[i].mid(flag.size() + 1);
            args.remove(i);
        } else {
            continue;
        }
        const QString code = Match(value);
        if (code.isEmpty()) {
            err << "kestavo: unknown language for --lang: \"" << value << "\" (use one of "
                << Codes().join(QStringLiteral(", ")) << ")" << Qt::endl;
            return false;
        }
        g_requested = code;
        --i;
    }
    return true;
}

QString CAppLanguage::Requested()
{
    return g_requested;
}

void CAppLanguage::Request(const QString& code)
{
    g_requested = Match(code);
}

QString CAppLanguage::Effective()
{
    if (!g_requested.isEmpty())
        return g_requested;
    const QString stored = Stored();
    return stored.isEmpty() ? Desktop() : stored;
}

void CAppLanguage::Apply()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    const QString code = Effective();
    // Translators stay installed for the application's life; a second Apply
    // (tests make several applications in turn) replaces them.
    static std::vector<QTranslator*> installed;
    for (QTranslator* translator : installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed.clear();
    CHelpBrowser::SetLanguage(code == QLatin1String("en") ? QString() : code);
    if (code == QLatin1String("en"))
        return;
    auto load = [&](const QString& file, const QString& folder) {
        auto* translator = new QTranslator;
        if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
            installed.push_back(translator);
        else
            delete translator;
    };
    load(QStringLiteral("kestavo_") + code, QStringLiteral(":/i18n"));
    // Qt's own buttons and file dialogs, where the system has them.
    load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
