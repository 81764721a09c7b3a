// The Win32 calling contract of the settings store, through the public functions.
#include "platform/registry/Registry.h"

#include "platform/registry/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char* const kKey = "Software\\Tandrel Technologies Inc.\\Kestavo\\Addition";

HKEY create(HKEY root, const char* path, REGSAM sam = KEY_ALL_ACCESS, DWORD* disposition = nullptr)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
        RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, sam, nullptr, &key, disposition));
    return key;
}

LONG setString(HKEY key, const std::string& name, const std::string& text)
{
    return RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
        static_cast<DWORD>(text.size() + 1));
}

LONG setDword(HKEY key, const char* name, DWORD v)
{
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

std::vector<BYTE> query(HKEY key, const char* name, DWORD* type = nullptr)
{
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS)
        return { 0xEE };
    std::vector<BYTE> data(size);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, name, nullptr, type, data.data(), &size));
    return data;
}

std::vector<BYTE> bytesOf(const std::string& s, bool withNul = true)
{
    std::vector<BYTE> v(s.begin(), s.end());
    if (withNul)
        v.push_back(0);
    return v;
}

// The names RegEnumValueA or RegEnumKeyExA gives for index 0, 1, ... up to
// ERROR_NO_MORE_ITEMS.
template <class Enumerate> std::vector<std::string> enumNames(HKEY key, Enumerate enumerate)
{
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD size = sizeof name;
        const LONG rc = enumerate(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_NO_MORE_ITEMS, rc);
            break;
        }
        names.emplace_back(name, size);
    }
    return names;
}

std::vector<std::string> valueNames(HKEY key)
{
    return enumNames(key, RegEnumValueA);
}

std::vector<std::string> subkeyNames(HKEY key)
{
    return enumNames(key, RegEnumKeyExA);
}

QByteArray hiveText(const char* file)
{
    QFile f(QDir(qEnvironmentVariable("KESTAVO_HIVE_DIR")).filePath(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Registry, ValuesOfEveryTypeSurviveAReopen)
{
    HKEY key = create(HKEY_CURRENT_USER, kKey);
    const std::string odd = "C:\\Program Files\\\"Kestavo\" caf\xE9 \x01\t\x7F end";
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "Plain", "True"));
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "Odd", odd));
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "", "the default"));
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "Empty", ""));
    ASSERT_EQ(ERROR_SUCCESS, setDword(key, "Number", 0xDEADBEEF));
    // Data that is not one terminated string, and a type the store only carries.
    const BYTE inner[] = { 'a', 0, 'b', 0 };
    const BYTE unterminated[] = { 'x', 'y' };
    const BYTE blob[] = { 0, 1, 2, 0xFF };
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Inner", 0, REG_SZ, inner, sizeof inner));
    ASSERT_EQ(
        ERROR_SUCCESS, RegSetValueExA(key, "Unterminated", 0, REG_SZ, unterminated, sizeof unterminated));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Blob", 0, 3, blob, sizeof blob));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Short dword", 0, REG_DWORD, blob, 2));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(key));

    HKEY again = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &again));
    DWORD type = 0;
    EXPECT_EQ(bytesOf("True"), query(again, "Plain", &type));
    EXPECT_EQ(REG_SZ, type);
    EXPECT_EQ(bytesOf(odd), query(again, "Odd"));
    EXPECT_EQ(bytesOf("the default"), query(again, nullptr));
    EXPECT_EQ(bytesOf(""), query(again, "Empty"));
    EXPECT_EQ((std::vector<BYTE> { 0xEF, 0xBE, 0xAD, 0xDE }), query(again, "Number", &type));
    EXPECT_EQ(REG_DWORD, type);
    EXPECT_EQ(std::vector<BYTE>(inner, inner + 4), query(again, "Inner", &type));
    EXPECT_EQ(REG_SZ, type);
    EXPECT_EQ(std::vector<BYTE>(unterminated, unterminated + 2), query(again, "Unterminated"));
    EXPECT_EQ(std::vector<BYTE>(blob, blob + 4), query(again, "Blob", &type));
    EXPECT_EQ(3u, type);
    EXPECT_EQ(std::vector<BYTE>(blob, blob + 2), query(again, "Short dword", &type));
    EXPECT_EQ(REG_DWORD, type);
    RegCloseKey(again);

    // The file is the readable export format.
    const QByteArray text = hiveText("HKEY_CURRENT_USER.reg");
    EXPECT_TRUE(text.startsWith("REGEDIT4\n"));
    EXPECT_TRUE(
        text.contains("[HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.\\Kestavo\\Addition]\n"));
    EXPECT_TRUE(text.contains("\"Plain\"=\"True\"\n"));
    EXPECT_TRUE(text.contains("\"Number\"=dword:deadbeef\n"));
    EXPECT_TRUE(text.contains("@=\"the default\"\n"));
}

