// The indexes the document's objects hold into its libraries, as the
// libraries ask about and renumber them.
#include "document/CKavoDoc.h"

namespace {
void ShiftDown(int32_t& index, int removed)
{
    if (index >= removed && index > 0)
        --index;
}
} // namespace

bool CKavoDoc::IsSymbolUsedByFigures(int index) const
{
    bool used = false;
    ForEachFigure([&](CFigure* f) { used = used || f->m_props.Symbol == index || f->m_props.Icon == index; });
    return used;
}

void CKavoDoc::ShiftFigureSymbolIndexes(int removed)
{
    ForEachFigure([removed](CFigure* f) {
        ShiftDown(f->m_props.Symbol, removed);
        if (f->m_props.Icon >= removed)
            ShiftDown(f->m_props.Icon, removed);
    });
}

void CKavoDoc::RemapFigureSymbolIndex(int from, int to)
{
    ForEachFigure([from, to](CFigure* f) {
        if (!f->HasPicture() && f->m_props.Symbol == from)
            f->m_props.Symbol = to;
    });
}

bool CKavoDoc::IsEndShapeUsedByConnectors(int index) const
{
    bool used = false;
    ForEachConnector([&](CConnector* c) { used = used || c->m_props.End1 == index || c->m_props.End2 == index; });
    return used;
}

void CKavoDoc::ShiftConnectorEndShapeIndexes(int removed)
{
    ForEachConnector([removed](CConnector* c) {
        ShiftDown(c->m_props.End1, removed);
        ShiftDown(c->m_props.End2, removed);
    });
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

void CKavoDoc::AfterFigStyleRemoved(int index)
{
    ForEachFigure([index](CFigure* f) {
        if (f->m_nStyle == index)
            f->m_nStyle = -1;
        else if (f->m_nStyle > index)
            --f->m_nStyle;
    });
}

void CKavoDoc::AfterConStyleRemoved(int index)
{
    ForEachConnector([index](CConnector* c) {
        if (c->m_nStyle == index) {
            c->m_nStyle = -1;
            c->m_props.BindToStyle = 0;
        } else if (c->m_nStyle > index) {
            --c->m_nStyle;
        }
    });
}

void CKavoDoc::ReleaseSharedPicture(int kind, HGLOBAL handle)
{
    (void)kind;
    m_graphics.ReleaseUse(handle);
}
