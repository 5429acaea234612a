#pragma once
// The window in which a diagram is shown: draws the page and the objects
// through the zooming scroll view, keeps its work space and scroll sizes,
// converts between client and logical coordinates and runs the zoom
// commands. Mouse, wheel and key input is dispatched by UI mode to the
// gestures (CKavoViewInput.cpp, CKavoViewSelect.cpp, CKavoViewMoveDrag.cpp,
// CKavoViewResize.cpp); each gesture draws its feedback inverted on the
// view's surface, so drawing it twice erases it.
#include "core/AppContext.h"
#include "document/CFigPickList.h"
#include "document/IDocView.h"
#include "platform/GlobalMem.h"
#include "editing/DividerEdit.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/ui/CZoomView.h"
#include "shapes/DividedShapeResizeArgs.h"
#include "shapes/FigFlags.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CKavoDoc;
class CFigure;
class CGroup;
class CConnector;
class CFigSymbol;
class QTimerEvent;
class QInputMethodEvent;
class CTextDialog;
class QMimeData;
struct TextDialogArgs;

// Ruler-update flags: vertical ruler, horizontal ruler, corner box.
constexpr int kRulerVertical = 1;
constexpr int kRulerHorizontal = 2;
constexpr int kRulerCorner = 4;
// Room the rulers take on the left and at the top.
constexpr int kRulerBand = 21;
// Logical units per ruler division: a centimetre (as the rulers count it)
// or an inch.
constexpr int kRulerMetricUnits = 100;
constexpr int kRulerInchUnits = 256;
// The slot a dragged free label would take at the drop.
constexpr int kLblSlotNone = 0, kLblSlotCon = 1, kLblSlotFlow = 2, kLblSlotLateral = 3, kLblSlotFig = 4;
constexpr int kTextTargetFree = 0, kTextTargetArea = 5;

class CKavoView : public CZoomView, public IDocView, public IActiveView {
    Q_OBJECT
public:
    explicit CKavoView(CKavoDoc* doc, QWidget* parent = nullptr);
    ~CKavoView() override;

    CKavoDoc* GetDocument() const { return m_pDoc; }
    void OnInitialUpdate();
    void OnActivateView(bool activate);
    // IDocView: hint 0 everything, hint 1 a logical rectangle, others nothing.
    void OnDocUpdate(IDocView* sender, int hint, const CRect* rect) override;
    void OnUpdate(IDocView* sender, int hint, const CRect* rect) { OnDocUpdate(sender, hint, rect); }

    // Drawing (screen, printing and captures).
    void OnDraw(CDC& dc);
    CDiagObjDrawCtx& DrawCtx() { return m_ctx; }

    // ---- coordinates
    CPoint ClientPtToLogical(const CPoint& p) const;
    CPoint LogicalPtToClient(const CPoint& p) const;
    CRect ClientRectToLogical(const CRect& rc) const;
    CRect LogicalRectToClient(const CRect& rc) const;
    int LogicalLenToClient(int len) const;
    int ClientLenToLogical(int len) const;
    CRect GetLogicalClientRect();
    CSize GetLogicalClientSize() const;
    double GetZoomFactor() const { return GetZoom(); }
    CPoint ClampPtToWorkSpace(const CPoint& p) const;
    // Lays the ruler bands out again (the rulers setting changed) and redraws.
    void RedrawFrameNow();

    // ---- work space and scroll sizes
    void SetScrollSizesForView(const CPoint& anchor, float zoom);
    void SetWorkSpace(const CPoint& anchor, float zoom);
    const CRect& WorkSpace() const { return m_rcWorkSpace; }

    // ---- zoom (CKavoViewZoom.cpp)
    float GetMaxZoom() const;
    float GetMinZoom() const;
    bool ClampZoomToLimits(float& percent) const;
    CSize ClientSizeAtZoom(float percent) const;
    float GetPageWidthPercent() const;
    // Page width shows the page's corner a few pixels in from the client's:
    // the top-left point it scrolls to at that percent.
    CPoint PageWidthAnchor(float percent) const;
    bool IsPageWidthZoom(const CPoint* point = nullptr, const float* percent = nullptr) const;
    bool ZoomToPercent(float percent);
    bool ZoomToPercentPtd(float percent, int x, int y, bool keepRatio);
    bool ZoomToRect(const CRect& rect);
    bool ZoomToPage(int index);
    int CurrentPageIndex() const;
    void OnZoomInKey();
    void OnZoomOutKey();
    void OnZoomInButton();
    void OnZoomOutButton();
    void OnZoomPageWidth();
    void OnZoomWholePage();
    void OnZoomAllObjects();
    void OnZoomSelectedObjects();
    void OnZoomPreset(int entry);
    void OnZoomPrevPage();
    void OnZoomNextPage();
    // The zoom settings, asked for through `run` (the dialog, which returns
    // whether anything changed and whether the presets did); true when the
    // zoom presets changed (the zoom menu is then relabelled by its owner).
    bool OnZoomSetIntervals(bool (*run)(QWidget* parent, bool* presetsChanged));
    // Zoom mode (UI mode 5), client coordinates: a band longer than the
    // double-click width zooms to it, a click zooms in 1.5 times around the
    // point.
    void OnZoomModeDown(const CPoint& client);
    void OnZoomModeMove(const CPoint& client);
    void OnZoomModeUp(const CPoint& client);
    bool IsZoomBandActive() const { return m_bZoomBand; }

