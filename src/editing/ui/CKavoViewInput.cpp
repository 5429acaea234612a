// The view's input dispatch: every mouse, wheel and key event of a diagram
// view goes to the handler of the current UI mode; around that, what all
// modes share: the one-gesture return to select mode, Escape, arrow keys,
// the wheel, scrolling as an undo step, autoscroll at the window's edge,
// the status text, and ending a gesture cleanly when the view loses the
// mouse or the keyboard.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"

#include "core/MessageBeep.h"
#include "platform/Prompt.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "editing/GestureRules.h"
#include "editing/ui/CTextDialog.h"
#include "geometry/IntGeometry.h"
#include "render/ViewPaint.h"
#include "undo/UndoCodes.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>

namespace {
constexpr int kSelectMode = 0, kSelectTextMode = 1, kCreateMode = 2, kTextMode = 3, kConnectorMode = 4,
              kZoomMode = 5, kBackToSelectMode = 6, kConPtMode = 7;
constexpr int kVkEscape = 27;
constexpr int kVkControl = 17;
// Status texts.
constexpr int kIdsReady = 400, kIdsBand = 404, kIdsDuplicate = 790, kIdsEscSelectMode = 736,
              kIdsEscDeselect = 737, kIdsArrowNudge = 740, kIdsArrowScroll = 741;
constexpr int kIdsMovePrompt = 507;

CPoint ClientPoint(const QPointF& p)
{
    return CPoint(p.toPoint().x(), p.toPoint().y());
}

int VirtualKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Control: return 17;
    default: return 0;
    }
}

bool IsSelectMode()
{
    return g_nUIMode == kSelectMode || g_nUIMode == kSelectTextMode;
}
} // namespace

// ---- key state

bool CKavoView::IsCtrlKeyDown() const
{
    return (m_nKeyMods & Qt::ControlModifier) != 0;
}

bool CKavoView::IsAltKeyDown() const
{
    return (m_nKeyMods & Qt::AltModifier) != 0;
}

bool CKavoView::IsShiftKeyDown() const
{
    return (m_nKeyMods & Qt::ShiftModifier) != 0;
}

bool CKavoView::IsAddToSelectionKey() const
{
    return IsShiftKeyDown() && !IsCtrlKeyDown();
}

bool CKavoView::IsGestureInProgress() const
{
    return m_bClickPending || m_bPanning || m_bDividerDrag || m_bFigResize || m_bGrpResize || m_bMoveDrag ||
           m_bCopyPending || m_bJctDrag || m_bLabelSlide || m_bZoomBand || m_bCreateTracking || m_bConPtDragging ||
           m_bConReroute;
}

// ---- Qt events

void CKavoView::mousePressEvent(QMouseEvent* event)
{
    m_nKeyMods = int(event->modifiers());
    const CPoint pt = ClientPoint(event->position());
    NotePointer(pt);
    if (event->button() == Qt::LeftButton) {
        // A second button during a gesture is ignored; a left press while a
        // gesture still runs (its release was lost) ends that one first.
        if (IsGestureInProgress())
            CancelGesture();
        OnLButtonDown(pt);
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(pt);
    }
    event->accept();
}

void CKavoView::mouseMoveEvent(QMouseEvent* event)
{
    m_nKeyMods = int(event->modifiers());
    // The left button came up where the view did not see it.
    if (IsGestureInProgress() && !(event->buttons() & Qt::LeftButton) && !m_bReFeed) {
        OnLButtonUp(ClientPoint(event->position()));
        return;
    }
    NotePointer(ClientPoint(event->position()));
    OnMouseMove(ClientPoint(event->position()));
    event->accept();
}

void CKavoView::mouseReleaseEvent(QMouseEvent* event)
{
    m_nKeyMods = int(event->modifiers());
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(ClientPoint(event->position()));
    // The drag's feedback is off the surface: what waited repaints now.
    if (!m_bCaptured && !IsGestureInProgress())
        ResumePostponedUpdate();
    event->accept();
}

void CKavoView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_nKeyMods = int(event->modifiers());
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(ClientPoint(event->position()));
    event->accept();
}

void CKavoView::keyPressEvent(QKeyEvent* event)
{
    m_nKeyMods = int(event->modifiers());
    const int vk = VirtualKey(event->key());
    if (!vk && !event->text().isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        OnTypedText(event->text());
        event->accept();
        return;
    }
    if (!vk) {
        CZoomView::keyPressEvent(event);
        return;
    }
    OnKeyDown(vk, event->isAutoRepeat());
    event->accept();
}

