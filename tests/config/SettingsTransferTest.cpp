// Moving Kestavo's settings in and out as regedit files, and the machine's
// defaults for a new user, through the real settings store.
#include "config/OperatorSettings.h"
#include "config/ParameterSet.h"
#include "config/SettingsDefaults.h"
#include "config/SettingsExport.h"
#include "config/SettingsImport.h"
#include "platform/registry/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string kAdditionKey = OperatorRegistryKey(OpAddition);
const std::string kDivisionKey = OperatorRegistryKey(OpDivision);
const char* const kBoardKey = "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Board Settings";

void WriteString(HKEY root, const std::string& subkey, const char* name, const char* text)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        RegCreateKeyExA(
            root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS,
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
            static_cast<DWORD>(std::strlen(text) + 1)));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(key));
}

std::string ReadString(HKEY root, const std::string& subkey, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char text[256] = {};
    DWORD size = sizeof text - 1;
    const LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::string(text) : "<no value>";
}

QString HivePath(const char* root)
{
    return QDir(qEnvironmentVariable("KESTAVO_HIVE_DIR")).filePath(QString::fromLatin1(root) + ".reg");
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string ExportUser()
{
    std::string bytes;
    bool found = false;
    EXPECT_EQ(ERROR_SUCCESS, CSettingsExport::Export(bytes, found));
    EXPECT_TRUE(found);
    return bytes;
}

// A teacher's settings: two operators through the parameter store, the
// question count and a board setting.
void SaveTeacherSettings()
{
    for (int op : { OpAddition, OpDivision }) {
        CParameterSet set;
        ApplyDefaults(set, OperatorNameOf(op), op == OpAddition ? 2 : 3);
        set.SetBool("Selected", true);
        ASSERT_EQ(0, set.SaveToRegistry(HKEY_CURRENT_USER, OperatorRegistryKey(op).c_str()));
    }
    ASSERT_EQ(ERROR_SUCCESS, RegWriteDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, 4));
    ASSERT_EQ(ERROR_SUCCESS, RegWriteDword(HKEY_CURRENT_USER, kBoardKey, "Pen Width", 7));
}

} // namespace

TEST(SettingsTransfer, ExportImportExportGivesTheSameFile)
{
    SaveTeacherSettings();
    WriteString(HKEY_CURRENT_USER, "Software\\Other Maker\\Other", "Keep", "out");
    const std::string first = ExportUser();
    ASSERT_EQ("\xFF\xFE", first.substr(0, 2));
    EXPECT_EQ(std::string::npos, first.find(std::string("O\0t\0h\0e\0r\0 \0M\0", 14)))
        << "only Kestavo's keys are exported";

    // A fresh user (another machine) imports it.
    ASSERT_TRUE(QFile::remove(HivePath("HKEY_CURRENT_USER")));
    CSettingsImport import;
    std::string error;
    ASSERT_TRUE(import.Load(first, error)) << error;
    EXPECT_TRUE(import.Skipped().empty());
    const std::vector<std::string> summary = import.Summary();
    EXPECT_EQ((std::vector<std::string> {
                  "Number of questions: 30", "Addition: level 3", "Division: level 4", "Board settings" }),
        summary);
    ASSERT_EQ(ERROR_SUCCESS, import.Commit(HKEY_CURRENT_USER));
    EXPECT_EQ("2", ReadString(HKEY_CURRENT_USER, kAdditionKey, "Level"));
    EXPECT_EQ(first, ExportUser());
}