    int m_nRulerUpdate = 0;
    bool m_bZoomPageWidthPending = false;
    bool m_bInitialised = false;

    // ---- IActiveView
    // The mouse left the view: the creation preview and the hover marker go.
    void OnClearFeedback() override;
    void EndRubberFigure(bool erase, bool remove) override;
    bool InTextEditMode() const override { return false; }
    bool IsCursorOverView() const override;
    void SetPendingPlacement() override {}
    bool IsTextEditorOpen() const override;
    bool HasTextEditorSelection() const override;
    void CloseTextEditor() override { CloseEditor(); }
    void SetFocus() override { setFocus(); }
    void SetZoomAndScroll(float zoom, int x, int y) override;
    // What the window shows of the diagram: new objects are placed there.
    bool GetVisibleLogicalRect(CRect& rc) const override;

    // ---- input dispatch (CKavoViewInput.cpp); points in client pixels.
    // The modifier keys of the event being handled are kept for the key
    // tests below.
    void OnLButtonDown(const CPoint& client);
    void OnMouseMove(const CPoint& client);
    void OnLButtonUp(const CPoint& client);
    void OnLButtonDblClk(const CPoint& client);
    void OnRButtonDown(const CPoint& client);
    void OnKeyDown(int vk, bool autoRepeat);
    void OnMouseWheel(int delta, const CPoint& client);
    void OnAutoScrollTick();
    // 1 when a gesture was in progress and has been cancelled.
    int CancelGesture();
    // Erases the feedback of the gesture in progress, keeping the gesture.
    void EraseGestureFeedback();
    int ScrollByPixels(int dx, int dy);
    void SlideSelection(int dx, int dy);
    void StartAutoScroll(const CPoint& client, bool force);
    void StopAutoScroll(const CPoint& client, bool force);
    bool IsAutoScrolling() const { return m_nAutoScrollTimer != 0; }
    void ReleaseMouseAtCursor();
    void UpdateStatusText();
    void SetStatusPrompt(int id);
    const std::string& StatusText() const { return m_strStatus; }
    bool IsCtrlKeyDown() const;
    bool IsAltKeyDown() const;
    bool IsShiftKeyDown() const;
    bool IsAddToSelectionKey() const;
    bool IsGestureInProgress() const;
    // A drag holds the mouse (it follows the pointer outside the window).
    bool HoldsMouse() const { return m_bCaptured != 0; }
    // Which cursor the view shows (Qt::CursorShape).
    int ViewCursor() const { return m_nCursor; }
    int m_nHitTolerance = 1;

    // ---- select mode (CKavoViewSelect.cpp)
    int OnSelectLButtonDown(const CPoint& client);
    int OnSelectMouseMove(const CPoint& client);
    int OnSelectLButtonUp(const CPoint& client);
    void OnSelectHover(const CPoint& logical);
    int OnCtrlLButtonDown(const CPoint& logical);
    // Select-text mode (UI mode 1): a press on the text of an unselected
    // figure opens the in-place editor there, and hovering such text shows
    // it framed; 1 when the event was taken.
    int OnSelTextClick(const CPoint& logical, const CPoint& client);
    int OnSelTextHover(const CPoint& logical);
    int ClickMove(const CPoint& client);
    int ClickUp(const CPoint& client);
    int ClickCancel(int eraseOnly);
    void BeginPan(const CPoint& client);
    int PanMove(const CPoint& client);
    int PanEnd();
    bool IsBandShown() const { return m_bBandShown != 0; }

    // ---- move drag (CKavoViewMoveDrag.cpp)
    int BeginMoveDrag(const CPoint& logical);
    int MoveDragMove(const CPoint& client);
    bool LeavesFlowBehind() const;
    CSize SnapCentreOffset(const CPoint& centre, int dx, int dy) const;
    int MoveDragUp();
    int MoveDragCancel(int eraseOnly);
    // A move drag whose pointer reaches another view of the same document
    // goes on there with the same press point (CKavoViewDragHandOver.cpp);
    // true when it was handed over.
    bool HandOverMoveDrag();
    CKavoView* OtherViewUnderCursor() const;
    std::string MoveDragStatus() const;
    bool IsMoveDragging() const { return m_bMoveDrag != 0; }

    // ---- label slide (CKavoViewLabelSlide.cpp): a connector label or a
    // lateral label slides along its connector.
    int OnLabelSlideDown(const CPoint& logical);
    int BeginLabelSlide(CFigure* label, const CPoint& logical);
    int LabelSlideMove(const CPoint& client);
    int LabelSlideUp();
    int LabelSlideCancel(int eraseOnly);
    bool IsLabelSliding() const { return m_bLabelSlide != 0; }

