// Safety rules that no other test pins down: settings files are private to
// their owner whatever the umask, and a library is never taken from a folder
// named relative to the working directory.
#include "control/HandwritingRecognizer.h"
#include "platform/registry/Registry.h"
#include "tests/fixtures/RegistryValues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const std::string& path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0)
        return 07777;
    return st.st_mode & 07777;
}

// Restores the process's umask and working directory.
struct ProcessState
{
    mode_t mask = ::umask(0);
    QString cwd = QDir::currentPath();
    ~ProcessState()
    {
        ::umask(mask);
        QDir::setCurrent(cwd);
    }
};

} // namespace

TEST(SettingsFiles, AreOwnerOnlyEvenWithAnOpenUmaskAndAfterADamagedFileIsSetAside)
{
    ProcessState state; // umask 0 from here
    QTemporaryDir base;
    const std::string folder = base.path().toStdString() + "/new/kestavo";
    const QByteArray previous = qgetenv("KESTAVO_HIVE_DIR");
    qputenv("KESTAVO_HIVE_DIR", QByteArray::fromStdString(folder));

    SetRegistryString(HKEY_CURRENT_USER, "Software\\Check", "Name", "first");
    const std::string hive = folder + "/HKEY_CURRENT_USER.reg";
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_EQ(modeOf(hive), 0600u);
    EXPECT_EQ(modeOf(hive + ".lock"), 0600u);

    // A damaged file (here world-readable, written by hand) is replaced by a
    // private one on the next save.
    {
        QFile f(QString::fromStdString(hive));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("not a hive\n");
    }
    ASSERT_EQ(::chmod(hive.c_str(), 0644), 0);
    SetRegistryString(HKEY_CURRENT_USER, "Software\\Check", "Name", "second");
    EXPECT_EQ(modeOf(hive), 0600u);
    qputenv("KESTAVO_HIVE_DIR", previous);
}

TEST(RecognizerSearch, NeverLoadsFromAFolderRegisteredAsARelativePath)
{
    // A folder under the working directory holds a complete recogniser; the
    // board folder is registered as its relative name.
    ProcessState state;
    ::umask(state.mask);
    QTemporaryDir work;
    ASSERT_TRUE(QDir(work.path()).mkpath(QStringLiteral("board")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTAVO_TEST_LIB_DIR "/libcallig.so"),
        work.path() + QStringLiteral("/board/libcallig.so")));
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    SetRegistryString(HKEY_LOCAL_MACHINE,
        "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Install Information", "Board Directory",
        "board");
    SetRegistryString(HKEY_CLASSES_ROOT, "Software\\TandrelBoard", "ExeDir", "./board/");

    CHandwritingRecognizer recognizer(work.path().toStdString() + "/");
    recognizer.FindRecognizer();
    EXPECT_EQ(recognizer.LibraryPath().find("board/"), std::string::npos) << recognizer.LibraryPath();
    // What is found instead comes through the install's own run path.
    EXPECT_EQ(recognizer.LibraryPath(), "libcallig.so");
}
