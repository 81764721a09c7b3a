// The decimal separator: the teacher's stored choice, the language's, and
// what changes between stored and shown numbers.
#include "platform/locale/DecimalSeparator.h"

#include "platform/registry/Registry.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

const char* const kMainKey = "Software\\Tandrel Technologies Inc.\\Kestavo";

void store(DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kMainKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExA(key, CDecimalSeparator::kValueName, 0, type, static_cast<const BYTE*>(data), size),
        ERROR_SUCCESS);
    RegCloseKey(key);
}

// Sets the default locale for one test and puts the old one back.
class DefaultLocale
{
public:
    explicit DefaultLocale(QLocale::Language language) { QLocale::setDefault(QLocale(language)); }
    ~DefaultLocale() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

TEST(DecimalSeparator, StoredValuesOutOfRangeOrOfTheWrongTypeReadAsFromTheLanguage)
{
    EXPECT_EQ(CDecimalSeparator::ReadChoice(), CDecimalSeparator::FromLanguage) << "nothing stored";
    const struct
    {
        DWORD value;
        CDecimalSeparator::Choice read;
    } dwords[] = { { 0, CDecimalSeparator::FromLanguage }, { 1, CDecimalSeparator::Point },
        { 2, CDecimalSeparator::Comma }, { 3, CDecimalSeparator::FromLanguage },
        { 0xFFFFFFFF, CDecimalSeparator::FromLanguage } };
    for (const auto& c : dwords) {
        store(REG_DWORD, &c.value, sizeof c.value);
        EXPECT_EQ(CDecimalSeparator::ReadChoice(), c.read) << c.value;
    }
    store(REG_SZ, "2", 2);
    EXPECT_EQ(CDecimalSeparator::ReadChoice(), CDecimalSeparator::FromLanguage)
        << "a string is not the choice";

    ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Comma));
    EXPECT_EQ(CDecimalSeparator::ReadChoice(), CDecimalSeparator::Comma);
}

TEST(DecimalSeparator, TheLanguageDecidesUnlessTheTeacherChose)
{
    {
        DefaultLocale german(QLocale::German);
        EXPECT_EQ(CDecimalSeparator::Current(), QLatin1Char(','));
        ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Point));
        EXPECT_EQ(CDecimalSeparator::Current(), QLatin1Char('.'));
    }
    {
        DefaultLocale english(QLocale::English);
        EXPECT_EQ(CDecimalSeparator::Current(), QLatin1Char('.'));
        ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Comma));
        EXPECT_EQ(CDecimalSeparator::Current(), QLatin1Char(','));
        ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::FromLanguage));
        EXPECT_EQ(CDecimalSeparator::Current(), QLatin1Char('.'));
    }
    // A locale whose mark the cells cannot show keeps the point.
    EXPECT_EQ(
        CDecimalSeparator::For(CDecimalSeparator::FromLanguage, QStringLiteral("\u066B")), QLatin1Char('.'));
}

// The choice is read once (every cell paint asks for it); a value written
// behind its back, as an import does, counts once it is forgotten.
TEST(DecimalSeparator, AChoiceChangedInTheSettingsCountsOnceForgotten)
{
    DefaultLocale english(QLocale::English);
    ASSERT_TRUE(CDecimalSeparator::WriteChoice(CDecimalSeparator::Point));
    EXPECT_EQ(CDecimalSeparator::Current(), QLatin1Char('.'));
    const DWORD comma = CDecimalSeparator::Comma;
    store(REG_DWORD, &comma, sizeof comma);
    EXPECT_EQ(CDecimalSeparator::Current(), QLatin1Char('.')) << "kept until forgotten";
    CDecimalSeparator::Forget();
    EXPECT_EQ(CDecimalSeparator::Current(), QLatin1Char(','));
}

TEST(DecimalSeparator, OnlyThePointOfAStoredNumberChangesWhenShown)
{
    EXPECT_EQ(CDecimalSeparator::Shown(QStringLiteral("-12.25"), QLatin1Char(',')), QStringLiteral("-12,25"));
    EXPECT_EQ(CDecimalSeparator::Shown(QStringLiteral("??.?"), QLatin1Char(',')), QStringLiteral("??,?"));
    EXPECT_EQ(CDecimalSeparator::Shown(QStringLiteral("7 R 2"), QLatin1Char(',')), QStringLiteral("7 R 2"));
    EXPECT_EQ(CDecimalSeparator::Shown(QStringLiteral("3.5"), QLatin1Char('.')), QStringLiteral("3.5"));
}

} // namespace
