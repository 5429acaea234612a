// Figure resize: hovering a handle of an ungrouped figure shows the size
// cursor of that handle, a press on it starts the resize, the outline
// follows the mouse (a rectangle that would leave the work space, or that
// has no width or height, is refused and the outline stays), and the
// release resizes the figure in one undo step, its connectors re-laid.
#include "editing/ui/CKavoView.h"

#include "core/GridSnap.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "core/Units.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigSymbolCopy.h"
#include "editing/GestureRules.h"
#include "editing/ScaleCommands.h"
#include "editing/SizeToText.h"
#include "editing/ShapeStretch.h"
#include "geometry/IntGeometry.h"
#include "platform/CPainterDC.h"
#include "richtext/FigureTextFit.h"
#include "shapes/FigFlags.h"
#include "shapes/DividedShapeResize.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kIdsResize = 505, kIdsResizeStretch = 750, kIdsSizeInch = 580, kIdsSizeMetric = 588;
// High flags: the figure resizes about its centre horizontally (256) or
// vertically (512).
constexpr DWORD kResizeAboutCentre = 256 | 512;

// Low flag: the figure's text scales with its size.
constexpr DWORD kTextScalingFlag = 0x800000;

// How far a refitted rectangle moves so that the sides the handle did not
// drag stay where they were in the dragged one.
CPoint FixedSideShift(const CRect& dragged, const CRect& fitted, int handle, DWORD high)
{
    const auto along = [](bool aboutCentre, bool lowDragged, LONG lo0, LONG hi0, LONG lo1, LONG hi1) {
        if (aboutCentre)
            return int((lo0 + hi0) / 2 - (lo1 + hi1) / 2);
        return int(lowDragged ? hi0 - hi1 : lo0 - lo1);
    };
    const bool left = handle == 1 || handle == 4 || handle == 7, top = handle >= 1 && handle <= 3;
    return CPoint(along((high & 256) != 0, left, dragged.left, dragged.right, fitted.left, fitted.right),
                  along((high & 512) != 0, top, dragged.top, dragged.bottom, fitted.top, fitted.bottom));
}

// The text grows or shrinks with the figure's height, then the figure is
// fitted to it again; the side the handle did not drag stays where it is
// (both stay about the centre of a figure that resizes about it).
void ScaleTextToHeight(CKavoDoc& doc, CFigure* fig, int oldHeight, int handle, DWORD high)
{
    const CRect dragged = fig->m_rect;
    ScaleTextSizes(*fig, dragged.Height(), oldHeight);
    FitFigToText(doc, fig, 0, true, false, nullptr);
    const CPoint shift = FixedSideShift(dragged, fig->m_rect, handle, high);
    if (shift.x || shift.y) {
        CRect rc = fig->m_rect;
        rc.OffsetRect(shift.x, shift.y);
        doc.MoveFigToRect(fig, rc);
    }
}

// A figure whose text reflows into its areas and that has no compartments
// of its own (those keep their room through the compartment layout); a
// figure that scales its text needs no room.
bool ReflowsWithoutCompartments(const CFigure& fig)
{
    const CFigSymbol* sym = fig.GetSymbol();
    return fig.HasText() && fig.HasFlags(kFigFlagReflowText, 0) && !fig.HasFlags(kFitFromFontSizeFlag, 0) && sym &&
           sym->GetDividerCount() == 0;
}

// The figure with a resize handle under the point: the object list is
// walked from the front; a selected figure answers with its handle (the
// centre of a junction is no resize handle), and a picture in front of the
// point hides what lies behind it.
CFigure* FigHandleHitTest(CKavoDoc& doc, const CPoint& pt, int tolerance, int& handle)
{
    handle = 0;
    for (auto it = doc.m_pObjList->end(); it != doc.m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjFigure)
            continue;
        auto* f = static_cast<CFigure*>(o);
        CRect box = f->m_rect;
        box.NormalizeRect();
        box.InflateRect(tolerance, tolerance);
        if (!box.PtInRect(pt))
            continue;
        if (f->m_bSelected) {
            const int h = f->HitTestHandles(pt, tolerance);
            if (h != 0 && h != 5) {
                handle = h;
                return f;
            }
        }
        if (f->IsHollow() && f->HasPicture() && !f->IsStockKind(24) && f->HitTest(pt.x, pt.y, tolerance, false, false))
            return nullptr;
    }
    return nullptr;
}
} // namespace

