// The strip's buttons, status text and the Go/Stop operation.
#include "views/ButtonStrip.h"

#include "tests/views/FakeAppServices.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Counts the relays the strip's buttons reach.
class CountingListener : public CGameListener
{
public:
    void OnQuestionsBuilt() override { ++built; }
    void OnPrevious() override { ++previous; }
    void OnNext() override { ++next; }
    void OnCheck() override { ++check; }
    void OnHint() override { ++hint; }
    void OnStop() override { ++stop; }
    int built = 0, previous = 0, next = 0, check = 0, hint = 0, stop = 0;
};

struct StripFixture : ::testing::Test
{
    StripFixture()
        : model(1234)
        , setup(model)
        , strip(services)
    {
        services.model = &model;
        services.strip = &strip;
        model.AddListener(&listener);
        strip.resize(700, 60);
        strip.show(); // a hidden widget gets its resize only when shown
    }
    ~StripFixture() override { model.RemoveListener(&listener); }

    QImage iconImage(CButtonStrip::Button b) const
    {
        return strip.GetButton(b)->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    }

    CGameModel model;
    ScriptedSetup setup;
    FakeAppServices services;
    CountingListener listener;
    CButtonStrip strip;
};

} // namespace

TEST_F(StripFixture, ButtonsSitInARowAtTheLeftWhateverTheWidth)
{
    const char* texts[] = { "GO", "<--", "-->", "V", "HELP" };
    for (int width : { 700, 320, 1920 }) {
        strip.resize(width, 60);
        for (int i = 0; i < CButtonStrip::ButtonCount; ++i) {
            QPushButton* b = strip.GetButton(static_cast<CButtonStrip::Button>(i));
            EXPECT_EQ(b->geometry(), QRect(10 + 60 * i, 60 - 46, 50, 40)) << i << " at " << width;
            EXPECT_EQ(b->accessibleName(), QString::fromLatin1(texts[i]));
            EXPECT_EQ(b->property("commandId").toInt(), 1025 + i);
            EXPECT_TRUE(b->text().isEmpty()) << "the icon replaces the text";
            EXPECT_FALSE(b->icon().isNull());
        }
    }
}

TEST_F(StripFixture, ButtonsRelayToTheGameModel)
{
    strip.GetButton(CButtonStrip::Previous)->click();
    strip.GetButton(CButtonStrip::Next)->click();
    strip.GetButton(CButtonStrip::Next)->click();
    strip.GetButton(CButtonStrip::Check)->click();
    strip.GetButton(CButtonStrip::Hint)->click();
    EXPECT_EQ(listener.previous, 1);
    EXPECT_EQ(listener.next, 2);
    EXPECT_EQ(listener.check, 1);
    EXPECT_EQ(listener.hint, 1);
    EXPECT_EQ(listener.stop, 0);

    strip.EnableNext(false);
    strip.GetButton(CButtonStrip::Next)->click(); // a disabled button does nothing
    EXPECT_EQ(listener.next, 2);
    strip.EnableCheck(false);
    strip.EnableHint(false);
    strip.EnablePrevious(false);
    EXPECT_FALSE(strip.GetButton(CButtonStrip::Previous)->isEnabled());
    EXPECT_FALSE(strip.GetButton(CButtonStrip::Check)->isEnabled());
    EXPECT_FALSE(strip.GetButton(CButtonStrip::Hint)->isEnabled());
    EXPECT_TRUE(strip.GetButton(CButtonStrip::GoStop)->isEnabled());
}

