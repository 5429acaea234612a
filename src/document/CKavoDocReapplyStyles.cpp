// Styles taken in from another file are applied again to the objects that
// follow them, so the diagram shows the styles it now holds.
#include "document/CKavoDoc.h"

void CKavoDoc::ReapplyAllStyles()
{
    for (int i = 0; i < m_figStyles.GetCount(); ++i)
        if (const CFigStyle* style = m_figStyles.GetAt(i))
            UpdateFiguresOfStyle(i, style->m_props.Symbol);
    for (int i = 0; i < m_conStyles.GetCount(); ++i)
        ReapplyConStyle(i);
    // Re-laid connectors log their ends; none of it is a step to undo.
    ResetUndoLog();
}

void CKavoDoc::ReapplyConStyle(int index)
{
    const CConStyle* style = m_conStyles.GetAt(index);
    if (!style)
        return;
    ForEachConnector([&](CConnector* con) {
        if (con->m_nStyle != index || !con->m_props.BindToStyle)
            return;
        InvalidateObj(con);
        con->m_props = style->m_props;
        con->m_props.BindToStyle = 1;
        con->RecalcRoute();
        InvalidateObj(con);
        SetModifiedFlag(true);
    });
}
