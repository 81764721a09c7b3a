// The advanced options sheet and its pages, driven through their controls.
#include "config/OptionsPropertySheet.h"

#include "config/OptionsPage.h"
#include "game/Random.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

CParameterSet Defaults(const char* op, int level, bool selected)
{
    CParameterSet set;
    ApplyDefaults(set, op, level);
    set.SetBool(ParamKey::Selected, selected);
    return set;
}

bool Flag(const CParameterSet& set, const char* key)
{
    bool flag = false;
    set.GetBool(key, flag);
    return flag;
}

void ChooseItem(QComboBox* box, int index)
{
    ASSERT_TRUE(box->isEnabled());
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// A sheet on four given sets, shown on the given page.
struct Sheet
{
    explicit Sheet(int initialPage, const CParameterSet& add = Defaults("Addition", 0, true),
        const CParameterSet& sub = Defaults("Subtraction", 0, false),
        const CParameterSet& mul = Defaults("Multiplication", 0, false),
        const CParameterSet& div = Defaults("Division", 0, false))
        : sheet(QStringLiteral("Advanced Options"), nullptr, initialPage)
        , in { add, sub, mul, div }
    {
        CRandom::Seed(1);
        sheet.SetAdditionSettings(add);
        sheet.SetSubtractionSettings(sub);
        sheet.SetMultiplicationSettings(mul);
        sheet.SetDivisionSettings(div);
        sheet.show();
        QApplication::processEvents();
    }
    COptionsPage* Page(int i)
    {
        sheet.Tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        return sheet.Page(i);
    }
    COptionsPropertySheet sheet;
    CParameterSet in[4];
};

} // namespace

TEST(OptionsPropertySheet, PagesInOperatorOrderWithoutApply)
{
    Sheet s(3);
    EXPECT_EQ(s.sheet.Tabs()->currentIndex(), 3);
    const char* const tabs[] = { "Addition", "Subtraction", "Multiplication", "Division" };
    const char* const classes[]
        = { "CSetupAddition", "CSetupSubtraction", "CSetupMultiplication", "CSetupDivision" };
    ASSERT_EQ(s.sheet.Tabs()->count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.sheet.Tabs()->tabText(i), QString::fromLatin1(tabs[i]));
        EXPECT_EQ(s.sheet.Page(i)->objectName(), QString::fromLatin1(classes[i]));
    }
    EXPECT_EQ(s.sheet.findChildren<QPushButton*>(QStringLiteral("12321")).size(), 0);
    EXPECT_EQ(s.sheet.windowTitle(), QStringLiteral("Advanced Options"));
    // Only the page shown has run its initialisation.
    EXPECT_TRUE(s.sheet.Page(3)->IsInitialised());
    EXPECT_FALSE(s.sheet.Page(0)->IsInitialised());
}

TEST(OptionsPropertySheet, OkHandsBackEveryPageAlsoThoseNeverOpened)
{
    CParameterSet div = Defaults("Division", 3, false);
    Sheet s(0, Defaults("Addition", 1, true), Defaults("Subtraction", 2, true),
        Defaults("Multiplication", 4, false), div);
    COptionsPage* add = s.Page(0);
    add->SpecificBox(0)->click(); // "Allow Carrying" off
    add->VerticalRadio()->click();
    s.sheet.OkButton()->click();
    EXPECT_EQ(s.sheet.result(), QDialog::Accepted);

    EXPECT_FALSE(Flag(s.sheet.GetAdditionSettings(), ParamKey::Carry));
    EXPECT_FALSE(Flag(s.sheet.GetAdditionSettings(), ParamKey::LayoutHorizontal));
    EXPECT_EQ(s.sheet.GetSubtractionSettings().GetEntries(), s.in[1].GetEntries());
    EXPECT_EQ(s.sheet.GetMultiplicationSettings().GetEntries(), s.in[2].GetEntries());
    EXPECT_EQ(s.sheet.GetDivisionSettings().GetEntries(), div.GetEntries());
}

