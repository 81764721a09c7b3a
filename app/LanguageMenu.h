#pragma once

#include <QObject>
#include <functional>

class QMenu;
class QActionGroup;

// The teacher's "Language" choice in the Game menu: the desktop's language or
// one of the shipped ones, kept in the user hive and used from the next start
// (the open windows keep their texts until then).
class CLanguageMenu : public QObject
{
    Q_OBJECT
public:
    // Adds the submenu to the menu. tell shows a sentence to the teacher.
    CLanguageMenu(QMenu* parent, std::function<void(const QString&)> tell);

    QMenu* Menu() const { return m_menu; }

private:
    void Choose(const QString& code);
    void Refresh();

    QMenu* m_menu;
    QActionGroup* m_group;
    std::function<void(const QString&)> m_tell;
};
