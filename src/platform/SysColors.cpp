#include "platform/SysColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

COLORREF Classic(int index)
{
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(0, 0, 128);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(192, 192, 192);
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(64, 64, 64);
    case COLOR_3DLIGHT: return RGB(224, 224, 224);
    default: return RGB(0, 0, 0);
    }
}

COLORREF FromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

} // namespace

COLORREF GetSysColor(int index)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())
        || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return Classic(index);
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case COLOR_WINDOW: return FromQColor(pal.color(QPalette::Base));
    case COLOR_WINDOWTEXT: return FromQColor(pal.color(QPalette::Text));
    case COLOR_HIGHLIGHT: return FromQColor(pal.color(QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT: return FromQColor(pal.color(QPalette::HighlightedText));
    case COLOR_BTNFACE: return FromQColor(pal.color(QPalette::Button));
    case COLOR_BTNSHADOW: return FromQColor(pal.color(QPalette::Dark));
    case COLOR_GRAYTEXT: return FromQColor(pal.color(QPalette::Disabled, QPalette::Text));
    case COLOR_BTNTEXT: return FromQColor(pal.color(QPalette::ButtonText));
    case COLOR_BTNHIGHLIGHT: return FromQColor(pal.color(QPalette::Light));
    case COLOR_3DDKSHADOW: return FromQColor(pal.color(QPalette::Shadow));
    case COLOR_3DLIGHT: return FromQColor(pal.color(QPalette::Midlight));
    default: return Classic(index);
    }
}