void CKavoView::wheelEvent(QWheelEvent* event)
{
    m_nKeyMods = int(event->modifiers());
    const QPoint d = event->angleDelta();
    OnMouseWheel(d.y() != 0 ? d.y() : d.x(), ClientPoint(event->position()));
    event->accept();
}

void CKavoView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_nAutoScrollTimer)
        OnAutoScrollTick();
    else
        CZoomView::timerEvent(event);
}

// Focus lost (another window activated, a dialog opened) or the view hidden
// mid-gesture: the gesture is cancelled, never half committed.
void CKavoView::focusOutEvent(QFocusEvent* event)
{
    if (IsGestureInProgress())
        CancelGesture();
    CZoomView::focusOutEvent(event);
}

void CKavoView::leaveEvent(QEvent* event)
{
    if (!m_bCaptured && !IsGestureInProgress())
        SetViewCursor(Qt::ArrowCursor);
    OnClearFeedback();
    CZoomView::leaveEvent(event);
}

void CKavoView::hideEvent(QHideEvent* event)
{
    if (IsGestureInProgress())
        CancelGesture();
    CZoomView::hideEvent(event);
}

// ---- dispatch

void CKavoView::OnLButtonDown(const CPoint& client)
{
    setFocus();
    if (!m_pDoc || m_pDoc != GetActiveKavoDoc() || g_nUIMode < 0)
        return;
    switch (g_nUIMode) {
    case kSelectMode:
    case kSelectTextMode:
        m_bOneGesture = 0;
        OnSelectLButtonDown(client);
        break;
    case kCreateMode:
        m_bOneGesture = SelectAfterFigureCreate && !AutoEditOnCreate;
        OnCreateFigButtonDown(client);
        break;
    case kConnectorMode:
        m_bOneGesture = SelectAfterConnectorCreate != 0;
        if (IsFixedConMode())
            OnFixedConButtonDown(client);
        else
            OnConButtonDown(client);
        break;
    case kZoomMode:
        m_bOneGesture = 0;
        OnZoomModeDown(client);
        break;
    case kTextMode:
        m_bOneGesture = 0;
        OnTextModeDown(client);
        break;
    case kConPtMode:
        m_bOneGesture = 0;
        OnConPtButtonDown(client);
        break;
    default:
        m_bOneGesture = 0;
        break;
    }
}

void CKavoView::OnMouseMove(const CPoint& client)
{
    // While a drag holds the mouse its XOR feedback is on the surface:
    // repaints wait for the next real paint instead of painting under it.
    if (m_bCaptured)
        PostponeUpdateRegion();
    ReportHover();
    StopAutoScroll(client, false);
    if (!m_pDoc || m_pDoc != GetActiveKavoDoc()) {
        SetViewCursor(Qt::ArrowCursor);
        return;
    }
    if (g_nUIMode < 0)
        return;
    // Another mode was chosen: the preview of mode 2 goes.
    if (g_nUIMode != kCreateMode && m_pRubberFig)
        EndRubberFigure(true, true);
    if (g_nUIMode != kConPtMode)
        ShowConPtHover(false);
    if (g_nUIMode != kTextMode) {
        HideTrackMarker(nullptr, nullptr);
        // Select-text mode keeps the text it frames while the pointer stays
        // on it; its hover erases the frame itself.
        if (g_nUIMode != kSelectTextMode)
            EraseTextAreaHover();
    }
    if (IsSelectMode())
        OnSelectMouseMove(client);
    else if (g_nUIMode == kTextMode)
        OnTextModeMove(client);
    else if (g_nUIMode == kConnectorMode && IsFixedConMode())
        OnFixedConMouseMove(client);
    else if (g_nUIMode == kConnectorMode)
        OnConMouseMove(client);
    else if (g_nUIMode == kZoomMode) {
        OnZoomModeMove(client);
        if (m_bZoomBand)
            StartAutoScroll(client, false);
    } else if (g_nUIMode == kCreateMode) {
        OnCreateFigMouseMove(client);
        if (m_bCreateTracking)
            StartAutoScroll(client, false);
    } else if (g_nUIMode == kConPtMode) {
        OnConPtMouseMove(client);
    }
}

