// Figure, Connector, Staple and Group records, and the legacy Font blocks.
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/OldNames.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "shapes/SymbolRecordWriter.h"

#include <algorithm>
#include <climits>

namespace {
constexpr size_t kMaxStyleName = 30;
constexpr size_t kMaxText = 4095;
// Marks the staple fields that hold object ids (read whole, see ParseObjectId).
constexpr int kObjectIdMax = CKeywordParser::kMaxObjectId;
// Hyperlinks are read as long as the writer writes them, so that a long
// address survives a reload.
constexpr size_t kMaxLink = 4096;
// A valid text format word: one horizontal and one vertical alignment bit.
bool IsValidTextFormat(WORD f)
{
    const int h = f & 0x0F, vert = f & 0xF0;
    return (h == 1 || h == 2 || h == 4) && (vert == 16 || vert == 32 || vert == 64) && (f & 0xFF00) == 0;
}
constexpr WORD kDefaultTextFormat = 34;
// Connectors of files older than 5.0 with a curved or smoothed line also
// had their crossings off.
constexpr DWORD kOldConShapeBits = (1u << 1) | (1u << 3);
constexpr DWORD kConNoJogsBit = 1u << 7;
} // namespace

int CDiagramLoadObj::HandleFontLine(const char* p)
{
    if (*p == '}')
        return CloseCurrentBlock();
    const int r = ReadFontKey(p, m_font);
    if (r >= 0)
        return r;
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CDiagramLoadObj::HandleFigureLine(const char* p)
{
    if (*p == '}')
        return CloseCurrentBlock();
    CFigure& f = *m_pFig;
    int v = 0;
    auto readBool = [&](int32_t& field) { return ReadFlag(p, field); };
    const CFigStyle* style = m_pDoc->m_figStyles.GetAt(f.m_nStyle);
    if (MatchKeyword(p, KW_Label))
        return readBool(f.m_bLabel);
    if (MatchKeyword(p, KW_Style)) {
        std::string name;
        if (!ParseDelimitedCString(p, name, kMaxStyleName))
            return KWR_FAILED;
        if (name.empty()) {
            f.m_nStyle = -1;
            return KWR_DONE;
        }
        RenameOldSwimLaneStyle(m_dVersion, name);
        f.m_nStyle = m_pDoc->m_figStyles.FindByName(name);
        if (f.m_nStyle < 0) {
            m_nErrorCode = KWE_UNDEFINED_STYLE;
            return KWR_SKIP_REST;
        }
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_TextInits)) {
        if (!ParseDelimitedCString(p, f.m_strSecondText, CFigure::kMaxSecondText))
            return KWR_FAILED;
        ConvertAsIs(f.m_strSecondText);
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_Text)) {
        if (!ParseDelimitedCString(p, f.m_strText, kMaxText))
            return KWR_FAILED;
        ConvertOldText(f.m_strText);
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_Link))
        return ReadText(p, f.m_strLink, kMaxLink);
    if (MatchKeyword(p, KW_Bounds)) {
        int rc[4];
        if (!ParseIntRect(p, rc, -32768, 32767))
            return KWR_FAILED;
        f.m_rect = CRect(rc[0], rc[1], rc[2], rc[3]);
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_TextRotate)) {
        if (!ParseShortAsInt(p, v, 0, 3600))
            return KWR_FAILED;
        f.m_nTextRotate = int16_t(v);
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_AutoDelJct))
        return readBool(f.AutoDelJct);
    if (MatchKeyword(p, KW_TerminalJct))
        return readBool(f.TerminalJct);
    if (MatchKeyword(p, KW_AssociationIndicator)) {
        if (!ParseShortAsInt(p, v))
            return KWR_FAILED;
        f.AssociationIndicator = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_Hot))
        return ReadHotZone(p, f.m_outline);
    if (MatchKeyword(p, KW_HasConnectionPoints))
        return ParseBool(p, v) ? KWR_DONE : KWR_FAILED;
    if (MatchKeyword(p, KW_ConnectionPoint)) {
        // The figure has points of its own once one is read; until then it
        // takes its style's.
        auto list = f.m_pConPts ? std::move(f.m_pConPts) : std::make_unique<CConPtList>();
        const int r = ReadConnectionPoint(p, *list, true);
        if (list->GetCount() > 0) {
            f.m_pConPts = std::move(list);
            f.m_bHasConPts = 1;
        }
        return r;
    }
    if (MatchKeyword(p, KW_Graphic)) {
        uint32_t id;
        if (!ParseUIntInRange(p, id, 0, 0xFFFFFFFF))
            return KWR_FAILED;
        if (const CGraphic* g = m_pDoc->m_graphics.FindById(id)) {
            TakePicture(f.m_props, g->Type, g->Handle);
            return KWR_DONE;
        }
        // Not in the file's pictures: the style's picture, when it has one.
        if (style && style->m_props.HasGraphic()) {
            TakePicture(f.m_props, style->m_props.m_nGraphicType, style->m_props.Graphic);
            return KWR_DONE;
        }
        return KWR_FAILED;
    }
    if (MatchKeyword(p, KW_Font)) {
        if (!ParseShortAsInt(p, v, 0, 256))
            return KWR_FAILED;
        if (!m_fontTable.empty())
            f.m_props.m_font.m_lf = m_fontTable[std::min<size_t>(size_t(v), m_fontTable.size() - 1)];
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_GraphicData))
        return ReadLegacyGraphicData(p, BT_FIGURE_GRAPHIC_DATA, f.m_props, style);
    const int prop = ReadFigPropKey(p, f.m_props, nullptr);
    if (prop >= 0)
        return prop;
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

