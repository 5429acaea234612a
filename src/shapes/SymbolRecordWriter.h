#pragma once
// Writes FigureSymbol and EndSymbol records: the keys in their fixed order,
// then the parts lists, each part line made from one operation of the
// symbol's outline program. Used by the diagram save and by anything that
// writes symbol-library text.
#include "keyword/CKeywordWriter.h"

class CFigSymbol;
class CShapeDef;
class CConPtList;
class CHotZone;

BOOL WriteFigureSymbolRecord(CKeywordWriter& w, const CFigSymbol& symbol);
BOOL WriteEndSymbolRecord(CKeywordWriter& w, const CShapeDef& shape);

// One "ConnectionPoint" line per point: id, position, name and, when
// withFlag, the point's flag as 0 or 1.
BOOL WriteConnectionPoints(CKeywordWriter& w, const CConPtList& list, bool withFlag);
// The "Hot" point list; nothing for an empty zone.
BOOL WriteHotZone(CKeywordWriter& w, const CHotZone& zone);
