#include "controls/CStylePickList.h"

#include "controls/PreviewColors.h"
#include "document/CKavoDoc.h"
#include "platform/Ansi.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/FigStyleIcon.h"
#include "render/PreviewSample.h"
#include "render/StyleSample.h"
#include "shapes/CFigStyle.h"
#include "shapes/StyleCategoryList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

const char* const kAllCategories = "<All>";
const char* const kStylesWithoutCategory = "<Styles without a category>";

namespace {

constexpr int kItemHeightDlu = 25;
constexpr int kSampleWidthDlu = 55;
// The two boxes of the check column: x 3..10, upper y 4..11, lower 17..24;
// a press above halfway between them is on the upper one.
constexpr int kBoxLeft = 3, kBoxSide = 8, kUpperBoxTop = 4, kLowerBoxTop = 17;
constexpr int kBoxSplit = (kUpperBoxTop + kBoxSide + kLowerBoxTop) / 2;
constexpr int kCheckBitmapHeight = 28;
constexpr QRgb kColourKey = 0xFF00FF00u;   // pure green
constexpr int kIconCacheKey = 1;

QColor FromColorref(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

void DrawBox(QPainter& p, int top, bool checked)
{
    p.fillRect(kBoxLeft, top, kBoxSide, kBoxSide, Qt::white);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(kBoxLeft, top, kBoxSide - 1, kBoxSide - 1);
    if (checked) {
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(kBoxLeft + 2, top + 4, kBoxLeft + 3, top + 5);
        p.drawLine(kBoxLeft + 3, top + 5, kBoxLeft + 5, top + 2);
        p.drawLine(kBoxLeft + 2, top + 3, kBoxLeft + 3, top + 4);
        p.drawLine(kBoxLeft + 3, top + 4, kBoxLeft + 5, top + 1);
    }
}

QImage MakeCheckBitmap(bool inMenu, bool onBar)
{
    QImage image(kStyleCheckBitmapWidth, kCheckBitmapHeight, QImage::Format_RGB32);
    image.fill(kColourKey);
    QPainter p(&image);
    DrawBox(p, kUpperBoxTop, inMenu);
    DrawBox(p, kLowerBoxTop, onBar);
    return image;
}

// The bitmap with its colour-key pixels left out.
QImage Keyed(const QImage& bitmap)
{
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xFF000000u) == kColourKey)
                line[x] = 0;
    }
    return out;
}

// Words of the text in lines no wider than width, at most maxLines of them.
std::vector<QString> WrapLines(const QString& text, const QFontMetrics& fm, int width, int maxLines)
{
    std::vector<QString> lines;
    QString line;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const QString tried = line.isEmpty() ? word : line + ' ' + word;
        if (line.isEmpty() || fm.horizontalAdvance(tried) <= width) {
            line = tried;
            continue;
        }
        lines.push_back(line);
        if (int(lines.size()) == maxLines)
            return lines;
        line = word;
    }
    if (!line.isEmpty() && int(lines.size()) < maxLines)
        lines.push_back(line);
    return lines;
}

} // namespace

int StyleCheckBitmapId(bool inMenu, bool onBar)
{
    if (inMenu && onBar)
        return 360;
    if (inMenu)
        return 361;
    return onBar ? 362 : 363;
}

const QImage& StyleCheckBitmap(int id)
{
    static const QImage bitmaps[4] = {MakeCheckBitmap(true, true), MakeCheckBitmap(true, false),
                                      MakeCheckBitmap(false, true), MakeCheckBitmap(false, false)};
    static const QImage none;
    return id >= 360 && id <= 363 ? bitmaps[id - 360] : none;
}

CStylePickList::CStylePickList(StylePickKind kind, QWidget* parent) : QAbstractScrollArea(parent), m_kind(kind)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

bool CStylePickList::InCategory(const std::string& styleCategory, const std::string& category)
{
    if (category == kAllCategories || category == styleCategory)
        return true;
    return styleCategory.empty() && (category == NoCategoryName() || category == kStylesWithoutCategory);
}

void CStylePickList::Fill(const std::string& category)
{
    m_items.clear();
    m_nCurSel = -1;
    const int count = !m_pDoc ? 0
                      : m_kind == StylePickKind::Connector ? m_pDoc->m_conStyles.GetCount()
                                                           : m_pDoc->m_figStyles.GetCount();
    for (int i = 0; i < count; ++i) {
        const CStyle* s = KindStyleAt(m_pDoc, m_kind, i);
        if (!s || (!IsLabelList() && !InCategory(s->Category, category)))
            continue;
        m_items.push_back(StylePickItem{i, s->HasButton ? 1 : 0, s->InMenu ? 1 : 0, 0});
    }
    UpdateScrollRange();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

const StylePickItem* CStylePickList::Item(int row) const
{
    return row >= 0 && row < GetCount() ? &m_items[size_t(row)] : nullptr;
}

void CStylePickList::SetCurSel(int row)
{
    const int next = Item(row) ? row : -1;
    if (next == m_nCurSel)
        return;
    m_nCurSel = next;
    if (next >= 0) {
        if (next < GetTopIndex())
            SetTopIndex(next);
        else if (next >= GetTopIndex() + VisibleRows())
            SetTopIndex(next - VisibleRows() + 1);
    }
    viewport()->update();
    emit selectionChanged(next);
}

int CStylePickList::FindStyle(int style) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_items[size_t(i)].style == style)
            return i;
    return -1;
}

