#include "shapes/CSymbolLoadObj.h"

#include "shapes/COutlineWriter.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kMaxConPtName = 255;

CFltRect KwRectToFlt(const CKwCoord c[4])
{
    CFltRect r(c[0].value, c[1].value, c[2].value, c[3].value);
    r.m_nLeftMode = c[0].nAnchor;
    r.m_nTopMode = c[1].nAnchor;
    r.m_nRightMode = c[2].nAnchor;
    r.m_nBottomMode = c[3].nAnchor;
    return r;
}

struct PartForm {
    EKeyword key;
    BYTE op;
    int rectCoords;   // 4 for a leading rectangle
    int points;       // further single points (-1: a counted list)
    bool fill;        // allowed in fill lists
    bool outline;     // allowed in outline lists
};

constexpr PartForm g_parts[] = {
    {KW_Rect, kOpRect, 4, 0, true, true},
    {KW_Ellipse, kOpEllipse, 4, 0, true, true},
    {KW_Circle, kOpCircle, 0, 1, true, true},
    {KW_RoundRect, kOpRoundRect, 4, 1, true, true},
    {KW_Chord, kOpChord, 4, 2, true, true},
    {KW_Pie, kOpPie, 4, 2, true, true},
    {KW_Arc, kOpArc, 4, 2, false, true},
    {KW_Line, kOpLine, 0, 2, false, true},
    {KW_Polyline, kOpPolyline, 0, -1, false, true},
    {KW_Polygon, kOpPolygon, 0, -1, true, false},
};
} // namespace

CFltPoint KwPointToFlt(const CKwCoordPoint& p)
{
    return CFltPoint(p.x.value, p.y.value, p.x.nAnchor, p.y.nAnchor);
}

CKwCoordPoint FltPointToKw(const CFltPoint& p)
{
    CKwCoordPoint k;
    k.x = {p.x, int(p.m_nXMode)};
    k.y = {p.y, int(p.m_nYMode)};
    return k;
}

CSymbolLoadObj::CSymbolLoadObj()
    : m_pFigSymbol(std::make_unique<CFigSymbol>()), m_pEndSymbol(std::make_unique<CShapeDef>())
{
    m_points.resize(kMaxListPoints);
}

CSymbolLoadObj::~CSymbolLoadObj() = default;

void CSymbolLoadObj::ResetPath()
{
    m_nPathPos = 0;
    m_nFillPos = m_nOutlinePos = m_nMiniPos = -1;
    m_textBoxes.clear();
}

int CSymbolLoadObj::BeginNamedRecord(int blockType, const std::string& name)
{
    ResetPath();
    if (blockType == BT_FIGURE_SYMBOL) {
        m_pFigSymbol->Clear();
        m_pFigSymbol->SetName(name);
    } else if (blockType == BT_END_SYMBOL) {
        m_pEndSymbol->Clear();
        m_pEndSymbol->SetName(name);
    }
    return KWR_DONE;
}

void CSymbolLoadObj::DiscardRecord(int blockType)
{
    if (blockType >= BT_FIGURE_SYMBOL && blockType <= BT_END_SYMBOL_OUTLINE) {
        ResetPath();
        m_pFigSymbol->Clear();
        m_pEndSymbol->Clear();
    }
}

bool CSymbolLoadObj::InEndSymbol() const
{
    return m_nBlockType >= BT_END_SYMBOL && m_nBlockType <= BT_END_SYMBOL_OUTLINE;
}

BYTE* CSymbolLoadObj::PathBytes()
{
    return m_path.data();
}

int CSymbolLoadObj::OpenPartsList(int blockType, int32_t& position)
{
    position = m_nPathPos;
    SetBlockType(blockType);
    return KWR_DONE;
}

