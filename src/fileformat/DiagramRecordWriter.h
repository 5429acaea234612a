#pragma once
// Writers of the diagram file's records: the Globals keys, the property keys
// shared by styles and objects, the style records, pictures, figures,
// connectors, staples and groups, and the sections that hold them. Each
// writes its keys in the format's fixed order and returns 0 when a line could
// not be written (the save then fails).
#include "keyword/CKeywordWriter.h"

class CKavoDoc;
class CFigProps;
class CConProps;
class CFillSpec;
class CFigStyle;
class CConStyle;
class CFigure;
class CConnector;
class CStaple;
class CGroup;
class CGraphic;
struct LOGFONT;

// What a save writes.
struct DiagramWriteOptions {
    // Only records carrying their mark (a copy of selected objects).
    bool markedOnly = false;
    // With markedOnly: every picture and symbol all the same (a copy that
    // carries every definition).
    bool allDefs = false;
};

BOOL WriteGlobals(CKeywordWriter& w, const CKavoDoc& doc);
BOOL WriteFontKeys(CKeywordWriter& w, const LOGFONT& lf);
// The figure property keys, then the fill keys. The behaviour word is masked
// in `props` itself before it is written.
BOOL WriteFigProps(CKeywordWriter& w, const CKavoDoc& doc, CFigProps& props);
BOOL WriteFillKeys(CKeywordWriter& w, const CFillSpec& fill);
BOOL WriteConProps(CKeywordWriter& w, const CKavoDoc& doc, CConProps& props);
BOOL WriteFigureStyle(CKeywordWriter& w, const CKavoDoc& doc, CFigStyle& style);
BOOL WriteConnectorStyle(CKeywordWriter& w, const CKavoDoc& doc, CConStyle& style);
// A picture record; its Id is assigned here (a 32-bit number unique in the file).
BOOL WriteGraphic(CKeywordWriter& w, CGraphic& graphic, uint32_t id);
BOOL WriteFigure(CKeywordWriter& w, const CKavoDoc& doc, CFigure& fig);
// With markedOnly, an end whose figure is not written is written as -1.
BOOL WriteConnector(CKeywordWriter& w, const CKavoDoc& doc, CConnector& con, bool markedOnly);
BOOL WriteStaple(CKeywordWriter& w, const CStaple& staple);
BOOL WriteGroup(CKeywordWriter& w, const CGroup& group);

// The menu and button layouts, each only when it has content (a restore
// layout only when it differs from the current one).
BOOL WriteStyleLayouts(CKeywordWriter& w, const CKavoDoc& doc);
// The sections after the Globals, in file order: Graphics, Figure Symbols,
// End Symbols, Figure Styles, Connector Styles, Figures & Connectors,
// Staples, Groups, each with its comment line.
BOOL WriteGraphicsSection(CKeywordWriter& w, CKavoDoc& doc, const DiagramWriteOptions& opt);
BOOL WriteSymbolSections(CKeywordWriter& w, const CKavoDoc& doc, const DiagramWriteOptions& opt);
BOOL WriteStyleSections(CKeywordWriter& w, CKavoDoc& doc, const DiagramWriteOptions& opt);
BOOL WriteObjectSections(CKeywordWriter& w, CKavoDoc& doc, const DiagramWriteOptions& opt);
// Before a copy of the selected objects is written: only the pictures of
// selected figures carry their mark.
void FlagSelectedPictures(CKavoDoc& doc);
// Header, Globals, the menu and button layouts and every section: the whole
// diagram text but the preview.
BOOL WriteDiagramText(CKeywordWriter& w, CKavoDoc& doc, const DiagramWriteOptions& opt = {});
