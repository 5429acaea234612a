// The editor window: keys, typing, the clipboard, formats and the refit that
// follows every change.
#include "editing/ui/CTextDialog.h"

#include "core/AppContext.h"
#include "core/MessageBeep.h"
#include "platform/Prompt.h"
#include "core/MsgBox.h"
#include "core/Trace.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FontChoice.h"
#include "editing/TextFormatCommands.h"
#include "editing/ui/CKavoView.h"
#include "platform/Ansi.h"
#include "render/CZoomMapping.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupPositions.h"
#include "richtext/RichTextClipboard.h"
#include "richtext/TextBlockGeometry.h"
#include "richtext/TextFitting.h"
#include "richtext/TextUtils.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

namespace {

constexpr int kWordWrapFlag = 0x8000;
constexpr DWORD kNoGrowWidthFlag = 0x10000, kNoGrowHeightFlag = 0x40000;
constexpr char kGuillemetLeft = char(171), kGuillemetRight = char(187);
// Shown with the beep when typed or pasted characters have no Windows-1252
// byte.
constexpr const char* kRefusedCharsText = "Characters that diagram text cannot hold were left out";

enum Vk {
    kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkEscape = 27, kVkEnd = 35, kVkHome = 36, kVkLeft = 37, kVkUp = 38,
    kVkRight = 39, kVkDown = 40, kVkDelete = 46
};

int VirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return kVkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kVkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_End: return kVkEnd;
    case Qt::Key_Home: return kVkHome;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_Delete: return kVkDelete;
    default: return 0;
    }
}

// The attributes the request sets replace those of the pending request.
void MergeFormat(FormatRequest& into, const FormatRequest& r)
{
    for (auto [to, from] : {std::pair{&into.bold, r.bold}, {&into.italic, r.italic}, {&into.underline, r.underline},
                            {&into.sub, r.sub}, {&into.super, r.super}})
        if (from != -1)
            *to = from;
    if (r.color != kNoColor)
        into.color = r.color;
    if (r.size)
        into.size = r.size;
    if (!r.face.empty())
        into.face = r.face;
    if (r.align)
        into.align = r.align;
}

} // namespace

void RefuseUnencodableChars()
{
    MessageBeep(MB_ICONEXCLAMATION);
    if (IAppContext* app = GetAppContext())
        app->SetStatusBarText(kRefusedCharsText);
}

std::string KeepAnsiChars(const QString& text, int& dropped)
{
    std::string out;
    dropped = 0;
    const QList<uint> codes = text.toUcs4();
    for (uint code : codes) {
        bool ok = false;
        const std::string byte = QStringToAnsi(QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1), &ok);
        if (!ok || byte.size() != 1 || (code >= 0x80 && code < 0xA0)) {
            ++dropped;
            continue;
        }
        out += byte;
    }
    return out;
}

// ---- Qt's events

bool CTextDialog::event(QEvent* event)
{
    // The editor's own keys win over the frame's shortcuts (Delete, the
    // clipboard keys, Select All) while it has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        const int k = key->key();
        if (VirtualKey(k) || (ctrl && (k == Qt::Key_A || k == Qt::Key_C || k == Qt::Key_X || k == Qt::Key_V)) ||
            (!ctrl && !key->text().isEmpty())) {
            event->accept();
            return true;
        }
    }
    // Tab and Shift+Tab move between text areas instead of the focus.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void CTextDialog::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (ctrl) {
        switch (event->key()) {
        case Qt::Key_A: OnSelectAll(); return;
        case Qt::Key_C: OnEditCopy(); return;
        case Qt::Key_X: OnEditCut(); return;
        case Qt::Key_V: OnEditPaste(); return;
        default: break;
        }
    }
    const int vk = VirtualKey(event->key());
    if (vk) {
        const int repeat = std::max(1, event->count());
        for (int i = 0; i < repeat && m_pView->TextEditor() == this; ++i)
            if (!OnKeyDown(event->key() == Qt::Key_Backtab ? -kVkTab : vk, shift, ctrl))
                break;
        return;
    }
    if (!ctrl && !event->text().isEmpty()) {
        TypeText(event->text());
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTextDialog::inputMethodEvent(QInputMethodEvent* event)
{
    // Composed characters arrive as typed ones.
    if (!event->commitString().isEmpty())
        TypeText(event->commitString());
    event->accept();
}

QVariant CTextDialog::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return true;
    return QWidget::inputMethodQuery(query);
}