int CSymbolLoadObj::HandleFigureSymbolLine(const char* p)
{
    m_bAnchorSyntax = 1;
    if (*p == '}') {
        FinishFigureSymbol();
        const int code = m_nErrorCode;
        const int result = CloseCurrentBlock();
        if (code && !m_nErrorCode)
            m_nErrorCode = code;
        return result;
    }
    CFigSymbol& s = *m_pFigSymbol;
    int v;
    if (MatchKeyword(p, KW_FixedAspect))
        return ParseBool(p, s.FixedAspect) ? KWR_DONE : KWR_FAILED;
    // The nominal size carries no anchor bits, so the whole 16-bit value is
    // checked: sizes from 8192 up read back as they were written.
    const bool height = MatchKeyword(p, KW_Height);
    if (height || MatchKeyword(p, KW_Width)) {
        m_bAnchorSyntax = 0;
        if (!ParseShortAsInt(p, v, 0, 25600))
            return KWR_FAILED;
        (height ? s.Height : s.Width) = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_Reshape))
        return ParseShortAsInt(p, s.Reshape) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_InternalIcon))
        return ParseBool(p, s.InternalIcon) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_Silhouette))
        return ParseBool(p, s.Silhouette) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_XRenderHot))
        return ParseBool(p, s.XRenderHot) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_OversizeText))
        return ParseBool(p, s.OversizeText) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_DisplayThick)) {
        if (!ParseShortAsInt(p, v, 1, 10))
            return KWR_FAILED;
        s.DisplayThick = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_DisplayScale)) {
        if (!ParseShortAsInt(p, v, 1, 100))
            return KWR_FAILED;
        s.DisplayScale = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_TextBox))
        return ReadTextBox(p, false);
    if (MatchKeyword(p, KW_FramedTextBox))
        return ReadTextBox(p, true);
    if (MatchKeyword(p, KW_ConnectionPoint))
        return ReadConnectionPoint(p, s.m_conPts, false);
    if (MatchKeyword(p, KW_HasConnectionPoints))
        return ParseBool(p, v) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_Fill))
        return OpenPartsList(BT_FIGURE_SYMBOL_FILL, m_nFillPos);
    if (MatchKeyword(p, KW_Outline))
        return OpenPartsList(BT_FIGURE_SYMBOL_OUTLINE, m_nOutlinePos);
    if (MatchKeyword(p, KW_MiniOutline))
        return OpenPartsList(BT_FIGURE_SYMBOL_MINI_OUTLINE, m_nMiniPos);
    if (MatchKeyword(p, KW_Hot))
        return ReadHotZone(p, s.m_hotZone);
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CSymbolLoadObj::HandleEndSymbolLine(const char* p)
{
    m_bAnchorSyntax = 1;
    if (*p == '}') {
        FinishEndSymbol();
        const int code = m_nErrorCode;
        const int result = CloseCurrentBlock();
        if (code && !m_nErrorCode)
            m_nErrorCode = code;
        return result;
    }
    CShapeDef& s = *m_pEndSymbol;
    int v;
    if (MatchKeyword(p, KW_Rotatable))
        return ParseBool(p, s.Rotatable) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_Centered))
        return ParseBool(p, s.Centered) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_Silhouette))
        return ParseBool(p, s.Silhouette) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_Magnify)) {
        if (!ParseShortAsInt(p, v, 0, 300))
            return KWR_FAILED;
        s.Magnify = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_LineTo)) {
        if (!ParseShortAsInt(p, v, 0, 100))
            return KWR_FAILED;
        s.LineTo = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_Fill))
        return OpenPartsList(BT_END_SYMBOL_FILL, m_nFillPos);
    if (MatchKeyword(p, KW_Outline))
        return OpenPartsList(BT_END_SYMBOL_OUTLINE, m_nOutlinePos);
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CSymbolLoadObj::HandleFillPartsLine(const char* p)
{
    m_bAnchorSyntax = 1;
    if (*p == '}') {
        m_path[size_t(m_nPathPos++)] = kOpEndFill;
        return CloseCurrentBlock();
    }
    return ReadPart(p, true);
}

