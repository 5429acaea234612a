#pragma once
// The property bar's text controls: the Bold, Italic, Underline, alignment,
// sub- and superscript, guillemet and Drop Shadow commands and the
// font-family and font-size boxes. Text being
// edited in place takes the character format first (the view's editor
// commands); otherwise the change goes to the current label style, the
// current figure style or the selection (editing/TextFormatCommands.h).
#include <functional>

class CCommandRegistry;
class CCustomToolBar;
class CMainFrame;
class CKavoView;
class QObject;

using ActiveViewFn = std::function<CKavoView*()>;

void RegisterTextFormatCommands(CCommandRegistry& commands, const ActiveViewFn& activeView);
// Wires the bar's font boxes as the bar makes them (they are made anew on
// every rebuild); `context` ends the wiring when it goes.
void ConnectFontBoxes(CCustomToolBar& bar, QObject* context, const ActiveViewFn& activeView);
// Shows the state of the active diagram on the property bar's controls: the
// font boxes, the colour, line, curvature, alignment and rotation buttons.
void MirrorPropertyBar(const CMainFrame& frame);
