// Files as regedit writes them, in both variants, read by the settings store.
#include "platform/registry/RegFileFormat.h"
#include "platform/registry/Registry.h"
#include "platform/registry/Utf16Text.h"
#include "tests/fixtures/TestFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <string>

namespace {

// A version 5 export as regedit on Windows saves it: UTF-16LE, byte-order
// mark, CR LF, the string types' hex data in UTF-16, long lists continued.
const char kVersion5Text[]
    = "Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.\\Kestavo]\r\n"
      "\"QuestionsIndex\"=dword:00000002\r\n"
      "@=\"Kl\xC3\xA4sse 3\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.\\Kestavo\\Addition]\r\n"
      "\"Level\"=\"2\"\r\n"
      "\"Path\"=\"C:\\\\Users\\\\\\\"t\\\"\"\r\n"
      "\"Folder\"=hex(2):25,00,55,00,53,00,45,00,52,00,50,00,52,00,4f,00,46,00,49,00,4c,\\\r\n"
      "  00,45,00,25,00,5c,00,78,00,00,00\r\n"
      "\"Names\"=hex(7):61,00,00,00,e9,00,00,00,00,00\r\n"
      "\"Big\"=hex(b):01,02,03,04,05,06,07,08\r\n"
      "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
      "  17,18\r\n"
      "\r\n";

// What regedit writes as REGEDIT4: 8-bit text of the ANSI code page, CR LF.
const char kRegedit4Text[]
    = "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.\\Kestavo\\Addition]\r\n"
      "\"Level\"=\"3\"\r\n"
      "\"Caf\xE9\"=\"na\xEFve\"\r\n"
      "\"Folder\"=hex(2):25,55,53,45,52,50,52,4f,46,49,4c,45,25,5c,78,00\r\n"
      "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
      "  17,18\r\n"
      "\r\n";

QByteArray utf16WithBom(const char* utf8)
{
    const QString text = QString::fromUtf8(utf8);
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::vector<BYTE> bytesOf(const std::string& s)
{
    return std::vector<BYTE>(s.begin(), s.end());
}

const std::vector<std::string> kAddition { "Software", "Tandrel Technologies Inc.", "Kestavo", "Addition" };

QString userHive()
{
    return QDir(qEnvironmentVariable("KESTAVO_HIVE_DIR")).filePath("HKEY_CURRENT_USER.reg");
}

} // namespace

TEST(RegeditFiles, Version5InUtf16ReadsEveryValueType)
{
    const QByteArray file = utf16WithBom(kVersion5Text);
    CHiveKey root("HKEY_CURRENT_USER");
    std::string error;
    RegEncoding encoding = RegEncoding::Regedit4;
    ASSERT_TRUE(CRegFileFormat::parse(view(file), "HKEY_CURRENT_USER", root, error, &encoding)) << error;
    EXPECT_EQ(RegEncoding::Version5Utf16, encoding);

    const CHiveKey* game = root.find({ "Software", "Tandrel Technologies Inc.", "Kestavo" });
    ASSERT_NE(nullptr, game);
    EXPECT_EQ(bytesOf(std::string("Kl\xC3\xA4sse 3") + '\0'), game->findValue("")->data);
    EXPECT_EQ(std::vector<BYTE>({ 2, 0, 0, 0 }), game->findValue("QuestionsIndex")->data);

    const CHiveKey* add = root.find(kAddition);
    ASSERT_NE(nullptr, add);
    EXPECT_EQ(bytesOf(std::string("2") + '\0'), add->findValue("Level")->data);
    EXPECT_EQ(bytesOf(std::string("C:\\Users\\\"t\"") + '\0'), add->findValue("Path")->data);
    // The string types' UTF-16 data arrive as the store's 8-bit text.
    EXPECT_EQ(2u, add->findValue("Folder")->type);
    EXPECT_EQ(bytesOf(std::string("%USERPROFILE%\\x") + '\0'), add->findValue("Folder")->data);
    EXPECT_EQ(bytesOf(std::string("a\0\xC3\xA9\0\0", 6)), add->findValue("Names")->data);
    // Other types are kept as they are.
    EXPECT_EQ(0xbu, add->findValue("Big")->type);
    EXPECT_EQ(std::vector<BYTE>({ 1, 2, 3, 4, 5, 6, 7, 8 }), add->findValue("Big")->data);
    EXPECT_EQ(25u, add->findValue("Blob")->data.size());

    // Written back in the same variant, it reads back to the same values.
    const std::string written = CRegFileFormat::write(root, "HKEY_CURRENT_USER", RegEncoding::Version5Utf16);
    ASSERT_EQ("\xFF\xFE", written.substr(0, 2));
    std::string asText;
    ASSERT_TRUE(CUtf16Text::toUtf8(std::string_view(written).substr(2), asText));
    EXPECT_EQ(0u, asText.find("Windows Registry Editor Version 5.00\r\n\r\n"));
    EXPECT_EQ(std::string::npos, asText.find("\n\n")) << "every line ends in CR LF";
    CHiveKey again("HKEY_CURRENT_USER");
    ASSERT_TRUE(CRegFileFormat::parse(written, "HKEY_CURRENT_USER", again, error)) << error;
    EXPECT_EQ(written, CRegFileFormat::write(again, "HKEY_CURRENT_USER", RegEncoding::Version5Utf16));
    EXPECT_EQ(add->findValue("Names")->data, again.find(kAddition)->findValue("Names")->data);
}

TEST(RegeditFiles, Regedit4AndUtf8VariantsAreReadToo)
{
    struct Case
    {
        const char* what;
        std::string bytes;
        RegEncoding encoding;
    };
    const std::string utf8Body = std::string(kVersion5Text);
    std::string lf = utf8Body;
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;)
        lf.erase(p, 1);
    const Case cases[] = {
        { "REGEDIT4 with CR LF", kRegedit4Text, RegEncoding::Regedit4 },
        { "version 5 in UTF-8 with a BOM", "\xEF\xBB\xBF" + utf8Body, RegEncoding::Version5Utf8 },
        { "version 5 in UTF-8, LF", lf, RegEncoding::Version5Utf8 },
    };
    for (const Case& c : cases) {
        CHiveKey root("HKEY_CURRENT_USER");
        std::string error;
        RegEncoding encoding = RegEncoding::Version5Utf16;
        ASSERT_TRUE(CRegFileFormat::parse(c.bytes, "HKEY_CURRENT_USER", root, error, &encoding))
            << c.what << ": " << error;
        EXPECT_EQ(c.encoding, encoding) << c.what;
        ASSERT_NE(nullptr, root.find(kAddition)) << c.what;
        EXPECT_EQ(25u, root.find(kAddition)->findValue("Blob")->data.size()) << c.what;
    }
    // REGEDIT4 text is the code page's bytes, kept as they are.
    CHiveKey root("HKEY_CURRENT_USER");
    std::string error;
    ASSERT_TRUE(CRegFileFormat::parse(kRegedit4Text, "HKEY_CURRENT_USER", root, error));
    EXPECT_EQ(bytesOf(std::string("na\xEFve") + '\0'), root.find(kAddition)->findValue("Caf\xE9")->data);
    EXPECT_EQ(
        bytesOf(std::string("%USERPROFILE%\\x") + '\0'), root.find(kAddition)->findValue("Folder")->data);
}