int CStylePickList::GetTopIndex() const
{
    return verticalScrollBar()->value();
}

void CStylePickList::SetTopIndex(int top)
{
    verticalScrollBar()->setValue(top);
}

int CStylePickList::ItemHeight() const
{
    return std::max(1, kItemHeightDlu * fontMetrics().height() / 8);
}

int CStylePickList::SampleWidth() const
{
    return kSampleWidthDlu * fontMetrics().averageCharWidth() / 4;
}

int CStylePickList::TextWidth() const
{
    // The viewport already leaves out the frame and the scroll bar.
    return std::max(0, viewport()->width() - SampleWidth() - kStyleCheckBitmapWidth);
}

int CStylePickList::VisibleRows() const
{
    return viewport()->height() / ItemHeight();
}

int CStylePickList::RowAt(int y) const
{
    const int height = viewport()->height();
    if (height <= 0 || y < 0 || y >= height)
        return -1;
    const int row = y * VisibleRows() / height + GetTopIndex();
    return row < GetCount() ? row : -1;
}

CStylePickList::Column CStylePickList::ColumnAt(int x) const
{
    if (x < SampleWidth())
        return SampleColumn;
    if (x < SampleWidth() + TextWidth())
        return IsLabelList() ? SampleColumn : TextColumn;
    return CheckColumn;
}

QRect CStylePickList::RowRect(int row) const
{
    return QRect(0, (row - GetTopIndex()) * ItemHeight(), viewport()->width(), ItemHeight());
}

int CStylePickList::IntegralClientHeight(int wanted) const
{
    return std::max(1, wanted / ItemHeight()) * ItemHeight();
}

QSize CStylePickList::sizeHint() const
{
    return QSize(360, 6 * ItemHeight() + 2 * frameWidth());
}

void CStylePickList::UpdateScrollRange()
{
    verticalScrollBar()->setRange(0, std::max(0, GetCount() - std::max(VisibleRows(), 1)));
    verticalScrollBar()->setPageStep(std::max(VisibleRows(), 1));
}

void CStylePickList::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

bool CStylePickList::ApplyChanges(bool& barChanged)
{
    bool changed = false;
    for (StylePickItem& item : m_items) {
        if (!item.changed)
            continue;
        item.changed = 0;
        CStyle* s = m_pDoc ? KindLibrary(*m_pDoc, m_kind).At(item.style) : nullptr;
        if (!s)
            continue;
        if ((s->HasButton != 0) != (item.onBar != 0))
            barChanged = true;
        s->HasButton = item.onBar;
        s->InMenu = item.inMenu;
        changed = true;
    }
    if (!changed)
        return false;
    m_pDoc->UpdateStyleMenusAndButtons(nullptr);
    if (IsLabelList())
        m_pDoc->m_lblMenu.FitAllToText(StyleLibRef(m_pDoc->m_figStyles));
    // The flags and layouts are saved with the diagram.
    m_pDoc->SetModifiedFlag();
    return true;
}

// ---- mouse and keys

void CStylePickList::ToggleAt(int row, int yInRow)
{
    StylePickItem& item = m_items[size_t(row)];
    if (yInRow < kBoxSplit)
        item.inMenu = !item.inMenu;
    else
        item.onBar = !item.onBar;
    item.changed = 1;
    viewport()->update(RowRect(row));
}

void CStylePickList::PressAt(const QPoint& pos)
{
    const int row = RowAt(pos.y());
    m_bCheckPress = row >= 0 && ColumnAt(pos.x()) == CheckColumn;
    if (m_bCheckPress) {
        ToggleAt(row, pos.y() - RowRect(row).top());
        return;
    }
    if (row < 0)
        return;
    SetCurSel(row);
}

void CStylePickList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        PressAt(event->position().toPoint());
}

void CStylePickList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click arrives as a press first: on a box
    // it has toggled it again already; on a style the dialog ends when the
    // button comes up.
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const int row = RowAt(pos.y());
    m_bDblClkPending = row >= 0 && ColumnAt(pos.x()) != CheckColumn;
}

