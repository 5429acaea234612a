#pragma once
// The connector Properties (33063) and Styles (33065) commands, opening the
// connector sheets (registered by app/ui/CConSheetCommandsUi.h).
#include "platform/CRect.h"

class CConnector;
class CKavoDoc;
class QWidget;

constexpr int ID_CON_PROPERTIES = 33063;
constexpr int ID_CON_STYLES = 33065;

// The sheet for the selected connectors, modal; nothing without one.
void OnConProperties(CKavoDoc& doc, QWidget* parent);
// The styles sheet at `style`, or for -1 at the style all selected
// connectors share, else the current connector style, else the one last
// shown in the sheet, else the first.
void OnEditConStyles(CKavoDoc& doc, QWidget* parent, int style = -1);

// The hint that styles live in each diagram, while the setting RemindStyles
// asks for it; its box (ticked at first) turns the setting off.
void RemindAboutStyles(QWidget* parent);
// The connector's ends in screen coordinates of the document's active view;
// false without one.
bool ConnectorOnScreen(const CKavoDoc& doc, const CConnector& con, CRect& screen);
