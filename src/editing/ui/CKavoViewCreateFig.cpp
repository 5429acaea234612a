// Figure creation (UI mode 2): a rubber figure of the current figure style,
// drawn inverted, follows the pointer; a press fixes it, a drag moves its
// create handle, and the release hands it to the document as a new figure
// in one undo step. Styles without a default size (and system shapes sized
// from their text) have no preview and are dragged out from the press.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"

#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/AttachKinds.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigSymbolCopy.h"
#include "document/CStaple.h"
#include "document/Trunks.h"
#include "editing/CreateFigRules.h"
#include "editing/GestureRules.h"
#include "editing/ShapeStretch.h"
#include "geometry/IntGeometry.h"
#include "platform/CPainterDC.h"
#include "platform/Prompt.h"
#include "richtext/FigureTextFit.h"
#include "undo/UndoCodes.h"

#include <QKeyEvent>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kIdsCreateIntoFlow = 11601, kIdsCreateFig = 11602, kIdsScaleNotStretch = 11603,
              kIdsPosInch = 11604, kIdsPosMetric = 11605, kIdsSizeInch = 580, kIdsSizeMetric = 588,
              kIdsFreeform = 742;
constexpr int kTextMode = 3, kCreateMode = 2;

// The in-place editor opens on the area, everything selected unless a
// character was typed.
bool OpenInPlaceEditor(CKavoView& view, CFigure* obj, int area, int ch)
{
    return view.BeginTextEdit(obj, area, false, CPoint(), char(ch), -2);
}

CKavoView::TextEditStarter g_textEditStarter = OpenInPlaceEditor;

// The figure label of a figure that carries exactly one, else null.
CFigure* SingleFigLabel(CKavoDoc& doc, const CFigure* fig)
{
    const auto& staples = doc.FigLabelStaplesOf(fig);
    return staples.size() == 1 ? staples.front()->m_pFig2 : nullptr;
}
} // namespace

void CKavoView::SetTextEditStarter(TextEditStarter starter)
{
    g_textEditStarter = starter ? starter : OpenInPlaceEditor;
}

// ---- the rubber figure

void CKavoView::DrawRubberFig(const CRect& rc)
{
    if (!m_pRubberFig)
        return;
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    const CFigure::FeedbackContext ctx;
    m_pRubberFig->DrawFeedback(dc.get(), ctx, &rc, false);
    dc->Flush();
    viewport()->update();
}

void CKavoView::ShowRubberFig(bool show)
{
    if (!m_pRubberFig || show == (m_bRubberShown != 0))
        return;
    // Inverted drawing needs the picture under it up to date.
    if (show)
        FlushPaint();
    DrawRubberFig(m_rcRubber);
    m_bRubberShown = show ? 1 : 0;
}

void CKavoView::EndRubberFigure(bool erase, bool remove)
{
    if (erase)
        ShowRubberFig(false);
    if (!remove)
        return;
    m_bRubberShown = 0;
    m_pRubberFig.reset();
    ForgetSlotTarget();
    // Never a creation drag without its figure.
    if (m_bCreateTracking) {
        m_bCreateTracking = 0;
        ReleaseCapture();
    }
}

void CKavoView::OnClearFeedback()
{
    if (m_pRubberFig && !m_bCreateTracking)
        EndRubberFigure(true, true);
    ShowConPtHover(false);
    HideTrackMarker(nullptr, nullptr);
    EraseTextAreaHover();
    // Where a label would go is not shown once the pointer is elsewhere.
    EraseLabelFeedback();
}

void CKavoView::SnapCreatePoint(CPoint& pt, const FigFlagSet& flags, const CSize* size) const
{
    if (!m_pDoc || !m_pDoc->m_bAlignToGrid)
        return;
    if (size) {
        RECT rc = CRect(CPoint(pt.x - size->cx / 2, pt.y - size->cy / 2), *size);
        SnapRectPosToGrid(rc, 1 | 2 | 0x10 | 0x20, m_pDoc->m_nSnapX, m_pDoc->m_nSnapY, &m_pDoc->m_snapGuides);
        pt = CRect(rc).CenterPoint();
        return;
    }
    if (flags.low & ((flags.high & 256) ? 16 : 1))
        SnapToGridStep(pt.x, m_pDoc->m_nSnapX);
    if (flags.low & ((flags.high & 512) ? 32 : 2))
        SnapToGridStep(pt.y, m_pDoc->m_nSnapY);
}

