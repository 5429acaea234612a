// Editing text where it stands: the view opens the editor window over one
// text area of a figure, records the undo step first, and on closing stores
// the edited markup, fits the figure to its text and keeps the change as
// that one step (or drops the step when nothing changed). Typing and double
// clicks in select mode and clicks and typing in text mode start it.
#include "editing/ui/CKavoView.h"

#include "core/MessageBeep.h"
#include "platform/Prompt.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/ConLabelPlace.h"
#include "document/DocCommandSeams.h"
#include "document/DocCommands.h"
#include "document/HyperlinkCommands.h"
#include "editing/ui/CTextDialog.h"
#include "editing/ui/TextEntrySeams.h"
#include "platform/Ansi.h"
#include "platform/CPainterDC.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupBuilder.h"
#include "undo/UndoCodes.h"

#include <QInputMethodEvent>

namespace {

constexpr int kCreateMode = 2, kTextMode = 3, kConnectorMode = 4, kZoomMode = 5, kBackToSelectMode = 6;
constexpr DWORD kTextOnlyFlag = 0x40;
constexpr DWORD kFitFlags = 0x80 | 0x100;
constexpr int kConPropsCmd = 33063, kLabelPropsCmd = 33120, kFigPropsCmd = 33054;

TextEntrySeams g_textEntrySeams;

bool IsLabelCreationStep(int code)
{
    return code == UDMAC_CREATELBL || code == UDMAC_CREATECONLBL || code == UDMAC_CREATEFIGLBL ||
           code == UDMAC_CREATEFLWLBL || code == UDMAC_CREATELATLBL;
}

// Whether a figure after this one in the drawing order covers part of it.
// Connectors and junctions (invisible figures) cover none of its text, and
// bringing the figure in front of them would hide the lines crossing it.
bool IsOverlappedInFront(const CKavoDoc& doc, const CFigure* fig)
{
    bool after = false;
    for (CDiagObj* o : *doc.m_pObjList) {
        if (o == fig) {
            after = true;
            continue;
        }
        if (!after || o->GetType() != kObjFigure || static_cast<CFigure*>(o)->IsInvisible())
            continue;
        CRect a = fig->m_rect, b = static_cast<CFigure*>(o)->m_rect, both;
        a.NormalizeRect();
        b.NormalizeRect();
        if (both.IntersectRect(a, b))
            return true;
    }
    return false;
}

CKavoView* ActiveKavoView()
{
    IAppContext* app = GetAppContext();
    return app ? dynamic_cast<CKavoView*>(app->GetActiveView()) : nullptr;
}

// Edit Text of the document opens the active view's editor on the area with
// everything selected.
void InstallEditTextSeam()
{
    GetDocCommandSeams().openTextEditor = [](CKavoDoc& doc, CFigure& fig, int area) {
        CKavoView* view = ActiveKavoView();
        if (view && view->GetDocument() == &doc)
            view->BeginTextEdit(&fig, area, false, CPoint(), 0, -2);
    };
}

} // namespace

TextEntrySeams& GetTextEntrySeams()
{
    return g_textEntrySeams;
}

bool CKavoView::IsTextEditorOpen() const
{
    return m_pTextDlg && m_pEditFig;
}

bool CKavoView::HasTextEditorSelection() const
{
    return m_pTextDlg && m_pTextDlg->HasSelection();
}

bool CKavoView::BeginTextEdit(CFigure* fig, int section, bool forwardClick, const CPoint& client, char ch,
                              int caretMode)
{
    if (!fig || !m_pDoc)
        return false;
    CloseEditor();
    if (!m_pDoc->LogTextEditStep(fig, section))
        return false;
    if (OpenTextEditor(fig, section, forwardClick, client, ch, caretMode))
        return true;
    // Nothing opened: the step written for it goes again.
    CUndoLog& log = m_pDoc->UndoLogRef();
    if (log.GetLastUndoStepCode() == UDMAC_TEXTEDIT)
        log.DiscardLastUndoStep();
    return false;
}

bool CKavoView::OpenTextEditor(CFigure* fig, int section, bool forwardClick, const CPoint& client, char ch,
                               int caretMode)
{
    if (!PrepareEditor(fig, section))
        return false;
    TextDialogArgs a;
    a.placedByClick = forwardClick && caretMode == -1;
    a.click = client;
    a.firstChar = ch;
    a.selStart = caretMode;
    a.selEnd = caretMode;
    StartEditor(fig, section, a);
    return true;
}

