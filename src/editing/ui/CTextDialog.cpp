// The editor window: construction, placing, layout, painting and the mouse.
#include "editing/ui/CTextDialog.h"

#include "core/Trace.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "platform/CPainterDC.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupPositions.h"
#include "richtext/TextBlockGeometry.h"
#include "richtext/TextLineRender.h"
#include "shapes/CFigSymbol.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QTimerEvent>

#include <algorithm>

namespace {

// The double-click distance in pixels (SM_CXDOUBLECLK).
constexpr int kDoubleClickDistance = 4;

bool Near(const QPoint& a, const QPoint& b)
{
    return std::abs(a.x() - b.x()) <= kDoubleClickDistance && std::abs(a.y() - b.y()) <= kDoubleClickDistance;
}

// A symbol without text boxes shows its text in the whole figure, so the
// text is edited there too; a figure that carries labels leaves the typing
// to them instead.
bool TextFillsFigure(const CFigure& fig)
{
    const CFigSymbol* symbol = fig.GetSymbol();
    if (!symbol || symbol->m_nTextBoxes != 0 || fig.HasPicture() || fig.IsInvisible())
        return false;
    return fig.m_bLabel || !fig.m_pDoc || fig.m_pDoc->FigLabelStaplesOf(&fig).empty();
}

} // namespace

bool GetEditableTextRect(const CFigure& fig, int area, CRect& out)
{
    if (fig.GetTextAreaRect(area, out))
        return true;
    if (area != 0 || !TextFillsFigure(fig))
        return false;
    out = fig.m_rect;
    out.NormalizeRect();
    return true;
}

int EditableAreaFromPoint(const CFigure& fig, const POINT& pt)
{
    if (TextFillsFigure(fig)) {
        CRect rc = fig.m_rect;
        rc.NormalizeRect();
        return rc.PtInRect(pt) ? 0 : -1;
    }
    return fig.TextAreaFromPoint(pt, true);
}

CTextDialog::CTextDialog(CKavoView* view, const TextDialogArgs& a)
    : QWidget(view->viewport()), m_pView(view), m_pFig(a.fig), m_nSection(a.section), m_strText(a.text),
      m_strPrefix(a.prefix)
{
    DiagPrintf("STAT  CTextDialog::CTextDialog()\n");
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    PlaceOverText(true);
    show();
    if (a.takeFocus)
        TakeFocus();
    const int count = CharCount();
    if (a.selStart == -1) {
        DiagPrintf("STAT  CTextDialog::CTextDialog() NONE SELECTED\n");
        const int at = a.placedByClick ? HitTest(QPoint(a.click.x, a.click.y) - pos()) : 0;
        m_nCaret = m_nAnchor = m_nSelEnd = std::clamp(at, 0, count);
    } else if (a.selStart == -2) {
        DiagPrintf("STAT  CTextDialog::CTextDialog() ALL SELECTED\n");
        m_nAnchor = 0;
        m_nCaret = m_nSelEnd = count;
    } else {
        m_nAnchor = std::clamp(a.selStart, 0, count);
        m_nCaret = m_nSelEnd = std::clamp(a.selEnd, 0, count);
        DiagPrintf("STAT  CTextDialog::CTextDialog() %d to %d SELECTED\n", m_nAnchor, m_nSelEnd);
    }
    if (!a.placedByClick && a.firstChar)
        OnChar(a.firstChar);
    update();
}

CTextDialog::~CTextDialog() = default;

void CTextDialog::TakeFocus()
{
    setFocus(Qt::OtherFocusReason);
}

void CTextDialog::PrepareClose()
{
    m_nAnchor = m_nSelEnd = m_nCaret;
    m_bCaretShown = false;
    update();
}

// ---- layout and geometry

TextFormatRec CTextDialog::Format() const
{
    TextFormatRec f = FigureSectionFormat(*m_pFig, m_nSection);
    f.SetFromMarkup(m_strPrefix);
    return f;
}

unsigned CTextDialog::AlignWord() const
{
    return AlignFromText(m_strText, Format().align);
}

CRect CTextDialog::AreaRect() const
{
    CRect box;
    if (!GetEditableTextRect(*m_pFig, m_nSection, box))
        box = m_pFig->m_rect;
    return box;
}

