#pragma once
// Dialog number fields read and written by control id. Readers take at most 255
// characters of the control's text, check the range and show the field's
// message on failure (see core/FieldText.h); writers change the text only when
// it differs, so that the caret and selection stay where they are.
#include "platform/WinTypes.h"

#include <string>

class QComboBox;
class QMenu;
class QWidget;

bool DdxReadSizeCode(QWidget* dialog, int id, int& code, double min, double max, int decimals,
                     UINT msgId);
bool DdxReadIntOrAsIs(QWidget* dialog, int id, int& value, int min, int max, UINT msgId);
bool DdxReadFloat(QWidget* dialog, int id, float& value, double min, double max, int decimals,
                  UINT msgId);
bool DdxReadDouble(QWidget* dialog, int id, double& value, double min, double max,
                   int decimals, UINT msgId);
// A length typed in the user's units into logical units; limits are logical.
bool DdxReadLength(QWidget* dialog, int id, int& units, int min, int max, int decimals,
                   UINT msgId);

void DdxWriteDouble(QWidget* dialog, int id, double value, int decimals, bool decimalFlag,
                    bool fractionFlag);
void DdxWriteSizeCode(QWidget* dialog, int id, int code, int decimals, bool decimalFlag,
                      bool fractionFlag);
void DdxWritePoints(QWidget* dialog, int id, int points);
// Sets the control's text only when it differs from the present one.
void SetDlgItemTextIfDifferent(QWidget* dialog, int id, const std::string& text);

// Position of the first item whose text (with its '&' marks) equals text
// exactly, separators counted; -1 when none or no menu.
int FindMenuItemByText(const QMenu* menu, const std::string& text);
// Lets the combo box's list show that many items (at most its item count);
// nothing for an empty list.
void SetComboDropHeight(QComboBox* combo, int items);
