#pragma once
class QComboBox;
class QWidget;

// True for a dialog window (a QDialog); false for no window.
bool IsDialogWindow(const QWidget* window);

// Makes Tab visit the controls of `container` in the order its layout shows
// them (a grid row by row, left to right; boxes and forms in their order;
// group boxes and other containers in place), rather than in the order they
// were made. Controls outside the layout keep their place after the rest.
void OrderTabsByLayout(QWidget* container);

// Makes the combo box's dropped list as wide as its longest entry needs
// (within the screen), whatever the width of the closed box: no entry is
// shown with its middle or end cut off.
void FitDroppedListToEntries(QComboBox* combo);