// The conversions of old files, in their order; then the document takes the
// figure. The next object id is raised past it.
int CDiagramLoadObj::EndFigure()
{
    std::unique_ptr<CFigure> fig = std::move(m_pFig);
    if (!fig)
        return KWR_STOP;
    CFigProps& props = fig->m_props;
    const CFigSymbol* symbol = m_pDoc->m_figSymbols.GetAt(props.Symbol);
    const bool symbolFill = symbol && symbol->m_nFillPos >= 0;
    if (m_dVersion < 5.03 && (fig->m_bLabel || props.Symbol <= 0 || !symbolFill))
        props.m_fill.m_nKind = 0;
    if (m_dVersion < 5.0 && !props.HasGraphic() && !symbolFill)
        props.m_fill.m_nKind = 0;
    if (fig->HasTextAreas() && !IsValidTextFormat(props.TextFormat))
        props.TextFormat = kDefaultTextFormat;
    if (m_dVersion < 5.05 && fig->m_bLabel)
        props.m_fill.m_nKind = 0;
    if (fig->m_nId >= m_pDoc->m_nNextId)
        m_pDoc->m_nNextId = fig->m_nId + 1;
    CFigure* raw = fig.release();
    if (!m_pDoc->AddFig(raw)) {
        delete raw;
        return KWR_STOP;
    }
    return KWR_DONE;
}