void CKavoView::OnLButtonUp(const CPoint& client)
{
    StopAutoScroll(client, true);
    if (g_nUIMode < 0)
        return;
    if (IsSelectMode())
        OnSelectLButtonUp(client);
    else if (g_nUIMode == kZoomMode)
        OnZoomModeUp(client);
    else if (g_nUIMode == kCreateMode)
        OnCreateFigButtonUp(client);
    else if (g_nUIMode == kConPtMode)
        OnConPtButtonUp(client);
    else if (g_nUIMode == kConnectorMode) {
        // Connector drawing leaves the mode itself when it completes.
        OnConButtonUp(client);
        return;
    }
    if (m_bOneGesture) {
        m_bOneGesture = 0;
        EndRubberFigure(true, true);
        EnterUIMode(kBackToSelectMode, 0);
        ReleaseMouseAtCursor();
    }
}

void CKavoView::OnLButtonDblClk(const CPoint& client)
{
    if (!m_pDoc || m_pDoc != GetActiveKavoDoc())
        return;
    // In connector drawing a double click is another press; in select mode
    // the press of the double click started a click and its release ended it.
    if (IsSelectMode())
        OnSelectDblClk(client);
    else if (g_nUIMode == kConnectorMode)
        OnLButtonDown(client);
}

void CKavoView::OnRButtonDown(const CPoint& client)
{
    // Every gesture counts as a drag in progress, those that hold the mouse
    // included, so a right press never leaves one half done.
    if (!m_pDoc || IsGestureInProgress() || m_bCaptured)
        return;
    if (g_nUIMode == kCreateMode || g_nUIMode == kTextMode || g_nUIMode == kZoomMode) {
        CloseTextEditor();
        if (g_nUIMode == kCreateMode)
            EndRubberFigure(true, true);
        EnterUIMode(kBackToSelectMode, 0);
        ReleaseMouseAtCursor();
        return;
    }
    if (g_nUIMode == kConPtMode) {
        OnConPtContextMenu(client);
        return;
    }
    const int menu = g_nUIMode == kConnectorMode ? kConnectorMenu : kObjectMenu;
    OpenContextMenu(menu, client);
}

void CKavoView::OnKeyDown(int vk, bool autoRepeat)
{
    if (vk == kVkControl && !autoRepeat && g_nUIMode == kCreateMode)
        SetFreeform(true);
    if (vk == kVkEscape) {
        if (!CancelGesture())
            RestoreSelectMode();
        if (!m_bCaptured && !IsGestureInProgress())
            ResumePostponedUpdate();
        UpdateStatusText();
        return;
    }
    if (vk < 37 || vk > 40 || !m_pDoc)
        return;
    const ArrowKeyAction a =
        ArrowKeyActionFor(vk, IsShiftKeyDown(), ShiftToSlide, viewport()->width(), viewport()->height());
    if (a.slide)
        SlideSelection(a.dx, a.dy);
    else if (a.dx || a.dy)
        ScrollByPixels(a.dx, a.dy);
}

void CKavoView::OnMouseWheel(int delta, const CPoint& client)
{
    (void)client;
    const int code = WheelScrollCode(delta);
    if (code < 0 || OfferWheelToStyleBar(code))
        return;
    CloseTextEditor();
    if (IsCtrlKeyDown()) {
        if (delta < 0)
            OnZoomOutKey();
        else
            OnZoomInKey();
        return;
    }
    LogNavigation();
    if (IsShiftKeyDown())
        OnScroll(unsigned(code) | 0xFF00u, 0, true);
    else
        OnScroll(0xFFu | (unsigned(code) << 8), 0, true);
}

// ---- cancel and erase, in the order in which the first active gesture wins

int CKavoView::CancelGesture()
{
    if (m_bClickPending || m_bBandShown)
        return ClickCancel(0);
    if (m_bPanning)
        return PanEnd();
    if (m_bDividerDrag)
        return CancelDividerDrag(0);
    if (m_bFigResize)
        return UpdateFigResizeTrack(0);
    if (m_bGrpResize)
        return UpdateGrpResizeTrack(0);
    if (m_bMoveDrag || m_bCopyPending)
        return MoveDragCancel(0);
    if (m_bJctDrag)
        return JctDragCancel(0);
    if (m_bLabelSlide)
        return LabelSlideCancel(0);
    if ((m_bCreateTracking || m_pRubberFig) && CancelCreateFig(0))
        return 1;
    if (m_bConPtDragging)
        return ConPtDragCancel(0);
    if (m_bZoomBand) {
        DrawZoomBand();
        m_bZoomBand = false;
        ReleaseCapture();
        return 1;
    }
    if (m_bConReroute)
        return ConEndCancel(0);
    return CancelConDraw(0);
}

