#pragma once
// Fillers of the font-name and font-size combo boxes of dialogs and bars.
class QComboBox;

// The command id of the main toolbar's font-family combo; the frame gives the
// combo this control id (SetDlgCtrlID) so that dialogs can copy its list.
constexpr int ID_FONT_NAME_COMBO = 32775;

// With `useMainList`, when the main window's font combo exists, is not `combo`
// and holds more than one entry, its entries from index 1 on (after its empty
// entry) are added by text. Otherwise every display font family a LOGFONT can
// name is added once (an entry already in the combo is not added again).
// The dropped list is made wide enough for the longest name, so that no name
// is shown cut however narrow the closed combo is.
void CopyFontComboItems(QComboBox* combo, bool useMainList);

// Adds "6", "8", "10", "12", "14", "18", "24", "36" in this order.
void FillFontSizeCombo(QComboBox* combo);

// The main window's font-family combo, or null.
QComboBox* FindMainFontCombo();