TEST(OptionsPropertySheet, LookingAtAPageOutOfTheGameChangesNothing)
{
    // Choices a teacher made earlier for operators that are not in this game:
    // opening their pages (whose controls stay unset and greyed) and pressing
    // OK must hand every one back as it was.
    auto chosen = [](const char* op, const char* own) {
        CParameterSet set = Defaults(op, 2, false);
        set.SetBool(ParamKey::AlgebraMode, true);
        set.SetBool(ParamKey::EnableDecimals, true);
        set.SetBool(own, true);
        return set;
    };
    Sheet s(2, chosen("Addition", ParamKey::Carry), chosen("Subtraction", ParamKey::Borrow),
        Defaults("Multiplication", 0, true), chosen("Division", ParamKey::DecimalDivisor));
    for (int page : { 0, 1, 3 })
        ASSERT_TRUE(s.Page(page)->IsInitialised());
    s.sheet.OkButton()->click();
    EXPECT_EQ(s.sheet.GetAdditionSettings().GetEntries(), s.in[0].GetEntries());
    EXPECT_EQ(s.sheet.GetSubtractionSettings().GetEntries(), s.in[1].GetEntries());
    EXPECT_EQ(s.sheet.GetDivisionSettings().GetEntries(), s.in[3].GetEntries());
}

TEST(OptionsPropertySheet, IncludeOffGreysThePageAndOnRestoresItFromTheSet)
{
    Sheet s(0, Defaults("Addition", 1, true));
    COptionsPage* page = s.Page(0);
    page->SpecificBox(0)->click(); // carrying off
    ASSERT_FALSE(Flag(page->Settings(), ParamKey::Carry));

    page->IncludeBox()->click();
    EXPECT_FALSE(Flag(page->Settings(), ParamKey::Selected));
    for (QWidget* w : std::initializer_list<QWidget*> { page->LevelBox(), page->StyleBox(),
             page->DecimalsBox(), page->SpecificBox(0), page->SpecificBox(1), page->VerticalRadio(),
             page->HorizontalRadio(), page->DefaultsButton() })
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(page->IncludeBox()->isEnabled());
    EXPECT_TRUE(page->StyleLabel()->isEnabled());
    // The sample turns light grey.
    bool grey = false;
    const QImage preview = page->PreviewImage();
    for (int y = 0; y < preview.height() && !grey; ++y)
        for (int x = 0; x < preview.width() && !grey; ++x)
            grey = preview.pixelColor(x, y) == QColor(200, 200, 200);
    EXPECT_TRUE(grey);

    page->IncludeBox()->click();
    EXPECT_TRUE(page->SpecificBox(0)->isEnabled());
    EXPECT_FALSE(page->SpecificBox(0)->isChecked());
    EXPECT_TRUE(page->HorizontalRadio()->isChecked());
    // Level 2 leaves decimals editable (only level 1 locks them).
    EXPECT_TRUE(page->DecimalsBox()->isEnabled());
}

TEST(OptionsPropertySheet, LevelChangeDiscardsChoicesButKeepsIncludeAndLayout)
{
    Sheet s(1, Defaults("Addition", 0, false), Defaults("Subtraction", 0, true));
    COptionsPage* page = s.Page(1);
    page->VerticalRadio()->click();
    page->SpecificBox(1)->click(); // manipulatives off
    ChooseItem(page->StyleBox(), 1);
    ASSERT_TRUE(Flag(page->Settings(), ParamKey::AlgebraMode));

    ChooseItem(page->LevelBox(), 2);
    EXPECT_EQ(GetLevel(page->Settings()), 2);
    // Level 3 locks the counting aid off.
    EXPECT_FALSE(page->SpecificBox(1)->isEnabled());
    ChooseItem(page->LevelBox(), 0);

    const CParameterSet& set = page->Settings();
    EXPECT_EQ(GetLevel(set), 0);
    EXPECT_TRUE(Flag(set, ParamKey::Selected));
    EXPECT_FALSE(Flag(set, ParamKey::LayoutHorizontal));
    EXPECT_TRUE(page->VerticalRadio()->isChecked());
    EXPECT_FALSE(Flag(set, ParamKey::AlgebraMode));
    EXPECT_EQ(page->StyleBox()->currentIndex(), 0);
    EXPECT_TRUE(Flag(set, ParamKey::Manipulatives));
    EXPECT_TRUE(page->SpecificBox(1)->isChecked());
    // Nothing else survives: the set is the level's defaults plus the two kept keys.
    CParameterSet expected = Defaults("Subtraction", 0, true);
    expected.SetBool(ParamKey::LayoutHorizontal, false);
    EXPECT_EQ(set.GetEntries(), expected.GetEntries());

    // "Defaults" does the same for the level shown.
    page->SpecificBox(0)->click();
    page->DefaultsButton()->click();
    EXPECT_EQ(set.GetEntries(), expected.GetEntries());
}

