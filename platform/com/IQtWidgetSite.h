#pragma once

// Window embedding of a visual component: what IOleClientSite, IOleInPlaceSite
// and IOleWindow do for a control on Windows, cut down to what a QWidget needs.
// The host hands the control a site; the control creates its window, a QWidget,
// as a child of the site's widget, and destroys it when the site is taken away.

#include "platform/com/Com.h"

class QWidget;

// Implemented by the host of a control.
struct IQtWidgetSite : public IUnknown
{
    // The widget that is to be the parent of the control's window (not owned).
    virtual HRESULT GetWindow(QWidget** parent) = 0;
};

// Implemented by a control that has a window.
struct IQtWidgetControl : public IUnknown
{
    // A site creates the control's window as a child of the site's widget (set
    // the site before using the control's window); null destroys the window and
    // releases the site.
    virtual HRESULT SetSite(IQtWidgetSite* site) = 0;
    // The control's window, or E_FAIL while it has none (not owned by the caller).
    virtual HRESULT GetWindow(QWidget** window) = 0;
};

constexpr IID IID_IQtWidgetSite = GuidLiteral("{3CDD1526-55B1-4702-A1AF-8E777EEC32D3}");
constexpr IID IID_IQtWidgetControl = GuidLiteral("{B01E0C02-A99F-4CE3-8015-31E1487CAF85}");

KESTAVO_INTERFACE_ID(IQtWidgetSite, IID_IQtWidgetSite);
KESTAVO_INTERFACE_ID(IQtWidgetControl, IID_IQtWidgetControl);
