#pragma once
// After the label-spacing settings changed (the document's label-to-figure
// and label-to-connector spacings; oldFig and oldCon are the values they
// had, -1 or 0 meaning the default): lateral labels take the new connector
// spacing on the side they had (a label on the line goes to the negative
// side), each with a staple-change undo record; figure labels still exactly
// where the old spacing put them for their arrangement move to where the new
// one puts them and take their offset anew; lateral and flow labels are
// placed again. Returns how many labels were placed again; stops at a
// refused undo record.
class CKavoDoc;

int ReapplyLabelSpacing(CKavoDoc& doc, int oldFig, int oldCon);