TEST(SettingsTransfer, ImportTakesKestavoKeysFromEitherRootAndSkipsTheRest)
{
    WriteString(HKEY_CURRENT_USER, kDivisionKey, "Level", "1");
    WriteString(HKEY_CURRENT_USER, kAdditionKey, "Selected", "True");
    WriteString(HKEY_CURRENT_USER, kAdditionKey, "Level", "0");
    const std::string file
        = "REGEDIT4\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Tandrel Technologies Inc.]\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Tandrel Technologies Inc.\\Kestavo\\Addition]\r\n"
          "\"Level\"=\"4\"\r\n"
          "\"Selected\"=-\r\n\r\n"
          "[-HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.\\Kestavo\\Division]\r\n\r\n"
          "[HKEY_CURRENT_USER\\Software\\Other Maker\\Other]\r\n"
          "\"x\"=\"1\"\r\n\r\n"
          "[-HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.]\r\n\r\n"
          "[HKEY_CLASSES_ROOT\\Software\\Tandrel Technologies Inc.\\Kestavo]\r\n"
          "\"y\"=\"2\"\r\n";
    CSettingsImport import;
    std::string error;
    ASSERT_TRUE(import.Load(file, error)) << error;
    EXPECT_EQ((std::vector<std::string> { "HKEY_CURRENT_USER\\Software\\Other Maker\\Other",
                  "HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.",
                  "HKEY_CLASSES_ROOT\\Software\\Tandrel Technologies Inc.\\Kestavo" }),
        import.Skipped());

    // The dry run lists only what differs, and changes nothing.
    CHiveKey current;
    ASSERT_EQ(ERROR_SUCCESS, CRegistryStore::instance().copyHive(HKEY_CURRENT_USER, current));
    const QByteArray before = ReadFile(HivePath("HKEY_CURRENT_USER"));
    const std::vector<std::string> changes = import.Changes(current, "HKEY_CURRENT_USER");
    EXPECT_EQ((std::vector<std::string> {
                  "set HKEY_CURRENT_USER\\" + kAdditionKey + " \"Level\" = \"4\"",
                  "delete value HKEY_CURRENT_USER\\" + kAdditionKey + " \"Selected\"",
                  "delete key HKEY_CURRENT_USER\\" + kDivisionKey,
              }),
        changes);
    EXPECT_EQ(before, ReadFile(HivePath("HKEY_CURRENT_USER")));

    ASSERT_EQ(ERROR_SUCCESS, import.Commit(HKEY_CURRENT_USER));
    EXPECT_EQ("4", ReadString(HKEY_CURRENT_USER, kAdditionKey, "Level"));
    EXPECT_EQ("<no value>", ReadString(HKEY_CURRENT_USER, kAdditionKey, "Selected"));
    EXPECT_EQ("<no key>", ReadString(HKEY_CURRENT_USER, kDivisionKey, "Level"));
    EXPECT_EQ("<no key>", ReadString(HKEY_CURRENT_USER, "Software\\Other Maker\\Other", "x"));
    // Applying it again changes nothing more.
    ASSERT_EQ(ERROR_SUCCESS, CRegistryStore::instance().copyHive(HKEY_CURRENT_USER, current));
    EXPECT_TRUE(import.Changes(current, "HKEY_CURRENT_USER").empty());
}

TEST(SettingsTransfer, BadFilesChangeNothing)
{
    WriteString(HKEY_CURRENT_USER, kAdditionKey, "Level", "1");
    const QByteArray before = ReadFile(HivePath("HKEY_CURRENT_USER"));
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string addition = "[HKEY_CURRENT_USER\\" + kAdditionKey + "]\r\n";
    struct Case
    {
        const char* what;
        std::string bytes;
        const char* error;
    };
    const Case cases[] = {
        { "a text file", "Dear parents,\r\n", "line 1: not a registry file" },
        { "a picture", std::string("\x89PNG\r\n\x1a\n\0\0", 10), "line 1: not a registry file" },
        { "truncated in a value", header + addition + "\"Level\"=\"4\"\r\n\"Blob\"=hex:00,01,\\\r\n",
            "line 5: file ends inside a continued line" },
        { "truncated in a string", header + addition + "\"Level\"=\"4",
            "line 4: string without closing quote" },
        { "other software only",
            header + "[HKEY_CURRENT_USER\\Software\\Other Maker\\Other]\r\n\"x\"=\"1\"\r\n",
            "it holds no Kestavo settings" },
        { "only a header", header, "it holds no settings" },
    };
    for (const Case& c : cases) {
        CSettingsImport import;
        std::string error;
        EXPECT_FALSE(import.Load(c.bytes, error)) << c.what;
        EXPECT_EQ(0u, error.find(c.error)) << c.what << ": " << error;
        EXPECT_NE(ERROR_SUCCESS, import.Commit(HKEY_CURRENT_USER)) << c.what;
    }

    // A huge file is refused before it is read.
    const QString huge = QDir(qEnvironmentVariable("KESTAVO_HIVE_DIR")).filePath("huge.reg");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("REGEDIT4\r\n");
        ASSERT_TRUE(f.resize(40 << 20));
    }
    CSettingsImport import;
    std::string error;
    EXPECT_FALSE(import.LoadFile(huge, error));
    EXPECT_EQ("file too large for a settings file", error);
    EXPECT_EQ(before, ReadFile(HivePath("HKEY_CURRENT_USER")));
}