bool CKavoView::NewRubberFig(const CPoint& logical)
{
    if (m_pRubberFig || !m_pDoc)
        return m_pRubberFig != nullptr;
    const CFigStyle& st = m_pDoc->m_curFigStyle;
    m_bFreeform = IsCtrlKeyDown() ? 1 : 0;
    CPoint pt = logical;
    const CSize size(st.Width, st.Height);
    SnapCreatePoint(pt, st.m_props.Behavior, &size);
    m_nAttachMode = -1;   // known once the figure is made
    m_bFlowDrop = SnapToFlows ? 1 : 0;
    pt = FlowSnapCreatePoint(pt, size);
    std::string text = st.DefaultText, second = st.TextInits;
    if (AutoLabelDecision && EnableOldBranchLabels)
        ApplyDecisionTexts(st.m_strName, text, second, AutoLabelDecisionTxt);
    CFigProps props = st.m_props;
    props.Behavior = RubberFigFlags(props.Behavior, m_bSizeFromText != 0);
    auto fig = std::make_unique<CFigure>(pt.x - st.Width / 2, pt.y - st.Height / 2, st.Height, st.Width, props,
                                         m_pDoc->m_nCurFigStyle, 0, text, second, CFigure::CreateArgs(), m_pDoc);
    if (m_pDoc->m_nCurFigStyle == -1)
        fig->m_outline = st.m_hotZone;
    fig->m_props.Behavior = RubberFigMadeFlags(fig->m_props.Behavior, !text.empty());
    m_nCreateFlags = fig->m_props.Behavior;
    int minW = 0, minH = 0;
    if (fig->HasText())
        CalcTextExtent(*fig, minW, minH, 0, false, nullptr);
    m_sizeMin = CSize(minW, minH);
    fig->SetBounds(fig->m_rect, st.Height, st.Width, true, minH, minW, 0);
    m_bResizeAfterPress = 1;
    if (!m_bDragToSize && CreatesOnPress(fig->GetStockKind()))
        m_bResizeAfterPress = 0;
    m_pRubberFig = std::move(fig);
    // A figure of a pin kind snaps to hosts instead of dropping into flows.
    m_nAttachMode = GetPinKind(m_pRubberFig.get());
    if (m_nAttachMode != -1 && !m_bDragToSize)
        m_bFlowDrop = 0;
    const CPoint centre = m_pRubberFig->GetCenter(), pinned = PinSnapCreatePoint(centre, m_pRubberFig->m_rect.Size());
    if (pinned != centre) {
        CRect rc = m_pRubberFig->m_rect;
        rc.OffsetRect(pinned.x - centre.x, pinned.y - centre.y);
        m_pRubberFig->SetRectNoUndo(rc);
    }
    m_rcRubber = m_pRubberFig->m_rect;
    m_bRubberShown = 0;
    if (!m_bSizeFromText)
        ShowRubberFig(true);
    return true;
}

void CKavoView::MoveRubberFig(const CPoint& logical)
{
    if (!m_pRubberFig)
        return;
    CPoint pt = logical;
    const CSize size = m_pRubberFig->m_rect.Size();
    SnapCreatePoint(pt, m_pRubberFig->m_props.Behavior, &size);
    const CConnector* flowBefore = m_pFlowCon;
    pt = PinSnapCreatePoint(FlowSnapCreatePoint(pt, size), size);
    const CPoint c = m_pRubberFig->GetCenter();
    const CSize off(pt.x - c.x, pt.y - c.y);
    if (off.cx == 0 && off.cy == 0 && m_bRubberShown && flowBefore == m_pFlowCon)
        return;
    ShowRubberFig(false);
    CRect rc = m_pRubberFig->m_rect;
    rc.OffsetRect(off);
    m_pRubberFig->SetRectNoUndo(rc);
    m_rcRubber = rc;
    ShowRubberFig(true);
}

CPoint CKavoView::PinSnapCreatePoint(const CPoint& pt, const CSize& size)
{
    m_pSlotTarget = nullptr;
    m_nSlotKey = -1;
    if (m_pFlowCon || m_bFreeform || m_nAttachMode == -1 || !m_pRubberFig) {
        ClearPinGuides();
        return pt;
    }
    CPoint centre = pt, guide;
    int rowId = -1, guideFlag = 0;
    m_pSlotTarget = SnapPinToHost(centre, size, 0, rowId, guide, guideFlag, m_pRubberFig.get());
    m_nSlotKey = m_pSlotTarget ? rowId : -1;
    SetPinGuides(m_pSlotTarget, centre, guide, guideFlag);
    return centre;
}

void CKavoView::ForgetSlotTarget()
{
    m_pSlotTarget = nullptr;
    m_nSlotKey = -1;
    ClearPinGuides();
}