    // ---- junction drag (CKavoViewJctDrag.cpp): a junction moved alone by
    // its centre handle; its connectors follow.
    int OnJctButtonDown(const CPoint& logical);
    // Alt press on a connector: split it there with a new junction (one
    // step) and drag that junction.
    int OnAltSplitDown(const CPoint& logical);
    int BeginJctDrag(CFigure* jct, const CPoint& logical);
    int JctDragMove(const CPoint& client);
    // The offset of the junction for the pointer: snapped to the guides
    // (or the grid), kept inside the work space.
    CSize JctDragOffset(const CPoint& logical) const;
    int JctDragUp();
    int JctDragCancel(int eraseOnly);
    bool IsJctDragging() const { return m_bJctDrag != 0; }
    // A junction of exactly two connectors of one line shape, not a
    // terminal: a bend of one line, neither adjusted nor selected by a click.
    bool IsRedundantBend(const CFigure* fig) const;

    // ---- compartment dividers (CKavoViewDivider.cpp)
    int HitTestDivider(const CPoint& logical);
    int OnDividerButtonDown(const CPoint& logical);
    int TrackDividerDrag(const CPoint& client);
    int EndDividerDrag();
    int CancelDividerDrag(int queryOnly);
    bool IsDividerDragging() const { return m_bDividerDrag != 0; }

    // ---- figure resize (CKavoViewResize.cpp)
    int OnFigHandleHover(const CPoint& logical);
    int OnFigHandleDown(const CPoint& logical);
    int TrackFigResize(const CPoint& client);
    int EndFigResize();
    int UpdateFigResizeTrack(int eraseOnly);
    std::string DescribeFigResize() const;
    bool IsFigResizing() const { return m_bFigResize != 0; }
    int OnGrpHandleHover(const CPoint& logical);
    int OnGrpHandleDown(const CPoint& logical);
    int TrackGrpResize(const CPoint& client);
    int EndGrpResize();
    int UpdateGrpResizeTrack(int eraseOnly);
    std::string DescribeGrpResize() const;
    bool IsGrpResizing() const { return m_bGrpResize != 0; }
    const CRect& ResizeTrackRect() const { return m_rcResizeTrack; }

    // ---- connector drawing in UI mode 4 (CKavoViewConDraw.cpp), the
    // connector-end drag of select mode and the connection-point marker
    // (CKavoViewConEnd.cpp); points in client pixels unless named logical.
    int OnConButtonDown(const CPoint& client);
    int OnConMouseMove(const CPoint& client);
    int OnConButtonUp(const CPoint& client);
    // 1 when a connector gesture was cancelled; with keepCapture only its
    // feedback is erased.
    int CancelConDraw(int keepCapture);
    // The attach target under a client point; false outside the work space.
    bool FindConTarget(const CPoint& client, const POINT* ref, ConTarget& out) const;
    bool IsConDrawing() const { return m_bConTracking != 0; }
    bool IsConEndDragging() const { return m_bConReroute != 0; }
    std::string ConDrawStatus() const;
    // Attach mode 3 without Shift or 1 with Shift: ends keep the click point.
    bool IsAttachKeyFree() const;
    // Attach mode 0 or Ctrl held: ends stay free.
    bool IsAttachKeyCtrl() const;
    const CFigPickList* PickList() const { return m_pPickList.get(); }
    int OnConEndDown(const CPoint& logical);
    int ConEndMove(const CPoint& client);
    int ConEndUp();
    int ConEndCancel(int eraseOnly);
    // One marker for the whole program: index -1 none, -2 the free point.
    void ShowConPtMarker(CFigure* fig, int index, const CPoint& logical, bool guides);
    void EraseConPtMarker();
    // Gesture steps: the moving end to the target under the pointer, a
    // click, the finish, and the rubber connector drawn inverted.
    bool TrackConEnd(const CPoint& client);
    int ConClick(const CPoint& client, bool isUp);
    void FinishConDraw();
    void DrawRubberCon(const std::vector<CPoint>& pts);
    void UpdateRubberCon();
    void EraseRubberCon();
    // The corners of the last leg routed orthogonally (Alt held).
    void RouteLastLeg(const CFigPick& from, const ConTarget& to);
    // The click-placed variant (CKavoViewFixedCon.cpp): a style of fixed
    // length is placed whole by one click.
    bool IsFixedConMode() const;
    int OnFixedConButtonDown(const CPoint& client);
    int OnFixedConMouseMove(const CPoint& client);
    CPoint m_ptFixedPlaced;          // client point of the last placement
    int m_bFixedImageHidden = 0;
    std::unique_ptr<CFigPickList> m_pPickList, m_pPickOrig;
    int m_nClicks = 0, m_bConTracking = 0, m_bConReroute = 0;
    CConnector* m_pRerouteCon = nullptr;
    int m_nRerouteEnd = 2, m_nConStyle = -1, m_nHoverKind = 1, m_nConEndIndex = 0;
    std::vector<CPoint> m_rubberShown;   // the rubber connector's points as drawn
    std::vector<CPoint> m_altInner;      // corners of the Alt-routed last leg
    CFigure* m_pConEndFlagged = nullptr;
    FigFlagSet m_conEndSavedFlags;

public:
    // ---- label drop feedback (CKavoViewLabelFeedback.cpp): a rectangle at
    // the target and a dotted line to what the label would be pinned to,
    // drawn inverted; showing one kind erases every kind first. A null DC:
    // the view's own client DC.
    void ShowAttachFeedback(CFigure* fig, CConnector* con, int slot, const CRect& rect, int corner, CDC* dc);
    bool EraseAttachFeedback(CDC* dc);
    void ShowFigLblFeedback(CFigure* fig, const CRect& rect, int code, CDC* dc);
    bool EraseFigLblFeedback(CDC* dc);
    void ShowRectFeedback(CDiagObj* obj, const CPoint& pt, const CSize& size, CDC* dc);
    bool EraseRectFeedback(CDC* dc);
    void ShowLblDropFeedback(CConnector* con, const CPoint& pt, const CRect& rect, int code, CDC* dc);
    bool EraseLblDropFeedback(CDC* dc);
    void EraseLabelFeedback();
    // ---- label creation (CKavoViewLabelCreate.cpp), each in one undo
    // step: a figure label at position `code` in `rect`, a flow label in a
    // slot, a connector label at a point of its connector, a lateral label
    // beside it. False, with nothing made, when refused.
    bool CreateFigLbl(CFigure* fig, int code, const CRect& rect);
    bool CreateFlowLbl(CFigure* fig, CConnector* con, int slot, int corner, const CRect& rect);
    bool CreateConLbl(CConnector* con, const CPoint& pt);
    // A free label of the current label style, its top left at the point; null
    // when none was made.
    CFigure* CreateLbl(const CPoint& logical);
    bool CreateLatLbl(CConnector* con, const CPoint& pt, int offset, int consistency);
    // The context-menu commands for the object at a logical point.
    bool AddFigLblAtCursor(const CPoint& logical, int code);
    bool AddFlowLblAtCursor(const CPoint& logical, int slot);
    bool OnAddLatLblHere(const CPoint& logical);
    bool OnAddConLblHere(const CPoint& logical);
    // A label command of the context menu (LabelMenu.h) for the point it
    // was opened at.
    bool OnLabelMenuCommand(int id, const CPoint& logical);

