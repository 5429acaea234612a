#pragma once
// The connector Properties (33063) and Styles (33065) commands, opening the
// connector sheets (registered by app/ui/CConSheetCommandsUi.h).
class CKavoDoc;
class QWidget;

constexpr int ID_CON_PROPERTIES = 33063;
constexpr int ID_CON_STYLES = 33065;

// The sheet for the selected connectors, modal; nothing without one.
void OnConProperties(CKavoDoc& doc, QWidget* parent);
// The styles sheet at `style`, or for -1 at the current connector style,
// else the one all selected connectors share, else the first.
void OnEditConStyles(CKavoDoc& doc, QWidget* parent, int style = -1);