// A figure pressed onto a host is sized by dragging only when its row asks
// for it; a row whose placed figure keeps its anchor grows it about its
// centre across the host's side (type 10) or both ways (type 16).
void CKavoView::ApplySlotCreateRules()
{
    if (m_bDragToSize || m_bFreeform || !m_pSlotTarget || m_nAttachMode == -1)
        return;
    const AttachKind* row = FindAttachKindById(m_nSlotKey);
    m_bResizeAfterPress = row && row->sizeOnCreate ? 1 : 0;
    if (!row || !row->sizeOnCreate || row->freeResize)
        return;
    const DWORD bits = row->placementType == 10 ? 256u : row->placementType == 16 ? 256u | 512u : 0u;
    m_pRubberFig->m_props.Behavior.high |= bits;
    m_nCreateFlags.high |= bits;
}

void CKavoView::SetFreeform(bool on)
{
    const bool shown = m_bRubberShown != 0;
    ShowRubberFig(false);
    m_bFreeform = on ? 1 : 0;
    if (shown)
        ShowRubberFig(true);
}

// ---- the gesture

int CKavoView::OnCreateFigMouseMove(const CPoint& client)
{
    if (!m_pDoc)
        return 0;
    m_nHitTolerance = std::max(1, int(ClientLenToLogical(int(HandleSize)) + 0.5));
    m_ptLastClient = client;
    if (m_bCreateTracking)
        return CreateFigDragMove(client);
    if (client.x < 0 || client.y < 0 || client.x >= viewport()->width() || client.y >= viewport()->height())
        return 1;
    const CFigStyle& st = m_pDoc->m_curFigStyle;
    const CFigSymbol* sym = st.GetFigSymbol(&m_pDoc->m_figSymbols);
    const CreateStyleMode mode = CreateModeForStyle(sym ? sym->m_strName : std::string(), st.Width, st.Height);
    m_bDragToSize = mode.dragToSize ? 1 : 0;
    m_bSizeFromText = mode.sizeFromText ? 1 : 0;
    if (m_bDragToSize) {
        SetViewCursor(kCursorCreate);
        return 1;
    }
    SetViewCursor(Qt::ArrowCursor);
    const CPoint pt = ClientPtToLogical(client);
    // Another style was chosen meanwhile: its own figure previews.
    if (m_pRubberFig && m_pRubberFig->m_nStyle != m_pDoc->m_nCurFigStyle)
        EndRubberFigure(true, true);
    if (!m_pRubberFig)
        NewRubberFig(pt);
    else
        MoveRubberFig(pt);
    ShowStatus(CreateFigPrompt());
    return 1;
}

int CKavoView::CreateFigDragMove(const CPoint& client)
{
    // Counted from the press, so that a slow drag passes it too.
    if (!m_bMoved && !PassedCreateThreshold(m_ptCreatePressClient, client, kDoubleClickWidth))
        return 1;
    if (!m_bMoved && !m_bStretching && (!m_bDragToSize || m_bSizeFromText))
        BeginCreateStretch();
    const CPoint pt = ClientPtToLogical(client);
    const CRect rc = CreateDragRect(pt, m_nCreateFlags);
    if ((rc != m_rcRubber || !m_bRubberShown) && !RectExceeds(rc, m_rcWorkSpace)) {
        m_ptTrack = pt;
        m_bMoved = 1;
        ShowRubberFig(false);
        StretchRubberFig(rc);
        m_rcRubber = rc;
        ShowRubberFig(true);
        UpdateStatusText();
    }
    return 1;
}

std::string CKavoView::CreateFigPrompt() const
{
    if (!m_pRubberFig || !m_pDoc)
        return {};
    std::string text;
    if (m_bFlowDrop || m_pRubberFig->IsTrunkObj()) {
        char buf[512];
        std::snprintf(buf, sizeof buf, ResText(m_pFlowCon ? kIdsCreateIntoFlow : kIdsCreateFig).c_str(),
                      m_pDoc->m_curFigStyle.m_strName.c_str());
        text = std::string(buf) + "   " + ResText(kIdsFreeform);
    }
    if (HasSpecialLayout(*m_pRubberFig))
        text += "   " + ResText(kIdsScaleNotStretch);
    return text;
}