TEST(OptionsPropertySheet, DivisionDecimalsToggleRemainderAndDecimalDivisor)
{
    Sheet s(3, Defaults("Addition", 0, false), Defaults("Subtraction", 0, false),
        Defaults("Multiplication", 0, false), Defaults("Division", 2, true));
    COptionsPage* page = s.Page(3);
    QCheckBox* remainder = page->SpecificBox(0);
    QCheckBox* divisor = page->SpecificBox(1);
    EXPECT_EQ(page->VerticalRadio(), nullptr);
    ASSERT_TRUE(page->DecimalsBox()->isEnabled());
    EXPECT_TRUE(remainder->isEnabled());
    EXPECT_FALSE(divisor->isEnabled());
    remainder->click();
    ASSERT_TRUE(Flag(page->Settings(), ParamKey::Remainder));

    page->DecimalsBox()->click();
    EXPECT_TRUE(page->DecimalsBox()->isChecked());
    EXPECT_FALSE(remainder->isChecked());
    EXPECT_FALSE(remainder->isEnabled());
    EXPECT_TRUE(divisor->isEnabled());
    divisor->click();
    EXPECT_TRUE(Flag(page->Settings(), ParamKey::DecimalDivisor));

    page->DecimalsBox()->click();
    EXPECT_TRUE(remainder->isEnabled());
    EXPECT_FALSE(divisor->isChecked());
    EXPECT_FALSE(divisor->isEnabled());
    EXPECT_FALSE(Flag(page->Settings(), ParamKey::DecimalDivisor));
    EXPECT_TRUE(page->Settings().IsLocked(ParamKey::DecimalDivisor));
}

TEST(OptionsPropertySheet, OpeningTheDivisionPageAppliesTheDecimalRuleToStoredChoices)
{
    // What Setup hands over after reading a store that has decimals on and
    // a remainder allowed: the page must not show both.
    CParameterSet div = Defaults("Division", 2, true);
    div.SetBool(ParamKey::EnableDecimals, true);
    div.SetBool(ParamKey::Remainder, true);
    Sheet s(3, Defaults("Addition", 0, false), Defaults("Subtraction", 0, false),
        Defaults("Multiplication", 0, false), div);
    const CParameterSet& set = s.sheet.GetDivisionSettings();
    EXPECT_TRUE(Flag(set, ParamKey::EnableDecimals));
    EXPECT_FALSE(Flag(set, ParamKey::Remainder));
    EXPECT_TRUE(set.IsLocked(ParamKey::Remainder));
    EXPECT_TRUE(set.IsEditable(ParamKey::DecimalDivisor));
    EXPECT_FALSE(s.sheet.Page(3)->SpecificBox(0)->isEnabled());
}

TEST(OptionsPropertySheet, LockedStyleDisablesStyleLabelAndBox)
{
    CParameterSet mul = Defaults("Multiplication", 1, true);
    mul.Lock(ParamKey::AlgebraMode);
    Sheet s(2, Defaults("Addition", 0, false), Defaults("Subtraction", 0, false), mul);
    COptionsPage* page = s.Page(2);
    EXPECT_FALSE(page->StyleBox()->isEnabled());
    EXPECT_FALSE(page->StyleLabel()->isEnabled());
    EXPECT_TRUE(page->LevelBox()->isEnabled());
    // The layout radios are never disabled by a lock.
    mul.Lock(ParamKey::LayoutHorizontal);
    page->SetSettings(mul);
    page->RefreshControls();
    EXPECT_TRUE(page->VerticalRadio()->isEnabled());
    page->VerticalRadio()->click();
    EXPECT_TRUE(Flag(page->Settings(), ParamKey::LayoutHorizontal));
}

TEST(OptionsPropertySheet, EveryChangeDrawsANewSample)
{
    Sheet s(0, Defaults("Addition", 2, true));
    COptionsPage* page = s.Page(0);
    int count = page->PreviewCount();
    page->SpecificBox(0)->click();
    EXPECT_GT(page->PreviewCount(), count);
    count = page->PreviewCount();
    ChooseItem(page->StyleBox(), 1);
    EXPECT_GT(page->PreviewCount(), count);
    count = page->PreviewCount();
    page->VerticalRadio()->click();
    EXPECT_GT(page->PreviewCount(), count);
    EXPECT_EQ(page->PreviewPicture()->pixmap().size(), page->PreviewImage().size());
}