    // ---- seams to the menus, the style bar and the application
    // (CKavoViewSeams.cpp): a right press opens a context menu through
    // the hook, the wheel is offered to the style bar first (true when it
    // took it, with the scroll code and the cursor's screen point), and a
    // mouse move reports the view as the window under the cursor.
    enum ContextMenuKind { kObjectMenu = 0, kConnectorMenu = 1, kConPtMenu = 2 };
    std::function<void(int kind, const CPoint& client)> m_contextMenuHook;
    std::function<bool(int code, const CPoint& screen)> m_styleBarWheelHook;
    static void SetHoverReport(std::function<void(QWidget* wnd)> report);
    void ReportHover();
    void OpenContextMenu(int kind, const CPoint& client);
    bool OfferWheelToStyleBar(int code);
    // Hover prompts (CKavoViewHover.cpp): 1 when the cursor and prompt are set.
    int OnAltSplitHover(const CPoint& logical);
    int OnConEndHover(const CPoint& logical);
    int OnLinkHover(const CFigure& fig, const CPoint& logical);
    // A prompt already loaded (and formatted) for string `id`, with the
    // mode hints appended as SetStatusPrompt appends them.
    void SetStatusPromptText(std::string text, int id);

    // ---- in-place text editing (CKavoViewTextEdit.cpp)
    // caretMode -1: the caret goes to the forwarded click; -2: no click,
    // everything selected unless a character is typed.
    bool BeginTextEdit(CFigure* fig, int section, bool forwardClick, const CPoint& client, char ch, int caretMode);
    bool OpenTextEditor(CFigure* fig, int section, bool forwardClick, const CPoint& client, char ch, int caretMode);
    // Pictures dragged over the view (CKavoViewDrop.cpp): a picture of the
    // drag's own data (an enhanced metafile, a bitmap or image, or a picture
    // file) follows the pointer as a rubber figure and is dropped as a new
    // picture figure in one undo step; the drag's text may describe its
    // parts (name and connection points). Points in client pixels.
    bool OnDragEnter(const QMimeData* data, const CPoint& client);
    bool OnDragOver(const CPoint& client);
    void OnDragLeave();
    bool OnDrop(const CPoint& client);
    const std::string& DroppedPartName() const { return m_strDroppedPart; }
    // Find and Replace (CKavoViewFind.cpp): brings the text area into sight,
    // clear of `avoid` (a window over the view, in global pixels), and opens
    // the editor on it with start..end selected, leaving the focus where it
    // is; false when no editor could be opened.
    bool ShowFindMatch(CFigure* fig, int area, int start, int end, const QRect& avoid);
    // Scrolls so that the text area (the figure for area -1) shows centred,
    // unless it shows already (always when forced).
    void ShowTextInView(CFigure* fig, bool force, int area, const QRect& avoid);
    // Stores the edited text, fits the figure and keeps one undo step; false
    // when no editor was open.
    bool CloseEditor();
    // A change the open editor makes to its whole figure through the
    // document, as an undo step of its own between what was typed before
    // it and what is typed after it; `change` gives its result.
    bool ChangeEditedFigure(const std::function<bool()>& change);
    void MoveToAdjacentSection(int direction);
    // A click on a figure's text area opens the editor there.
    bool EditTextAtPoint(const CPoint& logical, const CPoint& client);
    CTextDialog* TextEditor() const { return m_pTextDlg; }
    CFigure* EditedFigure() const { return m_pEditFig; }
    int EditedSection() const { return m_nEditSection; }
    // What the view shows in the client rectangle `area`, drawn into a new
    // bitmap of its size as on the screen (while a text is edited, without
    // the edited text: the editor's background). False when the bitmap
    // cannot be made.
    bool RenderAreaToBitmap(const QRect& area, QImage& bitmap);
    // The edit commands go to the open editor first; false when it does not
    // take the command.
    bool OnEditorCommand(int id);
    void OnEditorEscape();
    void OnEditorRightClick();
    void OnEditorFocusLost();
    // Typed characters (key presses and input-method commits).
    void OnTypedText(const QString& text);
    void OnChar(char ch);
    void OnSelectChar(char ch);
    void OnSelectDblClk(const CPoint& client);
    // Text mode (UI mode 3): typing and clicks edit text areas or make labels.
    void OnTextModeChar(char ch);
    void OnTextModeDown(const CPoint& client);
    void OnTextModeMove(const CPoint& client);
    // What a text-mode click or key at a logical point does
    // (CKavoViewTextMode.cpp), first that applies: edit a text area, a label
    // on the connector, in a flow slot, beside a connector, round a figure,
    // else a free label. Ctrl leaves only the free label.
    struct TextModeTarget {
        int kind = 0;   // kTextTarget*
        CFigure* fig = nullptr;
        CConnector* con = nullptr;
        int area = -1, slot = -1, corner = -1, code = 0, offset = 0;
        CRect rect;
        CPoint pt;
    };
    TextModeTarget FindTextModeTarget(const CPoint& logical, bool forClick);
    bool CreateTextModeLabel(const TextModeTarget& t, char ch);
    // Step 8 of every label creation, after its step ended: the editor opens
    // on the new label when its style's default text is empty or "Label",
    // or a character was typed (which it takes).
    bool EditNewLabel(CFigure* label, char ch);
    // The text-area hover of text mode: its feedback, the text cursor and
    // the prompt; false (feedback erased) when no area is under the point.
    bool HoverTextArea(const CPoint& logical);
    bool IsTextAreaHoverShown() const { return m_pHoverTextFig != nullptr; }
    void EraseTextAreaHover();
    // The label a text-mode click would make, previewed under the cursor
    // (logical points); drawn inverted, so drawing it again erases it.
    void ShowTrackMarker(CDC* dc, const CPoint& logical);
    bool HideTrackMarker(CDC* dc, CPoint* logical);
    void DrawTrackMarker(CDC& dc, const CPoint& logical, const CConnector* con);
    bool IsTrackMarkerShown() const { return m_bTrackMarkerShown; }
    CRect TrackMarkerRect(const CPoint& logical) const;
    // A click fixes the marker's wait point: it shows again only after the
    // cursor has moved the double-click width from there.
    static void WaitTrackMarkerMove(const CPoint& client);

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The scroll area leaves drag events to its viewport; the view takes
    // them itself (CKavoViewDrop.cpp).
    bool event(QEvent* event) override;

private:
    // OpenTextEditor in two halves: the figure made ready, then the editor
    // made over it with the arguments given.
    bool PrepareEditor(CFigure* fig, int section);
    void StartEditor(CFigure* fig, int section, TextDialogArgs& args);