int CKavoView::ResizeCursorShape(int handle)
{
    switch (ResizeCursorForHandle(handle)) {
    case kSizeNWSE: return Qt::SizeFDiagCursor;
    case kSizeNS: return Qt::SizeVerCursor;
    case kSizeNESW: return Qt::SizeBDiagCursor;
    case kSizeWE: return Qt::SizeHorCursor;
    default: return Qt::ArrowCursor;
    }
}

int CKavoView::OnFigHandleHover(const CPoint& pt)
{
    if (!m_pDoc)
        return 0;
    int handle = 0;
    CFigure* fig = FigHandleHitTest(*m_pDoc, pt, m_nHitTolerance, handle);
    if (!fig || handle < 0 || fig->IsInGroup() || ResizeCursorForHandle(handle) == kNoResizeCursor)
        return 0;
    SetViewCursor(ResizeCursorShape(handle));
    SetStatusPrompt(ResizeByStretching && HasSpecialLayout(*fig) ? kIdsResizeStretch : kIdsResize);
    return 1;
}

int CKavoView::OnFigHandleDown(const CPoint& pt)
{
    if (!m_pDoc)
        return 0;
    int handle = 0;
    CFigure* fig = FigHandleHitTest(*m_pDoc, pt, m_nHitTolerance, handle);
    m_nHandle = int16_t(handle);
    if (!fig || fig->IsInGroup() || ResizeCursorForHandle(handle) == kNoResizeCursor)
        return 0;
    m_bFigResize = 1;
    m_pResizeFig = fig;
    m_ptPress = m_ptCurrent = pt;
    m_rcResizeTrack = fig->m_rect;
    m_resizeFlagsBefore = m_resizeFlagsPrepared = fig->m_props.Behavior;
    int minW = 0, minH = 0;
    if (fig->HasText())
        CalcTextExtent(*fig, minW, minH, 0, false, nullptr);
    // Text that reflows into its areas needs, for the sides the handle
    // drags, the width that holds it at the current height and the height
    // that holds it at the current width.
    if (ReflowsWithoutCompartments(*fig)) {
        if (handle != 2 && handle != 8) {
            CSize given(0, fig->m_rect.Height());
            CalcSizeForOneSide(*fig, given);
            minW = given.cx;
        }
        if (handle != 4 && handle != 6) {
            CSize given(fig->m_rect.Width(), 0);
            CalcSizeForOneSide(*fig, given);
            minH = given.cy;
        }
    }
    m_szResizeMin = CSize(minW, minH);
    BeginShapeStretch(fig);
    FlushPaint();
    DrawResizeOutline(m_rcResizeTrack);
    m_bResizeShown = 1;
    CaptureMouse();
    SetViewCursor(ResizeCursorShape(handle));
    UpdateStatusText();
    return 1;
}

void CKavoView::DrawResizeOutline(const CRect& rc)
{
    if (!m_pResizeFig)
        return;
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    const CFigure::FeedbackContext ctx;
    m_pResizeFig->DrawFeedback(dc.get(), ctx, &rc, false);
    dc->Flush();
    viewport()->update();
}