TEST(RegeditFiles, DeletionsAreReadForImportsAndRefusedInAHive)
{
    const std::string text
        = "Windows Registry Editor Version 5.00\r\n\r\n"
          "[-HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.\\Kestavo\\Division]\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Tandrel Technologies Inc.\\Kestavo\\Addition]\r\n"
          "\"Selected\"=-\r\n"
          "@=-\r\n";
    CRegDocument document;
    std::string error;
    ASSERT_TRUE(CRegFileFormat::read(text, document, error)) << error;
    ASSERT_EQ(2u, document.sections.size());
    EXPECT_TRUE(document.sections[0].remove);
    EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.\\Kestavo\\Division",
        document.sections[0].path);
    ASSERT_EQ(2u, document.sections[1].entries.size());
    EXPECT_TRUE(document.sections[1].entries[0].remove);
    EXPECT_EQ("Selected", document.sections[1].entries[0].name);
    EXPECT_TRUE(document.sections[1].entries[1].remove);
    EXPECT_TRUE(document.sections[1].entries[1].name.empty());

    CHiveKey root("HKEY_CURRENT_USER");
    EXPECT_FALSE(CRegFileFormat::parse(text, "HKEY_CURRENT_USER", root, error));
    EXPECT_EQ(0u, error.find("line 3:")) << error;
}

