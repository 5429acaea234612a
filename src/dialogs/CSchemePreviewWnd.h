#pragma once
// The Apply Color Scheme dialog's preview pane: the preview picture stored in
// the scheme's variant file, drawn into the largest rectangle of the pane's
// extent proportions centred in the pane (1 pixel in from the border).
#include "platform/GlobalMem.h"

#include <QFrame>
#include <QImage>
#include <QRect>

class CSchemePreviewWnd : public QFrame {
    Q_OBJECT
public:
    explicit CSchemePreviewWnd(QWidget* parent = nullptr);
    // Extent in logical units (0 x 0: the whole pane); repaints when changed.
    void SetExtent(int width, int height);
    int ExtentWidth() const { return m_nExtentX; }
    int ExtentHeight() const { return m_nExtentY; }
    // The picture shown; a null image clears the pane.
    void SetPicture(const QImage& picture);
    // The picture of a packed-DIB block, which is freed; null clears.
    void SetPictureBlock(HGLOBAL block);
    bool HasPicture() const { return !m_picture.isNull(); }
    // Where the picture goes in a pane of `client`.
    QRect DrawingRect(const QRect& client) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    int m_nExtentX = 0;
    int m_nExtentY = 0;
};