int CSymbolLoadObj::HandleOutlinePartsLine(const char* p)
{
    m_bAnchorSyntax = 1;
    if (*p == '}') {
        m_path[size_t(m_nPathPos++)] = kOpEndOutline;
        return CloseCurrentBlock();
    }
    return ReadPart(p, false);
}

// A part in the wrong list, and a circle in an end symbol (whose programs hold
// opcodes 3 to 11 only), are unknown keys there.
int CSymbolLoadObj::ReadPart(const char* p, bool fillList)
{
    const PartForm* form = nullptr;
    for (const PartForm& f : g_parts) {
        if ((fillList ? f.fill : f.outline) && MatchKeyword(p, f.key)) {
            form = &f;
            break;
        }
    }
    if (!form || (InEndSymbol() && !IsOutlineOpAllowed(form->op, OutlineOpSet::EndSymbol))) {
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_FAILED;
    }
    CKwCoord c[4];
    int coords = 0;
    if (form->rectCoords) {
        if (!ParseCoordRect(p, c, kCoordMin, kCoordMax))
            return KWR_FAILED;
        coords = 4;
    }
    int count = 0;
    if (form->points < 0) {
        if (!ParsePointList(p, kMaxListPoints, kCoordMin, kCoordMax, m_points.data(), count))
            return KWR_FAILED;
    } else if (form->op == kOpCircle) {
        if (!ParsePoint(p, m_points[0], kCoordMin, kCoordMax) ||
            !ParseCoordInRange(p, c[0], kCoordMin, kCoordMax))
            return KWR_FAILED;
        coords = 1;
        count = 1;
    } else {
        for (count = 0; count < form->points; ++count)
            if (!ParsePoint(p, m_points[size_t(count)], kCoordMin, kCoordMax))
                return KWR_FAILED;
    }
    return AppendPart(form->op, c, coords, m_points.data(), count);
}

// Path code of one part. The room of the list's end byte stays free.
int CSymbolLoadObj::AppendPart(BYTE op, const CKwCoord* c, int coordCount, const CKwCoordPoint* pts,
                               int pointCount)
{
    COutlineWriter w(m_path.data(), PathLimit() - 1, m_nPathPos);
    std::vector<CFltPoint> flt(static_cast<size_t>(pointCount));
    for (int i = 0; i < pointCount; ++i)
        flt[size_t(i)] = KwPointToFlt(pts[i]);
    switch (op) {
    case kOpRect:
    case kOpEllipse: w.Rect(op, KwRectToFlt(c)); break;
    case kOpCircle: w.Circle(flt[0], c[0].value); break;
    case kOpRoundRect: w.RoundRect(KwRectToFlt(c), flt[0]); break;
    case kOpArc:
    case kOpChord:
    case kOpPie: w.ArcLike(op, KwRectToFlt(c), flt[0], flt[1]); break;
    case kOpLine: w.Line(flt[0], flt[1]); break;
    default: w.Points(op, flt.data(), pointCount); break;
    }
    (void)coordCount;
    if (!w.Ok()) {
        m_nErrorCode = KWE_SYMBOL_CODE_FULL;
        return KWR_FAILED;
    }
    if (op == kOpCircle) {
        // The word after the radius holds the radius' anchor kind.
        const int32_t anchor = c[0].nAnchor;
        std::memcpy(m_path.data() + w.Pos() - 4, &anchor, 4);
    }
    m_nPathPos = w.Pos();
    return KWR_DONE;
}