TEST_F(StripFixture, StatusTextWhiteRightAlignedCentredOnBlue)
{
    const QImage& before = strip.BackBuffer().Image();
    EXPECT_EQ(before.pixel(350, 30), 0xFF3C3CFFu);
    strip.SetStatusText(QStringLiteral("Question 3 of 10"));
    const QImage img = strip.BackBuffer().Image().copy(0, 0, 700, 60).convertToFormat(QImage::Format_ARGB32);
    int left = 700, right = -1, top = 60, bottom = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 700; ++x) {
            const QRgb c = img.pixel(x, y);
            if (c == 0xFF3C3CFFu)
                continue;
            // Only white text and its antialiased edge between white and blue.
            EXPECT_EQ(qBlue(c), 255);
            EXPECT_EQ(qRed(c), qGreen(c));
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    ASSERT_GE(right, 0) << "no text drawn";
    EXPECT_GE(right, 690);
    EXPECT_LE(right, 696); // inside the 5-pixel margin
    EXPECT_GT(left, 450); // short text: far from the buttons
    EXPECT_NEAR((top + bottom) / 2.0, 30.5, 3.0);
    EXPECT_EQ(strip.StatusText(), QStringLiteral("Question 3 of 10"));
}

TEST_F(StripFixture, GoOnBlankViewRunsSetupAndCancelChangesNothing)
{
    const QImage goIcon = iconImage(CButtonStrip::GoStop);
    setup.ok = false;
    strip.GetButton(CButtonStrip::GoStop)->click();
    EXPECT_EQ(setup.runs, 1);
    EXPECT_EQ(services.switches, 0);
    EXPECT_FALSE(strip.IsRunning());
    EXPECT_EQ(iconImage(CButtonStrip::GoStop), goIcon);

    setup.ok = true;
    strip.OnGoStop();
    EXPECT_EQ(setup.runs, 2);
    EXPECT_EQ(services.switches, 1);
    EXPECT_TRUE(strip.IsRunning());
    EXPECT_EQ(strip.GoStopIconId(), CButtonStrip::kStopIcon);
    EXPECT_NE(iconImage(CButtonStrip::GoStop), goIcon);
    EXPECT_EQ(listener.built, 1);
}

TEST_F(StripFixture, StopDuringGameStopsWithoutDialogs)
{
    strip.OnGoStop(); // blank -> game
    ASSERT_TRUE(strip.IsRunning());
    strip.OnGoStop(); // game -> summary
    EXPECT_EQ(listener.stop, 1);
    EXPECT_EQ(services.switches, 2);
    EXPECT_FALSE(strip.IsRunning());
    EXPECT_EQ(strip.GoStopIconId(), CButtonStrip::kGoIcon);
    EXPECT_EQ(services.dialogs, 0);
    EXPECT_EQ(setup.runs, 1);
}

TEST_F(StripFixture, NewGameDialogFromSummary)
{
    strip.OnGoStop();
    strip.OnGoStop(); // now on the summary
    ASSERT_FALSE(strip.IsRunning());

    // Cancel: nothing changes.
    services.dialogOk = false;
    strip.OnGoStop();
    EXPECT_EQ(services.dialogs, 1);
    EXPECT_EQ(services.switches, 2);
    EXPECT_FALSE(strip.IsRunning());

    // Change level, then Cancel in Setup: the summary stays.
    services.dialogOk = true;
    services.dialogKeep = false;
    setup.ok = false;
    strip.OnGoStop();
    EXPECT_EQ(setup.runs, 2);
    EXPECT_EQ(services.switches, 2);
    EXPECT_FALSE(strip.IsRunning());

    // Keep level: a game starts at once without Setup.
    services.dialogKeep = true;
    const int builtBefore = listener.built;
    strip.OnGoStop();
    EXPECT_EQ(setup.runs, 2);
    EXPECT_EQ(services.switches, 3);
    EXPECT_TRUE(strip.IsRunning());
    EXPECT_EQ(listener.built, builtBefore + 1);
}

TEST_F(StripFixture, KeepLevelStartsAGameEvenWithNothingToRebuild)
{
    // No Setup was ever confirmed: the model has no sets and builds nothing.
    services.blank = false;
    services.dialogKeep = true;
    strip.OnGoStop();
    EXPECT_EQ(services.switches, 1);
    EXPECT_TRUE(strip.IsRunning());
    EXPECT_EQ(setup.runs, 0);
}
