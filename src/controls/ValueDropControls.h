#pragma once
// The property bar's value drop buttons: which command gets which button,
// and what a choice does to the active diagram (one undo step on the
// selection).
#include "platform/WinTypes.h"

#include <QImage>

#include <functional>

class CKavoDoc;
class CDropPaletteButton;
class QWidget;

// The button for a property-bar command (36491..36499, 36562..36564), or
// null for any other command. `images` gives a command's 20 x 20 bar image.
QWidget* MakeValueDropControl(unsigned command, QWidget* parent, const std::function<QImage(UINT)>& images);

// Applies the button's current value for the command to the document's
// selection; false when the command is not a value command or nothing is
// selected that takes it.
bool ApplyValueDropChoice(unsigned command, const CDropPaletteButton& button, CKavoDoc& doc);
