#include "app/TouchWritingMenu.h"

#include "board/ObriskConnection.h"
#include "platform/registry/Registry.h"

#include <QActionGroup>
#include <QMenu>

namespace {

// The board software's settings key and value (the board reads it; never linked).
constexpr const char* kBoardKey
    = "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Board Settings";
constexpr const char* kTouchValue = "Touch As Pen";

} // namespace

CTouchWritingMenu::CTouchWritingMenu(QMenu* parent)
    : QObject(parent)
    , m_menu(parent->addMenu(tr("&Touch As Pen")))
    , m_group(new QActionGroup(this))
{
    m_menu->setObjectName(QStringLiteral("TouchAsPenMenu"));
    const struct
    {
        const char* text;
        Choice choice;
    } items[] = { { QT_TR_NOOP("&Automatic"), Automatic }, { QT_TR_NOOP("A&lways"), Always },
        { QT_TR_NOOP("&Never"), Never } };
    for (const auto& item : items) {
        QAction* action = m_menu->addAction(tr(item.text));
        action->setCheckable(true);
        action->setData(static_cast<int>(item.choice));
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice = item.choice] {
            Write(choice);
            Refresh();
        });
    }
    connect(m_menu, &QMenu::aboutToShow, this, [this] { Refresh(); });
    Refresh();
}

void CTouchWritingMenu::Refresh()
{
    const int current = Read();
    for (QAction* action : m_group->actions())
        action->setChecked(action->data().toInt() == current);
}

CTouchWritingMenu::Choice CTouchWritingMenu::Read()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBoardKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return Automatic;
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG rc
        = RegQueryValueExA(key, kTouchValue, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value || value > 2)
        return Automatic;
    return static_cast<Choice>(value);
}

bool CTouchWritingMenu::Write(Choice choice)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kBoardKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const DWORD value = static_cast<DWORD>(choice);
    const bool ok
        = RegSetValueExA(key, kTouchValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value)
        == ERROR_SUCCESS;
    RegCloseKey(key);
    // The board reads its settings when an SDK object is made.
    CObriskConnection reload;
    reload.CreateWithoutEvents();
    return ok;
}
