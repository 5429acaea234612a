// The smaller undo records of style, figure and connector properties: what
// each holds, and how Undo puts it back. Styles are found by name, objects by
// id; a record whose style or object is gone is skipped.
#include "document/CKavoDoc.h"

#include "undo/UndoRecordTraces.h"
#include "document/UndoRecordsStaple.h"

#include <cstring>

namespace {
// The connector colour words: line, both end fills, flow-indicator fill and
// border, in the order the record holds them.
void WriteConColors(UndoStream& s, const CConProps& p)
{
    s.Int32(int32_t(p.Color));
    s.Int32(int32_t(p.End1FillColor));
    s.Int32(int32_t(p.End2FillColor));
    s.Int32(int32_t(p.FIFillClr));
    s.Int32(int32_t(p.FIBdrClr));
}

bool ReadConColors(UndoReader& r, CConProps& p)
{
    int32_t v[5];
    for (int i = 4; i >= 0; --i)
        if (!r.Int32(v[i]))
            return false;
    p.Color = COLORREF(v[0]);
    p.End1FillColor = COLORREF(v[1]);
    p.End2FillColor = COLORREF(v[2]);
    p.FIFillClr = COLORREF(v[3]);
    p.FIBdrClr = COLORREF(v[4]);
    return true;
}
} // namespace

int CKavoDoc::LogFigStyleProps(const CFigStyle* style)
{
    return m_undo.UndoLog(UDOC_FSMOD, [style](UndoStream& s) {
        s.Raw(&style->m_props, sizeof style->m_props);
        s.Int32(style->Height);
        s.Int32(style->Width);
        s.String(style->m_strName);
    });
}

int CKavoDoc::LogConStyleProps(const CConStyle* style)
{
    return m_undo.UndoLog(UDOC_CSMOD, [style](UndoStream& s) {
        s.Raw(&style->m_props, sizeof style->m_props);
        s.String(style->m_strName);
    });
}

int CKavoDoc::LogTextRotation(const CFigure* fig)
{
    return m_undo.UndoLog(UDOC_TXTROTATE, [fig](UndoStream& s) {
        TraceUndoField(s, "ID", fig->m_nId);
        s.Int32(fig->m_nId);
        s.Int16(fig->m_nTextRotate);
    });
}

int CKavoDoc::LogFigConPts(const CFigure* fig)
{
    return m_undo.UndoLog(UDOC_FIGCONPTS, [fig](UndoStream& s) {
        if (const CConPtList* list = fig->m_pConPts.get()) {
            for (int i = list->GetCount() - 1; i >= 0; --i) {
                const CConPt* p = list->GetAt(i);
                s.Raw(&p->m_pos, sizeof p->m_pos);
                s.Int32(p->m_nFlag);
                s.String(p->m_strName);
                s.Int32(p->m_nId);
            }
            s.Int32(list->GetCount());
        }
        s.Int32(fig->m_pConPts ? 1 : 0);
        s.Int32(fig->m_nId);
    });
}

int CKavoDoc::LogFigColors(const CFigure* fig)
{
    return m_undo.UndoLog(UDOC_FIGCOLORS, [fig](UndoStream& s) {
        TraceUndoField(s, "ID", fig->m_nId);
        s.Raw(&fig->m_props.m_fill, sizeof fig->m_props.m_fill);
        s.Int32(int32_t(fig->m_props.BorderColor));
        s.Int32(int32_t(fig->m_props.TextColor));
        s.Int32(fig->m_nId);
    });
}

int CKavoDoc::LogFigAssInd(const CFigure* fig)
{
    return m_undo.UndoLog(UDOC_FIGASSIND, [fig](UndoStream& s) {
        TraceUndoField(s, "ID", fig->m_nId);
        s.Int32(fig->AssociationIndicator);
        s.Int32(fig->m_nId);
    });
}

