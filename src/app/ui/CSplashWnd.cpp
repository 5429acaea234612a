#include "app/ui/CSplashWnd.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

CSplashWnd::CSplashWnd(int bitmapId)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_nBitmapId(bitmapId)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

bool CSplashWnd::Create()
{
    m_bitmap = QImage(QString(":/bitmaps/%1.png").arg(m_nBitmapId)).convertToFormat(QImage::Format_RGB32);
    if (m_bitmap.isNull())
        return false;
    setFixedSize(m_bitmap.size());
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->geometry();
        move((area.width() - m_bitmap.width()) / 2, (area.height() - m_bitmap.height()) / 2);
    }
    show();
    return true;
}

QImage CSplashWnd::Composed() const
{
    QImage out = m_bitmap;
    if (out.isNull())
        return out;
    const QRgb face = palette().color(QPalette::Button).rgb();
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xFF000000) == kTransparentColor)
                line[x] = face;
    }
    return out;
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, Composed());
}
