// The Setup dialog: what it reads from the store, what its controls do, and
// what it writes back.
#include "config/Setup.h"

#include "config/OptionsPage.h"
#include "config/OptionsPropertySheet.h"
#include "tests/fixtures/UnwritableHive.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool Flag(const CParameterSet& set, const char* key)
{
    bool flag = false;
    set.GetBool(key, flag);
    return flag;
}

void Store(int op, const CParameterSet& set)
{
    ASSERT_EQ(set.SaveToRegistry(HKEY_CURRENT_USER, OperatorRegistryKey(op).c_str()), 0);
}

// A sheet runner that shows the sheet, lets the test act on it, and answers
// as the test says.
CSetup::SheetRunner Runner(
    std::function<void(COptionsPropertySheet&)> act, int answer, int* initialPage = nullptr)
{
    return [act, answer, initialPage](COptionsPropertySheet& sheet) {
        sheet.show();
        QApplication::processEvents();
        if (initialPage)
            *initialPage = sheet.Tabs()->currentIndex();
        if (act)
            act(sheet);
        return answer;
    };
}

} // namespace

TEST(Setup, FirstRunShowsNothingSelected)
{
    CSetup setup;
    setup.InitDialog();
    for (int op = 0; op < OperatorCount; ++op) {
        EXPECT_FALSE(setup.OperatorBox(op)->isChecked());
        EXPECT_EQ(setup.LevelSlider(op)->value(), 0);
        EXPECT_FALSE(setup.LevelSlider(op)->isEnabled());
        EXPECT_EQ(setup.LevelSlider(op)->maximum(), 4);
    }
    EXPECT_FALSE(setup.OkButton()->isEnabled());
    EXPECT_EQ(setup.QuestionsList()->currentText(), QStringLiteral("10"));
    EXPECT_EQ(setup.QuestionsList()->count(), 9);
    EXPECT_EQ(setup.QuestionsList()->itemText(8), QStringLiteral("50"));
    // OK cannot be forced while it is disabled.
    setup.accept();
    EXPECT_EQ(setup.result(), 0);
}

TEST(Setup, QuestionsIndexOutOfRangeSelectsTen)
{
    ASSERT_EQ(RegWriteDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, 12), 0);
    CSetup setup;
    setup.InitDialog();
    EXPECT_EQ(setup.QuestionsList()->currentIndex(), 0);
    ASSERT_EQ(RegWriteDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, 3), 0);
    CSetup again;
    again.InitDialog();
    EXPECT_EQ(again.QuestionsList()->currentText(), QStringLiteral("25"));
}

TEST(Setup, CheckBoxesEnableSlidersAndOk)
{
    CSetup setup;
    setup.InitDialog();
    setup.OperatorBox(2)->click();
    EXPECT_TRUE(setup.OkButton()->isEnabled());
    EXPECT_TRUE(setup.LevelSlider(2)->isEnabled());
    EXPECT_TRUE(Flag(setup.Settings(2), ParamKey::Selected));
    setup.OperatorBox(2)->click();
    EXPECT_FALSE(setup.OkButton()->isEnabled());
    EXPECT_FALSE(setup.LevelSlider(2)->isEnabled());
    EXPECT_FALSE(Flag(setup.Settings(2), ParamKey::Selected));
}