bool CKavoView::PrepareEditor(CFigure* fig, int section)
{
    DiagPrintf("USER  Open text, sector = %d\n", section);
    if (!m_pDoc || !fig)
        return false;
    if (g_nUIMode == kCreateMode)
        EnterUIMode(kBackToSelectMode, 0);
    CloseEditor();
    m_bEditingNewLabel = false;
    CRect box;
    if (!fig->GetSymbol() || !GetEditableTextRect(*fig, section, box))
        return false;
    m_pEditFig = fig;
    m_nEditSection = section;
    fig->GetText(m_strEditText0, m_strEditSecond0, section);
    m_editFlags0 = fig->m_props.Behavior;
    m_bEditModified0 = m_pDoc->IsModified();
    m_bBroughtForward = false;
    if (IsOverlappedInFront(*m_pDoc, fig)) {
        // Its place in the order is in the step already.
        m_pDoc->m_pObjList->MoveTo(fig, m_pDoc->m_pObjList->GetCount() - 1);
        m_bBroughtForward = true;
    }
    return true;
}

void CKavoView::StartEditor(CFigure* fig, int section, TextDialogArgs& a)
{
    m_ctx.filter = kDrawFilterOneSection;
    m_ctx.filterObj = fig;
    m_ctx.filterSection = section;
    InvalidateAll();
    a.fig = fig;
    a.section = section;
    a.text = m_strEditText0;
    a.prefix = m_strEditSecond0;
    m_bOpeningEditor = true;
    m_pTextDlg = new CTextDialog(this, a);
    m_bOpeningEditor = false;
}

bool CKavoView::CloseEditor()
{
    if (!m_pTextDlg || !m_pEditFig || m_bOpeningEditor)
        return false;
    // Cleared first: the editor losing the focus as it goes calls here again.
    CTextDialog* dlg = m_pTextDlg;
    CFigure* fig = m_pEditFig;
    const int section = m_nEditSection;
    const bool newLabel = m_bEditingNewLabel;
    m_pTextDlg = nullptr;
    m_pEditFig = nullptr;
    m_nEditSection = -1;
    m_bEditingNewLabel = false;
    DiagPrintf("STAT  Close text()\n");
    m_ctx.filter = kDrawFilterAll;
    m_ctx.filterObj = nullptr;
    m_ctx.filterSection = -1;
    dlg->PrepareClose();
    dlg->hide();
    dlg->deleteLater();
    InvalidateAll();
    if (!m_pDoc)
        return true;
    std::string text = dlg->Text();
    TextFormatRec format = FigureSectionFormat(*fig, section);
    format.SetFromMarkup(dlg->Prefix());
    NormalizeMarkup(text, &format, kMarkupTextLimit, false);
    std::string now, second;
    fig->GetText(now, second, section);
    // Written only when it differs: writing an area adds the separators the
    // texts lack.
    if (now != text || second != dlg->Prefix()) {
        fig->SetText(text, dlg->Prefix(), section);
        fig->GetText(now, second, section);
    }
    bool changed = now != m_strEditText0 || second != m_strEditSecond0;
    fig->m_props.Behavior = m_editFlags0;
    CUndoLog& log = m_pDoc->UndoLogRef();
    if (newLabel && !fig->HasText() && IsLabelCreationStep(log.GetLastUndoStepCode())) {
        // A label made for typing that got no text goes with the step that
        // made it: ending the edit (a click elsewhere, Escape) leaves no
        // empty label behind.
        m_pDoc->UndoLastStep();
        m_pDoc->UpdateAllStaples(0);
        return true;
    }
    if ((fig->m_props.Behavior.low & kTextOnlyFlag) && !fig->HasText()) {
        // A text-only figure left empty goes, in a step of its own when its
        // text had changed; undo brings it back with its old text.
        const int32_t id = fig->m_nId;
        if (log.GetLastUndoStepCode() == UDMAC_TEXTEDIT)
            m_pDoc->UndoLastStep();
        if (changed) {
            if (CDiagObj* again = m_pDoc->m_pObjList->FindById(id, kObjFigure)) {
                m_pDoc->UndoBeginStep(UDMAC_TEXTEDIT);
                m_pDoc->CutObjAndCascade(again);
                m_pDoc->UndoEndStep();
            }
        }
        m_pDoc->SetModifiedFlag(true);
        m_pDoc->UpdateAllStaples(0);
        return true;
    }
    if ((fig->m_props.Behavior.low & kFitFlags) && !IsSpecialTextArea(*fig, section))
        changed = FitFigToText(*m_pDoc, fig, 1, true, false, nullptr) || changed;
    // The fit keeps the top left: a connector label goes back onto its line.
    changed = PlaceConLblOnLine(*fig) || changed;
    m_pDoc->InvalidateObj(fig);
    m_pDoc->UpdateAllStaples(0);
    if (changed) {
        m_pDoc->SetModifiedFlag(true);
    } else {
        m_pDoc->SetModifiedFlag(m_bEditModified0 || m_bBroughtForward);
        if (!m_bBroughtForward && log.GetLastUndoStepCode() == UDMAC_TEXTEDIT)
            log.DiscardLastUndoStep();
    }
    return true;
}

