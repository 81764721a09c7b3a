#include "app/LanguageMenu.h"

#include "app/AppLanguage.h"

#include <QActionGroup>
#include <QMenu>

CLanguageMenu::CLanguageMenu(QMenu* parent, std::function<void(const QString&)> tell)
    : QObject(parent)
    , m_menu(parent->addMenu(tr("&Language")))
    , m_group(new QActionGroup(this))
    , m_tell(std::move(tell))
{
    m_menu->setObjectName(QStringLiteral("languageMenu"));
    // Empty data: follow the desktop. The languages keep their own names, so a
    // teacher finds theirs whatever the program shows now.
    QAction* desktop = m_menu->addAction(tr("&Desktop Language"));
    desktop->setData(QString());
    m_menu->addSeparator();
    for (const QString& code : CAppLanguage::Codes())
        m_menu->addAction(CAppLanguage::NativeName(code))->setData(code);
    for (QAction* action : m_menu->actions()) {
        if (action->isSeparator())
            continue;
        action->setCheckable(true);
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, action] { Choose(action->data().toString()); });
    }
    connect(m_menu, &QMenu::aboutToShow, this, [this] { Refresh(); });
    Refresh();
}

void CLanguageMenu::Refresh()
{
    const QString stored = CAppLanguage::Stored();
    for (QAction* action : m_group->actions())
        action->setChecked(action->data().toString() == stored);
}

void CLanguageMenu::Choose(const QString& code)
{
    const bool saved = CAppLanguage::Store(code);
    Refresh();
    if (!m_tell)
        return;
    const QString language = CAppLanguage::NativeName(code.isEmpty() ? CAppLanguage::Desktop() : code);
    m_tell(saved ? tr("Kestavo will show its texts in %1 from the next start.").arg(language)
                 : tr("The language could not be saved on this computer."));
}
