// The hive text format on its own: what it writes, what it refuses.
#include "platform/registry/RegFileFormat.h"

#include "platform/registry/Registry.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::vector<BYTE> sz(const std::string& s)
{
    std::vector<BYTE> v(s.begin(), s.end());
    v.push_back(0);
    return v;
}

bool parses(const std::string& text, CHiveKey& root, std::string* error = nullptr)
{
    std::string e;
    const bool ok = CRegFileFormat::parse(text, "HKEY_CURRENT_USER", root, e);
    if (error)
        *error = e;
    return ok;
}

} // namespace

TEST(RegFileFormat, WriteThenParseGivesTheSameTree)
{
    CHiveKey root("HKEY_CURRENT_USER");
    CHiveKey& k = root.create({ "Software", "Tandrel Technologies Inc.", "Kestavo" });
    k.setValue("QuestionsIndex", REG_DWORD, { 2, 0, 0, 0 });
    k.setValue("", REG_SZ, sz("default"));
    k.setValue("path", REG_SZ, sz("C:\\a \"b\"\n\x01\x7F\xE9"));
    std::vector<BYTE> big(300);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<BYTE>(i);
    k.setValue("big", 0x20, big);
    k.setValue("none", REG_NONE, {});
    root.create({ "Software", "Empty" });
    root.setValue("atRoot", REG_SZ, sz("r"));

    const std::string text = CRegFileFormat::write(root, "HKEY_CURRENT_USER");
    // Long hex lists are wrapped; every line stays short.
    std::size_t longest = 0, start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        longest = std::max(longest, nl - start);
    EXPECT_LE(longest, 80u);
    EXPECT_NE(std::string::npos, text.find("[HKEY_CURRENT_USER\\Software\\Empty]"));
    EXPECT_NE(std::string::npos, text.find("\"path\"=\"C:\\\\a \\\"b\\\"\\x0a\\x01\\x7f\xE9\""));

    CHiveKey back("HKEY_CURRENT_USER");
    std::string error;
    ASSERT_TRUE(parses(text, back, &error)) << error;
    EXPECT_EQ(text, CRegFileFormat::write(back, "HKEY_CURRENT_USER"));
    const CHiveKey* kb = back.find({ "software", "TANDREL TECHNOLOGIES INC.", "kestavo" });
    ASSERT_NE(nullptr, kb);
    ASSERT_EQ(5u, kb->values().size());
    EXPECT_EQ(big, kb->findValue("big")->data);
    EXPECT_EQ(0x20u, kb->findValue("big")->type);
    EXPECT_TRUE(kb->findValue("none")->data.empty());
    EXPECT_EQ(sz("r"), back.findValue("atRoot")->data);
}

TEST(RegFileFormat, RefusesWhatItDidNotWrite)
{
    const char* bad[] = {
        "[HKEY_CURRENT_USER\\A]\n", // no header line
        "REGEDIT4\n\"x\"=\"value before any key\"\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\n", // unclosed bracket
        "REGEDIT4\n[HKEY_CURRENT_USERX\\A]\n", // not the root
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n", // empty key name
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"a\" trailing\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=-\n", // an import's deletion
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:0000000g\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex(123456789):00\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:0,1\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:00,\\\n", // continuation at the end
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"\\x4\"\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\nx=\"1\"\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"\"1\"\n",
    };
    for (const char* text : bad) {
        CHiveKey root("HKEY_CURRENT_USER");
        root.create({ "Left", "Over" });
        std::string error;
        EXPECT_FALSE(parses(text, root, &error)) << text;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(0u, root.subkeyCount()) << "a refused file leaves nothing behind";
    }
    // A key name over 255 characters and a depth over 512 are refused too.
    CHiveKey root("HKEY_CURRENT_USER");
    EXPECT_FALSE(parses("REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\n", root));
    std::string deep = "REGEDIT4\n[HKEY_CURRENT_USER";
    for (int i = 0; i < 513; ++i)
        deep += "\\k";
    EXPECT_FALSE(parses(deep + "]\n", root));
}

TEST(RegFileFormat, AcceptsWhatAPersonWouldWrite)
{
    CHiveKey root("HKEY_CURRENT_USER");
    std::string error;
    ASSERT_TRUE(parses("\n  REGEDIT4  \r\n; comment\n\n[HKEY_CURRENT_USER\\A]   \n  \"x\" = \"1\"\n"
                       "\"y\"=dword:2a\n[HKEY_CURRENT_USER\\A]\n\"X\"=\"2\"\n",
        root, &error))
        << error;
    const CHiveKey* a = root.find({ "A" });
    ASSERT_NE(nullptr, a);
    ASSERT_EQ(2u, a->values().size()); // a repeated header merges, a repeated name replaces
    EXPECT_EQ("x", a->values()[0].name);
    EXPECT_EQ(sz("2"), a->values()[0].data);
    EXPECT_EQ((std::vector<BYTE> { 0x2a, 0, 0, 0 }), a->values()[1].data);
    EXPECT_TRUE(parses("", root));
}
