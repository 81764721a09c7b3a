// Renders the Setup dialog and every options page to PNG files for review
// (build folder, screenshots/), and checks the geometry a reviewer relies on.
#include "config/DialogUnits.h"
#include "config/OptionsPage.h"
#include "config/OptionsPropertySheet.h"
#include "config/Setup.h"
#include "game/Random.h"
#include "tests/fixtures/Screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// No two visible controls of a parent may overlap, group boxes and frames aside.
void ExpectNoOverlap(QWidget* parent)
{
    QList<QWidget*> controls;
    for (QWidget* child : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isVisibleTo(parent) && !child->inherits("QGroupBox") && !child->inherits("QFrame")
            && !child->inherits("QTabWidget"))
            controls << child;
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " overlaps "
                << controls[j]->objectName().toStdString();
        }
    }
}

} // namespace

TEST(DialogScreenshot, SetupDialogControlsSitInsideAndApart)
{
    CSetup setup;
    setup.show();
    QApplication::processEvents();
    ASSERT_TRUE(setup.grab().save(ScreenshotDir() + QStringLiteral("/setup.png")));

    const QRect inside = setup.rect();
    for (QWidget* child : setup.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(inside.contains(child->geometry())) << child->objectName().toStdString();
    // The sign labels legitimately reach under nothing else; every other pair is apart.
    ExpectNoOverlap(&setup);

    // The signs are bold and twice the dialog font's height.
    const QFont sign = setup.SignLabel(0)->font();
    EXPECT_TRUE(sign.bold());
    EXPECT_EQ(sign.pixelSize(), 2 * QFontInfo(setup.font()).pixelSize());
}

TEST(DialogScreenshot, OptionsPagesLookRight)
{
    CRandom::Seed(7);
    COptionsPropertySheet sheet(QStringLiteral("Advanced Options"), nullptr, 0);
    CParameterSet sets[4];
    const char* names[] = { "Addition", "Subtraction", "Multiplication", "Division" };
    for (int i = 0; i < 4; ++i) {
        ApplyDefaults(sets[i], names[i], i == 3 ? 1 : 0);
        sets[i].SetBool(ParamKey::Selected, i != 2);
    }
    sets[1].SetBool(ParamKey::LayoutHorizontal, false);
    sheet.SetAdditionSettings(sets[0]);
    sheet.SetSubtractionSettings(sets[1]);
    sheet.SetMultiplicationSettings(sets[2]);
    sheet.SetDivisionSettings(sets[3]);
    sheet.show();
    for (int i = 0; i < 4; ++i) {
        sheet.Tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        COptionsPage* page = sheet.Page(i);
        ASSERT_TRUE(page->IsInitialised());
        ASSERT_TRUE(sheet.grab().save(ScreenshotDir() + QStringLiteral("/options-%1.png").arg(i)));
        ExpectNoOverlap(page);
        // The picture sits one dialog unit inside the frame and fills it but 5 pixels.
        EXPECT_EQ(page->PreviewPicture()->size(), page->PreviewFrame()->size() - QSize(5, 5));
        EXPECT_TRUE(page->PreviewFrame()->geometry().contains(page->PreviewPicture()->geometry()));
    }
}
