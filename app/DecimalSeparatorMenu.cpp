#include "app/DecimalSeparatorMenu.h"

#include "platform/locale/DecimalSeparator.h"

#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

CDecimalSeparatorMenu::CDecimalSeparatorMenu(QMenu* parent)
    : QObject(parent)
    , m_menu(parent->addMenu(tr("&Decimal Separator")))
    , m_group(new QActionGroup(this))
{
    m_menu->setObjectName(QStringLiteral("DecimalSeparatorMenu"));
    const struct
    {
        const char* text;
        CDecimalSeparator::Choice choice;
    } items[] = {
        { QT_TR_NOOP("From the &Language"), CDecimalSeparator::FromLanguage },
        { QT_TR_NOOP("&Point (3.5)"), CDecimalSeparator::Point },
        { QT_TR_NOOP("&Comma (3,5)"), CDecimalSeparator::Comma },
    };
    for (const auto& item : items) {
        QAction* action = m_menu->addAction(tr(item.text));
        action->setCheckable(true);
        action->setData(static_cast<int>(item.choice));
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice = item.choice] { Choose(choice); });
    }
    connect(m_menu, &QMenu::aboutToShow, this, [this] { Refresh(); });
    Refresh();
}

void CDecimalSeparatorMenu::Choose(int choice)
{
    if (!CDecimalSeparator::WriteChoice(static_cast<CDecimalSeparator::Choice>(choice))) {
        QMessageBox::warning(m_menu->parentWidget() ? m_menu->parentWidget()->window() : nullptr,
            QApplication::applicationDisplayName(),
            tr("The decimal separator could not be saved on this computer."));
    }
    Refresh();
    // Every number on screen is drawn again with the new separator (the
    // answer fields redraw their cells on a locale change).
    for (QWidget* widget : QApplication::allWidgets()) {
        QEvent change(QEvent::LocaleChange);
        QCoreApplication::sendEvent(widget, &change);
    }
}

void CDecimalSeparatorMenu::Refresh()
{
    const int current = CDecimalSeparator::ReadChoice();
    for (QAction* action : m_group->actions())
        action->setChecked(action->data().toInt() == current);
}
