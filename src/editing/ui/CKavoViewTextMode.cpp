// Text mode (UI mode 3): a click or a typed character edits the text area
// under it, or makes a label where it is: on the connector, in the flow
// slot, beside the connector, at the position round the figure, else a free
// label. Hovering shows what a click would do: the target's feedback, the
// cursor and the prompt, or the preview of a free label under the cursor.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"

#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "editing/GestureRules.h"
#include "editing/ui/CTextDialog.h"
#include "graphics/DrawGrid.h"
#include "platform/CPainterDC.h"
#include "platform/Prompt.h"
#include "render/StyleSample.h"

#include <cmath>

namespace {
// The preview of a free label waits, after a click, until the cursor has
// moved away: one wait for the program, as one view has the mouse.
bool g_bTrackMarkerWait = false;
CPoint g_ptTrackMarkerWait;

const char* const kHintFreeform = "CTRL: freeform";
const char* const kHintCloseEdit = "ESC: close text edit";
const char* const kHintSelectMode = "ESC: select mode";

// Client pixels round a logical rectangle, one more on each side for the
// pen.
QRect ClientArea(const CKavoView& view, const CRect& logical)
{
    CRect rc = view.LogicalRectToClient(logical);
    rc.NormalizeRect();
    return QRect(rc.left - 1, rc.top - 1, rc.Width() + 3, rc.Height() + 3);
}
} // namespace

CKavoView::TextModeTarget CKavoView::FindTextModeTarget(const CPoint& pt, bool forClick)
{
    TextModeTarget t;
    t.pt = pt;
    if (!m_pDoc || IsCtrlKeyDown())
        return t;
    CDiagObj* obj = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0);
    if (obj && obj->GetType() == kObjFigure && !InTextEditMode() && !forClick) {
        auto* fig = static_cast<CFigure*>(obj);
        const int area = fig->IsInvisible() ? -1 : EditableAreaFromPoint(*fig, pt);
        if (area >= 0) {
            t.kind = kTextTargetArea;
            t.fig = fig;
            t.area = area;
            return t;
        }
    }
    if (obj && obj->GetType() == kObjConnector && SnapToConLblSlots) {
        auto* con = static_cast<CConnector*>(obj);
        if (!con->m_pGroup && !m_pDoc->FindConOrLatLblStaple(con)) {
            t.kind = kLblSlotCon;
            t.con = con;
            const CSize size = m_pDoc->GetConLblStyleSize();
            t.rect = CRect(CPoint(pt.x - size.cx / 2, pt.y - size.cy / 2), size);
            return t;
        }
    }
    int gap = 0, inflate = 0;
    m_pDoc->GetLabelSpacing(gap, inflate);
    if (SnapToFlwLblSlots && m_pDoc->FindFlowLblSlotAt(m_pDoc->GetNewFlowLblSize(), inflate, gap, pt, nullptr, t.fig,
                                                       t.con, t.rect, t.slot, t.corner)) {
        t.kind = kLblSlotFlow;
        return t;
    }
    WORD align = 0;
    if (SnapToLatLblSlots && m_pDoc->FindLatLblSlotAt(m_pDoc->GetNewLatLblSize(), inflate, 0, pt, -1, t.con, t.offset,
                                                      t.rect, align)) {
        t.kind = kLblSlotLateral;
        // The side found, at the connector's own distance.
        const int offset = m_pDoc->GetLatLblOffset(t.con);
        t.offset = t.offset < 0 ? -offset : offset;
        return t;
    }
    t.fig = nullptr;
    t.con = nullptr;
    if (SnapToFigLblSlots &&
        (t.fig = m_pDoc->FindFreeFigLblPosAt(pt, m_nHitTolerance, m_pDoc->GetNewFigLblSize(), t.code, t.rect))) {
        t.kind = kLblSlotFig;
        return t;
    }
    t = TextModeTarget();
    t.pt = pt;
    return t;
}

bool CKavoView::CreateTextModeLabel(const TextModeTarget& t, char ch)
{
    m_pNewLabel = nullptr;
    bool made = false;
    switch (t.kind) {
    case kLblSlotCon: made = CreateConLbl(t.con, t.pt); break;
    case kLblSlotFlow: made = CreateFlowLbl(t.fig, t.con, t.slot, t.corner, t.rect); break;
    case kLblSlotLateral: made = CreateLatLbl(t.con, t.pt, t.offset, 0); break;
    case kLblSlotFig: made = CreateFigLbl(t.fig, t.code, t.rect); break;
    case kTextTargetFree: made = CreateLbl(t.pt) != nullptr; break;
    default: break;
    }
    if (!made || !m_pNewLabel)
        return false;
    EditNewLabel(m_pNewLabel, ch);
    return true;
}