TEST(RegeditFiles, DamagedFilesNameTheLine)
{
    struct Case
    {
        std::string bytes;
        const char* error;
    };
    const std::string v5 = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n";
    const Case cases[] = {
        { "Windows Registry Editor Version 4.00\r\n", "line 1: not a registry file" },
        { "\xFF\xFE"
          "W\0i",
            "file ends in the middle of a character" },
        { v5 + "\"x\"=hex(2):41,00,42\r\n", "line 4: string data of odd length" },
        { v5 + "\"x\"=hex:00,\\\r\n", "line 4: file ends inside a continued line" },
        { v5 + "\"x\"=\"open\r\n", "line 4: string without closing quote" },
        { v5 + "[-HKEY_CURRENT_USER\\A]\r\n\"x\"=\"1\"\r\n", "line 5: value under a key that is deleted" },
    };
    for (const Case& c : cases) {
        CRegDocument document;
        std::string error;
        EXPECT_FALSE(CRegFileFormat::read(c.bytes, document, error)) << c.error;
        EXPECT_EQ(0u, error.find(c.error)) << error;
        EXPECT_TRUE(document.sections.empty());
    }
}

TEST(RegeditFiles, AWindowsExportPlacedAsTheUserHiveIsUsedAndKeptInItsFormat)
{
    const QByteArray file = utf16WithBom(kVersion5Text);
    WriteFile(userHive(), file);

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tandrel Technologies Inc.\\Kestavo\\Addition", 0,
            KEY_ALL_ACCESS, &key));
    char level[8] = {};
    DWORD size = sizeof level;
    ASSERT_EQ(ERROR_SUCCESS,
        RegQueryValueExA(key, "Level", nullptr, nullptr, reinterpret_cast<BYTE*>(level), &size));
    EXPECT_STREQ("2", level);
    const BYTE four[] = "4";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Level", 0, REG_SZ, four, 2));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(key));

    EXPECT_TRUE(QDir(qEnvironmentVariable("KESTAVO_HIVE_DIR"))
                    .entryList({ "HKEY_CURRENT_USER.reg.damaged-*" }, QDir::Files)
                    .isEmpty());
    const QByteArray saved = ReadFile(userHive());
    ASSERT_TRUE(saved.startsWith(QByteArray("\xFF\xFE", 2)));
    CHiveKey root("HKEY_CURRENT_USER");
    std::string error;
    ASSERT_TRUE(CRegFileFormat::parse(view(saved), "HKEY_CURRENT_USER", root, error)) << error;
    const CHiveKey* add = root.find(kAddition);
    ASSERT_NE(nullptr, add);
    EXPECT_EQ(bytesOf(std::string("4") + '\0'), add->findValue("Level")->data);
    // Values Kestavo does not use are written back unchanged.
    EXPECT_EQ(std::vector<BYTE>({ 1, 2, 3, 4, 5, 6, 7, 8 }), add->findValue("Big")->data);
    EXPECT_EQ(bytesOf(std::string("%USERPROFILE%\\x") + '\0'), add->findValue("Folder")->data);
}

TEST(RegeditFiles, Utf16Conversions)
{
    std::string out;
    // A surrogate pair, then an unpaired high surrogate.
    ASSERT_TRUE(CUtf16Text::toUtf8(std::string("\x3D\xD8\x00\xDE"
                                               "A\0\x00\xD8",
                                       8),
        out));
    EXPECT_EQ("\xF0\x9F\x98\x80"
              "A\xEF\xBF\xBD",
        out);
    EXPECT_EQ(std::string("\x3D\xD8\x00\xDE", 4), CUtf16Text::fromUtf8("\xF0\x9F\x98\x80"));
    // A byte that is not UTF-8 stands for its Latin-1 character.
    EXPECT_EQ(std::string("\xE9\0a\0", 4),
        CUtf16Text::fromUtf8("\xE9"
                             "a"));
    EXPECT_FALSE(CUtf16Text::toUtf8("abc", out));
}
