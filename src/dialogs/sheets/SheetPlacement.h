#pragma once
// Where a properties sheet opens over the view: beside the one selected
// object without covering it, or, for several objects, with its top-left
// corner at the point of the last right click in a view (when one was
// recorded), kept inside the main window.
#include "platform/CRect.h"

class QWidget;

// `object`: the one object's screen rectangle; null for several objects.
void PlacePropertySheet(QWidget& sheet, const CRect* object);
