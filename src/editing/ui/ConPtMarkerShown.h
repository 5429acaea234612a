#pragma once
// What the program-wide connection-point marker shows now, for the views
// that ask whether their feedback is up.
#include "platform/CRect.h"

class CKavoView;
class CFigure;

struct ConPtMarkerShown {
    const CKavoView* view = nullptr;   // null: no marker is shown
    const CFigure* fig = nullptr;
    int index = -1;                    // a connection point, or -2 a free point
    CPoint pt;
};

ConPtMarkerShown CurrentConPtMarker();