int CKavoView::TrackFigResize(const CPoint& client)
{
    if (!m_bFigResize || !m_pDoc || !m_pResizeFig)
        return 0;
    const CPoint pt = ClientPtToLogical(client);
    m_pResizeFig->m_props.Behavior = m_resizeFlagsPrepared;
    // The dragged handle keeps its distance from the pointer.
    CPoint handlePt = m_pResizeFig->GetHandlePoint(m_nHandle);
    handlePt.x += pt.x - m_ptPress.x;
    handlePt.y += pt.y - m_ptPress.y;
    CRect rc;
    m_pResizeFig->Resize(rc, m_nHandle, handlePt.x, handlePt.y, false);
    rc.NormalizeRect();
    // The text keeps its room.
    CSize min = CalcFigResizeMin(m_bStretching != 0);
    if (ReflowsWithoutCompartments(*m_pResizeFig))
        min = ReflowResizeLimits(m_nHandle, m_pResizeFig->m_rect, handlePt,
                                 (m_resizeFlagsPrepared.high & kResizeAboutCentre) != 0, m_szResizeMin);
    rc = KeepResizeMinimum(rc, m_nHandle, min);
    return AcceptResizeRect(rc, pt);
}

int CKavoView::AcceptResizeRect(const CRect& rc, const CPoint& pt)
{
    // A rectangle outside the work space or without area is refused: the
    // outline stays where it was and the move is still taken.
    if (RectExceeds(rc, m_rcWorkSpace) || rc.Width() <= 0 || rc.Height() <= 0)
        return 1;
    m_ptCurrent = pt;
    if (rc != m_rcResizeTrack || m_bReFeed || !m_bResizeShown) {
        if (m_bResizeShown)
            DrawResizeTracking(m_rcResizeTrack);
        m_rcResizeTrack = rc;
        if (m_bStretching)
            UpdateStretchFeedback(rc);
        DrawResizeTracking(m_rcResizeTrack);
        m_bResizeShown = 1;
    }
    UpdateStatusText();
    return 1;
}

void CKavoView::DrawResizeTracking(const CRect& rc)
{
    if (m_bGrpResize)
        DrawGrpResizeOutline(rc);
    else
        DrawResizeOutline(rc);
}

int CKavoView::EndResizeTracking(int eraseOnly)
{
    if (!m_bFigResize && !m_bGrpResize)
        return 0;
    if (m_bResizeShown)
        DrawResizeTracking(m_rcResizeTrack);
    m_bResizeShown = 0;
    if (eraseOnly)
        return 1;
    if (m_pResizeFig)
        m_pResizeFig->m_props.Behavior = m_resizeFlagsBefore;
    m_pStretchSym.reset();
    m_bFigResize = m_bGrpResize = m_bStretching = 0;
    m_pResizeFig = nullptr;
    m_pResizeGrp = nullptr;
    ReleaseCapture();
    UpdateStatusText();
    return 1;
}

int CKavoView::EndFigResize()
{
    if (!m_bFigResize)
        return 0;
    EndResizeTracking(1);
    CFigure* fig = m_pResizeFig;
    if (m_pDoc && fig && m_ptCurrent != m_ptPress && m_rcResizeTrack != fig->m_rect) {
        DiagPrintf("USER  Changed figure size\n");
        CommitFigResize(fig);
        m_pDoc->RefreshSelection(0);
    }
    return EndResizeTracking(0);
}

// A special shape is stretched, not scaled, while ResizeByStretching is on:
// a private copy of its symbol follows the tracked rectangle.
// The plan lists the rows from the dragged side (mode 2 for the bottom
// row) and the columns from it (4 for the right column), measured against
// the sections' text.
void CKavoView::BeginShapeStretch(CFigure* fig)
{
    const CFigSymbol* sym = fig->GetSymbol();
    m_bStretching = ResizeByStretching && HasSpecialLayout(*fig);
    m_pStretchSym = m_bStretching ? std::make_shared<CFigSymbol>(*sym) : nullptr;
    m_stretchPlan = SpecialResizeArgs();
    if (m_bStretching) {
        SIZE mins[kMaxSectionMins] = {};
        const int count = GetSectionMinSizes(*fig, mins);
        m_stretchPlan.m_nMode = m_nHandle >= 7 && m_nHandle <= 9 ? 2 : 1;
        m_stretchPlan.m_nAnchor = m_nHandle == 3 || m_nHandle == 6 || m_nHandle == 9 ? 4 : 3;
        ResizeSpecialShape(*sym, m_stretchPlan, fig->m_rect, count, mins);
    }
    m_stretchPlanSaved = m_stretchPlan;
}