    // The picture of a drag in progress, the view's until a drop hands it
    // to the document; the part name its description gave.
    HGLOBAL m_hDropPicture = nullptr;
    std::string m_strDroppedPart;
    void ForgetDropPicture(bool free);
    CPoint DropPoint(const QPointF& pos) const;

    // The label the last creation operation made (null when it failed).
    CFigure* m_pNewLabel = nullptr;
    CFigure* m_pHoverTextFig = nullptr;
    int m_nHoverTextArea = -1;
    CRect m_rcHoverText;   // logical
    bool m_bTrackMarkerShown = false;
    CPoint m_ptTrackMarker;
    const CConnector* m_pTrackMarkerCon = nullptr;
    CTextDialog* m_pTextDlg = nullptr;
    CFigure* m_pEditFig = nullptr;
    int m_nEditSection = -1;
    std::string m_strEditText0, m_strEditSecond0;   // the area's texts at opening
    FigFlagSet m_editFlags0;
    bool m_bBroughtForward = false;
    bool m_bEditModified0 = false;
    bool m_bOpeningEditor = false;
    // The editor was opened on a label just made for typing, inside the
    // step that made it.
    bool m_bEditingNewLabel = false;

public:
    // ---- figure creation, UI mode 2 (CKavoViewCreateFig.cpp): a rubber
    // figure of the current figure style previews under the pointer, a
    // click or drag places a figure in one undo step; and connection-point
    // editing, UI mode 7 (CKavoViewConPts.cpp). Points in client pixels.
    int OnCreateFigMouseMove(const CPoint& client);
    int OnCreateFigButtonDown(const CPoint& client);
    int OnCreateFigButtonUp(const CPoint& client);
    // 1 when a creation drag was under way; 0 also frees the capture.
    int CancelCreateFig(int keepCapture);
    void SetFreeform(bool on);
    // A printable character typed in mode 2; false when not taken.
    bool OnCreateFigChar(int ch);
    int DescribeCreateSize(std::string& out) const;
    void SnapCreatePoint(CPoint& pt, const FigFlagSet& flags, const CSize* size) const;
    bool NewRubberFig(const CPoint& logical);
    void MoveRubberFig(const CPoint& logical);
    bool EditNewFigText(CFigure* fig);
    // The flow (a connector, or a bend of two) under a logical point into
    // which a figure of the size fits; true and the flow target kept when
    // one takes it, `refused` when a flow is there but the figure does not
    // fit (CKavoViewCreateFlow.cpp).
    bool FindFlowDropTarget(const CPoint& pt, const CSize& size, bool& refused, const CFigure* fig);
    bool HasFlowDropTarget() const { return m_pFlowCon != nullptr; }
    bool IsCreateTracking() const { return m_bCreateTracking != 0; }
    const CFigure* RubberFigure() const { return m_pRubberFig.get(); }
    // Opens the in-place text editor on a text area of an object, the
    // character typed handed on (0: none); installed by the text editor.
    using TextEditStarter = bool (*)(CKavoView& view, CFigure* obj, int area, int ch);
    static void SetTextEditStarter(TextEditStarter starter);