void CStylePickList::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_bDblClkPending)
        return;
    m_bDblClkPending = false;
    emit chosen();
}

void CStylePickList::keyPressEvent(QKeyEvent* event)
{
    int row = m_nCurSel;
    switch (event->key()) {
    case Qt::Key_Up: row = std::max(0, row - 1); break;
    case Qt::Key_Down: row = std::min(GetCount() - 1, row + 1); break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = GetCount() - 1; break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    SetCurSel(row);
}

// ---- drawing

std::string CStylePickList::StyleName(int style) const
{
    const CStyle* s = KindStyleAt(m_pDoc, m_kind, style);
    return s ? s->m_strName : std::string();
}

std::string CStylePickList::StyleDescription(int style) const
{
    const CStyle* s = KindStyleAt(m_pDoc, m_kind, style);
    return s ? s->Description : std::string();
}

void CStylePickList::DrawSample(CDC& dc, int row, const QRect& rc) const
{
    const int style = m_items[size_t(row)].style;
    const CRect sample(rc.left(), rc.top(), rc.left() + SampleWidth(), rc.bottom() + 1);
    if (m_kind == StylePickKind::Figure) {
        CRect r = sample;
        r.DeflateRect(10, 5);
        CGraphics graphics(&dc);
        if (const CFigStyle* s = m_pDoc->m_figStyles.GetAt(style))
            DrawFigStyleIcon(*s, m_pDoc, &graphics, r, true, kIconCacheKey);
    } else if (m_kind == StylePickKind::Connector) {
        CRect r = sample;
        r.DeflateRect(10, 5);
        DrawConStyleSample(&dc, style, m_pDoc, r, false, false, false);
    } else {
        // Labels span both columns and show their text fitted to the room.
        CRect r(rc.left(), rc.top(), rc.left() + SampleWidth() + TextWidth(), rc.bottom() + 1);
        r.DeflateRect(10, 2);
        DrawTextSample(&dc, r, style, m_pDoc, true);
    }
}

void CStylePickList::DrawText(QPainter& p, int row, const QRect& rc) const
{
    const QRect column(rc.left() + SampleWidth(), rc.top(), TextWidth(), rc.height());
    p.save();
    p.setClipRect(column);
    p.setPen(Qt::black);
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    const QFontMetrics fm(font());
    const int lineHeight = fm.ascent() + fm.descent();
    const int internalLeading = std::max(0, lineHeight - QFontInfo(font()).pixelSize());
    // The first baseline, as the list has always placed it.
    int baseline = rc.top() + (internalLeading + 1) / 2 + fm.ascent() - internalLeading + 1;
    const int x = column.left() + 2;
    p.setFont(bold);
    p.drawText(x, baseline, AnsiToQString(StyleName(m_items[size_t(row)].style)));
    p.setFont(font());
    for (const QString& line : WrapLines(AnsiToQString(StyleDescription(m_items[size_t(row)].style)), fm,
                                         column.width() - 2, 2)) {
        baseline += lineHeight;
        p.drawText(x, baseline, line);
    }
    p.restore();
}

void CStylePickList::DrawChecks(QPainter& p, int row, const QRect& rc) const
{
    const StylePickItem& item = m_items[size_t(row)];
    static const QImage keyed[4] = {Keyed(StyleCheckBitmap(360)), Keyed(StyleCheckBitmap(361)),
                                    Keyed(StyleCheckBitmap(362)), Keyed(StyleCheckBitmap(363))};
    const int id = StyleCheckBitmapId(item.inMenu != 0, item.onBar != 0);
    p.drawImage(rc.left() + SampleWidth() + TextWidth(), rc.top(), keyed[id - 360]);
}

void CStylePickList::paintEvent(QPaintEvent*)
{
    const QSize size = viewport()->size();
    if (size.isEmpty())
        return;
    const QColor background = FromColorref(g_crPreviewBackground);
    QImage surface(size, QImage::Format_RGB32);
    surface.fill(background);
    const int top = GetTopIndex();
    const int last = std::min(GetCount(), top + VisibleRows() + 1);
    if (m_pDoc) {
        CPainterDC dc(&surface);
        for (int row = top; row < last; ++row)
            DrawSample(dc, row, RowRect(row));
        dc.Flush();
    }
    {
        QPainter p(&surface);
        for (int row = top; row < last; ++row) {
            const QRect rc = RowRect(row);
            if (!IsLabelList())
                DrawText(p, row, rc);
            DrawChecks(p, row, rc);
            // The selection shows as a frame, not a fill.
            p.setPen(row == m_nCurSel ? QColor(Qt::black) : background);
            p.setBrush(Qt::NoBrush);
            p.drawRect(rc.adjusted(0, 0, -1, -1));
        }
    }
    QPainter(viewport()).drawImage(0, 0, surface);
}
