#include "dialogs/sheets/CConSheetCommands.h"

#include "core/AppContext.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "dialogs/CMessageDlgs.h"
#include "dialogs/sheets/CConStylesSheet.h"
#include "dialogs/sheets/CConTabSheet.h"
#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "platform/Prompt.h"
#include "shapes/CConStylesLibrary.h"

#include <vector>

namespace {
constexpr int kAnyConnector = 3, kGroupScope = 2;
constexpr UINT IDS_REMIND_STYLES = 651;

std::vector<const CConnector*> SelectedConnectors(const CKavoDoc& doc)
{
    std::vector<const CConnector*> cons;
    for (const CDiagObj* o : *doc.m_pSelList)
        if (o->GetType() == kObjConnector)
            cons.push_back(static_cast<const CConnector*>(o));
    return cons;
}

// Which values differ between the first connector and the others; the flow
// stamp's values only among connectors that carry one.
void FindDiffers(const CConnector& a, const std::vector<const CConnector*>& cons, int differs[kDiffCount])
{
    const CConProps& p = a.m_props;
    for (const CConnector* c : cons) {
        const CConProps& q = c->m_props;
        differs[kDiffStyle] |= c->m_nStyle != a.m_nStyle;
        differs[kDiffEnd1Size] |= q.End1Length != p.End1Length;
        differs[kDiffEnd2Size] |= q.End2Length != p.End2Length;
        differs[kDiffLineWidth] |= q.LineWidth != p.LineWidth;
        differs[kDiffEndBorder] |= q.EndBorderWidth != p.EndBorderWidth;
    }
    const CConProps* flow = nullptr;
    for (const CConnector* c : cons) {
        const CConProps& q = c->m_props;
        if (q.FIType == -1)
            continue;
        if (!flow) {
            flow = &q;
            continue;
        }
        differs[kDiffFlowSize] |= q.FISize != flow->FISize;
        differs[kDiffFlowBorder] |= q.FIBdrWidth != flow->FIBdrWidth;
        differs[kDiffFlowSpacing] |= q.FISpacing != flow->FISpacing;
    }
}
} // namespace

bool ConnectorOnScreen(const CKavoDoc& doc, const CConnector& con, CRect& screen)
{
    const CKavoView* view = GetActiveKavoView();
    if (!view || view->GetDocument() != &doc)
        return false;
    CRect client = view->LogicalRectToClient(con.GetEndsRect());
    client.NormalizeRect();
    const QPoint at = view->viewport()->mapToGlobal(QPoint(client.left, client.top));
    screen = CRect(at.x(), at.y(), at.x() + client.Width(), at.y() + client.Height());
    return true;
}

void OnConProperties(CKavoDoc& doc, QWidget* parent)
{
    DiagPrintf("USER  OnConProperties\n");
    const CConnector* first = doc.GetFirstSelCon(kAnyConnector, kGroupScope);
    const std::vector<const CConnector*> cons = SelectedConnectors(doc);
    if (!first || cons.empty())
        return;
    int differs[kDiffCount] = {};
    FindDiffers(*first, cons, differs);
    CRect ends;
    const bool single = cons.size() == 1 && ConnectorOnScreen(doc, *first, ends);
    CCPTabSheet sheet(parent, &doc, first->m_nStyle, first->m_props, cons.size() > 1, differs,
                      single ? &ends : nullptr);
    sheet.DoModal();
}

namespace {
// The style all selected connectors share, -1 when none is selected or
// they differ.
int SharedSelectedStyle(const CKavoDoc& doc)
{
    const std::vector<const CConnector*> cons = SelectedConnectors(doc);
    if (cons.empty())
        return -1;
    for (const CConnector* c : cons)
        if (c->m_nStyle != cons.front()->m_nStyle)
            return -1;
    return cons.front()->m_nStyle;
}
} // namespace

void OnEditConStyles(CKavoDoc& doc, QWidget* parent, int style)
{
    DiagPrintf("USER  OnEditConStyles\n");
    const CConStylesLibrary& lib = doc.m_conStyles;
    // Whatever was being drawn goes; the view is back in its select mode.
    if (IAppContext* context = GetAppContext(); context && context->GetActiveView())
        context->GetActiveView()->EndRubberFigure(true, true);
    EnterUIMode(6, 0);
    if (style == -1) {
        style = doc.m_nCurConStyle >= 0 ? doc.m_nCurConStyle : doc.m_nLastConStyleShown;
        if (const int shared = SharedSelectedStyle(doc); shared >= 0)
            style = shared;
    }
    if (style >= lib.GetCount())
        style = -1;
    if (style == -1 && lib.GetCount() > 0)
        style = 0;
    doc.m_nLastConStyleShown = style;
    RemindAboutStyles(parent);
    CCSTabSheet sheet(parent, &doc, style);
    sheet.DoModal();
}

void RemindAboutStyles(QWidget* parent)
{
    if (!RemindStyles)
        return;
    CHintDlg hint(parent);
    LoadCStringRes(hint.m_strText, IDS_REMIND_STYLES);
    // Once is usually enough: the box starts ticked.
    hint.m_bDontShow = TRUE;
    hint.DoModal();
    RemindStyles = hint.m_bDontShow ? 0 : 1;
}