void CTextDialog::TypeText(const QString& text)
{
    int dropped = 0;
    const std::string bytes = KeepAnsiChars(text, dropped);
    for (char ch : bytes)
        OnChar(ch);
    if (dropped)
        RefuseUnencodableChars();
    if (!bytes.empty())
        ScrollCaretIntoView();
}

// ---- keys

bool CTextDialog::OnKeyDown(int vk, bool shift, bool ctrl)
{
    TakeUndoCopy();
    const bool extend = shift && !ctrl;   // the add-to-selection key
    const int count = CharCount();
    bool keepX = false;
    switch (vk) {
    case kVkBack: Backspace(); break;
    case kVkTab:
    case -kVkTab: m_pView->MoveToAdjacentSection(vk > 0 && !shift ? 1 : -1); return false;
    case kVkReturn: Enter(); break;
    case kVkEscape: m_pView->OnEditorEscape(); return false;
    case kVkDelete: OnEditClear(); break;
    case kVkEnd:
        MoveCaret(ctrl ? count : LineEndCharIndex(m_strText, LineOfCharIndex(m_strText, m_nCaret)), extend);
        break;
    case kVkHome:
        MoveCaret(ctrl ? 0 : LineStartCharIndex(m_strText, LineOfCharIndex(m_strText, m_nCaret)), extend);
        break;
    case kVkLeft:
        MoveCaret(ctrl ? PrevWordBoundary(m_strText, m_nCaret, count) : PrevCaretPos(m_strText, m_nCaret), extend);
        break;
    case kVkRight:
        MoveCaret(ctrl ? NextWordBoundary(m_strText, m_nCaret, count) : NextCaretPos(m_strText, m_nCaret, count),
                  extend);
        break;
    case kVkUp:
    case kVkDown: {
        const int at = VerticalMove(vk == kVkUp ? -1 : 1);
        if (at >= 0)
            MoveCaret(at, extend);
        keepX = true;
        break;
    }
    default: return false;
    }
    if (!keepX)
        m_nDesiredX = -1;
    m_bCaretShown = true;
    if (m_pView->TextEditor() == this)
        ScrollCaretIntoView();
    update();
    return true;
}

int CTextDialog::VerticalMove(int direction)
{
    const int line = LineOfCharIndex(m_strText, m_nCaret) + direction;
    if (line < 0 || line >= Block().LineCount())
        return -1;
    if (m_nDesiredX < 0) {
        int height = 0;
        m_nDesiredX = GetCaretPoint(Block(), m_strText, TextRect(), AlignWord(), m_nCaret, height).x;
    }
    const CRect rect = TextRect();
    const CPoint origin = GetLineOrigin(Block(), line, GetBlockOrigin(Block(), rect, AlignWord()), AlignWord());
    return HitTestLine(m_strText, Block(), rect, AlignWord(), m_nDesiredX - origin.x, line);
}

void CTextDialog::MoveCaret(int index, bool extend)
{
    m_bPending = false;
    m_pending = FormatRequest();
    index = std::clamp(index, 0, CharCount());
    if (!extend)
        m_nAnchor = index;
    m_nCaret = m_nSelEnd = index;
    update();
}

void CTextDialog::SetCaret(int index, bool skipSoftBreak)
{
    const int count = CharCount();
    if (index < 0 || index > count)
        return;
    char ch = 0;
    if (skipSoftBreak && index < count && TokenAtCharIndex(m_strText, index, ch) == Mk::SoftLine)
        ++index;
    m_nCaret = index;
    update();
}