TEST(Registry, NamesWithBackslashesQuotesAndHighBytesRoundTrip)
{
    const std::string names[]
        = { "a\\b", "say \"hi\"", "\xE9t\xE9", "=hex:00", "@", "trailing\\", std::string("semi;colon") };
    HKEY key = create(HKEY_CURRENT_USER, "Software\\K\xF6nig\\[x]");
    for (const std::string& n : names)
        ASSERT_EQ(ERROR_SUCCESS, setString(key, n, "v:" + n));
    RegCloseKey(key);

    HKEY again = nullptr;
    ASSERT_EQ(
        ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "software\\K\xF6NIG\\[X]", 0, KEY_READ, &again));
    const std::vector<std::string> listed = valueNames(again);
    ASSERT_EQ(std::size(names), listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(names[i], listed[i]);
        EXPECT_EQ(bytesOf("v:" + names[i]), query(again, names[i].c_str()));
    }
    // "@" is a name of its own, not the default value.
    DWORD size = 0;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(again, "", nullptr, nullptr, nullptr, &size));
    RegCloseKey(again);
}

TEST(Registry, ValueNamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    HKEY key = create(HKEY_CURRENT_USER, kKey);
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "Operator", "Addition"));
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "OPERATOR", "Division"));
    EXPECT_EQ(bytesOf("Division"), query(key, "operator"));
    EXPECT_EQ(std::vector<std::string> { "Operator" }, valueNames(key));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(key, "oPeRaToR"));
    EXPECT_TRUE(valueNames(key).empty());
    RegCloseKey(key);
}

TEST(Registry, BufferSizeRules)
{
    HKEY key = create(HKEY_CURRENT_USER, kKey);
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "Level", "12"));

    // Size query alone.
    DWORD type = 0, size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Level", nullptr, &type, nullptr, &size));
    EXPECT_EQ(3u, size);
    EXPECT_EQ(REG_SZ, type);

    // Too small: needed size written back, buffer untouched.
    char small[2] = { 'Z', 'Z' };
    size = sizeof small;
    EXPECT_EQ(ERROR_MORE_DATA,
        RegQueryValueExA(key, "Level", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size));
    EXPECT_EQ(3u, size);
    EXPECT_EQ('Z', small[0]);

    // Exactly enough.
    char exact[3];
    size = sizeof exact;
    EXPECT_EQ(ERROR_SUCCESS,
        RegQueryValueExA(key, "Level", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size));
    EXPECT_EQ(3u, size);
    EXPECT_STREQ("12", exact);

    // A data buffer without its size is refused; a missing value is not found.
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
        RegQueryValueExA(key, "Level", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), nullptr));
    size = sizeof exact;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
        RegQueryValueExA(key, "Nope", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size));

    // Enumeration: a name buffer one short, then data too small with the name delivered.
    char name[5];
    DWORD nameSize = sizeof name;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(6u, nameSize);
    char name6[6];
    nameSize = sizeof name6;
    size = 1;
    char data[1];
    EXPECT_EQ(ERROR_MORE_DATA,
        RegEnumValueA(key, 0, name6, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &size));
    EXPECT_STREQ("Level", name6);
    EXPECT_EQ(5u, nameSize);
    EXPECT_EQ(3u, size);
    nameSize = sizeof name6;
    size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegEnumValueA(key, 0, name6, &nameSize, nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(3u, size);
    nameSize = sizeof name6;
    EXPECT_EQ(
        ERROR_NO_MORE_ITEMS, RegEnumValueA(key, 1, name6, &nameSize, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);

    // Subkey names follow the same rules.
    HKEY parent = create(HKEY_CURRENT_USER, "Software\\P");
    RegCloseKey(create(parent, "Child"));
    char sub[5];
    DWORD subSize = sizeof sub;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExA(parent, 0, sub, &subSize, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(6u, subSize);
    RegCloseKey(parent);
}

TEST(Registry, EnumerationKeepsInsertionOrderAcrossReplaceAndReload)
{
    HKEY key = create(HKEY_CURRENT_USER, kKey);
    for (const char* n : { "Zeta", "Alpha", "Mid" })
        ASSERT_EQ(ERROR_SUCCESS, setString(key, n, "1"));
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "Alpha", "2")); // replacing keeps the place
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueA(key, "Zeta"));
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "Zeta", "3")); // re-added goes last
    RegCloseKey(key);
    for (const char* n : { "Sub2", "Sub1", "Sub3" })
        RegCloseKey(create(HKEY_CURRENT_USER, (std::string(kKey) + "\\" + n).c_str()));

    HKEY again = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &again));
    EXPECT_EQ((std::vector<std::string> { "Alpha", "Mid", "Zeta" }), valueNames(again));
    EXPECT_EQ((std::vector<std::string> { "Sub2", "Sub1", "Sub3" }), subkeyNames(again));
    RegCloseKey(again);
}

