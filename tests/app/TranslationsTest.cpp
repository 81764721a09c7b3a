// The translations: every .ts file complete against the code's texts, with
// its placeholders and accelerators, and the choice of the language.
#include "app/AppLanguage.h"
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "config/OperatorSettings.h"
#include "platform/registry/Registry.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

std::vector<Message> ReadTs(const QString& path, QString& error)
{
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            current = Message { context, {}, {}, {} };
        else if (xml.name() == QLatin1String("source"))
            current.source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            current.translation = xml.readElementText();
            messages.push_back(current);
        }
    }
    if (xml.hasError())
        error = xml.errorString();
    return messages;
}

// %1 ... %99 and %n, each as often as it appears.
std::map<QString, int> Placeholders(const QString& text)
{
    std::map<QString, int> found;
    static const QRegularExpression marker(QStringLiteral("%(\\d+|n)"));
    for (auto it = marker.globalMatch(text); it.hasNext();)
        ++found[it.next().captured(0)];
    return found;
}

// Menu and button accelerators: "&x", not the escaped "&&".
int Accelerators(const QString& text)
{
    static const QRegularExpression accelerator(QStringLiteral("(?<!&)&(?=[^&\\s])"));
    return static_cast<int>(text.count(accelerator));
}

class TranslationFile : public ::testing::TestWithParam<const char*>
{
};

