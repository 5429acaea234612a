// Feeds arbitrary bytes to the metafile parsers, the record enumerators, the
// record rewriting and the colour scan. The input is tried as an EMF, a WMF and
// a placeable WMF; whatever parses is walked and rewritten record by record.
#include "graphics/MetaRecolour.h"
#include "graphics/MetaScaleRecord.h"
#include "graphics/MetafileHelpers.h"
#include "graphics/MetafilePlay.h"
#include "platform/metafile/CWmfRecorderDC.h"

#include <cstdint>
#include <cstring>

namespace {
// A device context that draws nothing and measures no text (the replay driver
// has no GUI application, so no fonts).
class CNullDC : public CDC {
public:
    bool LineTo(int, int) override { return true; }
    bool Polyline(const POINT*, int) override { return true; }
    bool Polygon(const POINT*, int) override { return true; }
    bool PolyPolygon(const POINT*, const int*, int) override { return true; }
    bool PolyBezier(const POINT*, int) override { return true; }
    bool Rectangle(int, int, int, int) override { return true; }
    bool Ellipse(int, int, int, int) override { return true; }
    bool RoundRect(int, int, int, int, int, int) override { return true; }
    bool Arc(int, int, int, int, int, int, int, int) override { return true; }
    bool Pie(int, int, int, int, int, int, int, int) override { return true; }
    bool Chord(int, int, int, int, int, int, int, int) override { return true; }
    void FillRect(const RECT*, CBrush*) override {}
    void FrameRect(const RECT*, CBrush*) override {}
    bool FillRgn(CRgn*, CBrush*) override { return true; }
    bool FrameRgn(CRgn*, CBrush*, int, int) override { return true; }
    bool PatBlt(int, int, int, int, DWORD) override { return true; }
    bool BitBlt(int, int, int, int, CDC*, int, int, DWORD) override { return true; }
    bool StretchBlt(int, int, int, int, CDC*, int, int, int, int, DWORD) override { return true; }
    int StretchDIBits(int, int, int, int, int, int, int, int, const void*, const BITMAPINFO*, UINT, DWORD) override
    {
        return 1;
    }
    COLORREF SetPixel(int, int, COLORREF c) override { return c; }
    bool StrokePath() override { return true; }
    bool FillPath() override { return true; }
    bool StrokeAndFillPath() override { return true; }
    bool ExtTextOut(int, int, UINT, const RECT*, const char*, UINT, const int*) override { return true; }
    void GpFillPath(const QPainterPath&, const CGpBrush&, const CGpState&) override {}
    void GpDrawPath(const QPainterPath&, const CGpPen&, const CGpState&) override {}
    void GpDrawImage(const QImage&, const QRectF&, const QRectF&, const CGpImageAttributes*, const CGpState&) override
    {
    }
};

void FuzzWmf(HMETAFILE h)
{
    if (!h)
        return;
    LONG l, t, r, b;
    GetMetafileBounds(h, l, t, r, b);
    CMetaRecordCounts counts;
    CMetaScaleContext ctx = MakeMetaScaleContext(RECT{0, 0, 640, 480}, RECT{-7, 3, 90, 200});
    EnumMetaFileRecords(h, [&](std::vector<BYTE>& record) {
        CountMetaRecords(record, counts);
        ScaleMetaRecordBytes(ctx, record);
        return 1;
    });
    // Played as it is and scaled into a rectangle.
    CNullDC dc;
    PlayMetaFile(&dc, h);
    PlayMetafileInRect(&dc, h, RECT{0, 0, 300, 200}, RECT{0, 0, 50, 50});
    DeleteMetaFile(h);
}

void FuzzEmf(HENHMETAFILE h)
{
    if (!h)
        return;
    ENHMETAHEADER header;
    GetEnhMetaFileHeader(h, &header);
    CMetaRecolourContext ctx{RGB(200, 10, 10), FALSE, NO_COLOR};
    ScanEnhMetaColours(h, ctx);
    EnumEnhMetaFileRecords(h, [&](std::vector<BYTE>& record) {
        RecolourEnhRecord(record, ctx);
        return 1;
    });
    // Played recoloured, and converted to a WMF (played into the WMF recorder).
    CNullDC dc;
    PlayEnhMetafileRecoloured(&dc, h, RECT{0, 0, 640, 480}, RGB(200, 10, 10));
    GetWinMetaFileBits(h, MM_ANISOTROPIC);
    DeleteEnhMetaFile(h);
}

// A copy whose header states the copy's own size, so that mutations reach the
// records instead of stopping at the size check.
std::vector<BYTE> WithSizeFixed(const uint8_t* data, size_t size, bool emf)
{
    std::vector<BYTE> copy(data, data + size);
    if (emf && copy.size() >= EMF_HEADER_MIN_SIZE) {
        copy.resize(copy.size() & ~size_t(3));
        StoreLE32(copy.data() + EMF_OFF_BYTES, DWORD(copy.size()));
    } else if (!emf && copy.size() >= WMF_HEADER_SIZE) {
        copy.resize(copy.size() & ~size_t(1));
        StoreLE32(copy.data() + 6, DWORD(copy.size() / 2));
    }
    return copy;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    FuzzEmf(SetEnhMetaFileBits(UINT(size), data));
    FuzzWmf(SetMetaFileBitsEx(UINT(size), data));
    const std::vector<BYTE> emf = WithSizeFixed(data, size, true);
    FuzzEmf(SetEnhMetaFileBits(UINT(emf.size()), emf.data()));
    const std::vector<BYTE> wmf = WithSizeFixed(data, size, false);
    FuzzWmf(SetMetaFileBitsEx(UINT(wmf.size()), wmf.data()));

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block && size) {
        std::memcpy(GlobalLock(block), data, size);
        GlobalUnlock(block);
    }
    IsPlaceableMetafileBlock(block);
    IsEnhMetafileBlock(block);
    FuzzWmf(MetafileFromAPMGlobal(block));
    FuzzWmf(MetafileFromGlobal(block));
    MetaBlocksEqual(block, block);
    GlobalFree(block);

    // Every prefix of a record-sized input rewritten as one record copy.
    if (size >= 6 && size < 512) {
        std::vector<BYTE> record(data, data + (size & ~size_t(1)));
        CMetaScaleContext ctx = MakeMetaScaleContext(RECT{0, 0, 30000, 30000}, RECT{0, 0, 3, 3});
        ScaleMetaRecordBytes(ctx, record);
    }
    return 0;
}
