#pragma once

#include <QObject>

class QMenu;
class QActionGroup;

// The teacher's "Touch As Pen" choice in the Game menu: Automatic (touch writes on
// a system with a touch screen and no stylus), Always, Never. Kept where the board
// software reads it, its settings key; the board takes a change at once.
class CTouchWritingMenu : public QObject
{
    Q_OBJECT
public:
    enum Choice
    {
        Never = 0,
        Always = 1,
        Automatic = 2,
    };

    // Adds the submenu to the menu.
    CTouchWritingMenu(QMenu* parent);

    static Choice Read();
    // False when the settings could not be written (the choice shown stays the old one).
    static bool Write(Choice choice);

private:
    void Refresh();

    QMenu* m_menu;
    QActionGroup* m_group;
};