// lupdate brings the code's texts into a copy of the file: any text without
// a finished translation, new ones included, fails here.
TEST_P(TranslationFile, TranslatesEveryTextOfTheCodeKeepingPlaceholdersAndAccelerators)
{
    const QString source = QStringLiteral(KESTAVO_TEST_SOURCE_DIR);
    const QString name = QStringLiteral("kestavo_%1.ts").arg(QLatin1String(GetParam()));
    QTemporaryDir dir;
    const QString copy = dir.filePath(name);
    ASSERT_TRUE(QFile::copy(source + QStringLiteral("/translations/") + name, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QProcess lupdate;
    lupdate.setWorkingDirectory(source);
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args { QStringLiteral("-I"), source, QStringLiteral("-locations"), QStringLiteral("none"),
        QStringLiteral("-no-obsolete") };
    args << QStringLiteral(KESTAVO_TRANSLATED_FOLDERS).split(QLatin1Char(','));
    args << QStringLiteral("-ts") << copy;
    lupdate.start(QStringLiteral(KESTAVO_LUPDATE), args);
    ASSERT_TRUE(lupdate.waitForFinished(120000)) << lupdate.errorString().toStdString();
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

    QString error;
    const std::vector<Message> messages = ReadTs(copy, error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_GT(messages.size(), 150u);
    for (const Message& m : messages) {
        const std::string where = (m.context + QStringLiteral(": ") + m.source).toStdString();
        EXPECT_TRUE(m.type.isEmpty()) << m.type.toStdString() << " - " << where;
        EXPECT_FALSE(m.translation.trimmed().isEmpty()) << "no translation - " << where;
        EXPECT_EQ(Placeholders(m.translation), Placeholders(m.source)) << where;
        EXPECT_EQ(Accelerators(m.translation), Accelerators(m.source)) << where;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFile, ::testing::Values("de", "fr", "es", "pt_BR"),
    [](const auto& info) { return std::string(info.param); });

TEST(AppLanguage, NamesAndLocalesMatchTheShippedLanguages)
{
    const struct
    {
        const char* name;
        const char* code;
    } names[] = {
        { "de", "de" },
        { "de_AT", "de" },
        { "de-CH", "de" },
        { "de_DE.UTF-8", "de" },
        { "FR", "fr" },
        { "fr_CA@euro", "fr" },
        { "es_MX", "es" },
        { "es-419", "es" },
        { "pt-BR", "pt_BR" },
        { "pt_br", "pt_BR" },
        { "pt_PT", "pt_BR" },
        { "en_GB", "en" },
        { "xx", "" },
        { "", "" },
        { "de_", "" },
        { "../de", "" },
        { "C", "" },
        { "klingon", "" },
    };
    for (const auto& n : names)
        EXPECT_EQ(CAppLanguage::Match(QLatin1String(n.name)), QLatin1String(n.code)) << n.name;

    EXPECT_EQ(CAppLanguage::ForLocale(QLocale::c()), QStringLiteral("en"));
    EXPECT_EQ(CAppLanguage::ForLocale(QLocale(QStringLiteral("de_AT"))), QStringLiteral("de"));
    EXPECT_EQ(CAppLanguage::ForLocale(QLocale(QStringLiteral("pt_BR"))), QStringLiteral("pt_BR"));
    EXPECT_EQ(CAppLanguage::ForLocale(QLocale(QStringLiteral("ja_JP"))), QStringLiteral("en"));
}

void StoreRaw(DWORD type, const QByteArray& data)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKestavoRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "Language", 0, type, reinterpret_cast<const BYTE*>(data.constData()),
                  static_cast<DWORD>(data.size())),
        ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST(AppLanguage, TheStoredChoiceIsReadAndABadOneFollowsTheDesktop)
{
    EXPECT_EQ(CAppLanguage::Stored(), QString());
    EXPECT_EQ(CAppLanguage::Effective(), CAppLanguage::Desktop());

    ASSERT_TRUE(CAppLanguage::Store(QStringLiteral("es")));
    EXPECT_EQ(CAppLanguage::Stored(), QStringLiteral("es"));
    EXPECT_EQ(CAppLanguage::Effective(), QStringLiteral("es"));
    CAppLanguage::Request(QStringLiteral("de"));
    EXPECT_EQ(CAppLanguage::Effective(), QStringLiteral("de")) << "--lang wins over the stored choice";
    CAppLanguage::Request(QString());

    const struct
    {
        DWORD type;
        QByteArray data;
    } bad[] = {
        { REG_SZ, QByteArray("xx", 3) },
        { REG_SZ, QByteArray(200, 'd') + '\0' },
        { REG_SZ, QByteArray("de", 2) + QByteArray(100, '\0') },
        { REG_DWORD, QByteArray("\1\0\0\0", 4) },
        { REG_SZ, QByteArray("", 1) },
    };
    for (const auto& value : bad) {
        StoreRaw(value.type, value.data);
        EXPECT_EQ(CAppLanguage::Effective(), CAppLanguage::Desktop()) << value.data.left(8).toStdString();
    }
    StoreRaw(REG_SZ, QByteArray("pt-BR", 6));
    EXPECT_EQ(CAppLanguage::Stored(), QStringLiteral("pt_BR"));
    ASSERT_TRUE(CAppLanguage::Store(QString()));
    EXPECT_EQ(CAppLanguage::Stored(), QString());
}

TEST(AppLanguage, TheGameMenuKeepsTheTeachersChoiceForTheNextStart)
{
    CKestavoApp app;
    CKestavoApp::Options options;
    options.setupRunner = [](std::vector<CParameterSet>&, int&) { return false; };
    options.messageSink = [](const QString&) {};
    ASSERT_TRUE(app.InitInstance(options));
    QStringList told;
    app.GetMainFrame()->SetMessageSink([&told](const QString& text) { told << text; });
    auto* menu = app.GetMainFrame()->findChild<QMenu*>(QStringLiteral("languageMenu"));
    ASSERT_NE(menu, nullptr);
    const auto choose = [menu](const QString& code) {
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && action->data().toString() == code) {
                action->trigger();
                return true;
            }
        return false;
    };
    ASSERT_TRUE(choose(QStringLiteral("pt_BR")));
    EXPECT_EQ(CAppLanguage::Stored(), QStringLiteral("pt_BR"));
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral("Portugu"))) << told[0].toStdString();
    ASSERT_TRUE(choose(QString()));
    EXPECT_EQ(CAppLanguage::Stored(), QString());
    EXPECT_EQ(told.size(), 2);
    app.ExitInstance();
}

QString GameMenuTitle()
{
    CKestavoApp app;
    CKestavoApp::Options options;
    options.setupRunner = [](std::vector<CParameterSet>&, int&) { return false; };
    options.messageSink = [](const QString&) {};
    EXPECT_TRUE(app.InitInstance(options));
    const QString title = app.GetMainFrame()->menuBar()->actions().value(0)->text();
    app.ExitInstance();
    return title;
}

TEST(AppLanguage, TheProgramComesUpInTheChosenLanguage)
{
    CAppLanguage::Request(QStringLiteral("de"));
    CAppLanguage::Apply();
    EXPECT_EQ(GameMenuTitle(), QStringLiteral("&Spiel"));
    EXPECT_EQ(QCoreApplication::translate("StringTable", "Question"), QStringLiteral("Aufgabe"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"))
        << "Qt's own texts follow the program's language";

    CAppLanguage::Request(QStringLiteral("en"));
    CAppLanguage::Apply();
    EXPECT_EQ(GameMenuTitle(), QStringLiteral("&Game"));
    CAppLanguage::Request(QString());
    CAppLanguage::Apply();
}

} // namespace
