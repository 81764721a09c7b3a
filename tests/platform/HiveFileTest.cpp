// The hive file on disk: concurrent writers, damaged files, interrupted saves.
#include "platform/registry/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <atomic>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

QString hiveDir()
{
    return qEnvironmentVariable("KESTAVO_HIVE_DIR");
}

QString userHive()
{
    return QDir(hiveDir()).filePath("HKEY_CURRENT_USER.reg");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList damagedFiles()
{
    return QDir(hiveDir()).entryList({ "HKEY_CURRENT_USER.reg.damaged-*" }, QDir::Files | QDir::System);
}

DWORD countValues(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD n = 0;
    while (true) {
        char name[64];
        DWORD size = sizeof name;
        if (RegEnumValueA(key, n, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        ++n;
    }
    RegCloseKey(key);
    return n;
}

QProcess* startWriter(const QString& key, int count, bool leaveOpen = false)
{
    auto* p = new QProcess;
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList args { hiveDir(), key, QString::number(count) };
    if (leaveOpen)
        args << "open";
    p->start(QStringLiteral(KESTAVO_REGISTRY_WRITER), args);
    EXPECT_TRUE(p->waitForStarted(10000));
    return p;
}

// Reads the file as the parser would and says whether it is a whole hive.
bool hiveParses()
{
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key);
    if (rc == ERROR_SUCCESS)
        RegCloseKey(key);
    return damagedFiles().isEmpty();
}

} // namespace

TEST(HiveFile, TwoProcessesAndThisOneSavingAtOnceLoseNothing)
{
    const int perWriter = 150;
    QProcess* a = startWriter("A", perWriter);
    QProcess* b = startWriter("B", perWriter);
    // This process keeps one key open the whole time (its changes are saved
    // together at the close, on top of everything the others saved
    // meanwhile) and saves another value by value.
    HKEY longLived = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Race\\Mine", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
            &longLived, nullptr));
    for (int i = 0; i < perWriter; ++i) {
        const std::string name = "m" + std::to_string(i);
        ASSERT_EQ(ERROR_SUCCESS,
            RegSetValueExA(longLived, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2));
        HKEY shortLived = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Race\\Each", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                &shortLived, nullptr));
        ASSERT_EQ(ERROR_SUCCESS,
            RegSetValueExA(shortLived, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2));
        ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(shortLived));
    }
    ASSERT_TRUE(a->waitForFinished(60000));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(longLived));
    ASSERT_TRUE(b->waitForFinished(60000));
    EXPECT_EQ(0, a->exitCode());
    EXPECT_EQ(0, b->exitCode());
    delete a;
    delete b;

    EXPECT_EQ(static_cast<DWORD>(perWriter), countValues("Software\\Race\\A"));
    EXPECT_EQ(static_cast<DWORD>(perWriter), countValues("Software\\Race\\B"));
    EXPECT_EQ(static_cast<DWORD>(perWriter), countValues("Software\\Race\\Mine"));
    EXPECT_EQ(static_cast<DWORD>(perWriter), countValues("Software\\Race\\Each"));
    EXPECT_TRUE(damagedFiles().isEmpty());
}

TEST(HiveFile, ChangesAreSavedAtCloseOrAtOnceThroughARootKey)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        RegCreateKeyExA(
            HKEY_CURRENT_USER, "Software\\Kept", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ASSERT_EQ(
        ERROR_SUCCESS, RegSetValueExA(key, "Pending", 0, REG_SZ, reinterpret_cast<const BYTE*>("p"), 2));
    auto fileText = [] {
        QFile f(userHive());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    EXPECT_FALSE(fileText().contains("Pending"));
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(key));
    EXPECT_TRUE(fileText().contains("\"Pending\"=\"p\""));
    ASSERT_EQ(
        ERROR_SUCCESS, RegSetValueExA(key, "Closing", 0, REG_SZ, reinterpret_cast<const BYTE*>("c"), 2));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(key));
    EXPECT_TRUE(fileText().contains("\"Closing\"=\"c\""));
    ASSERT_EQ(ERROR_SUCCESS,
        RegSetValueExA(HKEY_CURRENT_USER, "AtRoot", 0, REG_SZ, reinterpret_cast<const BYTE*>("r"), 2));
    EXPECT_TRUE(fileText().contains("[HKEY_CURRENT_USER]\n\"AtRoot\"=\"r\""));
}

TEST(HiveFile, AProcessThatExitsWithAKeyOpenStillSavesItsChanges)
{
    QProcess* w = startWriter("LeftOpen", 20, true);
    ASSERT_TRUE(w->waitForFinished(30000));
    EXPECT_EQ(0, w->exitCode());
    delete w;
    EXPECT_EQ(20u, countValues("Software\\Race\\LeftOpen"));
}

TEST(HiveFile, ThreadsSharingTheStoreKeepEveryValue)
{
    std::vector<std::thread> threads;
    std::atomic<int> failures { 0 };
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            const std::string path = "Software\\Threads\\T" + std::to_string(t);
            for (int i = 0; i < 50; ++i) {
                HKEY key = nullptr;
                if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr)
                    != ERROR_SUCCESS) {
                    ++failures;
                    continue;
                }
                const DWORD v = static_cast<DWORD>(i);
                const std::string name = "n" + std::to_string(i);
                failures
                    += RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4)
                    != ERROR_SUCCESS;
                DWORD back = 0, size = sizeof back;
                failures += RegQueryValueExA(
                                key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&back), &size)
                        != ERROR_SUCCESS
                    || back != v;
                failures += RegCloseKey(key) != ERROR_SUCCESS;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(0, failures.load());
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(50u, countValues("Software\\Threads\\T" + std::to_string(t)));
}

