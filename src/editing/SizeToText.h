#pragma once
// Size to Text: every selected figure with text takes the size its text
// needs, in one undo step.
class CKavoDoc;
class CFigure;

// Logs what fitting the figure moves besides itself (its connectors' ends
// and its pinned labels), so that undo puts them back; false when refused.
bool LogFitFollowers(CKavoDoc& doc, const CFigure* fig);
// Fits the figure to its text with its rectangle and properties logged
// first; with `setFlags` both dimensions follow the text for the fit. The
// figure's flag words are as before afterwards. Whether it was fitted.
bool FitFigToTextWithUndo(CKavoDoc& doc, CFigure* fig, bool setFlags);
// Every selected visible figure with text; how many could not be fitted.
int FitSelToText(CKavoDoc& doc, bool setFlags);
// The command: one step UDMAC_FITTOTEXT.
void OnSizeToText(CKavoDoc& doc);