bool CKavoView::EditNewLabel(CFigure* label, char ch)
{
    if (!label || !m_pDoc)
        return false;
    // A new label holds its style's default text: a real text stays unless
    // the user typed over it.
    const std::string& text = label->m_strText;
    if (!ch && !text.empty() && text != "Label")
        return false;
    m_pDoc->UpdateAllViews(nullptr, 0, nullptr);
    // The creation's own step holds the label: the editor adds none.
    if (!OpenTextEditor(label, 0, false, CPoint(), ch, -2))
        return false;
    m_bEditingNewLabel = true;
    return true;
}

// ---- the text-mode handlers

void CKavoView::OnTextModeChar(char ch)
{
    const CPoint client = CursorClientPos();
    if (!IsInClient(client)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    CloseEditor();
    HideTrackMarker(nullptr, nullptr);
    EraseTextAreaHover();
    EraseLabelFeedback();
    const TextModeTarget t = FindTextModeTarget(ClientPtToLogical(client), false);
    if (t.kind == kTextTargetArea) {
        if (t.fig->m_nTextRotate != 0)
            MessageBeep(MB_ICONEXCLAMATION);
        else
            BeginTextEdit(t.fig, t.area, false, client, ch, -2);
        return;
    }
    if (!CreateTextModeLabel(t, ch))
        MessageBeep(MB_ICONEXCLAMATION);
}

void CKavoView::OnTextModeDown(const CPoint& client)
{
    HideTrackMarker(nullptr, nullptr);
    EraseTextAreaHover();
    EraseLabelFeedback();
    WaitTrackMarkerMove(client);
    const CPoint pt = ClientPtToLogical(client);
    if (!InTextEditMode() && EditTextAtPoint(pt, client))
        return;
    CloseEditor();
    CreateTextModeLabel(FindTextModeTarget(pt, true), 0);
}

// The cursor, feedback and prompt of text mode: what a click would do here.
void CKavoView::OnTextModeMove(const CPoint& client)
{
    const CPoint pt = ClientPtToLogical(client);
    const TextModeTarget t = FindTextModeTarget(pt, false);
    if (t.kind != kTextTargetFree)
        HideTrackMarker(nullptr, nullptr);
    if (t.kind == kTextTargetArea && HoverTextArea(pt)) {
        EraseLabelFeedback();
        return;
    }
    EraseTextAreaHover();
    std::string prompt;
    switch (t.kind) {
    case kLblSlotCon:
        ShowRectFeedback(t.con, pt, t.rect.Size(), nullptr);
        prompt = "Click to create a connector label";
        break;
    case kLblSlotFlow:
        ShowAttachFeedback(t.fig, t.con, t.slot, t.rect, t.corner, nullptr);
        prompt = "Click to create a flow label";
        break;
    case kLblSlotLateral:
        ShowLblDropFeedback(t.con, pt, t.rect, t.offset, nullptr);
        prompt = "Click to create a connector label";
        break;
    case kLblSlotFig:
        ShowFigLblFeedback(t.fig, t.rect, t.code, nullptr);
        prompt = "Click to create a figure label";
        break;
    default: {
        EraseLabelFeedback();
        HideTrackMarker(nullptr, nullptr);
        ShowTrackMarker(nullptr, pt);
        const std::string& name = m_pDoc->m_curLblStyle.m_strName;
        prompt = m_pDoc->m_nCurLblStyle >= 0 && !name.empty() ? "Click to create a \"" + name + "\" label"
                                                              : "Click to create a label";
        break;
    }
    }
    if (!IsCtrlKeyDown())
        prompt += std::string("   ") + kHintFreeform;
    prompt += std::string("   ") + (IsTextEditorOpen() ? kHintCloseEdit : kHintSelectMode);
    SetViewCursor(kCursorLabel);
    ShowStatus(prompt);
}

// ---- the text-area hover

bool CKavoView::HoverTextArea(const CPoint& logical)
{
    CFigure* fig = nullptr;
    int area = -1;
    if (m_pDoc && !IsCtrlKeyDown()) {
        CDiagObj* obj = m_pDoc->ObjFromPoint(logical.x, logical.y, m_ctx.handleSize, false, -1, 0, 0);
        if (obj && obj->GetType() == kObjFigure && !obj->m_bSelected && !static_cast<CFigure*>(obj)->IsInvisible()) {
            fig = static_cast<CFigure*>(obj);
            area = EditableAreaFromPoint(*fig, logical);
        }
    }
    if (area < 0) {
        EraseTextAreaHover();
        return false;
    }
    if (fig == m_pEditFig && area == m_nEditSection) {
        EraseTextAreaHover();
        return true;
    }
    if (fig != m_pHoverTextFig || area != m_nHoverTextArea) {
        EraseTextAreaHover();
        CRect box;
        if (GetEditableTextRect(*fig, area, box)) {
            m_pHoverTextFig = fig;
            m_nHoverTextArea = area;
            m_rcHoverText = box;
            // Just inside the figure's outline, which it would hide.
            CRect inner = box;
            const int px = std::abs(ClientLenToLogical(2));
            inner.DeflateRect(px, px);
            std::unique_ptr<CPainterDC> dc = GetClientDC();
            DrawDottedRect(dc.get(), inner, 2);
            dc->Flush();
            viewport()->update(ClientArea(*this, box));
        }
    }
    SetViewCursor(Qt::IBeamCursor);
    std::string prompt = "Click to edit text";
    if (!IsCtrlKeyDown())
        prompt += std::string("   ") + kHintFreeform;
    prompt += std::string("   ") + (IsTextEditorOpen() ? kHintCloseEdit : kHintSelectMode);
    ShowStatus(prompt);
    return true;
}

// Taken off by drawing the diagram under it again, which also clears it
// where a repaint has run over it meanwhile.
void CKavoView::EraseTextAreaHover()
{
    if (!m_pHoverTextFig)
        return;
    m_pHoverTextFig = nullptr;
    m_nHoverTextArea = -1;
    InvalidateClient(ClientArea(*this, m_rcHoverText));
}

// ---- the tracking marker

void CKavoView::WaitTrackMarkerMove(const CPoint& client)
{
    g_bTrackMarkerWait = true;
    g_ptTrackMarkerWait = client;
}

CRect CKavoView::TrackMarkerRect(const CPoint& logical) const
{
    return CRect(logical, m_pDoc ? m_pDoc->GetNewLblSize() : CSize());
}

void CKavoView::ShowTrackMarker(CDC* dc, const CPoint& logical)
{
    if (!m_pDoc)
        return;
    if (g_bTrackMarkerWait) {
        const CPoint client = LogicalPtToClient(logical);
        if (std::hypot(double(client.x - g_ptTrackMarkerWait.x), double(client.y - g_ptTrackMarkerWait.y)) <
            kDoubleClickWidth)
            return;
        g_bTrackMarkerWait = false;
    }
    if (m_bTrackMarkerShown)
        return;
    CDiagObj* obj = m_pDoc->ObjFromPoint(logical.x, logical.y, m_nHitTolerance, false, -1, 0, 0);
    m_pTrackMarkerCon = obj && obj->GetType() == kObjConnector ? static_cast<CConnector*>(obj) : nullptr;
    m_ptTrackMarker = logical;
    if (dc) {
        DrawTrackMarker(*dc, logical, m_pTrackMarkerCon);
    } else {
        std::unique_ptr<CPainterDC> own = GetClientDC();
        DrawTrackMarker(*own, logical, m_pTrackMarkerCon);
        own->Flush();
        viewport()->update(ClientArea(*this, TrackMarkerRect(logical)));
    }
    m_bTrackMarkerShown = true;
}

bool CKavoView::HideTrackMarker(CDC* dc, CPoint* logical)
{
    (void)dc;
    if (!m_bTrackMarkerShown)
        return false;
    m_bTrackMarkerShown = false;
    m_pTrackMarkerCon = nullptr;
    if (logical)
        *logical = m_ptTrackMarker;
    // The diagram under it is drawn again, whatever painted over it since.
    InvalidateClient(ClientArea(*this, TrackMarkerRect(m_ptTrackMarker)));
    return true;
}

// The label style's sample, inverted and combined by exclusive or, shows as
// the sample itself on a white page; a connector under it is inverted back.
void CKavoView::DrawTrackMarker(CDC& dc, const CPoint& logical, const CConnector* con)
{
    const CRect rc = TrackMarkerRect(logical);
    CRect px = LogicalRectToClient(rc);
    px.NormalizeRect();
    if (px.Width() <= 0 || px.Height() <= 0)
        return;
    QImage sample(px.Width(), px.Height(), QImage::Format_RGB32);
    sample.fill(Qt::white);
    {
        CPainterDC sdc(&sample);
        int index = -1;
        const CFigStyle& style = m_pDoc->GetLblStyleNamed(std::string(), index);
        StyleSampleArgs args;
        args.text = &style.DefaultText;
        args.text2 = &style.TextInits;
        // The box in logical units: the text shows at the size it will have.
        args.sampleWidth = rc.Width();
        args.sampleHeight = rc.Height();
        DrawStyleSample(&sdc, style.m_props, m_pDoc, CRect(0, 0, px.Width(), px.Height()), args);
        sdc.Flush();
    }
    sample.invertPixels();
    CPainterDC src(&sample);
    dc.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &src, 0, 0, SRCINVERT);
    if (con) {
        const int saved = dc.SaveDC();
        dc.IntersectClipRect(&rc);
        con->Draw(&dc, con->EndPoint1.x, con->EndPoint1.y, con->EndPoint2.x, con->EndPoint2.y, false);
        dc.RestoreDC(saved);
    }
}
