#include "frame/ui/CIconListBoxes.h"

#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "frame/CommandPrompts.h"
#include "frame/CustomizeCatalogue.h"
#include "frame/ToolBarButtons.h"
#include "frame/ui/CCustomToolBar.h"
#include "platform/Ansi.h"
#include "platform/CPainterDC.h"
#include "render/PreviewSample.h"
#include "render/StyleSample.h"
#include "shapes/StyleCategoryList.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <functional>

namespace {
constexpr int kImageInset = 3;

// Styles without a category are listed under the "(no category)" name.
bool InCategory(const std::string& styleCategory, const std::string* category)
{
    return !category || styleCategory == *category || (styleCategory.empty() && *category == NoCategoryName());
}

// Paints an item as the Customize lists show it: the picture cell filled
// with the button face (raised when selected), the name on the face or the
// highlight beside it, and a focus frame 2 pixels inside.
class CIconItemDelegate : public QStyledItemDelegate {
public:
    explicit CIconItemDelegate(CIconListBox* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return {option.rect.width(), CIconListBox::kItemHeight};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!m_list->isEnabled() && qobject_cast<CStyleIconListBox*>(m_list))
            return;
        const QRect item = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        const QRect cell(item.left(), item.top(), m_list->Cell().width() + 1, item.height() + 1);
        p->fillRect(cell, pal.color(QPalette::Button));
        if (selected)
            DrawRaised(*p, cell.adjusted(0, 0, -1, -1), pal);
        m_list->DrawPicture(*p, cell, index.row());
        const QRect area(QPoint(cell.right(), item.top()), QPoint(item.right() + 1, item.bottom()));
        p->fillRect(area, selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Button));
        p->save();
        p->setClipRect(area);
        p->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::ButtonText));
        const QFontMetrics fm(option.font);
        const int areaBottom = area.top() + area.height();
        const int baseline = areaBottom - (area.height() - fm.ascent() - fm.descent()) / 2 - fm.descent();
        p->setFont(option.font);
        p->drawText(area.left() + 2, baseline, index.data().toString());
        p->restore();
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.rect = item.adjusted(2, 2, -2, -2);
            focus.palette = pal;
            m_list->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, m_list);
        }
    }

private:
    static void DrawRaised(QPainter& p, const QRect& r, const QPalette& pal)
    {
        p.setPen(pal.color(QPalette::Light));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(pal.color(QPalette::Dark));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    CIconListBox* m_list;
};

// Draws a sample through a device context onto its own small surface.
void PaintSample(QPainter& p, const QRect& rect, const std::function<void(CDC&, const RECT&)>& draw)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    QImage surface(rect.size(), QImage::Format_RGB32);
    surface.fill(QGuiApplication::palette().color(QPalette::Button));
    {
        CPainterDC dc(&surface);
        draw(dc, RECT{0, 0, rect.width(), rect.height()});
        dc.Flush();
    }
    p.drawImage(rect.topLeft(), surface);
}
} // namespace

CIconListBox::CIconListBox(QSize cell, QWidget* parent) : QListWidget(parent), m_cell(cell)
{
    setItemDelegate(new CIconItemDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int CIconListBox::ItemData(int row) const
{
    const QListWidgetItem* it = item(row);
    return it ? it->data(Qt::UserRole).toInt() : -1;
}

void CIconListBox::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit leftPressed(event->globalPosition().toPoint());
}

CCmdIconListBox::CCmdIconListBox(QWidget* parent) : CIconListBox({27, 26}, parent) {}

void CCmdIconListBox::Build(int category)
{
    clear();
    for (const CommandCatalogueEntry& e : CommandCatalogue()) {
        if (e.category != category)
            continue;
        auto* it = new QListWidgetItem(QString::fromLatin1(CommandItemText(CommandPrompt(e.command)).c_str()), this);
        it->setData(Qt::UserRole, int(e.command));
    }
}

void CCmdIconListBox::DrawPicture(QPainter& p, const QRect& cell, int row) const
{
    p.drawPixmap(cell.left() + kImageInset, cell.top() + kImageInset,
                 ToolBarImage(CommandImageIndex(unsigned(ItemData(row)))));
}

CStyleIconListBox::CStyleIconListBox(QWidget* parent) : CIconListBox({45, 26}, parent) {}

void CStyleIconListBox::Build(int kind, const std::string* category)
{
    DiagPrintf("CUSTDLG  CStyleIconListBox::Build() Enter\n");
    setUpdatesEnabled(false);
    clear();
    m_nKind = kind;
    if (m_pDoc && (kind == kStyleKindFigures || kind == kStyleKindLabels)) {
        const CFigStylesLibrary& lib = m_pDoc->m_figStyles;
        for (int i = 0; i < lib.GetCount(); ++i) {
            const CFigStyle* s = lib.GetAt(i);
            if (!s || !InCategory(s->Category, category) || (s->Label != 0) != (kind == kStyleKindLabels))
                continue;
            auto* it = new QListWidgetItem(AnsiToQString(s->m_strName), this);
            it->setData(Qt::UserRole, i);
        }
    } else if (m_pDoc && kind == kStyleKindConnectors) {
        const CConStylesLibrary& lib = m_pDoc->m_conStyles;
        for (int i = 0; i < lib.GetCount(); ++i) {
            const CConStyle* s = lib.GetAt(i);
            if (!s || !InCategory(s->Category, category))
                continue;
            auto* it = new QListWidgetItem(AnsiToQString(s->m_strName), this);
            it->setData(Qt::UserRole, i);
        }
    }
    setUpdatesEnabled(true);
    viewport()->update();
    DiagPrintf("CUSTDLG  CStyleIconListBox::Build() Exit\n");
}

void CStyleIconListBox::DrawPicture(QPainter& p, const QRect& cell, int row) const
{
    if (!m_pDoc)
        return;
    // The insets keep each kind's sample clear of the cell's edges: labels
    // are wide and flat, connectors need room for their ends.
    QMargins inset(5, 4, 5, 4);
    if (m_nKind == kStyleKindLabels)
        inset = QMargins(4, 2, 4, 2);
    else if (m_nKind == kStyleKindConnectors)
        inset = QMargins(7, 8, 7, 8);
    const QRect sample = cell.marginsRemoved(inset).adjusted(0, 0, -1, -1);
    const int index = ItemData(row);
    CKavoDoc* doc = m_pDoc;
    const bool plain = !doc->UseFullColorIcons();
    PaintSample(p, sample, [&](CDC& dc, const RECT& r) {
        if (m_nKind == kStyleKindConnectors)
            DrawConStyleSample(&dc, index, doc, r, plain, true, false);
        else
            DrawFigStyleSample(&dc, index, doc, r, StyleSampleArgs());
    });
}