    int OnConPtMouseMove(const CPoint& client);
    int OnConPtButtonDown(const CPoint& client);
    int OnConPtButtonUp(const CPoint& client);
    void OnConPtContextMenu(const CPoint& client);
    int ConPtDragCancel(int eraseOnly);
    // The hover marker of mode 7 (the point under the pointer, or where a
    // click would add one), drawn inverted; erased before anything changes.
    void ShowConPtHover(bool show, const CPoint& logical = CPoint());
    bool IsConPtHoverShown() const { return m_bConPtHoverShown != 0; }
    // Commands 32811 delete, 32812 add, 32813 properties of the menu's point.
    void OnConPtCommand(int id);
    bool IsConPtDragging() const { return m_bConPtDragging != 0; }
    // The connection-point menu: its items' states in, the chosen command
    // out (0 none). The default shows a popup menu at the point.
    struct ConPtMenuItems {
        bool hasPoint = false, deleteEnabled = false, addEnabled = false;
    };
    using ConPtMenuRunner = int (*)(CKavoView& view, const CPoint& client, const ConPtMenuItems& items);
    static void SetConPtMenuRunner(ConPtMenuRunner runner);
    // What the open connection-point menu offers, for a menu built through
    // the context-menu hook (which then sends OnConPtCommand).
    const ConPtMenuItems& ConPtMenuState() const { return m_conPtMenuItems; }
    // Opens the figure's sheet on its Connections page with the point chosen.
    using ConPtSheetOpener = void (*)(CKavoView& view, CFigure* fig, int key);
    static void SetConPtSheetOpener(ConPtSheetOpener opener);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void DrawRubberFig(const CRect& rc);
    void ShowRubberFig(bool show);
    CRect CreateDragRect(const CPoint& logical, FigFlagSet flags);
    bool FinishCreateFig();
    // The figure's centre put on the flow under the point, if any.
    CPoint FlowSnapCreatePoint(const CPoint& pt, const CSize& size);
    // A figure of a pin kind: its centre put on the host under it, if any.
    CPoint PinSnapCreatePoint(const CPoint& pt, const CSize& size);
    void ApplySlotCreateRules();
    void ForgetSlotTarget();
    // "Cannot insert a figure of this size into the flow at this location."
    void ShowFlowMisfit();
    void InsertNewFigIntoFlow(CFigure* fig);
    int CreateFigDragMove(const CPoint& client);
    // A compartmented figure dragged out with ResizeByStretching on keeps its
    // dividers' distances: a copy of its symbol is stretched along, and the
    // new figure takes it under a new name (CKavoViewCreateStretch.cpp).
    void BeginCreateStretch();
    void StretchRubberFig(const CRect& rc);
    // The copy's index in the symbol library, -1 when not stretching.
    int CommitCreateStretch(CFigure& fig);
    void EndCreateStretch();
    std::string CreateFigPrompt() const;
    CFigure* ConPtFigAt(const CPoint& logical);
    CPoint SnapConPtPoint(const CFigure* fig, const CPoint& logical) const;
    CPoint ConPtDragPlace(const CPoint& client) const;
    void DrawConPtSquare(const CPoint& logical);

