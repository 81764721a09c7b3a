#pragma once

#include <QFont>
#include <QRect>

class QWidget;

// Converts dialog-template coordinates into pixels with the metrics of the
// dialog's font, the way a Windows dialog template is laid out: one horizontal
// unit is a quarter of the font's average character width, one vertical unit an
// eighth of its height. The template fonts "MS Shell Dlg" and "MS Sans Serif"
// stand for the system's user-interface font, which is what Font() returns.
class CDialogUnits
{
public:
    explicit CDialogUnits(const QFont& font = Font());

    // The font dialogs are laid out with: the application's default UI font.
    static QFont Font();

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    // Places a child at a template rectangle.
    void Place(QWidget* widget, int x, int y, int width, int height) const;
    // Like Place, but a control whose text or indicator needs more room than
    // the template gives grows to its size hint: rightwards, and evenly up and
    // down so it stays centred on its template row.
    void PlaceFit(QWidget* widget, int x, int y, int width, int height) const;

    // Moves 'right' rightwards when 'left' (grown by PlaceFit) reaches into it,
    // keeping a gap of one horizontal unit.
    void KeepRightOf(const QWidget* left, QWidget* right) const;

    int AverageCharWidth() const { return m_baseX; }
    int CharHeight() const { return m_baseY; }

private:
    int m_baseX;
    int m_baseY;
};