void CKavoView::EraseGestureFeedback()
{
    if (m_bBandShown) {
        ClickCancel(1);
        return;
    }
    if (m_bFigResize) {
        UpdateFigResizeTrack(1);
        return;
    }
    if (m_bGrpResize) {
        UpdateGrpResizeTrack(1);
        return;
    }
    if (m_bMoveDrag)
        MoveDragCancel(1);
    else if (m_bJctDrag)
        JctDragCancel(1);
    else if (m_bLabelSlide)
        LabelSlideCancel(1);
    else if (m_bCreateTracking || m_pRubberFig)
        CancelCreateFig(1);
    else if (m_bConPtDragging)
        ConPtDragCancel(1);
    else if (m_bConReroute)
        ConEndCancel(1);
    else if (m_bConTracking)
        CancelConDraw(1);
}

// ---- scrolling

void CKavoView::LogNavigation()
{
    if (!m_pDoc || !UndoableNavigation)
        return;
    CUndoLog& log = m_pDoc->UndoLogRef();
    if (log.InUndoStep() || log.GetLastUndoStepCode() == UDMAC_PAN)
        return;
    const CPoint anchor = GetViewAnchorPoint(kAnchorTopLeft);
    log.UndoBeginStep(UDMAC_PAN);
    m_pDoc->LogView(anchor.x, anchor.y, GetZoom());
    log.UndoEndStep();
}

void CKavoView::ConnectScrollBarNavigation()
{
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, [this](int) {
            CloseTextEditor();
            LogNavigation();
        });
}

int CKavoView::ScrollByPixels(int dx, int dy)
{
    if (!m_pDoc)
        return 0;
    const CPoint anchor = GetViewAnchorPoint(kAnchorTopLeft);
    const int lx = ClientLenToLogical(dx);
    const int ly = ClientPtToLogical(CPoint(0, dy)).y - ClientPtToLogical(CPoint(0, 0)).y;
    const CSize client = GetLogicalClientSize();
    const CRect& ws = m_rcWorkSpace;
    CPoint target = anchor;
    const int nx = anchor.x + lx, ny = anchor.y + ly;
    // Only an axis whose new side stays inside the work space scrolls.
    const bool xOk = lx != 0 && nx >= ws.left && nx <= ws.right - client.cx;
    const bool yOk = ly != 0 && ny >= ws.top && ny <= ws.bottom - client.cy;
    if (!xOk && !yOk)
        return 0;
    if (xOk)
        target.x = nx;
    if (yOk)
        target.y = ny;
    LogNavigation();
    ScrollToViewAnchorPoint(target, kAnchorTopLeft, true);
    if (m_pTextDlg)
        m_pTextDlg->PlaceOverText(true);
    m_nRulerUpdate = kRulerVertical | kRulerHorizontal | kRulerCorner;
    return 1;
}