const CTextBlock& CTextDialog::Block()
{
    if (!m_pBlock) {
        m_pBlock = std::make_unique<CTextBlock>();
        QImage scratch(1, 1, QImage::Format_RGB32);
        CPainterDC dc(&scratch);
        m_pView->OnPrepareDC(dc);
        const CRect box = AreaRect();
        m_pBlock->Layout(m_strText, 0, Format(), &dc, false, false, FigureLineSpacing(*m_pFig), box.Height());
    }
    return *m_pBlock;
}

// Labels keep their text clear of the frame as far as the text leaves room,
// as the figure's own drawing does.
CRect CTextDialog::TextRect()
{
    const CRect box = AreaRect();
    const CTextBlock& block = Block();
    if (block.LineCount() == 0 || !KeepsTextOffFrame(m_pFig->m_props.Behavior.low, m_pFig->GetSymbol()))
        return box;
    const int margin = TextFrameMargin(block.GetLine(0).height);
    const int dx = std::clamp((box.Width() - block.GetExtent(false).cx) / 2, 0, margin);
    const int dy = std::clamp((box.Height() - block.GetTotalHeight()) / 2, 0, margin);
    return CRect(box.left + dx, box.top + dy, box.right - dx, box.bottom - dy);
}

CPoint CTextDialog::ToLogical(const QPoint& p) const
{
    return m_pView->ClientPtToLogical(CPoint(p.x() + x(), p.y() + y()));
}

QPoint CTextDialog::ToPixels(const CPoint& logical) const
{
    const CPoint c = m_pView->LogicalPtToClient(logical);
    return QPoint(c.x - x(), c.y - y());
}

int CTextDialog::HitTest(const QPoint& p)
{
    const CPoint pt = ToLogical(p);
    return HitTestPoint(Block(), m_strText, TextRect(), AlignWord(), pt);
}

QRect CTextDialog::CaretRect()
{
    int height = 0;
    const CRect rect = TextRect();
    const unsigned align = AlignWord();
    CPoint top = GetCaretPoint(Block(), m_strText, rect, align, m_nCaret, height);
    if (height <= 0) {
        // An empty text: a caret of the font's height where a line would stand.
        height = std::max(1, std::abs(int(Format().font.lfHeight)));
        top.x = (align & 2) ? (rect.left + rect.right) / 2 : (align & 1) ? rect.right : rect.left;
        top.y = (align & 0x20) ? (rect.top + rect.bottom - height) / 2 : (align & 0x10) ? rect.bottom - height
                                                                                          : rect.top;
    }
    const QPoint a = ToPixels(top), b = ToPixels(CPoint(top.x, top.y + height));
    return QRect(a.x(), a.y(), 1, std::max(1, b.y() - a.y()));
}

void CTextDialog::PlaceOverText(bool keepCaret)
{
    const CRect box = AreaRect();
    CRect client = m_pView->LogicalRectToClient(box);
    client.NormalizeRect();
    // Only the part inside the view is a window: a text area grown far past
    // the view asks for no picture larger than the view.
    const QRect area = QRect(client.left, client.top, std::max(1, client.Width()), std::max(1, client.Height()))
                           .intersected(QRect(QPoint(0, 0), m_pView->viewport()->size()));
    setGeometry(area.isEmpty() ? QRect(client.left, client.top, 1, 1) : area);
    m_bBackgroundDirty = true;
    m_pBlock.reset();
    if (!keepCaret)
        SetCaret(m_nCaret, true);
    update();
}

// ---- painting

void CTextDialog::PaintInto(QImage& image)
{
    if (m_bBackgroundDirty || m_background.size() != size()) {
        DiagPrintf("STAT  UpdateBkBm()\n");
        if (!m_pView->RenderAreaToBitmap(geometry(), m_background)) {
            m_background = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
            m_background.fill(Qt::white);
        }
        m_bBackgroundDirty = false;
    }
    image = m_background.copy();
    const TextFormatRec format = Format();
    {
        CPainterDC dc(&image);
        m_pView->OnPrepareDC(dc);
        dc.OffsetViewportOrg(-x(), -y());
        RenderTextRequest r;
        r.textColor = format.color == kNoColor ? 0 : format.color;
        r.block = &Block();
        r.format = &format;
        r.dc = &dc;
        r.text = m_strText;
        r.rect = TextRect();
        r.clip = true;
        const CRect box = AreaRect();
        r.clipRect = &box;
        r.spacing = FigureLineSpacing(*m_pFig);
        RenderFigTextBlock(r);
        dc.Flush();
    }
    QPainter p(&image);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const int first = std::min(m_nAnchor, m_nSelEnd), last = std::max(m_nAnchor, m_nSelEnd);
    if (first < last) {
        // One rectangle per line of the range, each point inverted once.
        QRegion region;
        int pos = first;
        while (pos < last) {
            const int line = LineOfCharIndex(m_strText, pos);
            const int lineEnd = std::min(last, LineEndCharIndex(m_strText, line));
            const int keep = m_nCaret;
            m_nCaret = pos;
            const QRect a = CaretRect();
            m_nCaret = std::max(pos, lineEnd);
            QRect b = CaretRect();
            m_nCaret = keep;
            if (lineEnd < last && b.right() <= a.left() + 2)
                b.translate(4, 0);   // a selected break shows as a narrow block
            region += QRect(QPoint(a.left(), a.top()), QPoint(std::max(a.left(), b.left() - 1), a.bottom()));
            pos = lineEnd < last ? lineEnd + 1 : last;
        }
        for (const QRect& r : region)
            p.fillRect(r, Qt::white);
    }
    if (m_bCaretShown && hasFocus() && first == last)
        p.fillRect(CaretRect(), Qt::white);
}