TEST(HiveFile, AFolderThatCannotBeMadeFailsTheChangeAtOnce)
{
    // A hive folder below a plain file can never be created, even by root.
    writeFile(QDir(hiveDir()).filePath("plain"), "x");
    const QByteArray previous = qgetenv("KESTAVO_HIVE_DIR");
    qputenv("KESTAVO_HIVE_DIR", QDir(hiveDir()).filePath("plain/hives").toLocal8Bit());
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS,
        RegCreateKeyExA(
            HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(nullptr, key);
    EXPECT_NE(ERROR_SUCCESS,
        RegSetValueExA(HKEY_CURRENT_USER, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2));
    DWORD size = 0;
    EXPECT_EQ(
        ERROR_FILE_NOT_FOUND, RegQueryValueExA(HKEY_CURRENT_USER, "x", nullptr, nullptr, nullptr, &size));
    qputenv("KESTAVO_HIVE_DIR", previous);
}

TEST(HiveFile, AWriterKilledWhileSavingLeavesAWholeFile)
{
    for (int round = 0; round < 5; ++round) {
        QProcess* w = startWriter("Killed" + QString::number(round), 100000);
        QThread::msleep(30 + 17 * round);
        ::kill(static_cast<pid_t>(w->processId()), SIGKILL);
        w->waitForFinished(10000);
        delete w;
        EXPECT_TRUE(hiveParses()) << "round " << round;
        // What it managed to save is there, in order, without gaps.
        const DWORD n = countValues("Software\\Race\\Killed" + std::to_string(round));
        HKEY key = nullptr;
        if (n > 0) {
            ASSERT_EQ(ERROR_SUCCESS,
                RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\Race\\Killed" + std::to_string(round)).c_str(),
                    0, KEY_READ, &key));
            char name[64];
            DWORD size = sizeof name;
            ASSERT_EQ(
                ERROR_SUCCESS, RegEnumValueA(key, n - 1, name, &size, nullptr, nullptr, nullptr, nullptr));
            EXPECT_EQ("v" + std::to_string(n - 1), std::string(name));
            RegCloseKey(key);
        }
    }
}

TEST(HiveFile, DamagedFilesAreSetAsideAndTheProgramCarriesOn)
{
    const std::vector<QByteArray> damaged = {
        QByteArray("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"bad\"=\"escape \\q\"\n"),
        QByteArray("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"cut\"=\"no end"),
        QByteArray("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n"), // another hive's key
        QByteArray("\x7f"
                   "ELF\x02\x01\x01\0\0\0junk",
            14),
        QByteArray("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"n\"=dword:123456789\n"),
        QByteArray("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"h\"=hex(1):41,4\n"),
        QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"") + QByteArray(3 << 20, 'a') + "\"\n",
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        for (const QString& f : damagedFiles())
            QFile::remove(QDir(hiveDir()).filePath(f));
        writeFile(userHive(), damaged[i]);
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key)) << i;
        const QStringList aside = damagedFiles();
        ASSERT_EQ(1, aside.size()) << i;
        QFile kept(QDir(hiveDir()).filePath(aside.first()));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(damaged[i], kept.readAll()) << "the damaged file is kept as it was";
        EXPECT_FALSE(QFile::exists(userHive()));

        // Saving works again and makes a whole new file.
        ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(
                HKEY_CURRENT_USER, "Software\\After", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegCloseKey(key);
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\After", 0, KEY_READ, &key));
        RegCloseKey(key);
        QFile::remove(userHive());
    }
}

TEST(HiveFile, ANonRegularFileInThePlaceOfTheHiveDoesNotHangTheProgram)
{
    // Opening a FIFO for reading would wait for a writer for ever.
    ASSERT_EQ(0, ::mkfifo(userHive().toLocal8Bit().constData(), 0600));
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key));
    EXPECT_EQ(1, damagedFiles().size());
    ASSERT_EQ(ERROR_SUCCESS,
        RegSetValueExA(HKEY_CURRENT_USER, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2));
    EXPECT_TRUE(QFileInfo(userHive()).isFile());
}

TEST(HiveFile, AFileEditedByHandIsReadAgain)
{
    writeFile(userHive(),
        "REGEDIT4\r\n\r\n; written by hand\r\n[HKEY_CURRENT_USER\\Software\\Hand]\r\n"
        "\"Level\"=\"3\"\r\n\"Bytes\"=hex:01,02,\\\r\n  03\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Hand", 0, KEY_READ, &key));
    char level[2];
    DWORD size = sizeof level;
    EXPECT_EQ(ERROR_SUCCESS,
        RegQueryValueExA(key, "Level", nullptr, nullptr, reinterpret_cast<BYTE*>(level), &size));
    EXPECT_STREQ("3", level);
    BYTE bytes[8];
    size = sizeof bytes;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Bytes", nullptr, nullptr, bytes, &size));
    EXPECT_EQ(3u, size);
    EXPECT_EQ(3, bytes[2]);

    // Another process rewrites the file: an open handle sees the new content.
    writeFile(userHive(), "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Hand]\n\"Level\"=\"4\"\n");
    size = sizeof level;
    EXPECT_EQ(ERROR_SUCCESS,
        RegQueryValueExA(key, "Level", nullptr, nullptr, reinterpret_cast<BYTE*>(level), &size));
    EXPECT_STREQ("4", level);
    RegCloseKey(key);
    EXPECT_TRUE(damagedFiles().isEmpty());
}