int CSymbolLoadObj::ReadTextBox(const char* p, bool framed)
{
    CKwCoord box[4], frame[4];
    if (!ParseCoordRect(p, box, kCoordMin, kCoordMax))
        return KWR_FAILED;
    int flags[4] = {};
    if (framed) {
        if (!ParseCoordRect(p, frame, kCoordMin, kCoordMax))
            return KWR_FAILED;
        for (int& f : flags)
            if (!ParseShortAsInt(p, f))
                return KWR_FAILED;
    }
    const int n = int(m_textBoxes.size());
    if (n >= kMaxTextBoxes) {
        m_nErrorCode = KWE_OUT_OF_RANGE;
        return KWR_FAILED;
    }
    m_textBoxes.push_back(KwRectToFlt(box));
    CFigSymbol& s = *m_pFigSymbol;
    if (framed) {
        s.m_frames[n] = KwRectToFlt(frame);
        int value = 0;
        for (int i = 0; i < 4; ++i)
            if (flags[i])
                value |= 1 << i;
        s.m_frameValues[n] = value;
        s.m_nFrames = n + 1;
    }
    return KWR_DONE;
}

int CSymbolLoadObj::ReadConnectionPoint(const char* p, CConPtList& list, bool readFlag)
{
    m_bAnchorSyntax = 1; // coordinates may carry anchor prefixes in every block
    int index;
    CKwCoordPoint pt;
    std::string name;
    if (!ParseShortAsInt(p, index) || !ParsePoint(p, pt, kCoordMin, kCoordMax) ||
        !ParseDelimitedCString(p, name, kMaxConPtName))
        return KWR_FAILED;
    int flag = 0;
    if (readFlag) {
        const char* q = p;
        if (SkipBlanks(q)) {
            if (!ParseShortAsInt(p, flag, 0, 1))
                return KWR_FAILED;
        } else {
            m_nErrorCode = 0; // a missing flag reads as 0
        }
    }
    list.AddConPt(KwPointToFlt(pt), name, flag, true, index > 0 ? index : -1);
    return KWR_DONE;
}

int CSymbolLoadObj::ReadHotZone(const char* p, CHotZone& zone)
{
    m_bAnchorSyntax = 1;
    int count = 0;
    if (!ParsePointList(p, kMaxListPoints, kCoordMin, kCoordMax, m_points.data(), count))
        return KWR_FAILED;
    std::vector<CFltPoint> pts(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        pts[size_t(i)] = KwPointToFlt(m_points[size_t(i)]);
    if (count < CHotZone::kMinPoints)
        zone.Clear();
    else
        zone.SetPoints(count, pts.data());
    return KWR_DONE;
}

// The text boxes follow the path code in the program area. Boxes that would
// not fit are dropped with code 1; a program that fails the check (it cannot,
// as it was compiled here) leaves the symbol without one.
void CSymbolLoadObj::FinishFigureSymbol()
{
    CFigSymbol& s = *m_pFigSymbol;
    int boxes = int(m_textBoxes.size());
    const int room = (CFigSymbol::kProgramSize - m_nPathPos) / kOutlineRectBytes;
    if (boxes > room) {
        boxes = std::max(room, 0);
        m_nErrorCode = KWE_SYMBOL_CODE_FULL;
    }
    int32_t boxPos = -1;
    int length = m_nPathPos;
    if (boxes > 0) {
        boxPos = length;
        std::memcpy(m_path.data() + length, m_textBoxes.data(), size_t(boxes) * kOutlineRectBytes);
        length += boxes * kOutlineRectBytes;
    }
    s.m_nFrames = std::min(s.m_nFrames, boxes);
    if (!s.SetProgram(m_path.data(), length, m_nFillPos, m_nOutlinePos, m_nMiniPos, boxPos, boxes)) {
        s.SetProgram(m_path.data(), 0, -1, -1, -1, -1, 0);
        s.m_nFrames = 0;
        m_nErrorCode = KWE_SYMBOL_CODE_FULL;
    }
    ResetPath();
}

void CSymbolLoadObj::FinishEndSymbol()
{
    CShapeDef& s = *m_pEndSymbol;
    if (!s.SetProgram(m_path.data(), m_nPathPos, m_nFillPos, m_nOutlinePos)) {
        s.SetProgram(m_path.data(), 0, -1, -1);
        m_nErrorCode = KWE_SYMBOL_CODE_FULL;
    }
    ResetPath();
}