QImage CTextDialog::Picture()
{
    QImage image;
    PaintInto(image);
    return image;
}

QPoint CTextDialog::CaretPointAt(int index)
{
    const int keep = m_nCaret;
    m_nCaret = std::clamp(index, 0, CharCount());
    const QRect r = CaretRect();
    m_nCaret = keep;
    return r.center();
}

void CTextDialog::paintEvent(QPaintEvent*)
{
    QImage image;
    PaintInto(image);
    QPainter p(this);
    p.drawImage(0, 0, image);
}

// ---- mouse

void CTextDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        // Closes the editor and goes back to the last select mode.
        m_pView->OnEditorRightClick();
        return;
    }
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->position().toPoint(), (event->modifiers() & Qt::ShiftModifier) != 0);
}

void CTextDialog::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The press timers tell double and triple clicks apart.
    mousePressEvent(event);
}

void CTextDialog::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(event->position().toPoint());
}

void CTextDialog::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp();
}

void CTextDialog::OnLButtonDown(const QPoint& p, bool shift)
{
    TakeFocus();
    const int interval = QApplication::styleHints()->mouseDoubleClickInterval();
    if (!shift && m_nTimer3 && Near(p, m_ptLastClick)) {
        killTimer(m_nTimer3);
        m_nTimer3 = 0;
        OnSelectAll();
        return;
    }
    if (!shift && m_nTimer2 && Near(p, m_ptLastClick)) {
        killTimer(m_nTimer2);
        m_nTimer2 = 0;
        m_nTimer3 = startTimer(interval);
        int start = 0, end = 0;
        GetWordRange(m_strText, m_nCaret, start, end, false, CharCount());
        // A soft break or the end at the word's last position stays out.
        char ch = 0;
        if (end > start && TokenAtCharIndex(m_strText, end - 1, ch) == Mk::SoftLine)
            --end;
        m_nAnchor = start;
        m_nCaret = m_nSelEnd = end;
        update();
        return;
    }
    if (m_nTimer2)
        killTimer(m_nTimer2);
    m_nTimer2 = startTimer(interval);
    m_ptLastClick = p;
    MoveCaret(HitTest(p), shift);
    m_bMouseSelecting = true;
}

void CTextDialog::OnMouseMove(const QPoint& p)
{
    if (!m_bMouseSelecting)
        return;
    const int at = HitTest(p);
    if (at != m_nCaret)
        MoveCaret(at, true);
}

void CTextDialog::OnLButtonUp()
{
    m_bMouseSelecting = false;
}

void CTextDialog::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_nTimer2)
        m_nTimer2 = 0;
    else if (event->timerId() == m_nTimer3)
        m_nTimer3 = 0;
    killTimer(event->timerId());
}

// ---- focus

void CTextDialog::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
    if (m_bKeepOpen) {
        m_bKeepOpen = false;
        return;
    }
    // The font-name and font-size boxes of the format bar take the focus
    // to change the format of the selection.
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == this)
            return;
        const int id = w->property("commandId").toInt();
        if (id == 32775 || id == 32776)
            return;
    }
    if (event->reason() == Qt::PopupFocusReason)
        return;
    // The modeless Find and Replace dialog works on the open editor.
    if (const QWidget* active = QApplication::activeWindow(); active && active->property("keepsTextEditorOpen").toBool())
        return;
    m_pView->OnEditorFocusLost();
}