int CTextDialog::CharCount()
{
    if (m_nCount < 0)
        m_nCount = CountMarkupChars(m_strText);
    return m_nCount;
}

// Scrolls the view just enough to show the caret: a margin of three line
// heights across, one line height up and down.
void CTextDialog::ScrollCaretIntoView()
{
    const QRect caret = CaretRect().translated(pos());
    const QSize client = m_pView->viewport()->size();
    const int h = std::max(1, caret.height());
    int dx = 0, dy = 0;
    if (caret.left() < 0)
        dx = caret.left() - 3 * h;
    else if (caret.right() >= client.width())
        dx = caret.right() - client.width() + 1 + 3 * h;
    if (caret.top() < 0)
        dy = caret.top() - h;
    else if (caret.bottom() >= client.height())
        dy = caret.bottom() - client.height() + 1 + h;
    if (!dx && !dy)
        return;
    const CPoint from = m_pView->ClientPtToLogical(CPoint(0, 0)), to = m_pView->ClientPtToLogical(CPoint(dx, dy));
    CPoint anchor = m_pView->GetViewAnchorPoint(kAnchorTopLeft);
    anchor.x += to.x - from.x;
    anchor.y += to.y - from.y;
    m_pView->ScrollToViewAnchorPoint(m_pView->ClampPtToWorkSpace(anchor), kAnchorTopLeft, true);
    PlaceOverText(true);
}

// ---- typing

void CTextDialog::OnChar(char ch)
{
    if (static_cast<unsigned char>(ch) < 32) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    TakeUndoCopy();
    if (HasSelection() && !DeleteSelection())
        return;
    // "<<" and ">>" become the guillemets.
    if (m_nCaret > 0 && (ch == '<' || ch == '>')) {
        char before = 0;
        if (TokenAtCharIndex(m_strText, m_nCaret - 1, before) == Mk::Char && before == ch) {
            std::string text = m_strText;
            if (DeleteCharRange(text, m_nCaret - 1, m_nCaret)) {
                m_strText = text;
                m_nCaret = m_nAnchor = m_nSelEnd = m_nCaret - 1;
                Changed();
                ch = ch == '<' ? kGuillemetLeft : kGuillemetRight;
            }
        }
    }
    std::string str;
    if (ch == '\\' || ch == '{' || ch == '}')
        str += '\\';
    str += ch;
    if (!InsertStringAtCaret(str) || !m_bPending)
        return;
    // The format chosen with no selection takes the typed character; what
    // is typed next stands inside it.
    m_bPending = false;
    std::string text = m_strText;
    const TextFormatRec format = Format();
    if (m_nCaret > 0 &&
        ApplyFormatToRange(text, m_nCaret - 1, m_nCaret, &format, m_pending, kMarkupTextLimit, false)) {
        m_strText = text;
        Changed();
        if (!CommitEdit())
            return;
    }
}

void CTextDialog::InsertCharAtCaret(char ch)
{
    if (!isVisible())
        return;
    OnChar(ch);
}

bool CTextDialog::InsertStringAtCaret(const std::string& str)
{
    // At the start of a line the text goes after the line's codes, so that it
    // takes their format; elsewhere before the codes of the next character.
    const int line = LineOfCharIndex(m_strText, m_nCaret);
    const bool lineStart = m_nCaret == LineStartCharIndex(m_strText, line);
    std::string text = m_strText;
    if (!InsertStringAt(text, m_nCaret, str, kMarkupTextLimit, !lineStart)) {
        // A selection deleted for the typing comes back.
        RestoreUndoCopy();
        Refuse();
        return false;
    }
    if (MarkupHasFormatting(str)) {
        const TextFormatRec format = Format();
        NormalizeMarkup(text, &format, kMarkupTextLimit, false);
    }
    const int before = CharCount();
    m_strText = text;
    Changed();
    m_nCaret += std::max(0, CharCount() - before);
    m_nAnchor = m_nSelEnd = m_nCaret;
    if (!CommitEdit())
        return false;
    SetCaret(m_nCaret, true);
    m_nAnchor = m_nSelEnd = m_nCaret;
    return true;
}