int CDiagramLoadObj::HandleConnectorLine(const char* p)
{
    if (*p == '}')
        return CloseCurrentBlock();
    CConnector& c = *m_pCon;
    auto readInt = [&](int32_t& field, int min, int max) { return ReadInt(p, field, min, max); };
    auto readPoint = [&](CPoint& pt) {
        int x, y;
        if (!ParseIntPair(p, x, y, -32768, 32767))
            return KWR_FAILED;
        pt = CPoint(x, y);
        return KWR_DONE;
    };
    auto readBool = [&](int32_t& field) { return ReadFlag(p, field); };
    if (MatchKeyword(p, KW_Style)) {
        std::string name;
        if (!ParseDelimitedCString(p, name, kMaxStyleName))
            return KWR_FAILED;
        if (name.empty()) {
            c.m_nStyle = -1;
            return KWR_DONE;
        }
        c.m_nStyle = m_pDoc->m_conStyles.FindByName(name);
        if (c.m_nStyle < 0) {
            m_nErrorCode = KWE_UNDEFINED_STYLE;
            return KWR_SKIP_REST;
        }
        return KWR_DONE;
    }
    // End ids are read whole, never cut down to the id of some other figure.
    auto readEndId = [&](int32_t& field) {
        int v;
        if (!ParseObjectId(p, v, -1))
            return KWR_FAILED;
        field = v;
        return KWR_DONE;
    };
    if (MatchKeyword(p, KW_Figure1))
        return readEndId(c.m_nFigId1);
    if (MatchKeyword(p, KW_Figure2))
        return readEndId(c.m_nFigId2);
    if (MatchKeyword(p, KW_ConnectionPoint1))
        return readInt(c.m_nConPtId1, -32768, 32767);
    if (MatchKeyword(p, KW_ConnectionPoint2))
        return readInt(c.m_nConPtId2, -32768, 32767);
    if (MatchKeyword(p, KW_EndPoint1))
        return readPoint(c.EndPoint1);
    if (MatchKeyword(p, KW_EndPoint2))
        return readPoint(c.EndPoint2);
    if (MatchKeyword(p, KW_SuppressEnd1))
        return readBool(c.SuppressEnd1);
    if (MatchKeyword(p, KW_SuppressEnd2))
        return readBool(c.SuppressEnd2);
    const int prop = ReadConPropKey(p, c.m_props, nullptr);
    if (prop >= 0)
        return prop;
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CDiagramLoadObj::EndConnector()
{
    std::unique_ptr<CConnector> con = std::move(m_pCon);
    if (!con)
        return KWR_STOP;
    if (m_dVersion < 5.0 && (con->m_props.Behavior.low & kOldConShapeBits))
        con->m_props.Behavior.low |= kConNoJogsBit;
    if (con->m_nId >= m_pDoc->m_nNextId)
        m_pDoc->m_nNextId = con->m_nId + 1;
    CConnector* raw = con.release();
    if (!m_pDoc->AddCon(raw)) {
        delete raw;
        return KWR_STOP;
    }
    return KWR_DONE;
}

int CDiagramLoadObj::HandleStapleLine(const char* p)
{
    if (*p == '}')
        return CloseCurrentBlock();
    CStaple& s = *m_pStaple;
    struct Key {
        EKeyword key;
        int32_t CStaple::*field;
        int min, max;
    };
    static constexpr Key keys[] = {
        {KW_StapleType, &CStaple::m_nType, 0, 32767},
        {KW_Connector, &CStaple::m_nConId, -1, kObjectIdMax},
        {KW_ConPos, &CStaple::ConPos, 0, 255},
        {KW_Figure1, &CStaple::m_nFig1Id, -1, kObjectIdMax},
        {KW_Fig1PosX, &CStaple::Fig1PosX, 0, 255},
        {KW_Fig1PosY, &CStaple::Fig1PosY, 0, 255},
        {KW_Figure2, &CStaple::m_nFig2Id, -1, kObjectIdMax},
        {KW_Fig2PosX, &CStaple::Fig2PosX, 0, 255},
        {KW_Fig2PosY, &CStaple::Fig2PosY, 0, 255},
        {KW_OffsetX, &CStaple::OffsetX, -32768, 32767},
        {KW_OffsetY, &CStaple::OffsetY, -32768, 32767},
        {KW_PinType, &CStaple::PinType, -32768, 32767},
        {KW_FlowSide, &CStaple::FlowSide, 1, 2},
        {KW_LateralOffset, &CStaple::LateralOffset, -32768, 32767},
        {KW_LateralConsistency, &CStaple::LateralConsistency, 0, 1},
    };
    for (const Key& k : keys) {
        if (!MatchKeyword(p, k.key))
            continue;
        if (k.max != kObjectIdMax)
            return ReadInt(p, s.*(k.field), k.min, k.max);
        int id;
        if (!ParseObjectId(p, id, k.min))
            return KWR_FAILED;
        s.*(k.field) = id;
        return KWR_DONE;
    }
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

// Every integer on every line is a member id; the end of a line is no error.
int CDiagramLoadObj::HandleGroupLine(const char* p)
{
    if (*p == '}')
        return CloseCurrentBlock();
    int id;
    const char* q = p;
    while (SkipBlanks(q)) {
        if (!ParseObjectId(p, id, -32768))
            return KWR_FAILED;
        if (!m_pGroup->AddMember(nullptr, id))
            return KWR_STOP;
        q = p;
    }
    m_nErrorCode = 0;
    return KWR_DONE;
}

// ---- writing

BOOL WriteFigure(CKeywordWriter& w, const CKavoDoc& doc, CFigure& f)
{
    const CFigStyle* style = doc.m_figStyles.GetAt(f.m_nStyle);
    BOOL ok = w.OpenIdBlock(KW_Figure, f.m_nId) && (!f.m_bLabel || w.WriteBool(KW_Label, true)) &&
              (!style || w.WriteString(KW_Style, style->m_strName)) &&
              (f.m_strSecondText.empty() || w.WriteString(KW_TextInits, f.m_strSecondText)) &&
              w.WriteString(KW_Text, f.m_strText) && (f.m_strLink.empty() || w.WriteString(KW_Link, f.m_strLink)) &&
              w.WriteRect(KW_Bounds, f.m_rect) && (f.m_nTextRotate == 0 || w.WriteShort(KW_TextRotate, f.m_nTextRotate)) &&
              (!f.AutoDelJct || w.WriteBool(KW_AutoDelJct, true)) &&
              (!f.TerminalJct || w.WriteBool(KW_TerminalJct, true)) &&
              (f.AssociationIndicator == 0 || w.WriteShort(KW_AssociationIndicator, f.AssociationIndicator)) &&
              WriteFigProps(w, doc, f.m_props) && WriteHotZone(w, f.m_outline);
    if (ok && f.m_bHasConPts && f.m_pConPts && f.m_pConPts->GetCount() > 0)
        ok = w.WriteBool(KW_HasConnectionPoints, true) && WriteConnectionPoints(w, *f.m_pConPts, true);
    return ok && w.CloseBlock();
}

BOOL WriteConnector(CKeywordWriter& w, const CKavoDoc& doc, CConnector& c, bool markedOnly)
{
    const CConStyle* style = doc.m_conStyles.GetAt(c.m_nStyle);
    // In a copy, an end whose figure is not copied is written free.
    auto endId = [&](const CFigure* fig, int id) {
        if (markedOnly && fig && !fig->m_bSelected)
            return -1;
        return id;
    };
    // End ids are 32-bit and written whole: an id past the 16-bit range is
    // refused when read back rather than wrapping onto another figure's id.
    return w.OpenIdBlock(KW_Connector, c.m_nId) && (!style || w.WriteString(KW_Style, style->m_strName)) &&
           w.WriteInt(KW_Figure1, endId(c.m_pFig1, c.m_nFigId1)) &&
           w.WriteInt(KW_Figure2, endId(c.m_pFig2, c.m_nFigId2)) &&
           (c.m_nConPtId1 == -1 || w.WriteShort(KW_ConnectionPoint1, c.m_nConPtId1)) &&
           (c.m_nConPtId2 == -1 || w.WriteShort(KW_ConnectionPoint2, c.m_nConPtId2)) &&
           w.WritePoint(KW_EndPoint1, c.EndPoint1.x, c.EndPoint1.y) &&
           w.WritePoint(KW_EndPoint2, c.EndPoint2.x, c.EndPoint2.y) &&
           w.WriteBool(KW_SuppressEnd1, c.SuppressEnd1 != 0) && w.WriteBool(KW_SuppressEnd2, c.SuppressEnd2 != 0) &&
           WriteConProps(w, doc, c.m_props) && w.CloseBlock();
}

BOOL WriteStaple(CKeywordWriter& w, const CStaple& s)
{
    BOOL ok = w.OpenIdBlock(KW_Staple, s.m_nId) && w.WriteShort(KW_StapleType, s.m_nType) &&
              w.WriteInt(KW_Connector, s.m_nConId) && w.WriteShort(KW_ConPos, s.ConPos) &&
              w.WriteInt(KW_Figure1, s.m_nFig1Id) && w.WriteShort(KW_Fig1PosX, s.Fig1PosX) &&
              w.WriteShort(KW_Fig1PosY, s.Fig1PosY) && w.WriteInt(KW_Figure2, s.m_nFig2Id) &&
              w.WriteShort(KW_Fig2PosX, s.Fig2PosX) && w.WriteShort(KW_Fig2PosY, s.Fig2PosY) &&
              w.WriteShort(KW_OffsetX, s.OffsetX) && w.WriteShort(KW_OffsetY, s.OffsetY) &&
              (s.PinType == -1 || w.WriteShort(KW_PinType, s.PinType));
    if (ok && s.m_nType == kStapleFlowLabel)
        ok = w.WriteShort(KW_FlowSide, s.FlowSide);
    if (ok && s.m_nType == kStapleLatLabel)
        ok = w.WriteShort(KW_LateralOffset, s.LateralOffset) &&
             w.WriteShort(KW_LateralConsistency, s.LateralConsistency);
    return ok && w.CloseBlock();
}

BOOL WriteGroup(CKeywordWriter& w, const CGroup& g)
{
    std::vector<int> ids;
    for (const CGroup::Member& m : g.m_members)
        ids.push_back(m.obj ? m.obj->m_nId : m.id);
    return w.OpenIdBlock(KW_Group, g.m_nId) && w.WriteIdRows(ids.data(), int(ids.size())) && w.CloseBlock();
}