TEST(Registry, DeletingStringValuesWhileEnumeratingShiftsTheRest)
{
    // The save loop of a settings set: walk from index 0, delete each string
    // value and stay at the same index; numbers are stepped over.
    HKEY key = create(HKEY_CURRENT_USER, kKey);
    for (int i = 0; i < 6; ++i)
        ASSERT_EQ(ERROR_SUCCESS, setString(key, "S" + std::to_string(i), "x"));
    ASSERT_EQ(ERROR_SUCCESS, setDword(key, "QuestionsIndex", 3));
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "S6", "x"));

    DWORD index = 0;
    int deleted = 0;
    while (true) {
        char name[1024];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        const LONG rc = RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(ERROR_SUCCESS, rc);
        if (type == REG_SZ) {
            ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueA(key, name));
            ++deleted;
        } else {
            ++index;
        }
    }
    EXPECT_EQ(7, deleted);
    EXPECT_EQ(std::vector<std::string> { "QuestionsIndex" }, valueNames(key));
    RegCloseKey(key);
}

TEST(Registry, MissingKeysAndValuesAndBadHandles)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key));
    EXPECT_EQ(nullptr, key);
    key = create(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(key, "none"));
    HKEY other = nullptr;
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegOpenKeyExA(HKEY_CURRENT_USER, "a\\\\b", 0, KEY_READ, &other));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegOpenKeyExA(HKEY_CURRENT_USER, "\\a", 0, KEY_READ, &other));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegOpenKeyExA(HKEY_CURRENT_USER, "a\x01b", 0, KEY_READ, &other));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegOpenKeyExA(HKEY_CURRENT_USER, "a", 0, KEY_READ, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegSetValueExA(key, "x", 0, REG_SZ, nullptr, 4));

    HKEY copy = key;
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(copy)); // a second close is caught, not a double free
    EXPECT_EQ(ERROR_INVALID_HANDLE, setString(copy, "x", "y"));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_CURRENT_USER));
}

TEST(Registry, AccessRightsOfTheHandleAreChecked)
{
    RegCloseKey(create(HKEY_CURRENT_USER, kKey));
    HKEY reader = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &reader));
    EXPECT_EQ(ERROR_ACCESS_DENIED, setString(reader, "x", "y"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteValueA(reader, "x"));
    HKEY child = nullptr;
    EXPECT_EQ(ERROR_ACCESS_DENIED,
        RegCreateKeyExA(reader, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr));
    RegCloseKey(reader);

    HKEY writer = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &writer));
    EXPECT_EQ(ERROR_SUCCESS, setString(writer, "x", "y"));
    DWORD size = 0;
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegQueryValueExA(writer, "x", nullptr, nullptr, nullptr, &size));
    RegCloseKey(writer);
}

TEST(Registry, CreateReportsDispositionAndDeleteFollowsWindowsRules)
{
    DWORD disposition = 0;
    HKEY key = create(HKEY_CURRENT_USER, "Software\\A\\B", KEY_ALL_ACCESS, &disposition);
    EXPECT_EQ(REG_CREATED_NEW_KEY, disposition);
    RegCloseKey(key);
    key = create(HKEY_CURRENT_USER, "SOFTWARE\\a\\b\\", KEY_ALL_ACCESS, &disposition);
    EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "v", "1"));

    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\A")); // has a subkey
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(HKEY_CURRENT_USER, ""));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\A\\B"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\A\\B"));
    // The open handle now refers to a deleted key.
    EXPECT_EQ(ERROR_KEY_DELETED, setString(key, "v", "2"));
    DWORD size = 0;
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size));
    RegCloseKey(key);

    RegCloseKey(create(HKEY_CURRENT_USER, "Software\\T\\1\\2\\3"));
    HKEY t = create(HKEY_CURRENT_USER, "Software\\T");
    ASSERT_EQ(ERROR_SUCCESS, setString(t, "keep?", "no"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeA(t, nullptr)); // empties but keeps the key
    EXPECT_TRUE(valueNames(t).empty());
    EXPECT_TRUE(subkeyNames(t).empty());
    RegCloseKey(t);
    RegCloseKey(create(HKEY_CURRENT_USER, "Software\\T\\1\\2"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\T"));
    HKEY gone = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\T", 0, KEY_READ, &gone));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\T"));
}