CSize CKavoView::CalcFigResizeMin(bool refreshPlan)
{
    CSize min = m_szResizeMin;
    CFigure* fig = m_pResizeFig;
    const CFigSymbol* sym = fig ? fig->GetSymbol() : nullptr;
    if (refreshPlan)
        m_stretchPlan = m_stretchPlanSaved;
    if (!sym || sym->GetDividerCount() == 0 || !fig->HasFlags(kFitCompartmentsFlag, 0) ||
        fig->HasFlags(kFitFromFontSizeFlag, 0))
        return min;
    SIZE mins[kMaxSectionMins] = {};
    const int count = GetSectionMinSizes(*fig, mins);
    SIZE least{0, 0};
    GrowSpecialShapeForText(*sym, least, fig->m_rect, count, mins);
    const int h = m_nHandle;
    if (h != 2 && h != 8)
        min.cx = std::max<LONG>(min.cx, least.cx);
    if (h != 4 && h != 6)
        min.cy = std::max<LONG>(min.cy, least.cy);
    return min;
}

void CKavoView::UpdateStretchFeedback(const CRect& rc)
{
    if (m_pStretchSym && m_pResizeFig)
        StretchSpecialShape(*m_pResizeFig, m_pResizeFig->m_rect, rc, *m_pStretchSym, &m_stretchPlan, m_nHandle,
                            IsShiftKeyDown());
}

// One step: a stretched figure moves to a copy of the stretched symbol
// (recorded with its old one first, so an undo points it back), then takes
// the tracked rectangle with its connectors re-laid.
bool CKavoView::CommitFigResize(CFigure* fig)
{
    CUndoLog& log = m_pDoc->UndoLogRef();
    log.UndoBeginStep(UDMAC_RESIZEFIG);
    int oldIndex = -1;
    bool done = true;
    if (m_pStretchSym && fig->GetSymbol()) {
        const int copy = AddEditSymbolCopy(*m_pDoc, *m_pStretchSym);
        done = copy >= 0 && m_pDoc->LogFigureState(fig) != 0;
        oldIndex = fig->m_props.Symbol;
        if (done)
            fig->m_props.Symbol = copy;
        else if (copy >= 0)
            DropEditSymbolCopy(*m_pDoc, copy);
    }
    const int oldHeight = fig->m_rect.Height();
    // A figure that scales its text (labels do) takes its text and its
    // default text size along: both are logged first.
    const bool scalesText = fig->HasFlags(kTextScalingFlag, 0) && fig->HasText();
    if (scalesText)
        done = done && m_pDoc->LogFigText(fig, -1) && m_pDoc->LogFigureState(fig);
    done = done && m_pDoc->MoveFigToRect(fig, m_rcResizeTrack);
    if (done && scalesText && fig->m_rect.Height() != oldHeight && LogFitFollowers(*m_pDoc, fig))
        ScaleTextToHeight(*m_pDoc, fig, oldHeight, m_nHandle, m_resizeFlagsPrepared.high);
    // Labels pinned to the figure keep their place beside its new outline.
    if (done)
        m_pDoc->UpdateAllStaples(1);
    log.UndoEndStep();
    if (!done && oldIndex >= 0)
        RestoreSymbol(*fig, oldIndex);
    return done;
}

int CKavoView::UpdateFigResizeTrack(int eraseOnly)
{
    return m_bFigResize ? EndResizeTracking(eraseOnly) : 0;
}

std::string CKavoView::DescribeFigResize() const
{
    if (!m_bFigResize)
        return {};
    std::string format;
    LoadCStringRes(format, Metric ? kIdsSizeMetric : kIdsSizeInch);
    char buf[128];
    std::snprintf(buf, sizeof buf, format.c_str(), LogicalToUserUnits(m_rcResizeTrack.Height()),
                  LogicalToUserUnits(m_rcResizeTrack.Width()));
    return buf;
}
