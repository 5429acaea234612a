#include "shapes/SymbolRecordWriter.h"

#include "shapes/CFigSymbol.h"
#include "shapes/CShapeDef.h"
#include "shapes/CSymbolLoadObj.h"

#include <vector>

namespace {
void AppendPoint(std::string& out, const CFltPoint& p)
{
    CKeywordWriter::AppendCoord(out, {p.x, int(p.m_nXMode)});
    out += ',';
    CKeywordWriter::AppendCoord(out, {p.y, int(p.m_nYMode)});
}

void AppendRect(std::string& out, const CFltRect& r)
{
    AppendPoint(out, r.GetCorner1());
    out += ',';
    AppendPoint(out, r.GetCorner2());
}

EKeyword PartKey(BYTE op)
{
    switch (op) {
    case kOpRect: return KW_Rect;
    case kOpPolyline: return KW_Polyline;
    case kOpPolygon: return KW_Polygon;
    case kOpEllipse: return KW_Ellipse;
    case kOpRoundRect: return KW_RoundRect;
    case kOpArc: return KW_Arc;
    case kOpChord: return KW_Chord;
    case kOpPie: return KW_Pie;
    case kOpLine: return KW_Line;
    case kOpCircle: return KW_Circle;
    default: return KW_Count;
    }
}

BOOL WritePart(CKeywordWriter& w, BYTE op, const BYTE* payload)
{
    const EKeyword key = PartKey(op);
    if (key == KW_Count)
        return TRUE; // nothing of a validated program; passed over
    if (op == kOpPolyline || op == kOpPolygon) {
        const int n = ReadOutlineInt(payload);
        std::vector<CKwCoordPoint> pts(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            pts[size_t(i)] = FltPointToKw(ReadOutlinePoint(payload + 4 + i * kOutlinePointBytes));
        return w.WritePointList(key, pts.data(), n);
    }
    std::string v;
    if (op == kOpCircle) {
        AppendPoint(v, ReadOutlinePoint(payload));
        v += ',';
        CKeywordWriter::AppendCoord(v, {ReadOutlineFloat(payload + 16), int(ReadOutlineInt(payload + 20))});
    } else if (op == kOpLine) {
        AppendPoint(v, ReadOutlinePoint(payload));
        v += ' ';
        AppendPoint(v, ReadOutlinePoint(payload + 16));
    } else {
        AppendRect(v, ReadOutlineRect(payload));
        const int points = op == kOpRoundRect ? 1 : (op >= kOpArc && op <= kOpPie) ? 2 : 0;
        for (int i = 0; i < points; ++i) {
            v += ' ';
            AppendPoint(v, ReadOutlinePoint(payload + kOutlineRectBytes + i * kOutlinePointBytes));
        }
    }
    return w.WriteKeyValue(key, v);
}

// A parts block: one line per operation up to the list's end byte.
BOOL WritePartsList(CKeywordWriter& w, EKeyword key, const BYTE* program, int length, int pos, BYTE endByte)
{
    if (pos < 0)
        return TRUE;
    if (!w.OpenNamedBlock(key, "", false))
        return FALSE;
    BOOL ok = TRUE;
    WalkSubProgram(program, length, pos, endByte, [&](BYTE op, const BYTE* payload) {
        if (ok)
            ok = WritePart(w, op, payload);
    });
    return ok && w.CloseBlock();
}

BOOL WriteFlagIf(CKeywordWriter& w, EKeyword key, int value)
{
    return value ? w.WriteBool(key, true) : TRUE;
}

BOOL WriteTextBoxes(CKeywordWriter& w, const CFigSymbol& s)
{
    if (s.m_nTextBoxPos < 0)
        return TRUE;
    for (int i = 0; i < s.m_nTextBoxes; ++i) {
        std::string v;
        AppendRect(v, ReadOutlineRect(s.m_program.data() + s.m_nTextBoxPos + i * kOutlineRectBytes));
        if (s.m_nFrames == 0) {
            if (!w.WriteKeyValue(KW_TextBox, v))
                return FALSE;
            continue;
        }
        v += ' ';
        AppendRect(v, i < s.m_nFrames ? s.m_frames[i] : CFltRect());
        v += ' ';
        const int value = i < s.m_nFrames ? s.m_frameValues[i] : 0;
        for (int bit = 0; bit < 4; ++bit) {
            v += (value >> bit) & 1 ? '1' : '0';
            if (bit < 3)
                v += ' ';
        }
        if (!w.WriteKeyValue(KW_FramedTextBox, v))
            return FALSE;
    }
    return TRUE;
}
} // namespace

BOOL WriteConnectionPoints(CKeywordWriter& w, const CConPtList& list, bool withFlag)
{
    for (int i = 0; i < list.GetCount(); ++i) {
        const CConPt* pt = list.GetAt(i);
        std::string v = std::to_string(pt->m_nId);
        v += ' ';
        AppendPoint(v, pt->m_pos);
        v += ' ';
        CKeywordWriter::AppendDelimited(v, pt->m_strName.c_str());
        v += ' ';
        v += withFlag && pt->m_nFlag ? '1' : '0';
        if (!w.WriteKeyValue(KW_ConnectionPoint, v))
            return FALSE;
    }
    return TRUE;
}

BOOL WriteHotZone(CKeywordWriter& w, const CHotZone& zone)
{
    const int n = zone.GetCount();
    if (n <= 0)
        return TRUE;
    const CFltPoint* src = zone.GetPointArray();
    std::vector<CKwCoordPoint> pts(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        pts[size_t(i)] = FltPointToKw(src[i]);
    return w.WritePointList(KW_Hot, pts.data(), n);
}

// The program is checked before it is walked; an invalid one is written
// without parts lists rather than walked.
BOOL WriteFigureSymbolRecord(CKeywordWriter& w, const CFigSymbol& s)
{
    const bool valid = s.IsProgramValid();
    BOOL ok = w.OpenNamedBlock(KW_FigureSymbol, s.m_strName.c_str(), false) &&
              w.WriteBool(KW_FixedAspect, s.FixedAspect != 0) && w.WriteShort(KW_Height, s.Height) &&
              w.WriteShort(KW_Width, s.Width) && (s.Reshape == 0 || w.WriteShort(KW_Reshape, s.Reshape)) &&
              WriteFlagIf(w, KW_InternalIcon, s.InternalIcon) && WriteFlagIf(w, KW_Silhouette, s.Silhouette) &&
              WriteFlagIf(w, KW_XRenderHot, s.XRenderHot) && WriteFlagIf(w, KW_OversizeText, s.OversizeText) &&
              (s.DisplayThick == 1 || w.WriteShort(KW_DisplayThick, s.DisplayThick)) &&
              (s.DisplayScale == 100 || w.WriteShort(KW_DisplayScale, s.DisplayScale));
    if (ok && valid)
        ok = WriteTextBoxes(w, s);
    ok = ok && WriteConnectionPoints(w, s.m_conPts, false);
    if (ok && valid) {
        const BYTE* prog = s.m_program.data();
        const int len = s.m_nProgramLength;
        ok = WritePartsList(w, KW_Fill, prog, len, s.m_nFillPos, kOpEndFill) &&
             WritePartsList(w, KW_Outline, prog, len, s.m_nOutlinePos, kOpEndOutline) &&
             WritePartsList(w, KW_MiniOutline, prog, len, s.m_nMiniOutlinePos, kOpEndOutline);
    }
    return ok && WriteHotZone(w, s.m_hotZone) && w.CloseBlock();
}

BOOL WriteEndSymbolRecord(CKeywordWriter& w, const CShapeDef& s)
{
    BOOL ok = w.OpenNamedBlock(KW_EndSymbol, s.m_strName.c_str(), false) &&
              (s.Rotatable == 1 || w.WriteBool(KW_Rotatable, s.Rotatable != 0)) &&
              WriteFlagIf(w, KW_Centered, s.Centered) &&
              (s.Magnify == 100 || w.WriteShort(KW_Magnify, s.Magnify)) &&
              (s.LineTo == 0 || w.WriteShort(KW_LineTo, s.LineTo));
    if (ok && s.IsProgramValid()) {
        const BYTE* prog = s.m_program.data();
        const int len = s.m_nProgramLength;
        ok = WritePartsList(w, KW_Fill, prog, len, s.m_nAreaPos, kOpEndFill) &&
             WritePartsList(w, KW_Outline, prog, len, s.m_nLinePos, kOpEndOutline);
    }
    return ok && WriteFlagIf(w, KW_Silhouette, s.Silhouette) && w.CloseBlock();
}