int CKavoView::OnCreateFigButtonDown(const CPoint& client)
{
    if (!m_pDoc)
        return 0;
    m_nHitTolerance = std::max(1, int(ClientLenToLogical(int(HandleSize)) + 0.5));
    const CFigStyle& st = m_pDoc->m_curFigStyle;
    if (!m_pRubberFig) {
        // No hover came first: the style decides here how it is drawn.
        const CFigSymbol* sym = st.GetFigSymbol(&m_pDoc->m_figSymbols);
        const CreateStyleMode mode = CreateModeForStyle(sym ? sym->m_strName : std::string(), st.Width, st.Height);
        m_bDragToSize = mode.dragToSize ? 1 : 0;
        m_bSizeFromText = mode.sizeFromText ? 1 : 0;
    }
    const CPoint pt = ClientPtToLogical(client);
    if (m_pRubberFig && m_bFlowDrop && !m_pFlowCon && !m_bFreeform) {
        bool refused = false;
        FindFlowDropTarget(pt, m_pRubberFig->m_rect.Size(), refused, nullptr);
        if (refused) {
            ShowRubberFig(false);
            ShowFlowMisfit();
            ShowRubberFig(true);
            return 1;
        }
    }
    m_bCreateTracking = 1;
    CaptureMouse();
    if (!m_pRubberFig && !NewRubberFig(pt)) {
        CancelCreateFig(0);
        return 1;
    }
    // Into a flow the figure grows about its centre, which stays on the flow.
    if (m_pFlowCon && m_bFlowDrop) {
        m_pRubberFig->m_props.Behavior.high |= 256 | 512;
        m_nCreateFlags.high |= 256 | 512;
    }
    m_nCreateHandle = CreateHandleFor(IsTrunkDiagrams(), m_bDragToSize != 0, st.m_props.Behavior, st.Width,
                                      st.Height);
    ApplySlotCreateRules();
    m_rcRubber = m_rcRubberStart = m_pRubberFig->m_rect;
    if (!m_bDragToSize)
        m_sizeMin = CSize(std::max<int>(m_sizeMin.cx, kMinCreateSide), std::max<int>(m_sizeMin.cy, kMinCreateSide));
    m_bMoved = 0;
    m_bStretching = 0;
    m_ptCreatePress = m_ptTrack = pt;
    m_ptCreatePressClient = m_ptLastClient = client;
    m_ptHandleStart = m_pRubberFig->GetHandlePoint(m_nCreateHandle);
    if (!m_bDragToSize && !m_bResizeAfterPress)
        return OnCreateFigButtonUp(client);
    UpdateStatusText();
    return 1;
}

// The rectangle a drag of the create handle to the pointer gives: the
// handle moves as far as the pointer has from the press, the text keeps its
// room. The figure's flag word is the given one for the computation only.
CRect CKavoView::CreateDragRect(const CPoint& pt, FigFlagSet flags)
{
    CFigure& f = *m_pRubberFig;
    if (m_bDragToSize)
        flags.high &= ~DWORD(256 | 512);
    if (!f.HasText())
        flags.low &= ~DWORD(256 | 128);
    const FigFlagSet before = f.m_props.Behavior;
    f.m_props.Behavior = flags;
    CRect rc;
    f.Resize(rc, m_nCreateHandle, m_ptHandleStart.x + pt.x - m_ptCreatePress.x,
             m_ptHandleStart.y + pt.y - m_ptCreatePress.y, false);
    f.m_props.Behavior = before;
    rc.NormalizeRect();
    return KeepResizeMinimum(rc, m_nCreateHandle, m_sizeMin);
}

int CKavoView::OnCreateFigButtonUp(const CPoint& client)
{
    (void)client;
    if (!m_bCreateTracking || !m_pRubberFig || !m_pDoc)
        return 0;
    ShowRubberFig(false);
    CFigure& f = *m_pRubberFig;
    FigFlagSet flags = m_nCreateFlags;
    if (!m_bMoved) {
        // A click keeps the default size: no grid sizing requests.
        flags.low &= ~DWORD(128 | 64 | 2 | 1);
        flags.low |= 0x200000;
    }
    if ((m_bDragToSize || m_bResizeAfterPress) && m_bMoved) {
        const CRect rc = CreateDragRect(m_ptTrack, flags);
        StretchRubberFig(rc);
        f.SetBounds(rc, true);
    }
    f.m_props.TextFormat = m_pDoc->m_curFigStyle.m_props.TextFormat;
    if (CreateTooSmall(f.m_rect, m_bSizeFromText != 0, m_sizeMin)) {
        CancelCreateFig(0);
        return 1;
    }
    if (m_bFlowDrop && m_pFlowCon && !m_bFreeform) {
        bool refused = false;
        FindFlowDropTarget(f.GetCenter(), f.m_rect.Size(), refused, nullptr);
        if (refused) {
            CancelCreateFig(0);
            ShowFlowMisfit();
            return 1;
        }
    }
    DiagPrintf("USER  Created a figure\n");
    m_bCreateTracking = 0;
    ReleaseCapture();
    UpdateStatusText();
    FinishCreateFig();
    return 1;
}

