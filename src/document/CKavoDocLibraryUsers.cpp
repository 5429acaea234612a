// The indexes the document's objects hold into its libraries, as the
// libraries ask about and renumber them.
#include "document/CKavoDoc.h"

#include <algorithm>

namespace {
void ShiftDown(int32_t& index, int removed)
{
    if (index >= removed && index > 0)
        --index;
}

bool HoldsSymbol(const CFigProps& props, int index)
{
    return props.Symbol == index || props.Icon == index;
}

void ShiftSymbols(CFigProps& props, int removed)
{
    ShiftDown(props.Symbol, removed);
    ShiftDown(props.Icon, removed);
}

void RemapSymbol(CFigProps& props, int from, int to)
{
    if (!props.HasGraphic() && props.Symbol == from)
        props.Symbol = to;
}

// A style index after entry `removed` went: -1 for the entry itself, one
// less above it; -1 stays.
void ShiftStyleIndex(int32_t& index, int removed)
{
    if (index == removed)
        index = -1;
    else if (index > removed)
        --index;
}
} // namespace

// Besides the objects, the document's working copies of the current figure,
// label and connector styles hold symbol and end-shape indexes: new objects
// are made from them, so they count as uses and shift with the libraries.

bool CKavoDoc::IsSymbolUsedByFigures(int index) const
{
    bool used = HoldsSymbol(m_curFigStyle.m_props, index) || HoldsSymbol(m_curLblStyle.m_props, index);
    ForEachFigure([&](CFigure* f) { used = used || HoldsSymbol(f->m_props, index); });
    return used;
}

int CKavoDoc::HighestSymbolUsedByFigures() const
{
    int highest = std::max({m_curFigStyle.m_props.Symbol, m_curFigStyle.m_props.Icon, m_curLblStyle.m_props.Symbol,
                            m_curLblStyle.m_props.Icon});
    ForEachFigure([&](CFigure* f) { highest = std::max({highest, f->m_props.Symbol, f->m_props.Icon}); });
    return highest;
}

void CKavoDoc::ShiftFigureSymbolIndexes(int removed)
{
    ShiftSymbols(m_curFigStyle.m_props, removed);
    ShiftSymbols(m_curLblStyle.m_props, removed);
    ForEachFigure([removed](CFigure* f) {
        ShiftSymbols(f->m_props, removed);
        f->ResetStockKind();
    });
}

void CKavoDoc::RemapFigureSymbolIndex(int from, int to)
{
    RemapSymbol(m_curFigStyle.m_props, from, to);
    RemapSymbol(m_curLblStyle.m_props, from, to);
    ForEachFigure([from, to](CFigure* f) {
        RemapSymbol(f->m_props, from, to);
        f->ResetStockKind();
    });
}

bool CKavoDoc::IsEndShapeUsedByConnectors(int index) const
{
    auto holds = [index](const CConProps& p) { return p.End1 == index || p.End2 == index; };
    bool used = holds(m_curConStyle.m_props);
    ForEachConnector([&](CConnector* c) { used = used || holds(c->m_props); });
    return used;
}

void CKavoDoc::ShiftConnectorEndShapeIndexes(int removed)
{
    auto shift = [removed](CConProps& p) {
        ShiftDown(p.End1, removed);
        ShiftDown(p.End2, removed);
    };
    shift(m_curConStyle.m_props);
    ForEachConnector([&shift](CConnector* c) { shift(c->m_props); });
}

bool CKavoDoc::IsFigStyleUsed(int index) const
{
    bool used = false;
    ForEachFigure([&](CFigure* f) { used = used || f->m_nStyle == index; });
    return used;
}

bool CKavoDoc::IsConStyleUsed(int index) const
{
    bool used = false;
    ForEachConnector([&](CConnector* c) { used = used || c->m_nStyle == index; });
    return used;
}

void CKavoDoc::BeforeFigStyleRemoved(int index)
{
    const CFigStyle* style = m_figStyles.GetAt(index);
    ForEachFigure([&](CFigure* f) {
        if (f->m_nStyle != index)
            return;
        // The figure keeps the style's initial texts as its own.
        if (style && f->m_strSecondText.empty())
            f->m_strSecondText = style->TextInits.substr(0, CFigure::kMaxSecondText);
        f->m_props.BindToStyle = 0;
    });
}

// The stock kind cached from a style's name is forgotten with the style; the
// current-style indexes shift like the objects' (their working copies stay).
void CKavoDoc::AfterFigStyleRemoved(int index)
{
    ForEachFigure([index](CFigure* f) {
        ShiftStyleIndex(f->m_nStyle, index);
        f->ResetStockKind();
    });
    ShiftStyleIndex(m_nCurFigStyle, index);
    ShiftStyleIndex(m_nCurLblStyle, index);
}

void CKavoDoc::AfterConStyleRemoved(int index)
{
    ForEachConnector([index](CConnector* c) {
        if (c->m_nStyle == index)
            c->m_props.BindToStyle = 0;
        ShiftStyleIndex(c->m_nStyle, index);
        c->ResetStockKind();
    });
    ShiftStyleIndex(m_nCurConStyle, index);
}

void CKavoDoc::ReleaseSharedPicture(int kind, HGLOBAL handle)
{
    (void)kind;
    m_graphics.ReleaseUse(handle);
}