int CKavoDoc::LogConColors(const CConnector* con)
{
    return m_undo.UndoLog(UDOC_CONCOLORS, [con](UndoStream& s) {
        TraceUndoField(s, "ID", con->m_nId);
        WriteConColors(s, con->m_props);
        s.Int32(con->m_nId);
    });
}

int CKavoDoc::LogConEndSymbol(const CConnector* con, int end)
{
    const CShapeDef* shape = m_endSymbols.GetAt(end == 1 ? con->m_props.End1 : con->m_props.End2);
    const std::string name = shape ? shape->m_strName : std::string();
    return m_undo.UndoLog(UDOC_CONENDSYM, [con, end, name](UndoStream& s) {
        s.String(name);
        s.Int32(end);
        s.Int32(con->m_nId);
    });
}

int CKavoDoc::LogFigStyleColors()
{
    return m_undo.UndoLog(UDOC_FSTYLECLRS, [this](UndoStream& s) {
        int count = 0;
        for (; count < m_figStyles.GetCount(); ++count) {
            const CFigStyle* style = m_figStyles.GetAt(count);
            s.Raw(&style->m_props.m_fill, sizeof style->m_props.m_fill);
            s.Int32(int32_t(style->m_props.BorderColor));
            s.Int32(int32_t(style->m_props.TextColor));
            s.String(style->m_strName);
        }
        s.Int32(count);
    });
}

int CKavoDoc::LogConStyleColors()
{
    return m_undo.UndoLog(UDOC_CSTYLECLRS, [this](UndoStream& s) {
        int count = 0;
        for (; count < m_conStyles.GetCount(); ++count) {
            const CConStyle* style = m_conStyles.GetAt(count);
            WriteConColors(s, style->m_props);
            s.String(style->m_strName);
        }
        s.Int32(count);
    });
}

