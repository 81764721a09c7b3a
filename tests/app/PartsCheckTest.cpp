#include "app/PartsCheck.h"
#include "platform/registry/HiveLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

CPartsCheck::SFound Missing(std::initializer_list<CPartsCheck::EPart> parts)
{
    CPartsCheck::SFound found;
    for (CPartsCheck::EPart part : parts)
        found.present[size_t(part)] = false;
    return found;
}

// Points the user's settings folder somewhere else for one test.
class HiveDirOverride
{
public:
    explicit HiveDirOverride(const QString& folder)
        : m_old(qgetenv("KESTAVO_HIVE_DIR"))
    {
        qputenv("KESTAVO_HIVE_DIR", folder.toLocal8Bit());
    }
    ~HiveDirOverride() { qputenv("KESTAVO_HIVE_DIR", m_old); }

private:
    QByteArray m_old;
};

} // namespace

TEST(PartsCheck, SaysNothingWhenEverythingIsThere)
{
    EXPECT_TRUE(CPartsCheck::Report(CPartsCheck::SFound()).isEmpty());
}

TEST(PartsCheck, OneSentencePerMissingPartSayingWhatStillWorks)
{
    const QStringList sentences = CPartsCheck::Sentences(
        Missing({ CPartsCheck::BoardSoftware, CPartsCheck::HelpPages, CPartsCheck::SettingsFolder }));
    ASSERT_EQ(sentences.size(), 3);
    EXPECT_TRUE(sentences[0].contains(QStringLiteral("whiteboard software")));
    EXPECT_TRUE(sentences[0].contains(QStringLiteral("keyboard")));
    EXPECT_TRUE(sentences[1].contains(QStringLiteral("help pages")));
    EXPECT_TRUE(sentences[2].contains(QStringLiteral("forgotten when Kestavo closes")));
    // No file names, class ids or commands a teacher cannot act on.
    for (const QString& sentence : sentences) {
        EXPECT_FALSE(sentence.contains(QStringLiteral(".so"))) << sentence.toStdString();
        EXPECT_FALSE(sentence.contains(QLatin1Char('{'))) << sentence.toStdString();
    }
    EXPECT_EQ(CPartsCheck::Report(Missing({ CPartsCheck::BoardSoftware, CPartsCheck::HelpPages,
                                      CPartsCheck::SettingsFolder }))
                  .count(QLatin1Char('\n')),
        2);
}

TEST(PartsCheck, ARootCauseHidesTheProblemsItCauses)
{
    // Without the control nothing can be typed either: no sentence may
    // promise keyboard input then.
    const QStringList noControl
        = CPartsCheck::Sentences(Missing({ CPartsCheck::PenControl, CPartsCheck::BoardSoftware,
            CPartsCheck::InkComponent, CPartsCheck::Recognizer, CPartsCheck::LicenseFile }));
    ASSERT_EQ(noControl.size(), 2);
    EXPECT_TRUE(noControl[0].contains(QStringLiteral("answers cannot be entered")));
    EXPECT_FALSE(noControl.join(QLatin1Char(' ')).contains(QStringLiteral("keyboard")));
    EXPECT_TRUE(noControl[1].contains(QStringLiteral("licence")));

    // No board software: the ink component is not mentioned on its own;
    // no reader: its word list is not either.
    EXPECT_EQ(CPartsCheck::Sentences(Missing({ CPartsCheck::BoardSoftware, CPartsCheck::InkComponent,
                                         CPartsCheck::Recognizer, CPartsCheck::RecognizerWords }))
                  .size(),
        2);
    const QStringList inkOnly = CPartsCheck::Sentences(Missing({ CPartsCheck::InkComponent }));
    ASSERT_EQ(inkOnly.size(), 1);
    EXPECT_TRUE(inkOnly[0].contains(QStringLiteral("pen writing")));
    const QStringList wordsOnly = CPartsCheck::Sentences(Missing({ CPartsCheck::RecognizerWords }));
    ASSERT_EQ(wordsOnly.size(), 1);
    EXPECT_TRUE(wordsOnly[0].contains(QStringLiteral("word list")));
}

TEST(PartsCheck, ProbeFindsNoComponentsInAnEmptyHive)
{
    // The test hive registers nothing; its folder is the test's own.
    const CPartsCheck::SFound found = CPartsCheck::Probe();
    EXPECT_FALSE(found.present[CPartsCheck::PenControl]);
    EXPECT_FALSE(found.present[CPartsCheck::BoardSoftware]);
    EXPECT_FALSE(found.present[CPartsCheck::InkComponent]);
    EXPECT_TRUE(found.present[CPartsCheck::SettingsFolder]);
    EXPECT_TRUE(CPartsCheck::Report(found).contains(QStringLiteral("answer boxes")));
}

TEST(PartsCheck, SettingsFilesInTheWayMeanSettingsCannotBeSaved)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    // The folder is fine but the settings file, its lock file or its
    // temporary file is a folder: every save fails. A settings file that
    // is a link is replaced by a save, so it is no obstacle.
    const QString folder = dir.filePath(QStringLiteral("blocked"));
    HiveDirOverride hive(folder);
    ASSERT_TRUE(QDir().mkpath(folder));
    const CHiveLocation location = CHiveLocation::user();
    const QString file = QString::fromStdString(location.file);
    EXPECT_TRUE(CPartsCheck::SettingsFolderWritable());
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("plain")), file));
    QFile lockFile(QString::fromStdString(location.lockFile()));
    ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly));
    lockFile.close();
    EXPECT_TRUE(CPartsCheck::SettingsFolderWritable());
    for (const std::string& path : { location.file, location.tempFile(), location.lockFile() }) {
        const QString inTheWay = QString::fromStdString(path);
        QFile::remove(inTheWay);
        ASSERT_TRUE(QDir().mkdir(inTheWay));
        EXPECT_FALSE(CPartsCheck::SettingsFolderWritable()) << "a folder at " << path;
        ASSERT_TRUE(QDir().rmdir(inTheWay));
    }
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("plain")), QString::fromStdString(location.lockFile())));
    EXPECT_FALSE(CPartsCheck::SettingsFolderWritable()) << "a link as the lock file";
}

TEST(PartsCheck, SettingsFolderWritableOnlyWhereFilesCanBeMade)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        // Not made yet: the first save makes it in a writable folder.
        HiveDirOverride hive(dir.filePath(QStringLiteral("not/yet/made")));
        EXPECT_TRUE(CPartsCheck::SettingsFolderWritable());
    }
    {
        // A plain file where a folder on the way must go: no one can save.
        QFile plain(dir.filePath(QStringLiteral("plain")));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
        plain.close();
        HiveDirOverride hive(plain.fileName() + QStringLiteral("/kestavo"));
        EXPECT_FALSE(CPartsCheck::SettingsFolderWritable());
    }
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser can write into any folder";
    const QString locked = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(locked));
    ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0500), 0);
    {
        HiveDirOverride hive(locked);
        EXPECT_FALSE(CPartsCheck::SettingsFolderWritable());
    }
    {
        HiveDirOverride hive(locked + QStringLiteral("/sub"));
        EXPECT_FALSE(CPartsCheck::SettingsFolderWritable());
    }
    // Nothing was left behind by the probes.
    EXPECT_TRUE(QDir(locked).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
    chmod(QFile::encodeName(locked).constData(), 0700);
}
