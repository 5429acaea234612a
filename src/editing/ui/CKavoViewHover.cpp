// Hover prompts of the select mode that no gesture file owns: Alt over a
// connector that a press would split, the end handle of a selected
// connector that a press would adjust, and a figure whose hyperlink a
// double click opens; in select-text mode, the text a press would edit.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"

#include "core/StringHelpers.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"

#include <cstdio>

namespace {
constexpr int kIdsAdjustConnector = 506, kIdsSplitConnector = 508, kIdsOpenLink = 520;
const char* const kEditTextPrompt = "Click to edit text";
} // namespace

int CKavoView::OnAltSplitHover(const CPoint& pt)
{
    if (!IsAltKeyDown())
        return 0;
    const CConnector* con = m_pDoc->ConFromPoint(pt.x, pt.y, m_nHitTolerance, false, nullptr);
    // Object flag 1 keeps a connector whole.
    if (!con || con->m_pGroup || con->HasFlags(1, 0))
        return 0;
    SetViewCursor(kCursorSplit);
    SetStatusPrompt(kIdsSplitConnector);
    return 1;
}

// The press takes an end handle within twice the hit tolerance.
int CKavoView::OnConEndHover(const CPoint& pt)
{
    for (CDiagObj* o : *m_pDoc->m_pSelList) {
        if (o->GetType() != kObjConnector)
            continue;
        const auto* con = static_cast<const CConnector*>(o);
        if (!con->m_pGroup && con->EndHandleFromPoint(POINT{pt.x, pt.y}, 2 * m_nHitTolerance)) {
            SetViewCursor(kCursorAdjust);
            SetStatusPrompt(kIdsAdjustConnector);
            return 1;
        }
    }
    return 0;
}

// A figure with a link: unselected anywhere, selected away from its handles.
int CKavoView::OnLinkHover(const CFigure& fig, const CPoint& pt)
{
    if (fig.m_strLink.empty() || (fig.m_bSelected && fig.HitTestHandles(pt, m_nHitTolerance)))
        return 0;
    std::string format;
    LoadCStringRes(format, kIdsOpenLink);
    std::string text(format.size() + fig.m_strLink.size() + 1, '\0');
    const int n = std::snprintf(text.data(), text.size(), format.c_str(), fig.m_strLink.c_str());
    text.resize(n > 0 ? size_t(n) : 0);
    SetViewCursor(Qt::PointingHandCursor);
    SetStatusPromptText(text, kIdsOpenLink);
    return 1;
}

// Select-text mode: the text of an unselected figure is framed and the
// pointer becomes the text cursor; a press there opens the editor.
int CKavoView::OnSelTextHover(const CPoint& pt)
{
    if (!m_pDoc || !HoverTextArea(pt))
        return 0;
    SetStatusPromptText(kEditTextPrompt, 0);
    return 1;
}

int CKavoView::OnSelTextClick(const CPoint& pt, const CPoint& client)
{
    if (!m_pDoc || InTextEditMode())
        return 0;
    return EditTextAtPoint(pt, client) ? 1 : 0;
}
