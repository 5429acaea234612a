#pragma once
// What the two metafile recorders (EMF and WMF) share: rectangle and region
// fills written as pattern fills with the brush selected for them, and block
// transfers written as device-independent bitmaps.
#include "platform/CDC.h"

#include <vector>

class CMetaRecorderDC : public CDC {
public:
    using CDC::SelectObject;
    void FillRect(const RECT* rect, CBrush* brush) override;
    void FrameRect(const RECT* rect, CBrush* brush) override;
    bool FillRgn(CRgn* region, CBrush* brush) override;
    bool FrameRgn(CRgn* region, CBrush* brush, int width, int height) override;
    bool BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop) override;
    bool StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop) override;
    int StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                      const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) override;
    // Written as an alpha blend where the format holds one, otherwise as the
    // source's colours, opaque.
    bool AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                    BLENDFUNCTION blend) override;

    // The anti-aliased side is written in GDI terms: a filled path as polygons
    // in the brush's colour (gradients and textures as one mean colour), a
    // stroked path as a pen of its width, colour and dashes drawing its
    // figures as lines and Bezier curves, an image as a DIB:
    // one with translucent pixels as an alpha blend where the format holds one
    // (a wholly transparent image is not written at all). Brush and pen alpha
    // and image attributes are not kept.
    void GpFillPath(const QPainterPath& path, const CGpBrush& brush, const CGpState& state) override;
    void GpDrawPath(const QPainterPath& path, const CGpPen& pen, const CGpState& state) override;
    void GpDrawImage(const QImage& image, const QRectF& dst, const QRectF& src, const CGpImageAttributes* attrs,
                     const CGpState& state) override;

private:
    // Fills a path, mapped to logical units, with a solid colour and no outline.
    void FillLogicalPath(const QPainterPath& path, const QTransform& toLogical, COLORREF colour);
    // Writes part of an image into a logical rectangle: blended when the
    // blend or the pixels ask for it and the format can, else opaque.
    bool WriteImagePart(const QImage& image, const QRect& part, const QRect& dest, BLENDFUNCTION blend);

protected:
    CMetaRecorderDC() { SetDeviceCaps(DisplayDeviceCaps()); }
    // Writes a packed DIB (header, colour table, rows) stretched into the
    // destination; `infoSize` bytes of it are header and colour table.
    virtual bool WriteDib(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const std::vector<BYTE>& dib,
                          size_t infoSize, UINT usage, DWORD rop) = 0;
    // Writes a 32-bit BI_RGB DIB (40-byte header, rows bottom-up) blended into
    // the destination; with AC_SRC_ALPHA its colours are premultiplied by its
    // alpha. False when the format holds no blending: the caller then writes
    // the image opaque.
    virtual bool WriteAlphaDib(int x, int y, int w, int h, const std::vector<BYTE>& dib, BLENDFUNCTION blend)
    {
        (void)x, (void)y, (void)w, (void)h, (void)dib, (void)blend;
        return false;
    }

    // Header plus colour table bytes, and row bytes, of an uncompressed DIB
    // header the recorders write; false for any other.
    // A device rectangle in logical units; false when the mapping puts it out of
    // the range of 32-bit coordinates.
    bool DeviceToLogical(const QRect& device, RECT& logical) const;

    static bool DibSizes(const BITMAPINFOHEADER& header, size_t& infoSize, size_t& bitsSize);

    // The stock dash style (PS_DASH ... PS_DASHDOTDOT) nearest to a pattern of
    // drawn and skipped lengths; PS_SOLID for none.
    template <class Length>
    static UINT StockDashOf(const std::vector<Length>& lengths)
    {
        if (lengths.size() >= 6)
            return PS_DASHDOTDOT;
        if (lengths.size() >= 4)
            return PS_DASHDOT;
        if (lengths.size() >= 2)
            return lengths[0] > lengths[1] * 3 / 2 ? PS_DASH : PS_DOT;
        return PS_SOLID;
    }
};
