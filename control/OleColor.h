#pragma once
// OLE colour translation as the automation interface receives colours:
// 0x00BBGGRR values, 0x80 system colour indices (resolved through the
// application palette), 0x02 palette-relative values. Anything else is not a
// colour and translates to black, as a failed translation does on Windows.

#include "platform/WinTypes.h"

#include <QRgb>

// The Windows colour value (0x00BBGGRR) of an OLE colour.
COLORREF TranslateOleColor(OLE_COLOR colour);
// The opaque ARGB value of a Windows colour value.
QRgb ArgbFromColorRef(COLORREF colour);