TEST(Setup, ChoicesRoundTripThroughTheStore)
{
    {
        CSetup setup;
        setup.InitDialog();
        setup.OperatorBox(OpAddition)->click();
        setup.OperatorBox(OpDivision)->click();
        setup.LevelSlider(OpDivision)->setValue(1);
        setup.LevelSlider(OpAddition)->setValue(3);
        setup.QuestionsList()->setCurrentIndex(4);
        setup.SetSheetRunner(Runner(
            [](COptionsPropertySheet& sheet) {
                COptionsPage* add = sheet.Page(OpAddition);
                add->VerticalRadio()->click();
                add->StyleBox()->setCurrentIndex(1);
                emit add->StyleBox()->activated(1);
                add->DecimalsBox()->click(); // level 4 has decimals on: now off
                add->SpecificBox(0)->click(); // carrying off
                sheet.Tabs()->setCurrentIndex(OpDivision);
                QApplication::processEvents();
                sheet.Page(OpDivision)->SpecificBox(0)->click(); // remainder off
            },
            QDialog::Accepted));
        setup.OnAdvanced();
        setup.OkButton()->click();
        ASSERT_EQ(setup.result(), QDialog::Accepted);
        EXPECT_EQ(setup.GetNumberOfQuestions(), 30);
    }

    CSetup setup;
    setup.InitDialog();
    EXPECT_EQ(setup.QuestionsList()->currentText(), QStringLiteral("30"));
    EXPECT_TRUE(setup.OperatorBox(OpAddition)->isChecked());
    EXPECT_TRUE(setup.OperatorBox(OpDivision)->isChecked());
    EXPECT_FALSE(setup.OperatorBox(OpSubtraction)->isChecked());
    EXPECT_EQ(setup.LevelSlider(OpAddition)->value(), 3);
    EXPECT_EQ(setup.LevelSlider(OpDivision)->value(), 1);
    EXPECT_TRUE(setup.LevelSlider(OpDivision)->isEnabled());
    const CParameterSet& add = setup.Settings(OpAddition);
    EXPECT_FALSE(Flag(add, ParamKey::LayoutHorizontal));
    EXPECT_TRUE(Flag(add, ParamKey::AlgebraMode));
    EXPECT_FALSE(Flag(add, ParamKey::EnableDecimals));
    EXPECT_FALSE(Flag(add, ParamKey::Carry));
    EXPECT_FALSE(Flag(setup.Settings(OpDivision), ParamKey::Remainder));

    std::vector<CParameterSet> selected;
    setup.CollectSelected(selected);
    ASSERT_EQ(selected.size(), 2u);
    std::string op;
    selected[0].GetString(ParamKey::Operator, op);
    EXPECT_EQ(op, "Addition");
    selected[1].GetString(ParamKey::Operator, op);
    EXPECT_EQ(op, "Division");
    EXPECT_EQ(selected[0].HasKey(ParamKey::Selected), CParameterSet::kMissing);
}

TEST(Setup, ReopeningKeepsChoicesExceptWhereTheLevelLocksThem)
{
    // Stored by hand: subtraction at level index 2 with the counting aid and
    // algebra on, bounds edited; level 3 locks the counting aid off.
    CParameterSet sub;
    ApplyDefaults(sub, "Subtraction", 2);
    sub.Unlock(ParamKey::Manipulatives);
    sub.SetBool(ParamKey::Manipulatives, true);
    sub.SetBool(ParamKey::AlgebraMode, true);
    sub.SetInt(ParamKey::OperandMax, 5000);
    sub.SetBool(ParamKey::Selected, true);
    Store(OpSubtraction, sub);

    CSetup setup;
    setup.InitDialog();
    const CParameterSet& set = setup.Settings(OpSubtraction);
    EXPECT_EQ(setup.LevelSlider(OpSubtraction)->value(), 2);
    EXPECT_TRUE(Flag(set, ParamKey::AlgebraMode));
    EXPECT_FALSE(Flag(set, ParamKey::Manipulatives));
    EXPECT_TRUE(set.IsLocked(ParamKey::Manipulatives));
    int max = 0;
    set.GetInt(ParamKey::OperandMax, max);
    EXPECT_EQ(max, 100);
    EXPECT_TRUE(setup.OkButton()->isEnabled());
}