bool CKavoView::ChangeEditedFigure(const std::function<bool()>& change)
{
    if (!m_pDoc || !m_pEditFig || !m_pTextDlg)
        return change();
    CUndoLog& log = m_pDoc->UndoLogRef();
    std::string text, second;
    m_pEditFig->GetText(text, second, m_nEditSection);
    // The text step opened with the editor holds nothing yet: it goes, so
    // that undo takes the change back at once.
    if (!m_bBroughtForward && !m_bEditingNewLabel && text == m_strEditText0 && second == m_strEditSecond0 &&
        log.GetLastUndoStepCode() == UDMAC_TEXTEDIT)
        log.DiscardLastUndoStep();
    const bool ok = change();
    // What is typed from here on is a text step after the change; closing
    // the editor drops it again when nothing is.
    m_pEditFig->GetText(m_strEditText0, m_strEditSecond0, m_nEditSection);
    m_editFlags0 = m_pEditFig->m_props.Behavior;
    m_bEditModified0 = m_pDoc->IsModified();
    m_bBroughtForward = false;
    m_pDoc->LogTextEditStep(m_pEditFig, m_nEditSection);
    return ok;
}

void CKavoView::MoveToAdjacentSection(int direction)
{
    if ((direction != 1 && direction != -1) || !IsTextEditorOpen())
        return;
    CFigure* fig = m_pEditFig;
    const int n = fig->GetTextAreaCount();
    if (n <= 0)
        return;
    const int next = (m_nEditSection + direction + n) % n;
    if (next == m_nEditSection)
        return;
    CloseEditor();
    BeginTextEdit(fig, next, false, CPoint(), 0, -2);
}

bool CKavoView::EditTextAtPoint(const CPoint& logical, const CPoint& client)
{
    if (!m_pDoc || IsCtrlKeyDown())
        return false;
    CDiagObj* obj = m_pDoc->ObjFromPoint(logical.x, logical.y, m_ctx.handleSize, false, -1, 0, 0);
    if (!obj || obj->GetType() != kObjFigure || obj->m_bSelected)
        return false;
    auto* fig = static_cast<CFigure*>(obj);
    if (fig->IsInvisible())
        return false;
    const int area = EditableAreaFromPoint(*fig, logical);
    if (area < 0)
        return false;
    if (fig->m_nTextRotate != 0) {
        // Rotated text is edited in the property sheet.
        if (GetTextEntrySeams().sendCommand)
            GetTextEntrySeams().sendCommand(fig->m_bLabel ? kLabelPropsCmd : kFigPropsCmd);
        return true;
    }
    BeginTextEdit(fig, area, true, client, 0, -1);
    return true;
}

bool CKavoView::OnEditorCommand(int id)
{
    if (!m_pTextDlg)
        return false;
    switch (id) {
    case 57632: m_pTextDlg->OnEditClear(); return true;
    case 57634: m_pTextDlg->OnEditCopy(); return true;
    case 57635: m_pTextDlg->OnEditCut(); return true;
    case 57637: m_pTextDlg->OnEditPaste(PasteKind::Any); return true;
    case 32786: m_pTextDlg->OnEditPaste(PasteKind::PlainText); return true;
    case 32788: m_pTextDlg->OnEditPaste(PasteKind::Formatted); return true;
    case 33029: m_pTextDlg->OnSelectAll(); return true;
    case 36531:
    case 36532:
    case 36533: {
        // Bold, italic and underline switch off when the whole selection
        // has them.
        DiagPrintf(id == 36531 ? "USER  Bold\n" : id == 36532 ? "USER  Italic\n" : "USER  Underline\n");
        RangeFormat now;
        const bool has = m_pTextDlg->GetSelectionFormat(now);
        FormatRequest r;
        int& attr = id == 36531 ? r.bold : id == 36532 ? r.italic : r.underline;
        const int current = id == 36531 ? now.bold : id == 36532 ? now.italic : now.underline;
        attr = has && current ? 0 : 1;
        m_pTextDlg->ApplyFormat(r);
        return true;
    }
    default: return false;
    }
}