    std::unique_ptr<CFigure> m_pRubberFig;
    int m_bRubberShown = 0, m_bCreateTracking = 0, m_bDragToSize = 0, m_bSizeFromText = 0, m_bFreeform = 0;
    int m_nAttachMode = -1, m_bFlowDrop = 0, m_bResizeAfterPress = 1, m_nCreateHandle = 9, m_bMoved = 0;
    CRect m_rcRubber, m_rcRubberStart;
    CPoint m_ptHandleStart, m_ptTrack, m_ptCreatePress, m_ptCreatePressClient, m_ptLastClient;
    // The last client point of a mouse event over the view, and whether
    // there was one.
    CPoint m_ptLastPointer;
    bool m_bPointerSeen = false;
    CSize m_sizeMin;
    FigFlagSet m_nCreateFlags;
    int m_bConPtDragging = 0, m_nDragConPt = -1, m_bConPtMoved = 0, m_bConPtShown = 0;
    CFigure* m_pConPtFig = nullptr;
    CPoint m_ptConPtStart, m_ptConPtLast, m_ptConPtShown, m_ptConPtHover;
    int m_bConPtHoverShown = 0;
    CFigure* m_pMenuConPtFig = nullptr;
    int m_nMenuConPt = -1;
    ConPtMenuItems m_conPtMenuItems;
    CPoint m_ptMenuConPt;

public:
    // ---- pins while dragging (CKavoViewPin.cpp)
    int GetHitTolerance() const override { return m_nHitTolerance; }
    // Snaps a figure being created (moveFlag 0) or dragged (1) whose centre
    // is `centre` to the nearest host the attach kinds allow: the centre
    // moves onto the placed position. The host, or null.
    CFigure* SnapPinToHost(CPoint& centre, const CSize& size, int moveFlag, int& rowId, CPoint& guide,
                           int& guideFlag, const CFigure* fig);
    void BeginPinDrag(CFigure* single);
    CSize SnapPinDragOffset(const CSize& off);
    // After the move: the dragged pin is linked to the host it was dropped
    // on, or its link cut, inside the move's undo step.
    void DropDraggedPin(bool moved);
    // A pin snapped to a host: its centre and, when the snap reported one,
    // the guide across the host become the document's snap guides. Without
    // a host the guides a pin set go (a figure dragged alone gets its
    // neighbours' guides back).
    void SetPinGuides(CFigure* host, const CPoint& centre, const CPoint& guide, int guideFlag);
    void ClearPinGuides();
    CFigure* m_pDragPin = nullptr;
    int m_bPinGuides = 0;
    // The host the rubber figure of figure creation snapped to, with the
    // id of the attach-kind row that placed it (-1 with no host).
    CFigure* m_pSlotTarget = nullptr;
    int m_nSlotKey = -1;

protected:
    void RenderArea(CDC& dc, const QRect& rc) override;
    void OnSize() override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void SetViewCursor(int shape);
    void ShowStatus(const std::string& text);
    void CaptureMouse();
    void ReleaseCapture();
    // A dotted band from a to b (logical), inverted: drawn twice it is gone.
    void DrawInvertedBand(const CPoint& a, const CPoint& b);
    void DrawBand();
    void DrawMoveTracking(int dx, int dy);
    void EraseMoveTracking();
    // Ends the junction drag: what the press selected is deselected again.
    void FinishJctDrag();
    void DrawLabelSlideTracking(int dx, int dy, bool show);
    void FinishLabelSlide();
    // The drag offset of a logical point: the snap guides, the grid when the
    // drag snaps, and the start rectangle kept inside the work space.
    CSize SnappedDragOffset(const CPoint& pt) const;
    bool SnapFigToNeighbours(const CFigure* fig);
    void EndMoveGuides();
    // Flow insertion while dragging: the offset that puts the figure's
    // centre on the connector under it; the target is kept for the drop.
    CSize FlowInsertOffset(const CSize& off);
    void InsertDroppedFigIntoFlow(bool moveMadeStep);
    // Free label: the slot under its moved centre (CKavoViewLabelDrop.cpp)
    // and the offset that puts the label there.
    CSize FindLabelSlot(const CSize& off);
    void AttachDroppedLabel();
    void ForgetFreeLabel();
    void DrawResizeOutline(const CRect& rc);
    void DrawGrpResizeOutline(const CRect& rc);
    int BeginDividerDrag(CFigure* fig, const CPoint& logical);
    void MoveDividerStep(const CPoint& logical);
    void DrawResizeTracking(const CRect& rc);
    // Takes a tracked rectangle of either resize, or refuses it.
    int AcceptResizeRect(const CRect& rc, const CPoint& logical);
    void BeginShapeStretch(CFigure* fig);
    void UpdateStretchFeedback(const CRect& rc);
    // The least size of the resized figure: its text extent, and for a
    // figure whose text is laid out by compartment the compartments' least
    // size on the axes the handle moves; `refreshPlan` restores the stretch
    // plan for the step.
    CSize CalcFigResizeMin(bool refreshPlan);
    bool CommitFigResize(CFigure* fig);
    // Erases the outline; unless eraseOnly also ends the resize.
    int EndResizeTracking(int eraseOnly);
    CGroup* GroupResizeHandleAt(const CPoint& logical, int& handle) const;
    static int ResizeCursorShape(int handle);
    void LogNavigation();
    // The user's scroll-bar actions close the text editor and are logged as
    // navigation first.
    void ConnectScrollBarNavigation();
    CPoint CursorClientPos() const;
    bool IsInClient(const CPoint& client) const;
    // Where typing in the select mode makes its label: the mouse cursor when
    // it is over the view, else the last point the pointer had over it, else
    // the view's centre (a key may come before the pointer was ever there).
    CPoint TypingClientPos() const;
    void NotePointer(const CPoint& client);
    void ApplyRulerMargins();
    // Gives each ruler the zoom and the page origin's place.
    void FeedRulers();
    void AfterZoomCommand();
    void DrawZoomBand();
    bool ZoomBandIsDrag() const;

    CKavoDoc* m_pDoc;
    CDiagObjDrawCtx m_ctx;
    CRect m_rcWorkSpace;
    CRect m_rcLogicalClient;
    bool m_bZoomBand = false;
    int m_nPageShown = -1;   // the page the page commands last showed
    CPoint m_ptZoomStart, m_ptZoomEnd;   // logical

