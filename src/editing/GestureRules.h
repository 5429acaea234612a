#pragma once
// The arithmetic of the view's gestures, kept apart from the widgets so that
// it tests headless: wheel codes, what an arrow key does, the autoscroll
// step, the Shift axis lock of a drag, resize handles and their cursors, and
// the Shift variant of the shrink of a stretched shape.
#include "platform/CRect.h"
#include "shapes/DividedShapeResizeArgs.h"

// The system's double-click width in pixels: a press that travels less is
// still a click.
constexpr int kDoubleClickWidth = 4;
// Autoscroll: timer 4 every 150 ms; a tick scrolls at most 1/12 of the
// smaller client side.
constexpr int kAutoScrollTimerId = 4;
constexpr int kAutoScrollPeriodMs = 150;
// One notch of the wheel.
constexpr int kWheelNotch = 120;

// Scroll code of a wheel delta: -1 ignored (|delta| <= 119), else 0 line up
// (positive) or 1 line down (negative), plus 2 (page) from two notches on.
int WheelScrollCode(int delta);

// What an arrow key (VK 37..40) does: slide the selection by unit steps, or
// scroll by a quarter of the client size (integer division).
struct ArrowKeyAction {
    bool slide = false;
    int dx = 0, dy = 0;
};
ArrowKeyAction ArrowKeyActionFor(int vk, bool shift, int shiftToSlide, int clientW, int clientH);

// One autoscroll tick: the cursor in client coordinates against the client
// size, and the device distances from the visible sides to the work
// space's sides (left, top, right, bottom; never negative). The result is
// the scroll in device pixels; on the right and bottom sides the distance
// less one is the limit.
int AutoScrollStep(int clientW, int clientH);
CSize AutoScrollDelta(const CPoint& cursor, int clientW, int clientH, const CRect& roomDev);

// A drag with Shift held keeps only the larger displacement from the press
// point; a tie keeps the horizontal move.
CPoint LockDragAxis(const CPoint& press, const CPoint& pt);

// Whether the pointer has travelled the double-click width from the press
// (client pixels).
bool IsPastClickDistance(const CPoint& pressClient, const CPoint& client);

// Handles: 1 2 3 / 4 5 6 / 7 8 9 as on a keypad; 5 is never a resize
// handle.
int OppositeHandle(int handle);
bool IsOppositeColumn(int a, int b);
bool IsOppositeRow(int a, int b);
// The resize cursor of a handle: 1 NW-SE, 2 N-S, 3 NE-SW, 4 W-E; 0 none.
enum ResizeCursor { kNoResizeCursor = 0, kSizeNWSE = 1, kSizeNS = 2, kSizeNESW = 3, kSizeWE = 4 };
int ResizeCursorForHandle(int handle);

// One divider of a stretched shape: its anchor handle, the shift a stretch
// step gives it, and the marks of the shrink walk. The table has room for
// every divider a symbol can list.
struct DividerShift {
    int16_t anchor = 0;
    int dx = 0, dy = 0;
    int visited = 0;
    int anchored = 0;
};
constexpr int kMaxDividerShifts = kMaxResizeEntries;

// The Shift variant of a shrink: the lost width (height) is taken out of
// the column (row) entries in order, each up to its extent, and handed on
// to the dividers. vertMode 1 or 2 (bottom row dragged), horzMode 3 or 4
// (right column dragged). Divider indexes outside the table are skipped.
void ShrinkByPlan(const CompartmentSet& plan, int vertMode, int horzMode, const CRect& r0, const CRect& r1,
                  int opposite, DividerShift* table, int tableSize);

// The shrink of a stretch without Shift: as ShrinkByPlan, but a run of
// adjacent flexible entries (weight 1) shares its part in proportion to
// the extents, halves rounded up, the last of the run taking the rest. A
// wider shape sets followH, a higher one followV (the dividers without an
// anchor follow the re-fitted layout), except for shapes with middle rows
// (`middleRows`), whose first row entry takes the gain instead.
void DistributeStretch(const CompartmentSet& plan, int vertMode, int horzMode, bool middleRows, const CRect& r0,
                       const CRect& r1, int opposite, DividerShift* table, int tableSize, int& followH, int& followV);

// A resized rectangle grown back to at least `min` (its text's extent): the
// side the handle drags gives way, the other stays; a handle that drags
// neither side of an axis grows that axis about its centre.
CRect KeepResizeMinimum(const CRect& rc, int handle, const CSize& min);

// The minimum size while a figure that reflows its text into its areas is
// resized, so that its text keeps room: `measured` holds the width its text
// needs at the figure's height (cx) and the height it needs at its width
// (cy). A top or bottom handle keeps at least the width and needs the
// measured height, a left or right handle the reverse. A corner handle is
// limited as a top or bottom handle when the drag reaches out proportionally
// as far along the width as along the height (|dx| x height >= |dy| x
// width), else as a left or right handle. dx and dy run from the figure's
// centre when it resizes about its centre (`aboutCentre`), else from the
// corner opposite the handle; a corner dragged outside a figure that
// resizes about its centre keeps at least the figure's size.
CSize ReflowResizeLimits(int handle, const CRect& fig, const CPoint& pt, bool aboutCentre, const CSize& measured);