void CKavoView::OnEditorEscape()
{
    CloseEditor();
    setFocus();
}

void CKavoView::OnEditorRightClick()
{
    CloseEditor();
    EnterUIMode(kBackToSelectMode, 0);
    setFocus();
}

void CKavoView::OnEditorFocusLost()
{
    CloseEditor();
}

// ---- typing into the view

void CKavoView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty())
        OnTypedText(event->commitString());
    event->accept();
}

void CKavoView::OnTypedText(const QString& text)
{
    int dropped = 0;
    const std::string bytes = KeepAnsiChars(text, dropped);
    for (char ch : bytes) {
        // Once an editor is open the rest of the text goes to it.
        if (m_pTextDlg) {
            m_pTextDlg->TypeText(AnsiToQString(std::string(1, ch)));
            continue;
        }
        OnChar(ch);
    }
    if (dropped)
        RefuseUnencodableChars();
}

void CKavoView::OnChar(char ch)
{
    if (static_cast<unsigned char>(ch) < 32 || g_nUIMode < 0 || !m_pDoc)
        return;
    switch (g_nUIMode) {
    case 0:
    case 1: OnSelectChar(ch); break;
    case kTextMode: OnTextModeChar(ch); break;
    case kCreateMode: OnCreateFigChar(static_cast<unsigned char>(ch)); break;
    case kConnectorMode:
    case kZoomMode: MessageBeep(MB_ICONEXCLAMATION); break;
    default: break;
    }
}

void CKavoView::OnSelectChar(char ch)
{
    const CPoint client = TypingClientPos();
    const CPoint pt = ClientPtToLogical(client);
    CDiagObj* obj = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0);
    TextEntrySeams& seams = GetTextEntrySeams();
    if (obj && obj->GetType() == kObjFigure) {
        auto* fig = static_cast<CFigure*>(obj);
        const int area = EditableAreaFromPoint(*fig, pt);
        if (area >= 0) {
            BeginTextEdit(fig, area, false, client, ch, -2);
            return;
        }
        const auto& labels = m_pDoc->FigLabelStaplesOf(fig);
        if (fig->GetTextAreaCount() == 0 && labels.size() == 1 && labels[0]->m_pFig2) {
            EndRubberFigure(true, true);
            EnterUIMode(kTextMode, 0);
            BeginTextEdit(labels[0]->m_pFig2, 0, false, client, ch, -2);
            return;
        }
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    if (obj && obj->GetType() == kObjConnector && !m_pDoc->FindConOrLatLblStaple(static_cast<CConnector*>(obj))) {
        if (!seams.createConLbl) {
            MessageBeep(MB_ICONEXCLAMATION);
            return;
        }
        EnterUIMode(kTextMode, 0);
        seams.createConLbl(*this, static_cast<CConnector*>(obj), pt, ch);
        return;
    }
    if (!seams.createLbl) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    EnterUIMode(kTextMode, 0);
    seams.createLbl(*this, pt, ch);
}

// ---- the select-mode double click

void CKavoView::OnSelectDblClk(const CPoint& client)
{
    if (DoubleClickEditsText) {
        OnEditText(*m_pDoc);
        return;
    }
    const CPoint pt = ClientPtToLogical(client);
    CDiagObj* obj = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0);
    if (!obj)
        return;
    const auto& send = GetTextEntrySeams().sendCommand;
    if (obj->GetType() == kObjConnector) {
        if (obj->m_bSelected && send)
            send(kConPropsCmd);
        return;
    }
    if (obj->GetType() != kObjFigure)
        return;
    auto* fig = static_cast<CFigure*>(obj);
    if (fig->IsInvisible() || !fig->m_bSelected)
        return;
    if (!fig->m_strLink.empty()) {
        LinkFollow(fig);
        return;
    }
    if (send)
        send(fig->m_bLabel ? kLabelPropsCmd : kFigPropsCmd);
}

void InstallViewTextEditing()
{
    InstallEditTextSeam();
}