// ---- deleting

bool CTextDialog::DeleteRange(int first, int last)
{
    std::string text = m_strText;
    const TextFormatRec format = Format();
    if (first >= last || !DeleteRangeKeepFormat(text, first, last, &format)) {
        Refuse();
        return false;
    }
    m_strText = text;
    Changed();
    m_nCaret = m_nAnchor = m_nSelEnd = first;
    return true;
}

bool CTextDialog::DeleteSelection()
{
    if (!HasSelection()) {
        // An empty text keeps no control words.
        if (CharCount() == 0 && !m_strText.empty()) {
            m_strText.clear();
            Changed();
        }
        return true;
    }
    return DeleteRange(std::min(m_nAnchor, m_nSelEnd), std::max(m_nAnchor, m_nSelEnd));
}

void CTextDialog::Backspace()
{
    if (HasSelection()) {
        if (DeleteSelection())
            CommitEdit();
        return;
    }
    if (m_nCaret <= 0)
        return;
    if (DeleteRange(PrevCaretPos(m_strText, m_nCaret), m_nCaret))
        CommitEdit();
}

void CTextDialog::OnEditClear()
{
    TakeUndoCopy();
    if (HasSelection()) {
        if (DeleteSelection())
            CommitEdit();
        return;
    }
    const int count = CharCount();
    if (m_nCaret >= count)
        return;
    if (DeleteRange(m_nCaret, NextCaretPos(m_strText, m_nCaret, count)))
        CommitEdit();
}

void CTextDialog::Enter()
{
    if (!DeleteSelection())
        return;
    // A hard break at the caret goes before the control words in front of
    // it, so that the new line starts in the format they set.
    static const std::string kLine = "\\line ";
    const int before = CharIndexToOffset(m_strText, m_nCaret, true);
    const int at = CharIndexToOffset(m_strText, m_nCaret, false);
    if (before >= 0 && at > before && m_strText.compare(size_t(at), kLine.size(), kLine) == 0) {
        m_strText.erase(size_t(at), kLine.size());
        m_strText.insert(size_t(before), kLine);
        Changed();
    }
    InsertStringAtCaret(kLine);
}

// ---- refit

void CTextDialog::TakeUndoCopy()
{
    m_strUndoText = m_strText;
    m_strUndoPrefix = m_strPrefix;
    m_nUndoCaret = m_nCaret;
}

void CTextDialog::RestoreUndoCopy()
{
    m_strText = m_strUndoText;
    m_strPrefix = m_strUndoPrefix;
    Changed();
    m_nCaret = m_nAnchor = m_nSelEnd = std::clamp(m_nUndoCaret, 0, CharCount());
    StoreText();
}

void CTextDialog::StoreText()
{
    // Writing an area adds the separators the texts lack: only a change is
    // written.
    std::string text, prefix;
    m_pFig->GetText(text, prefix, m_nSection);
    if (text != m_strText || prefix != m_strPrefix)
        m_pFig->SetText(m_strText, m_strPrefix, m_nSection);
}

void CTextDialog::Refuse()
{
    MessageBeep(MB_ICONEXCLAMATION);
    update();
}

void CTextDialog::Changed()
{
    m_nCount = -1;
    m_pBlock.reset();
    if (m_pFig->m_pDoc)
        m_pFig->m_pDoc->SetModifiedFlag(true);
    update();
}

bool CTextDialog::FitText()
{
    if (FitCompartment())
        return true;
    if (!(m_pFig->m_props.Behavior.low & kWordWrapFlag))
        return true;
    bool changed = false;
    int selStart = m_nAnchor, selEnd = m_nSelEnd;
    if (!FitTextToArea(m_strText, AreaRect(), Format(), false, m_nCaret, selStart, selEnd, changed))
        return false;
    m_nAnchor = selStart;
    m_nSelEnd = selEnd;
    if (changed)
        Changed();
    return true;
}

