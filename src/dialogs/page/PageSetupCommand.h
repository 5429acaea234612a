#pragma once
// The frame's Page Setup command: the dialog over the document's page (or
// the program's defaults without a document); after OK the document takes
// the page back and lays it out again.
class CKavoDoc;
class QWidget;

// dropPrinter (Ctrl held) works without the document's printer settings.
// True when OK was pressed.
bool RunPageSetup(QWidget* parent, CKavoDoc* doc, bool dropPrinter);
