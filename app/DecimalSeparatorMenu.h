#pragma once

#include <QObject>

class QMenu;
class QActionGroup;

// The teacher's "Decimal Separator" choice in the Game menu: from the language,
// the point or the comma. Numbers on screen take a change at once.
class CDecimalSeparatorMenu : public QObject
{
public:
    // Adds the submenu to the menu.
    explicit CDecimalSeparatorMenu(QMenu* parent);

private:
    void Choose(int choice);
    void Refresh();

    QMenu* m_menu;
    QActionGroup* m_group;
};