TEST(Setup, DamagedStoredOperatorOrLevelIsRepaired)
{
    // A stored "Operator" naming another operator, and a level the slider
    // cannot show.
    CParameterSet add;
    ApplyDefaults(add, "Addition", 1);
    add.SetString(ParamKey::Operator, "Division");
    add.SetString(ParamKey::Level, "7");
    add.SetBool(ParamKey::Selected, true);
    Store(OpAddition, add);

    CSetup setup;
    setup.InitDialog();
    const CParameterSet& set = setup.Settings(OpAddition);
    std::string op;
    set.GetString(ParamKey::Operator, op);
    EXPECT_EQ(op, "Addition");
    EXPECT_EQ(set.HasKey(ParamKey::Carry), CParameterSet::kFound);
    EXPECT_EQ(set.HasKey(ParamKey::Remainder), CParameterSet::kMissing);
    EXPECT_EQ(set.HasKey(ParamKey::OperandMax), CParameterSet::kFound);
    EXPECT_GE(GetLevel(set), 0);
    EXPECT_LE(GetLevel(set), 4);
    EXPECT_EQ(setup.LevelSlider(OpAddition)->value(), GetLevel(set));
}

TEST(Setup, SliderResetsAdvancedChoicesButKeepsLayoutAndSelection)
{
    CParameterSet div;
    ApplyDefaults(div, "Division", 1);
    div.SetBool(ParamKey::Remainder, false);
    div.SetBool(ParamKey::AlgebraMode, true);
    div.SetBool(ParamKey::LayoutHorizontal, false);
    div.SetBool(ParamKey::Selected, true);
    Store(OpDivision, div);

    CSetup setup;
    setup.InitDialog();
    ASSERT_FALSE(Flag(setup.Settings(OpDivision), ParamKey::Remainder));
    setup.LevelSlider(OpDivision)->setValue(2);
    setup.LevelSlider(OpDivision)->setValue(1);
    const CParameterSet& set = setup.Settings(OpDivision);
    EXPECT_EQ(GetLevel(set), 1);
    EXPECT_TRUE(Flag(set, ParamKey::Remainder));
    EXPECT_FALSE(Flag(set, ParamKey::AlgebraMode));
    EXPECT_FALSE(Flag(set, ParamKey::LayoutHorizontal));
    EXPECT_TRUE(Flag(set, ParamKey::Selected));
}

TEST(Setup, SliderActsOnlyWhereAMovementEnds)
{
    CParameterSet add;
    ApplyDefaults(add, "Addition", 1);
    add.SetBool(ParamKey::AlgebraMode, true);
    add.SetBool(ParamKey::Selected, true);
    Store(OpAddition, add);

    CSetup setup;
    setup.InitDialog();
    QSlider* slider = setup.LevelSlider(OpAddition);
    // Dragging the knob across the levels changes nothing yet...
    slider->setSliderDown(true);
    for (int position : { 2, 3, 4, 3 }) {
        slider->setSliderPosition(position);
        EXPECT_EQ(GetLevel(setup.Settings(OpAddition)), 1) << position;
        EXPECT_TRUE(Flag(setup.Settings(OpAddition), ParamKey::AlgebraMode)) << position;
    }
    // ... letting go takes the level where it stopped, with its defaults.
    slider->setSliderDown(false);
    EXPECT_EQ(GetLevel(setup.Settings(OpAddition)), 3);
    EXPECT_FALSE(Flag(setup.Settings(OpAddition), ParamKey::AlgebraMode));
}

TEST(Setup, AdvancedOpensOnTheFirstSelectedOperator)
{
    CSetup setup;
    setup.InitDialog();
    int page = -1;
    setup.SetSheetRunner(Runner(nullptr, QDialog::Rejected, &page));
    setup.OnAdvanced();
    EXPECT_EQ(page, 0);
    setup.OperatorBox(OpDivision)->click();
    setup.OnAdvanced();
    EXPECT_EQ(page, 3);
    setup.OperatorBox(OpSubtraction)->click();
    setup.OnAdvanced();
    EXPECT_EQ(page, 1);
}

