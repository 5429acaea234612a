#pragma once
// The print commands: Print Setup, Print (with its dialog or directly),
// Print Preview and Print All. They bring each document's page settings and
// printer together, check the page and then hand the printing to the print
// seam (render/PrintUi.h).
#include <vector>

class CKavoDoc;

// Print Setup with the active diagram (or none).
void PrintSetupCommand(CKavoDoc* active);
// Print; `direct` prints without the print dialog.
void PrintCommand(CKavoDoc* doc, bool direct);
void PrintPreviewCommand(CKavoDoc* doc);
// Print All: one print dialog, then every document whose page holds on the
// chosen printer is printed on it.
void PrintAllCommand(const std::vector<CKavoDoc*>& docs);