TEST(SettingsTransfer, AnImportThatCannotBeSavedLeavesTheHiveUnchanged)
{
    WriteString(HKEY_CURRENT_USER, kAdditionKey, "Level", "1");
    const QByteArray before = ReadFile(HivePath("HKEY_CURRENT_USER"));
    CSettingsImport import;
    std::string error;
    ASSERT_TRUE(import.Load("REGEDIT4\n[HKEY_CURRENT_USER\\" + kAdditionKey
            + "]\n\"Level\"=\"3\"\n\"New\"=\"x\"\n"
              "[HKEY_CURRENT_USER\\"
            + kDivisionKey + "]\n\"Level\"=\"2\"\n",
        error))
        << error;
    // A folder where the save's temporary file goes makes the save fail
    // after the changes were made in memory.
    const QString temp = HivePath("HKEY_CURRENT_USER") + ".tmp";
    ASSERT_TRUE(QDir().mkdir(temp));
    EXPECT_NE(ERROR_SUCCESS, import.Commit(HKEY_CURRENT_USER));
    EXPECT_EQ(before, ReadFile(HivePath("HKEY_CURRENT_USER")));
    EXPECT_EQ("1", ReadString(HKEY_CURRENT_USER, kAdditionKey, "Level"));
    EXPECT_EQ("<no value>", ReadString(HKEY_CURRENT_USER, kAdditionKey, "New"));
    EXPECT_EQ("<no key>", ReadString(HKEY_CURRENT_USER, kDivisionKey, "Level"));

    // Nor does the failed import come back with the next save.
    ASSERT_TRUE(QDir().rmdir(temp));
    WriteString(HKEY_CURRENT_USER, kAdditionKey, "Selected", "True");
    EXPECT_EQ("1", ReadString(HKEY_CURRENT_USER, kAdditionKey, "Level"));
    EXPECT_EQ("<no key>", ReadString(HKEY_CURRENT_USER, kDivisionKey, "Level"));
    EXPECT_EQ(ERROR_SUCCESS, import.Commit(HKEY_CURRENT_USER));
    EXPECT_EQ("3", ReadString(HKEY_CURRENT_USER, kAdditionKey, "Level"));
}

TEST(SettingsTransfer, MachineDefaultsStartANewUserAndTheUsersChoicesWin)
{
    WriteString(HKEY_LOCAL_MACHINE, kAdditionKey, "Level", "2");
    WriteString(HKEY_LOCAL_MACHINE, kAdditionKey, "Selected", "True");
    ASSERT_EQ(ERROR_SUCCESS, RegWriteDword(HKEY_LOCAL_MACHINE, kKestavoRegistryKey, kQuestionsIndexValue, 3));

    // The export of a user with nothing yet shows the defaults they would start from.
    EXPECT_NE(
        std::string::npos, ExportUser().find(std::string("\"\0L\0e\0v\0e\0l\0\"\0=\0\"\0002\0\"\0", 22)));

    ASSERT_EQ(ERROR_SUCCESS, CSettingsDefaults::SeedUser());
    CParameterSet set;
    ASSERT_EQ(0, set.LoadFromRegistry(HKEY_CURRENT_USER, kAdditionKey.c_str()));
    std::string level;
    set.GetString("Level", level);
    EXPECT_EQ("2", level);
    bool selected = false;
    set.GetBool("Selected", selected);
    EXPECT_TRUE(selected);
    DWORD index = 0;
    ASSERT_EQ(
        ERROR_SUCCESS, RegReadDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, index));
    EXPECT_EQ(3u, index);

    // The user's own choice stays when the school's configuration changes.
    WriteString(HKEY_CURRENT_USER, kAdditionKey, "Level", "4");
    WriteString(HKEY_LOCAL_MACHINE, kAdditionKey, "Level", "1");
    WriteString(HKEY_LOCAL_MACHINE, kBoardKey, "Pen Colour", "x");
    ASSERT_EQ(ERROR_SUCCESS, CSettingsDefaults::SeedUser());
    EXPECT_EQ("4", ReadString(HKEY_CURRENT_USER, kAdditionKey, "Level"));
    // A key the user has never had is still taken from the machine.
    EXPECT_EQ("x", ReadString(HKEY_CURRENT_USER, kBoardKey, "Pen Colour"));
}
