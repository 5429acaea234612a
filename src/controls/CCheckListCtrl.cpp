#include "controls/CCheckListCtrl.h"

#include "controls/CDlgCommandEvent.h"
#include "platform/ui/DlgItems.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int kStateRole = Qt::UserRole + 0x0F00;
constexpr int kStateTextGap = 3;

// Paints the state image at the item's left edge and the item as usual
// beside it, so the box stays out of the selection's highlight.
class CStateImageDelegate : public QStyledItemDelegate {
public:
    explicit CStateImageDelegate(CCheckListCtrl* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QPixmap& image = m_list->StateImage(index.data(kStateRole).toInt());
        const QRect& r = option.rect;
        if (!image.isNull())
            painter->drawPixmap(r.left(), r.top() + (r.height() - image.height()) / 2, image);
        QStyleOptionViewItem rest(option);
        rest.rect.setLeft(r.left() + CCheckListCtrl::kStateImageWidth + kStateTextGap);
        QStyledItemDelegate::paint(painter, rest, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += CCheckListCtrl::kStateImageWidth + kStateTextGap;
        size.setHeight(std::max(size.height(), CCheckListCtrl::kStateImageWidth + 2));
        return size;
    }

private:
    CCheckListCtrl* m_list;
};

// A 13-pixel box: sunken frame, white or grey inside, the check in black or
// grey. Image 0 is empty.
QPixmap DrawStateImage(int image)
{
    const int side = CCheckListCtrl::kStateImageWidth;
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    if (image == 0)
        return pm;
    const bool disabled = image >= 3, checked = image == 2 || image == 4;
    QPainter p(&pm);
    p.fillRect(1, 1, side - 2, side - 2, disabled ? QColor(0xC0, 0xC0, 0xC0) : Qt::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(0, 0, side - 1, side - 1);
    if (checked) {
        p.setPen(QPen(disabled ? QColor(0x80, 0x80, 0x80) : Qt::black, 2));
        p.drawPolyline(QPolygon({QPoint(3, 6), QPoint(5, 9), QPoint(10, 3)}));
    }
    return pm;
}

} // namespace

CCheckListCtrl::CCheckListCtrl(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setUniformItemSizes(true);
    setItemDelegate(new CStateImageDelegate(this));
    MakeStateImages();
}

void CCheckListCtrl::Init(int ctrlId, QWidget* parent)
{
    m_nCtrlId = ctrlId;
    if (parent && parentWidget() != parent)
        setParent(parent);
    SetDlgCtrlID(this, ctrlId);
    // The one column is the list's own width: a list widget has no header
    // whose column would need sizing.
    MakeStateImages();
}

void CCheckListCtrl::MakeStateImages()
{
    m_stateImages.clear();
    // The bitmap's five 13-pixel images with white as the mask, when the
    // resources hold it; else boxes drawn alike.
    QImage strip(QStringLiteral(":/bitmaps/%1.png").arg(kStateBitmap));
    for (int i = 0; i < kStateImages; ++i) {
        if (strip.width() >= kStateImages * kStateImageWidth) {
            QPixmap pm = QPixmap::fromImage(strip.copy(i * kStateImageWidth, 0, kStateImageWidth, strip.height()));
            pm.setMask(pm.createMaskFromColor(Qt::white));
            m_stateImages.push_back(pm);
        } else {
            m_stateImages.push_back(DrawStateImage(i));
        }
    }
}

const QPixmap& CCheckListCtrl::StateImage(int image) const
{
    static const QPixmap none;
    return image >= 0 && image < int(m_stateImages.size()) ? m_stateImages[size_t(image)] : none;
}

bool CCheckListCtrl::AddItem(int index, const QString& text, bool checked, bool enabled)
{
    auto* it = new QListWidgetItem(text);
    it->setData(kStateRole, enabled ? (checked ? 2 : 1) : (checked ? 4 : 3));
    insertItem(index, it);
    return true;
}

int CCheckListCtrl::GetStateImage(int index) const
{
    const QListWidgetItem* it = index >= 0 ? item(index) : nullptr;
    return it ? it->data(kStateRole).toInt() : -1;
}

void CCheckListCtrl::SetStateImage(int index, int image)
{
    QListWidgetItem* it = index >= 0 ? item(index) : nullptr;
    if (it && image >= 0 && image <= 15)
        it->setData(kStateRole, image);
}

int CCheckListCtrl::GetCheck(int index) const
{
    const int image = GetStateImage(index);
    return image == 2 || image == 4 ? 1 : 0;
}

bool CCheckListCtrl::IsItemEnabled(int index) const
{
    return GetStateImage(index) < 3;
}

void CCheckListCtrl::SetCheck(int index, bool checked)
{
    if (index < 0 || index >= count())
        return;
    SetStateImage(index, int(checked) + (IsItemEnabled(index) ? 1 : 3));
}

void CCheckListCtrl::EnableItem(int index, bool enable)
{
    if (index < 0 || index >= count() || IsItemEnabled(index) == enable)
        return;
    SetStateImage(index, GetCheck(index) + (enable ? 1 : 3));
}

void CCheckListCtrl::Toggle(int index)
{
    if (index < 0 || index >= count())
        return;
    m_nLastToggled = index;
    SetCheck(index, !GetCheck(index));
    NotifyParent(this, kNotifyToggled);
}

int CCheckListCtrl::RowAt(const QPoint& pt) const
{
    // An empty list has no item 0 to measure rows by.
    if (count() == 0)
        return -1;
    const int rowHeight = visualItemRect(item(0)).height();
    if (rowHeight <= 0 || pt.y() < 0)
        return -1;
    const int row = pt.y() / rowHeight + verticalScrollBar()->value();
    return row < count() ? row : -1;
}

void CCheckListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pt = event->position().toPoint();
        const int row = RowAt(pt);
        if (row >= 0 && pt.x() >= 0 && pt.x() < StateImage(0).width() && IsItemEnabled(row))
            Toggle(row);
    }
    QListWidget::mousePressEvent(event);
}

void CCheckListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Another press: a double click on a box toggles it back.
    mousePressEvent(event);
}

void CCheckListCtrl::keyPressEvent(QKeyEvent* event)
{
    QListWidget::keyPressEvent(event);
    if (event->key() != Qt::Key_Space)
        return;
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (first < 0 || index.row() < first)
            first = index.row();
    if (first >= 0 && IsItemEnabled(first))
        Toggle(first);
}
