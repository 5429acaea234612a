#pragma once
// Helpers of the settings dialogs: show/enable while loading, integer and
// measurement fields with range checks and the Enter-commits-the-field rule,
// the grid-step combo box, size-code spinning, and fitting texts into controls.
// Exchanges return false when the exchange fails (the dialog stays open with
// the focus on the field).
#include "controls/CDataExchange.h"
#include "platform/WinTypes.h"

#include <string>

class QWidget;

// Control id whose positive value Enter turns negative (a field where a
// negative number means "automatic").
constexpr int kNegateOnEnterId = 1310;

void DlgItemShow(const CDataExchange& dx, int id, bool show);
void DlgItemEnable(const CDataExchange& dx, int id, bool enable);

// An integer field ("%d"). Loading writes the value (blank when blankWhenInvalid
// and *valid is false). Saving, when dirty is null or set: a disabled control
// makes *valid false; else the leading number of the text must lie in
// [min, max] (else message msgId with min and max, and failure); it is stored,
// written back and flagged valid. A dirty field committed with Enter posts a
// CDlgCommandEvent (id, 200) to the dialog and fails the exchange.
bool DlgExchangeInt(const CDataExchange& dx, int id, int& value, int min, int max, UINT msgId,
                    bool blankWhenInvalid, bool* dirty, bool* valid);
// The same for a point-size field stored as a size code. minimum and maximum
// are codes; mode is the number of decimals shown and read; msgId is the range
// message (0 for none).
bool DlgExchangeSizeCode(const CDataExchange& dx, int id, int& code, int minimum, int maximum,
                         int mode, bool blankWhenInvalid, bool* dirty, bool* valid,
                         UINT msgId = 0);
// The same for whole points or "<As Is>" (0); minimum and maximum are points.
bool DlgExchangeAsIsPoints(const CDataExchange& dx, int id, int& points, int minimum,
                           int maximum, int mode, bool blankWhenInvalid, bool* dirty,
                           bool* valid, UINT msgId = 0);
// The grid-step combo box: loading fills an empty list with the preset steps
// of the user's units and selects the value (or the default step); saving
// reads the length, *changed telling whether it differs (msgId: the range
// message, 0 for none).
bool DlgGridComboExchange(const CDataExchange& dx, int id, int& value, int min, int max,
                          bool* dirty, bool* changed, UINT msgId = 0);
// The size code a spin step (spin > 0 up, < 0 down) gives from the field's
// text: by whole points above the hairline codes, by single codes below,
// within [minimum, maximum] (codes). *empty tells whether the field was empty;
// a field that does not read steps from the minimum.
int DlgStepSizeCode(QWidget* window, int spin, int id, bool* empty, int minimum, int maximum);

// Prints the value with the format (one conversion of the value's kind, at most
// 255 characters) and sets the control's text only when it differs.
void SetDlgItemTextIfChanged(QWidget* window, int id, const char* format, int value);
void SetDlgItemTextIfChanged(QWidget* window, int id, const char* format, double value);
// Scans one integer from the control's text with the format (one integer
// conversion); inside [min, max] stores it, else shows msgId with min and max.
bool GetDlgItemIntInRange(QWidget* window, int id, int& value, int min, int max, UINT msgId,
                          const char* format);

// Dialog units to pixels: 4 horizontal units to an average character width, 8
// vertical units to a character height of the dialog's font.
int DlgUnitsToPixelsX(const QWidget* dialog, int units);
int DlgUnitsToPixelsY(const QWidget* dialog, int units);

// Shortens text word by word to fit the width (-1: the window's width) in the
// window's font, ending it with "...".
void FitTextToControl(std::string& text, const QWidget* window, int width);
// Fits text into a first control's width and the rest into a second.
void SplitTextOverTwoControls(const std::string& text, std::string& first, std::string& second,
                              const QWidget* window, int width);
// Shifts a property sheet's tab control (12320) and buttons (1, 2, 12321, 9)
// by (dx, dy) and enlarges the sheet by as much. Qt layouts place a sheet's
// controls themselves: only controls outside a layout are moved.
void LayoutPropSheetTabs(QWidget* sheet, int dx, int dy);