// The document takes the rubber figure as the new figure's template.
bool CKavoView::FinishCreateFig()
{
    const CFigStyle& st = m_pDoc->m_curFigStyle;
    const bool autoLabel = AutoLabelOnCreate && st.AutoLabel;
    const int stretched = CommitCreateStretch(*m_pRubberFig);
    CFigure* fig = m_pRubberFig.release();
    m_bRubberShown = 0;
    ForgetSlotTarget();
    CFigure* added = m_pDoc->AddNewFig(UDMAC_CREATEFIG, fig, false, autoLabel, st.AutoLabelText, nullptr,
                                       !m_bFreeform);
    EndCreateStretch();
    // A figure the document refused is still ours.
    if (!added) {
        delete fig;
        if (stretched >= 0)
            DropEditSymbolCopy(*m_pDoc, stretched);
        m_pFlowCon = nullptr;
        m_pFlowJct = nullptr;
        return false;
    }
    InsertNewFigIntoFlow(added);
    if (AutoEditOnCreate)
        EditNewFigText(added);
    return true;
}

int CKavoView::CancelCreateFig(int keepCapture)
{
    const int was = m_bCreateTracking;
    if (keepCapture) {
        // Only the feedback goes (the view is about to scroll); a drag goes
        // on and draws it again at its next move.
        if (was)
            ShowRubberFig(false);
        else
            EndRubberFigure(true, true);
        return was;
    }
    EndRubberFigure(true, true);
    EndCreateStretch();
    m_bCreateTracking = 0;
    m_pFlowCon = nullptr;
    m_pFlowJct = nullptr;
    ReleaseCapture();
    UpdateStatusText();
    return was;
}

int CKavoView::DescribeCreateSize(std::string& out) const
{
    if (!m_bCreateTracking)
        return 0;
    CRect rc = m_rcRubber;
    rc.NormalizeRect();
    char buf[160];
    if (DescribeCreateBySize(rc, kDoubleClickWidth))
        std::snprintf(buf, sizeof buf, ResText(Metric ? kIdsSizeMetric : kIdsSizeInch).c_str(),
                      LogicalToUserUnits(rc.Height()), LogicalToUserUnits(rc.Width()));
    else
        std::snprintf(buf, sizeof buf, ResText(Metric ? kIdsPosMetric : kIdsPosInch).c_str(),
                      LogicalToUserUnits(rc.left), LogicalToUserUnits(rc.top));
    out = buf;
    return 1;
}

// ---- text entry

bool CKavoView::EditNewFigText(CFigure* fig)
{
    if (!fig || !m_pDoc)
        return false;
    // A label's own text is its one text area.
    CFigure* target = fig->HasTextAreas() || fig->m_bLabel ? fig : SingleFigLabel(*m_pDoc, fig);
    if (!target || !g_textEditStarter)
        return false;
    EnterUIMode(kTextMode, 0);
    return g_textEditStarter(*this, target, 0, 0);
}

bool CKavoView::OnCreateFigChar(int ch)
{
    if (ch < 32 || !m_pDoc)
        return false;
    const CPoint pt = ClientPtToLogical(m_ptLastClient);
    CFigure* fig = m_pDoc->FindTopFig(pt.x, pt.y, 0, false, false, nullptr, -1, 0, 0);
    CFigure* target = nullptr;
    int area = fig ? fig->TextAreaFromPoint(pt, true) : -1;
    if (area >= 0) {
        target = fig;
    } else if (fig) {
        target = SingleFigLabel(*m_pDoc, fig);
        area = 0;
    }
    // Without an editor to open the text cannot be typed in.
    if (!target || !g_textEditStarter) {
        MessageBeep(MB_ICONEXCLAMATION);
        return true;
    }
    EndRubberFigure(true, true);
    EnterUIMode(kTextMode, 0);
    g_textEditStarter(*this, target, area, ch);
    return true;
}

void CKavoView::keyReleaseEvent(QKeyEvent* event)
{
    m_nKeyMods = int(event->modifiers());
    if (event->key() == Qt::Key_Control && !event->isAutoRepeat() && g_nUIMode == kCreateMode) {
        SetFreeform(false);
        event->accept();
        return;
    }
    CZoomView::keyReleaseEvent(event);
}