TEST(Setup, SheetResultUpdatesRowsOnlyOnOk)
{
    CSetup setup;
    setup.InitDialog();
    setup.OperatorBox(OpAddition)->click();
    const auto before = setup.Settings(OpMultiplication).GetEntries();
    const auto includeMultiplicationAtLevelFour = [](COptionsPropertySheet& sheet) {
        sheet.Tabs()->setCurrentIndex(OpMultiplication);
        QApplication::processEvents();
        COptionsPage* page = sheet.Page(OpMultiplication);
        page->IncludeBox()->click();
        page->LevelBox()->setCurrentIndex(3);
        emit page->LevelBox()->activated(3);
        sheet.Page(OpAddition)->IncludeBox()->click();
    };

    setup.SetSheetRunner(Runner(includeMultiplicationAtLevelFour, QDialog::Rejected));
    setup.OnAdvanced();
    EXPECT_EQ(setup.Settings(OpMultiplication).GetEntries(), before);
    EXPECT_TRUE(setup.OperatorBox(OpAddition)->isChecked());

    setup.SetSheetRunner(Runner(includeMultiplicationAtLevelFour, QDialog::Accepted));
    setup.OnAdvanced();
    EXPECT_TRUE(setup.OperatorBox(OpMultiplication)->isChecked());
    EXPECT_TRUE(setup.LevelSlider(OpMultiplication)->isEnabled());
    EXPECT_EQ(setup.LevelSlider(OpMultiplication)->value(), 3);
    EXPECT_FALSE(setup.OperatorBox(OpAddition)->isChecked());
    EXPECT_FALSE(setup.LevelSlider(OpAddition)->isEnabled());
    EXPECT_TRUE(setup.OkButton()->isEnabled());
}

TEST(Setup, CancelStoresNothingAndHelpAsksTheApplication)
{
    {
        CSetup setup;
        setup.InitDialog();
        int help = 0;
        QObject::connect(&setup, &CSetup::helpRequested, [&help] { ++help; });
        setup.HelpButton()->click();
        EXPECT_EQ(help, 1);
        setup.OperatorBox(OpAddition)->click();
        setup.QuestionsList()->setCurrentIndex(2);
        setup.reject();
    }
    CSetup setup;
    setup.InitDialog();
    EXPECT_FALSE(setup.OperatorBox(OpAddition)->isChecked());
    EXPECT_EQ(setup.QuestionsList()->currentIndex(), 0);
    HKEY key = nullptr;
    EXPECT_NE(
        RegOpenKeyExA(HKEY_CURRENT_USER, OperatorRegistryKey(OpAddition).c_str(), 0, KEY_READ, &key), 0);
}

TEST(Setup, AFailedSaveTellsTheTeacherAndTheGameStillGoesAhead)
{
    QStringList told;
    {
        // Saved: nothing to tell.
        CSetup setup;
        setup.SetSaveErrorSink([&told](const QString& text) { told << text; });
        setup.InitDialog();
        setup.OperatorBox(OpSubtraction)->click();
        setup.OkButton()->click();
        EXPECT_EQ(setup.result(), QDialog::Accepted);
        EXPECT_TRUE(told.isEmpty());
    }

    {
        UnwritableHive unwritable;
        ASSERT_TRUE(unwritable.isValid());
        CSetup setup;
        setup.SetSaveErrorSink([&told](const QString& text) { told << text; });
        setup.InitDialog();
        setup.OperatorBox(OpMultiplication)->click();
        setup.QuestionsList()->setCurrentIndex(2);
        setup.OkButton()->click();
        EXPECT_EQ(setup.result(), QDialog::Accepted);
        EXPECT_EQ(setup.GetNumberOfQuestions(), 20);
        std::vector<CParameterSet> selected;
        setup.CollectSelected(selected);
        EXPECT_EQ(selected.size(), 1u);
    }
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral("could not be saved")));
}