    // ---- gesture state
    int m_nKeyMods = 0;          // Qt::KeyboardModifiers of the event in hand
    int m_bOneGesture = 0;       // leave the mode after this press's release
    int m_nAutoScrollTimer = 0;  // 0: none running
    int m_bReFeed = 0;           // a synthetic move after an autoscroll step
    int m_bCaptured = 0;
    int m_nCursor = 0;
    std::string m_strStatus;
    CPoint m_ptPress, m_ptCurrent;   // logical
    CPoint m_ptPressClient;
    int m_bClickPending = 0, m_bStillClick = 0, m_bSelectedByGesture = 0, m_bBandShown = 0;
    int16_t m_nHandle = 0;
    int m_bPanning = 0, m_bPanChangedSizes = 0, m_nSavedLimitedWorkspace = 0;
    CPoint m_ptPanScreen;
    int m_bMoveDrag = 0, m_bCopyPending = 0, m_bDragGridSnap = 0, m_bLabelDrag = 0;
    int m_bTrackShown = 0;
    CSize m_szTrackShown;        // the offset the shown tracking is drawn at
    CRect m_rcDragStart;
    // Flow insertion: the single dragged figure (no connectors, not a
    // label), and the connector (or the bend on it) it would be inserted
    // into at the drop.
    int m_bFlowInsert = 0;
    CFigure* m_pFlowFig = nullptr;
    CConnector* m_pFlowCon = nullptr;
    CFigure* m_pFlowJct = nullptr;
    CPoint m_ptFlowInsert;
    // A free label being dragged (hit tests skip it), and the connector
    // whose label slot it would take at the drop.
    CFigure* m_pFreeLabel = nullptr;
    CConnector* m_pLblSlotCon = nullptr;
    int m_bLabelSlide = 0;
    CFigure* m_pSlideLabel = nullptr;
    int m_bJctDrag = 0;
    CFigure* m_pJctFig = nullptr;
    int m_bJctGuides = 0;   // the document's snap guides steer the drag
    // A figure dragged alone snaps its centre to where its connectors run
    // straight; the centre at the press.
    int m_bMoveGuides = 0;
    CPoint m_ptMoveCentre;
    int m_bFigResize = 0, m_bResizeShown = 0, m_bStretching = 0;
    CFigure* m_pResizeFig = nullptr;
    std::shared_ptr<CFigSymbol> m_pStretchSym;   // the stretched copy; null when none
    FigFlagSet m_resizeFlagsBefore, m_resizeFlagsPrepared;
    CSize m_szResizeMin;           // the figure's text extent: the least size
    // Stretch plan of a compartmented figure: which rows and columns give
    // up a shrink, built at the press and restored for each step.
    SpecialResizeArgs m_stretchPlan, m_stretchPlanSaved;
    int m_nDragDivider = -1, m_nSavedSymbol = -1, m_bDividerDrag = 0;
    CFigure* m_pDividerFig = nullptr;
    CPoint m_ptLastDrag, m_ptDragAnchor;
    int m_bDividerMovesCons = 0, m_nSectionCount = 0, m_bForceTrackStep = 0;
    SIZE m_aSectionMin[kMaxSectionMins] = {};
    int m_bGrpResize = 0;
    CGroup* m_pResizeGrp = nullptr;
    CRect m_rcGrpStart;
    CRect m_rcResizeTrack;
    // ---- label drop: the slot kind a dragged free label would take
    // (kLblSlot*), its target, and the feedback shown for each kind.
    int m_nLblSlotKind = 0;
    CFigure* m_pLblSlotFig = nullptr;
    int m_nLblSlot = -1, m_nLblSlotCorner = -1;
    CRect m_rcLblSlot;
    struct {
        CFigure* fig = nullptr;
        CConnector* con = nullptr;
        int slot = -1, corner = -1;
        CRect rect;
    } m_flowFeedback;
    struct {
        CFigure* fig = nullptr;
        int code = -1;
        CRect rect;
    } m_figLblFeedback;
    struct {
        CConnector* con = nullptr;
        CRect rect;
    } m_rectFeedback;
    struct {
        CConnector* con = nullptr;
        CPoint pt;
        CRect rect;
        int code = -1;
    } m_latFeedback;
    CPoint m_ptLblSlot;   // where a lateral label would be pinned
    void DrawFlowFeedback(CDC& dc) const;
    void DrawFigLblFeedback(CDC& dc) const;
    void DrawRectFeedback(CDC& dc) const;
    void DrawLatFeedback(CDC& dc) const;
    // Runs `draw` on `dc`, or on a client DC of the view made for it.
    template <class Fn> void WithFeedbackDC(CDC* dc, Fn draw);
    bool SnapDroppedLabel(const CSize& off, CSize& moved);
    // Shows the feedback of the slot found (or erases it); the move
    // tracking is not shown meanwhile, so that the two nest.
    void ShowLabelSlotFeedback();
};

// Edit Text of the documents opens the active view's in-place editor.
void InstallViewTextEditing();

// The view of the main window's active child, or null.
CKavoView* GetActiveKavoView();
// Installed by the frame: finds the active view.
void SetActiveKavoViewFinder(CKavoView* (*finder)());
