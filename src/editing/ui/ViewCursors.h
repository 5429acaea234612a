#pragma once
// The view's cursors, by role. A role is a Qt::CursorShape where one shape
// says what the cursor means (the resize arrows, move, copy, pan, text, the
// divider arrows, no drop, the link hand, the arrow), or one of the roles
// below where the view gives a gesture a cursor of its own. The program
// draws its own picture for every role but the arrow, the link hand and the
// wait cursor, which stay the desktop's; pictures are drawn at the
// desktop's cursor size with their hot spots where the gesture acts.
#include <QCursor>
#include <QPixmap>

enum ViewCursorRole : int {
    kCursorCreate = 0x100,   // placing a new figure
    kCursorConnect,          // drawing a connector
    kCursorAttach,           // a connector end would attach here
    kCursorAdjust,           // a connector end or junction to drag
    kCursorSplit,            // Alt: split the connector here
    kCursorBand,             // dragging a selection rectangle
    kCursorZoom,             // zoom mode
    kCursorLabel,            // a click makes a label
    kCursorConPt,            // connection-point editing over a figure
};

// The cursor of a role (a ViewCursorRole or a Qt::CursorShape).
QCursor ViewCursorFor(int role);
// The program's picture of a role at `size` device pixels and its hot spot
// in them; a null pixmap for a role that keeps the desktop's cursor.
QPixmap ViewCursorPicture(int role, int size, QPoint* hotSpot);
// The cursor size of the desktop in logical pixels (XCURSOR_SIZE, else 24).
int ViewCursorSize();