TEST(Registry, ClassesRootReadsTheUserFirstAndWritesTheMachine)
{
    const char* clsid = "CLSID\\{ACF70887-9D5B-4972-9528-693C97DB1E06}\\InprocServer32";
    HKEY machine = create(HKEY_LOCAL_MACHINE, (std::string("Software\\Classes\\") + clsid).c_str());
    ASSERT_EQ(ERROR_SUCCESS, setString(machine, "", "/machine/libobrisk.so"));
    RegCloseKey(machine);

    HKEY viaClasses = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, clsid, 0, KEY_READ, &viaClasses));
    EXPECT_EQ(bytesOf("/machine/libobrisk.so"), query(viaClasses, nullptr));
    RegCloseKey(viaClasses);

    // A user's registration of the same class hides the machine's.
    HKEY user = create(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + clsid).c_str());
    ASSERT_EQ(ERROR_SUCCESS, setString(user, "", "/home/me/libobrisk.so"));
    RegCloseKey(user);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, clsid, 0, KEY_ALL_ACCESS, &viaClasses));
    EXPECT_EQ(bytesOf("/home/me/libobrisk.so"), query(viaClasses, nullptr));
    // Writing through the classes view goes where the key was found: the user's.
    ASSERT_EQ(ERROR_SUCCESS, setString(viaClasses, "ThreadingModel", "Apartment"));
    RegCloseKey(viaClasses);
    HKEY check = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        RegOpenKeyExA(
            HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + clsid).c_str(), 0, KEY_READ, &check));
    EXPECT_EQ(bytesOf("Apartment"), query(check, "ThreadingModel"));
    RegCloseKey(check);

    // A new key made through the classes view lands in the machine hive.
    HKEY progid = create(HKEY_CLASSES_ROOT, "Obrisk.InkContainer");
    ASSERT_EQ(ERROR_SUCCESS, setString(progid, "", "Ink container"));
    RegCloseKey(progid);
    ASSERT_EQ(ERROR_SUCCESS,
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\Obrisk.InkContainer", 0, KEY_READ, &check));
    RegCloseKey(check);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\Obrisk.InkContainer", 0, KEY_READ, &check));

    // Subkeys of both layers are listed once each, the user's first.
    RegCloseKey(create(HKEY_CURRENT_USER, "Software\\Classes\\UserOnly"));
    HKEY root = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, nullptr, 0, KEY_READ, &root));
    EXPECT_EQ((std::vector<std::string> { "CLSID", "UserOnly", "Obrisk.InkContainer" }), subkeyNames(root));
    RegCloseKey(root);
}

TEST(Registry, HiveFolderFollowsTheEnvironmentAtEveryRootOpen)
{
    HKEY key = create(HKEY_CURRENT_USER, kKey);
    ASSERT_EQ(ERROR_SUCCESS, setString(key, "Where", "first"));
    RegCloseKey(key);
    const QByteArray first = qgetenv("KESTAVO_HIVE_DIR");
    {
        QTemporaryDir other;
        qputenv("KESTAVO_HIVE_DIR", other.path().toLocal8Bit());
        HKEY none = nullptr;
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &none));
        RegCloseKey(create(HKEY_CURRENT_USER, "Software\\Other"));
        EXPECT_TRUE(QFile::exists(other.filePath("HKEY_CURRENT_USER.reg")));
        qputenv("KESTAVO_HIVE_DIR", first);
    }
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key));
    EXPECT_EQ(bytesOf("first"), query(key, "Where"));
    RegCloseKey(key);
}

TEST(Registry, FilesArePrivateToTheUser)
{
    RegCloseKey(create(HKEY_CURRENT_USER, kKey));
    const QString dir = qEnvironmentVariable("KESTAVO_HIVE_DIR");
    const QFileDevice::Permissions perms = QFile::permissions(dir + "/HKEY_CURRENT_USER.reg");
    EXPECT_EQ(
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser,
        perms);
}

TEST(Registry, NoHandleLeaksAcrossASession)
{
    const std::size_t before = CRegistryStore::instance().openHandleCount();
    HKEY a = create(HKEY_CURRENT_USER, kKey);
    HKEY b = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(a, nullptr, 0, KEY_READ, &b));
    EXPECT_EQ(before + 2, CRegistryStore::instance().openHandleCount());
    RegCloseKey(a);
    RegCloseKey(b);
    EXPECT_EQ(before, CRegistryStore::instance().openHandleCount());
}