bool CTextDialog::CommitEdit()
{
    if (!FitText()) {
        RestoreUndoCopy();
        Refuse();
        return false;
    }
    StoreText();
    CRect wanted;
    if (!CalcSizeForText(*m_pFig, wanted, 1, nullptr))
        return true;
    const DWORD low = m_pFig->m_props.Behavior.low;
    if ((wanted.Width() > m_pFig->m_rect.Width() && (low & kNoGrowWidthFlag)) ||
        (wanted.Height() > m_pFig->m_rect.Height() && (low & kNoGrowHeightFlag))) {
        RestoreUndoCopy();
        Refuse();
        return false;
    }
    if (m_pFig->m_pDoc && FitFigToText(*m_pFig->m_pDoc, m_pFig, 1, true, false, nullptr))
        PlaceOverText(true);
    return true;
}

// ---- clipboard

void CTextDialog::OnSelectAll()
{
    m_nAnchor = 0;
    m_nCaret = m_nSelEnd = CharCount();
    update();
}

void CTextDialog::OnEditCopy()
{
    DiagPrintf("USER  Copy text\n");
    if (!HasSelection())
        return;
    auto* data = new QMimeData;
    PutRichTextOnClipboard(*data, m_strText, Format(), std::min(m_nAnchor, m_nSelEnd),
                           std::max(m_nAnchor, m_nSelEnd));
    QGuiApplication::clipboard()->setMimeData(data);
}

void CTextDialog::OnEditCut()
{
    DiagPrintf("USER  Cut text\n");
    if (!HasSelection())
        return;
    auto* data = new QMimeData;
    PutRichTextOnClipboard(*data, m_strText, Format(), std::min(m_nAnchor, m_nSelEnd),
                           std::max(m_nAnchor, m_nSelEnd));
    QGuiApplication::clipboard()->setMimeData(data);
    TakeUndoCopy();
    if (DeleteSelection())
        CommitEdit();
}

void CTextDialog::OnEditPaste(PasteKind kind)
{
    DiagPrintf("USER  Paste from clipboard\n");
    const QMimeData* source = QGuiApplication::clipboard()->mimeData();
    if (!source)
        return;
    // Only the formats the command reads; plain text keeps what
    // Windows-1252 holds.
    QMimeData data;
    const bool formatted = kind != PasteKind::PlainText && source->hasFormat(kMimeKrtf);
    if (formatted)
        data.setData(kMimeKrtf, source->data(kMimeKrtf));
    if (kind == PasteKind::Any)
        for (const char* rtf : {kMimeRtf, kMimeRtfWithoutObjects})
            if (source->hasFormat(rtf))
                data.setData(rtf, source->data(rtf));
    int dropped = 0;
    if (kind != PasteKind::Formatted && source->hasText()) {
        const std::string plain = KeepAnsiChars(source->text(), dropped);
        data.setText(AnsiToQString(plain));
    }
    TakeUndoCopy();
    if (!DeleteSelection())
        return;
    const int after = CharCount() - m_nCaret;
    std::string text = m_strText;
    int pasted = 0;
    if (data.formats().isEmpty() || !PasteRichTextFromClipboard(data, text, Format(), m_nCaret, pasted)) {
        RestoreUndoCopy();
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Paste Failed.\nText may be too long.");
        return;
    }
    if (dropped && !data.hasFormat(kMimeKrtf) && !data.hasFormat(kMimeRtf) &&
        !data.hasFormat(kMimeRtfWithoutObjects))
        RefuseUnencodableChars();
    m_strText = text;
    Changed();
    m_nCaret = m_nAnchor = m_nSelEnd = std::max(0, CharCount() - after);
    if (CommitEdit())
        SetCaret(m_nCaret, true);
}

// ---- formats

bool CTextDialog::GetSelectionFormat(RangeFormat& out)
{
    if (!HasSelection())
        return false;
    const TextFormatRec format = Format();
    return GetRangeFormat(m_strText, std::min(m_nAnchor, m_nSelEnd), std::max(m_nAnchor, m_nSelEnd), &format,
                          out);
}

