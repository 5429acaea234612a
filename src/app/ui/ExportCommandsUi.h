#pragma once
// The widget side of "&Export Graphic..." and "Save &HTML...": the file,
// options and result dialogs behind the commands' seams.
class QWidget;
class CKavoDoc;

void RunExportGraphic(QWidget* parent, CKavoDoc& doc);
void RunSaveHtml(QWidget* parent, CKavoDoc& doc);
