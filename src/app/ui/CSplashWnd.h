#pragma once
// A borderless window centred on the screen that shows one bitmap while the
// program starts. Light grey (192, 192, 192) pixels of the bitmap are
// transparent: they show the button-face colour.
#include <QImage>
#include <QWidget>

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    // The bitmap resource id (319, or 321 on the first run).
    explicit CSplashWnd(int bitmapId);
    // Loads the bitmap and shows the window; false when the bitmap is missing.
    bool Create();
    // The picture as painted: the bitmap over the button face.
    QImage Composed() const;
    static constexpr QRgb kTransparentColor = 0xFFC0C0C0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nBitmapId;
    QImage m_bitmap;
};