bool CKavoDoc::ReplaySmallRecord(int type, UndoReader& r)
{
    int32_t id = 0;
    auto figById = [this](int32_t fid) { return static_cast<CFigure*>(m_pObjList->FindById(fid, kObjFigure)); };
    switch (type) {
    case UDOC_FSMOD: {
        std::string name;
        int32_t height = 0, width = 0;
        CFigProps props;
        if (!r.String(name) || !r.Int32(width) || !r.Int32(height) || !r.Raw(&props, sizeof props))
            return false;
        if (CFigStyle* style = m_figStyles.GetAt(m_figStyles.FindByName(name))) {
            // The picture stays the style's own: only the logged values return.
            props.m_nGraphicType = style->m_props.m_nGraphicType;
            props.Graphic = style->m_props.Graphic;
            style->m_props = props;
            style->Height = height;
            style->Width = width;
        }
        return true;
    }
    case UDOC_CSMOD: {
        std::string name;
        CConProps props;
        if (!r.String(name) || !r.Raw(&props, sizeof props))
            return false;
        if (CConStyle* style = m_conStyles.GetAt(m_conStyles.FindByName(name)))
            style->m_props = props;
        return true;
    }
    case UDOC_TXTROTATE: {
        int16_t rotation = 0;
        if (!r.Int16(rotation) || !r.Int32(id))
            return false;
        if (CFigure* f = figById(id)) {
            f->m_nTextRotate = rotation;
            InvalidateObj(f);
        }
        return true;
    }
    case UDOC_FIGCONPTS: {
        int32_t holder = 0;
        if (!r.Int32(id) || !r.Int32(holder))
            return false;
        std::unique_ptr<CConPtList> list;
        if (holder) {
            int32_t count = 0;
            if (!r.Int32(count) || count < 0 || count > CConPtList::kMaxPoints)
                return false;
            list = std::make_unique<CConPtList>();
            for (int i = 0; i < count; ++i) {
                CConPt p;
                if (!r.Int32(p.m_nId) || !r.String(p.m_strName) || !r.Int32(p.m_nFlag) ||
                    !r.Raw(&p.m_pos, sizeof p.m_pos))
                    return false;
                list->AddConPt(p.m_pos, p.m_strName, p.m_nFlag, true, p.m_nId);
            }
        }
        if (CFigure* f = figById(id)) {
            f->m_pConPts = std::move(list);
            f->m_bHasConPts = f->m_pConPts ? 1 : 0;
            InvalidateObj(f);
        }
        return true;
    }
    case UDOC_FIGCOLORS: {
        int32_t text = 0, border = 0;
        CFillSpec fill;
        if (!r.Int32(id) || !r.Int32(text) || !r.Int32(border) || !r.Raw(&fill, sizeof fill))
            return false;
        if (CFigure* f = figById(id)) {
            f->m_props.BorderColor = COLORREF(border);
            f->m_props.TextColor = COLORREF(text);
            f->m_props.m_fill = fill;
            InvalidateObj(f);
        }
        return true;
    }
    case UDOC_FIGASSIND: {
        int32_t indicator = 0;
        if (!r.Int32(id) || !r.Int32(indicator))
            return false;
        if (CFigure* f = figById(id)) {
            f->AssociationIndicator = indicator;
            InvalidateObj(f);
        }
        return true;
    }
    case UDOC_CONCOLORS: {
        if (!r.Int32(id))
            return false;
        CConProps colors;
        if (!ReadConColors(r, colors))
            return false;
        if (auto* c = static_cast<CConnector*>(m_pObjList->FindById(id, kObjConnector))) {
            c->m_props.Color = colors.Color;
            c->m_props.End1FillColor = colors.End1FillColor;
            c->m_props.End2FillColor = colors.End2FillColor;
            c->m_props.FIFillClr = colors.FIFillClr;
            c->m_props.FIBdrClr = colors.FIBdrClr;
            InvalidateObj(c);
        }
        return true;
    }
    case UDOC_CONENDSYM: {
        int32_t end = 0;
        std::string name;
        if (!r.Int32(id) || !r.Int32(end) || !r.String(name))
            return false;
        const int index = m_endSymbols.FindByName(name);
        auto* c = static_cast<CConnector*>(m_pObjList->FindById(id, kObjConnector));
        if (c && index >= 0) {
            (end == 1 ? c->m_props.End1 : c->m_props.End2) = index;
            InvalidateObj(c);
        }
        return true;
    }
    case UDOC_FSTYLECLRS: {
        int32_t count = 0;
        if (!r.Int32(count) || count < 0)
            return false;
        for (int i = 0; i < count; ++i) {
            std::string name;
            int32_t text = 0, border = 0;
            CFillSpec fill;
            if (!r.String(name) || !r.Int32(text) || !r.Int32(border) || !r.Raw(&fill, sizeof fill))
                return false;
            if (CFigStyle* style = m_figStyles.GetAt(m_figStyles.FindByName(name))) {
                style->m_props.BorderColor = COLORREF(border);
                style->m_props.TextColor = COLORREF(text);
                style->m_props.m_fill = fill;
            }
        }
        m_figStyles.SetChanged();
        return true;
    }
    case UDOC_CSTYLECLRS: {
        int32_t count = 0;
        if (!r.Int32(count) || count < 0)
            return false;
        for (int i = 0; i < count; ++i) {
            std::string name;
            CConProps colors;
            if (!r.String(name) || !ReadConColors(r, colors))
                return false;
            if (CConStyle* style = m_conStyles.GetAt(m_conStyles.FindByName(name))) {
                style->m_props.Color = colors.Color;
                style->m_props.End1FillColor = colors.End1FillColor;
                style->m_props.End2FillColor = colors.End2FillColor;
                style->m_props.FIFillClr = colors.FIFillClr;
                style->m_props.FIBdrClr = colors.FIBdrClr;
            }
        }
        m_conStyles.SetChanged();
        return true;
    }
    case UDOC_FIGSTYLE:
    case UDOC_CONSTYLE:
        return ReplayStyleState(type, r);
    default:
        return ReplayStapleRecord(*this, type, r);
    }
}