void CKavoView::SlideSelection(int dx, int dy)
{
    if (!m_pDoc || m_pDoc->GetSelCount() == 0)
        return;
    DiagPrintf("USER  Slide selected\n");
    if (m_pDoc->m_bAlignToGrid) {
        dx *= std::max(1, int(m_pDoc->m_nSnapX));
        dy *= std::max(1, int(m_pDoc->m_nSnapY));
    } else {
        const int px = std::max(1, std::abs(ClientLenToLogical(1)));
        dx *= px;
        dy *= px;
    }
    const CRect rc = m_pDoc->GetObjSetRect(1, 0, 0, nullptr, false);
    int cx = dx, cy = dy;
    if (ClampOffsetToRect(rc, cx, cy, m_rcWorkSpace)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    m_pDoc->MoveSelection(dx, dy, 1, true);
}

// ---- autoscroll

void CKavoView::StartAutoScroll(const CPoint& client, bool force)
{
    if (m_nAutoScrollTimer || IsTextEditorOpen())
        return;
    // Only a maximized child window scrolls by itself; a view without a
    // child window around it counts as one.
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (w->inherits("QMdiSubWindow") && !w->isMaximized())
            return;
    if (!force) {
        if (m_bReFeed || !m_bCaptured || IsInClient(client))
            return;
    }
    m_nAutoScrollTimer = startTimer(kAutoScrollPeriodMs);
}

void CKavoView::StopAutoScroll(const CPoint& client, bool force)
{
    if (!m_nAutoScrollTimer)
        return;
    if (!force) {
        if (m_bReFeed || !IsInClient(client))
            return;
    }
    killTimer(m_nAutoScrollTimer);
    m_nAutoScrollTimer = 0;
}

CPoint CKavoView::CursorClientPos() const
{
    const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
    return CPoint(p.x(), p.y());
}

bool CKavoView::IsInClient(const CPoint& client) const
{
    return client.x >= 0 && client.y >= 0 && client.x < viewport()->width() && client.y < viewport()->height();
}

void CKavoView::NotePointer(const CPoint& client)
{
    if (!IsInClient(client))
        return;
    m_ptLastPointer = client;
    m_bPointerSeen = true;
}

CPoint CKavoView::TypingClientPos() const
{
    const CPoint cursor = CursorClientPos();
    if (IsInClient(cursor))
        return cursor;
    if (m_bPointerSeen && IsInClient(m_ptLastPointer))
        return m_ptLastPointer;
    return CPoint(viewport()->width() / 2, viewport()->height() / 2);
}

void CKavoView::OnAutoScrollTick()
{
    const CPoint cursor = CursorClientPos();
    const int w = viewport()->width(), h = viewport()->height();
    // Device distances from the visible sides to the work space's sides.
    const CPoint wsTl = LogicalPtToClient(m_rcWorkSpace.TopLeft());
    const CPoint wsBr = LogicalPtToClient(m_rcWorkSpace.BottomRight());
    const CRect room(std::max(0, -wsTl.x), std::max(0, -wsTl.y), std::max(0, wsBr.x - w), std::max(0, wsBr.y - h));
    const CSize d = AutoScrollDelta(cursor, w, h, room);
    if (d.cx == 0 && d.cy == 0)
        return;
    EraseGestureFeedback();
    if (!ScrollByPixels(d.cx, d.cy))
        StopAutoScroll(cursor, true);
    m_bReFeed = 1;
    FlushPaint();
    OnMouseMove(CursorClientPos());
    m_bReFeed = 0;
}

void CKavoView::ReleaseMouseAtCursor()
{
    const int mods = m_nKeyMods;
    m_nKeyMods = 0;
    OnMouseMove(CursorClientPos());
    m_nKeyMods = mods;
    ReleaseCapture();
}

// While a button is held the window system sends every move and the release
// to the view that took the press, also outside it; the flag only tells the
// gestures that the view holds the mouse.
void CKavoView::CaptureMouse()
{
    m_bCaptured = 1;
}

void CKavoView::ReleaseCapture()
{
    m_bCaptured = 0;
    // A drag handed over from another view holds the mouse explicitly.
    if (QWidget::mouseGrabber() == viewport())
        viewport()->releaseMouse();
}

// ---- cursor and status text

void CKavoView::SetViewCursor(int shape)
{
    m_nCursor = shape;
    viewport()->setCursor(ViewCursorFor(shape));
}

void CKavoView::ShowStatus(const std::string& text)
{
    if (text.empty())
        return;
    m_strStatus = text;
    if (IAppContext* app = GetAppContext())
        app->SetStatusBarText(text);
}

void CKavoView::UpdateStatusText()
{
    std::string text;
    DescribeCreateSize(text);
    if (text.empty())
        text = DescribeFigResize();
    if (text.empty())
        text = DescribeGrpResize();
    if (text.empty() && m_bClickPending)
        text = ResText(kIdsBand);
    if (text.empty())
        text = MoveDragStatus();
    if (text.empty())
        text = ResText(kIdsReady);
    ShowStatus(text);
}

void CKavoView::SetStatusPrompt(int id)
{
    SetStatusPromptText(ResText(id), id);
}

void CKavoView::SetStatusPromptText(std::string text, int id)
{
    if (id == kIdsMovePrompt)
        text += "   " + ResText(kIdsDuplicate);
    if (!IsSelectMode())
        text += "   " + ResText(kIdsEscSelectMode);
    else if (m_pDoc && m_pDoc->GetSelCount() > 0)
        text += "   " + ResText(kIdsEscDeselect) + "   " + ResText(ShiftToSlide ? kIdsArrowScroll : kIdsArrowNudge);
    ShowStatus(text);
}
