#include "dialogs/CSchemePreviewWnd.h"

#include "platform/PackedDib.h"

#include <QPainter>

CSchemePreviewWnd::CSchemePreviewWnd(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void CSchemePreviewWnd::SetExtent(int width, int height)
{
    if (width == m_nExtentX && height == m_nExtentY)
        return;
    m_nExtentX = width;
    m_nExtentY = height;
    update();
}

void CSchemePreviewWnd::SetPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void CSchemePreviewWnd::SetPictureBlock(HGLOBAL block)
{
    QImage picture;
    if (block) {
        {
            CGlobalLock lock(block);
            picture = DibToImage(lock.data(), lock.size());
        }
        GlobalFree(block);
    }
    SetPicture(picture);
}

QRect CSchemePreviewWnd::DrawingRect(const QRect& client) const
{
    const QRect r = client.adjusted(1, 1, -1, -1);
    if (m_nExtentX <= 0 || m_nExtentY <= 0 || r.width() <= 0 || r.height() <= 0)
        return r;
    // Products in 64 bits: the extent comes from the caller unchecked.
    int w = r.width();
    int h = int(int64_t(w) * m_nExtentY / m_nExtentX);
    if (h > r.height()) {
        h = r.height();
        w = int(int64_t(h) * m_nExtentX / m_nExtentY);
    }
    return QRect(r.left() + (r.width() - w) / 2, r.top() + (r.height() - h) / 2, w, h);
}

void CSchemePreviewWnd::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(DrawingRect(contentsRect()), m_picture);
}
