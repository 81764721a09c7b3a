// The dialogs in every language: each text fits its control (nothing cut off
// or wrapped out of sight), and PNGs of them for review in the build folder
// (screenshots/<language>/).
#include "app/AboutSheet.h"
#include "app/AppLanguage.h"
#include "app/GoDialog.h"
#include "config/OperatorSettings.h"
#include "config/OptionsPage.h"
#include "config/OptionsPropertySheet.h"
#include "config/Setup.h"
#include "game/Random.h"
#include "resources/StringTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

QString ScreenshotDir(const QString& language)
{
    const QString dir = QStringLiteral(KESTAVO_TEST_BIN_DIR "/../screenshots/") + language;
    QDir().mkpath(dir);
    return QDir(dir).absolutePath();
}

QRect InWindow(QWidget* widget, QWidget* window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// The controls a text may not reach into: everything visible but the
// containers (group boxes, tab pages and their stacks) and the widget's own family.
bool Covers(QWidget* other, QWidget* widget, QWidget* window)
{
    if (other == widget || !other->isVisibleTo(window) || other->isAncestorOf(widget)
        || widget->isAncestorOf(other))
        return false;
    if (other->inherits("QGroupBox") || other->inherits("QTabWidget") || other->inherits("QStackedWidget")
        || other->inherits("QTabBar") || other->parentWidget() == nullptr
        || qobject_cast<QTabWidget*>(other->parentWidget()->parentWidget()))
        return false;
    if (auto* label = qobject_cast<QLabel*>(other))
        return !label->pixmap().isNull() || label->frameShape() != QFrame::NoFrame;
    return other->inherits("QAbstractButton") || other->inherits("QComboBox") || other->inherits("QFrame");
}

// Every visible label and button of the window shows its whole text: one line
// as wide as it needs, a wrapped label as high as its lines, inside the window
// and clear of the other controls.
void ExpectTextsFit(QWidget* window, const std::string& where)
{
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* widget : all) {
        if (!widget->isVisibleTo(window))
            continue;
        QString text;
        bool fits = true;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            if (text.isEmpty() || label->textFormat() == Qt::RichText || !label->pixmap().isNull())
                continue;
            fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                     : label->sizeHint().width() <= label->width();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
            if (text.isEmpty())
                continue;
            fits = button->sizeHint().width() <= button->width();
        } else {
            continue;
        }
        EXPECT_TRUE(fits) << where << ": \"" << text.toStdString() << "\" is cut off in " << widget->width()
                          << " x " << widget->height() << " (needs " << widget->sizeHint().width() << " x "
                          << widget->heightForWidth(widget->width()) << ")";
        const QRect inWindow = InWindow(widget, window);
        EXPECT_TRUE(window->rect().contains(inWindow))
            << where << ": \"" << text.toStdString() << "\" sticks out";
        // Where a one-line text is drawn: from the left, as wide as it needs.
        auto* label = qobject_cast<QLabel*>(widget);
        if ((label && (label->wordWrap() || !(label->alignment() & Qt::AlignLeft)))
            || widget->inherits("QPushButton"))
            continue;
        const QRect drawn(inWindow.topLeft(),
            QSize(std::min(widget->sizeHint().width(), inWindow.width()), inWindow.height()));
        for (QWidget* other : all)
            if (Covers(other, widget, window))
                EXPECT_FALSE(InWindow(other, window).intersects(drawn))
                    << where << ": \"" << text.toStdString() << "\" runs into "
                    << other->metaObject()->className() << " " << other->objectName().toStdString();
    }
}

void Shoot(QWidget& window, const QString& language, const QString& name)
{
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(
        window.grab().save(ScreenshotDir(language) + QLatin1Char('/') + name + QStringLiteral(".png")));
    ExpectTextsFit(&window, (language + QLatin1Char(' ') + name).toStdString());
}

class LanguageFit : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        CAppLanguage::Request(QLatin1String(GetParam()));
        CAppLanguage::Apply();
    }
    void TearDown() override
    {
        CAppLanguage::Request(QString());
        CAppLanguage::Apply();
    }
    QString Language() const { return QLatin1String(GetParam()); }
};

TEST_P(LanguageFit, SetupNewGameAndAboutShowTheirWholeTexts)
{
    CSetup setup;
    Shoot(setup, Language(), QStringLiteral("setup"));
    CGoDialog go;
    Shoot(go, Language(), QStringLiteral("new-game"));
    CAboutSheet about(QString(), nullptr, 0);
    for (int page = 0; page < about.findChild<QTabWidget*>()->count(); ++page) {
        about.findChild<QTabWidget*>()->setCurrentIndex(page);
        Shoot(about, Language(), QStringLiteral("about-%1").arg(page));
    }
}

TEST_P(LanguageFit, AdvancedOptionsShowTheirWholeTexts)
{
    CRandom::Seed(7);
    COptionsPropertySheet sheet(LoadResString(129), nullptr, 0);
    CParameterSet sets[4];
    const char* names[] = { "Addition", "Subtraction", "Multiplication", "Division" };
    for (int i = 0; i < 4; ++i) {
        ApplyDefaults(sets[i], names[i], 2);
        sets[i].SetBool(ParamKey::Selected, true);
    }
    sheet.SetAdditionSettings(sets[0]);
    sheet.SetSubtractionSettings(sets[1]);
    sheet.SetMultiplicationSettings(sets[2]);
    sheet.SetDivisionSettings(sets[3]);
    for (int i = 0; i < 4; ++i) {
        sheet.Tabs()->setCurrentIndex(i);
        Shoot(sheet, Language(), QStringLiteral("options-%1").arg(i));
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageFit, ::testing::Values("en", "de", "fr", "es", "pt_BR"),
    [](const auto& info) { return std::string(info.param); });

} // namespace
