// The question size: how it is stored, read back and chosen in the Setup
// dialog's advanced options.
#include "config/OperatorSettings.h"
#include "config/OptionsPropertySheet.h"
#include "config/QuestionSize.h"
#include "config/Setup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <cstring>
#include <gtest/gtest.h>

namespace {

using QS = CQuestionSize;

void WriteRaw(DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKestavoRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                  nullptr),
        0);
    EXPECT_EQ(RegSetValueExA(key, QS::kValueName, 0, type, static_cast<const BYTE*>(data), size), 0);
    RegCloseKey(key);
}

CSetup::SheetRunner ChooseSize(int index, int answer, int* shown)
{
    return [=](COptionsPropertySheet& sheet) {
        sheet.InitDialog(); // the pages take the operator settings, as on showing
        *shown = sheet.QuestionSizeList()->currentIndex();
        sheet.QuestionSizeList()->setCurrentIndex(index);
        return answer;
    };
}

} // namespace

TEST(QuestionSize, StoredChoiceRoundTripsAndDamageReadsAsStandard)
{
    EXPECT_EQ(QS::Load(), QS::Standard); // nothing stored yet
    for (QS::Size size : { QS::ExtraLarge, QS::Large, QS::Standard }) {
        ASSERT_TRUE(QS::Save(size));
        EXPECT_EQ(QS::Load(), size);
    }

    // Hand-edited values: out of range, the wrong type or the wrong length.
    const DWORD outOfRange[] = { 3, 7, 0xFFFFFFFFu };
    for (DWORD number : outOfRange) {
        WriteRaw(REG_DWORD, &number, sizeof number);
        EXPECT_EQ(QS::Load(), QS::Standard) << number;
    }
    WriteRaw(REG_SZ, "2", 2);
    EXPECT_EQ(QS::Load(), QS::Standard);
    const unsigned char shortValue[2] = { 2, 0 };
    WriteRaw(REG_DWORD, shortValue, sizeof shortValue);
    EXPECT_EQ(QS::Load(), QS::Standard);
}

TEST(QuestionSize, ScalesFontAndCapsMagnification)
{
    EXPECT_EQ(QS::FontPoints(QS::Standard), 26);
    EXPECT_EQ(QS::FontPoints(QS::Large), 39);
    EXPECT_EQ(QS::FontPoints(QS::ExtraLarge), 52);
    EXPECT_EQ(QS::Scaled(60, QS::Large), 90);

    // Standard keeps the learning levels' factors exactly.
    for (float factor : { 1.5f, 2.0f, 2.5f })
        EXPECT_FLOAT_EQ(QS::Magnification(factor, QS::Standard), factor);
    // Larger sizes cap the magnified font at three times the standard font,
    // never magnify less than the level asks when it fits, never shrink.
    EXPECT_FLOAT_EQ(QS::Magnification(1.5f, QS::Large), 1.5f);
    EXPECT_FLOAT_EQ(QS::Magnification(2.5f, QS::Large), 2.0f);
    EXPECT_FLOAT_EQ(QS::Magnification(2.5f, QS::ExtraLarge), 1.5f);
    for (int s = 0; s < QS::Count; ++s)
        for (float factor : { 1.0f, 1.5f, 2.0f, 2.5f }) {
            const auto size = static_cast<QS::Size>(s);
            const float m = QS::Magnification(factor, size);
            EXPECT_GE(m, 1.0f);
            EXPECT_LE(m * QS::Scale(size), 3.0 + 1e-6);
        }
}

TEST(QuestionSize, AdvancedOptionsChooseItAndSetupStoresItOnlyOnOk)
{
    ASSERT_TRUE(QS::Save(QS::Large));
    int shown = -1;
    {
        // Cancel on the sheet: the dialog keeps what it read.
        CSetup setup;
        setup.InitDialog();
        setup.SetSheetRunner(ChooseSize(QS::ExtraLarge, QDialog::Rejected, &shown));
        setup.OnAdvanced();
        EXPECT_EQ(shown, QS::Large);
        EXPECT_EQ(setup.GetQuestionSize(), QS::Large);

        // OK on the sheet, then Cancel on Setup: nothing stored.
        setup.SetSheetRunner(ChooseSize(QS::ExtraLarge, QDialog::Accepted, &shown));
        setup.OnAdvanced();
        EXPECT_EQ(setup.GetQuestionSize(), QS::ExtraLarge);
        setup.reject();
    }
    EXPECT_EQ(QS::Load(), QS::Large);

    CSetup setup;
    setup.InitDialog();
    setup.OperatorBox(OpAddition)->click();
    setup.SetSheetRunner(ChooseSize(QS::Standard, QDialog::Accepted, &shown));
    setup.OnAdvanced();
    setup.accept();
    EXPECT_EQ(setup.result(), QDialog::Accepted);
    EXPECT_EQ(QS::Load(), QS::Standard);
}