bool CTextDialog::ApplyFormat(const FormatRequest& request)
{
    TakeUndoCopy();
    int first = std::min(m_nAnchor, m_nSelEnd), last = std::max(m_nAnchor, m_nSelEnd);
    const int count = CharCount();
    const bool whole = (first == 0 && last == count && count > 0) || (count == 0 && first == last);
    if (m_pFig->GetTextAreaCount() > 1 && whole) {
        // The area's format prefix takes the change.
        TextFormatRec f = Format();
        f.SetAttributes(request.bold, request.italic, request.underline, request.sub, request.super,
                        request.color == kNoColor ? COLORREF(-1) : request.color, request.size,
                        request.face.empty() ? nullptr : request.face.c_str(), request.align);
        std::string prefix;
        if (!f.BuildPrefix(prefix)) {
            Refuse();
            return false;
        }
        m_strPrefix = prefix;
        Changed();
        return CommitEdit();
    }
    if (first == 0 && last == count && count > 0 && request.sub == -1 && request.super == -1 &&
        m_pFig->GetTextAreaCount() < 2) {
        // The whole text of a figure of one area: the figure itself takes
        // the change, so that it holds for everything typed later too.
        FontChoice choice;
        choice.bold = request.bold;
        choice.italic = request.italic;
        choice.underline = request.underline;
        choice.height = request.size;
        choice.color = request.color == kNoColor ? -1 : int64_t(request.color);
        choice.face = request.face;
        return ChangeWholeFigure(choice, request.align ? int(request.align) : -1);
    }
    if (first == last) {
        if (!IsInsideWord(m_strText, m_nCaret, count)) {
            // Outside a word the change waits for the next typed character.
            MergeFormat(m_pending, request);
            m_bPending = true;
            return true;
        }
        GetWordRange(m_strText, m_nCaret, first, last, true, count);
    }
    std::string text = m_strText;
    const TextFormatRec format = Format();
    if (first >= last || !ApplyFormatToRange(text, first, last, &format, request, kMarkupTextLimit, false)) {
        Refuse();
        return false;
    }
    m_strText = text;
    Changed();
    return CommitEdit();
}

bool CTextDialog::ChangeWholeFigure(const FontChoice& choice, int format)
{
    CKavoDoc* doc = m_pFig->m_pDoc;
    CFigProps props = m_pFig->m_props;
    if (!ApplyFontChoice(choice, props) && (format == -1 || WORD(format) == props.TextFormat))
        return true;
    if (!doc || !m_pView->ChangeEditedFigure([&] { return ApplyFormatToFig(*doc, *m_pFig, choice, format); })) {
        Refuse();
        return false;
    }
    // The document may have rewritten the markup and resized the figure.
    const bool whole = HasSelection();
    m_pFig->GetText(m_strText, m_strPrefix, m_nSection);
    Changed();
    const int count = CharCount();
    m_nCaret = std::min(m_nCaret, count);
    m_nAnchor = whole ? 0 : m_nCaret;
    m_nSelEnd = whole ? count : m_nCaret;
    if (whole)
        m_nCaret = count;
    if (FitText())
        StoreText();
    PlaceOverText(false);
    return true;
}

void CTextDialog::SetAlignment(unsigned bit)
{
    const unsigned group = bit > 7 ? 0x70u : 0x07u;
    if (m_pFig->GetTextAreaCount() < 2) {
        const WORD format = WORD((m_pFig->m_props.TextFormat & ~group) | (bit & group));
        if (format != m_pFig->m_props.TextFormat)
            ChangeWholeFigure(FontChoice(), format);
        return;
    }
    TakeUndoCopy();
    std::string prefix = m_strPrefix;
    if (!BuildAlignPrefix(prefix, uint16_t((AlignWord() & ~group) | (bit & group)), kMarkupPrefixLimit)) {
        Refuse();
        return;
    }
    m_strPrefix = prefix;
    Changed();
    if (CommitEdit())
        SetCaret(m_nCaret, true);
}
