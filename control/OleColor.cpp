#include "control/OleColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

COLORREF FromQColor(const QColor& c)
{
    return RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
}

// Windows system colour indices mapped onto the roles of the Qt palette.
bool SystemColour(unsigned index, COLORREF& out)
{
    const QPalette palette = QGuiApplication::palette();
    QPalette::ColorGroup group = QPalette::Active;
    QPalette::ColorRole role;
    switch (index) {
    case 0:
        role = QPalette::Button;
        break; // scroll bar
    case 1:
        role = QPalette::Dark;
        break; // desktop
    case 2:
    case 27:
        role = QPalette::Highlight;
        break; // active caption
    case 3:
    case 28:
        group = QPalette::Inactive;
        role = QPalette::Highlight;
        break;
    case 4:
    case 30:
        role = QPalette::Window;
        break; // menu, menu bar
    case 5:
        role = QPalette::Base;
        break; // window
    case 6:
        role = QPalette::Shadow;
        break; // window frame
    case 7:
        role = QPalette::WindowText;
        break; // menu text
    case 8:
        role = QPalette::Text;
        break; // window text
    case 9:
        role = QPalette::HighlightedText;
        break; // caption text
    case 10:
    case 11:
        role = QPalette::Mid;
        break; // borders
    case 12:
        role = QPalette::Dark;
        break; // MDI workspace
    case 13:
    case 29:
        role = QPalette::Highlight;
        break;
    case 14:
        role = QPalette::HighlightedText;
        break;
    case 15:
        role = QPalette::Button;
        break; // button face
    case 16:
        role = QPalette::Dark;
        break; // button shadow
    case 17:
        group = QPalette::Disabled;
        role = QPalette::Text;
        break; // grey text
    case 18:
        role = QPalette::ButtonText;
        break;
    case 19:
        group = QPalette::Inactive;
        role = QPalette::HighlightedText;
        break;
    case 20:
        role = QPalette::Light;
        break; // button highlight
    case 21:
        role = QPalette::Shadow;
        break; // 3-D dark shadow
    case 22:
        role = QPalette::Midlight;
        break; // 3-D light
    case 23:
        role = QPalette::ToolTipText;
        break;
    case 24:
        role = QPalette::ToolTipBase;
        break;
    case 26:
        role = QPalette::Link;
        break; // hot-tracked item
    default:
        return false;
    }
    out = FromQColor(palette.color(group, role));
    return true;
}

} // namespace

COLORREF TranslateOleColor(OLE_COLOR colour)
{
    switch (colour >> 24) {
    case 0x00:
        return colour;
    case 0x02:
        return colour & 0x00FFFFFFu;
    case 0x80: {
        COLORREF resolved = 0;
        if ((colour & 0x00FFFF00u) == 0 && SystemColour(colour & 0xFFu, resolved))
            return resolved;
        return 0;
    }
    default:
        return 0;
    }
}

QRgb ArgbFromColorRef(COLORREF colour)
{
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
