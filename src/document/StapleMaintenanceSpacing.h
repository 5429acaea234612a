#pragma once
// After the label-spacing setting changed: lateral labels take the new
// spacing on the side they had (a label on the line goes to the negative
// side), each with a staple-change undo record, and lateral and flow labels
// are placed again. Figure labels keep their places. Returns how many
// labels were placed again; stops at a refused undo record.
class CKavoDoc;

int ReapplyLabelSpacing(CKavoDoc& doc, int lateralSpacing);
