// Rendering the diagram's objects into bitmaps and metafiles.
#include "render/DiagramExport.h"

#include "core/NumericHelpers.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "graphics/BitmapHelpers.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/SysColors.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "render/BandedRender.h"

#include <QSaveFile>

#include <vector>

namespace {

ExportDrawFn& Drawer()
{
    static ExportDrawFn drawer;
    return drawer;
}

// Larger bitmaps held whole are refused rather than tried.
constexpr qint64 kMaxRenderPixels = qint64(16384) * 16384;

void Draw(CKavoDoc& doc, CGraphics* graphics, CDC* dc, const ExportDrawRequest& request)
{
    if (Drawer())
        Drawer()(doc, graphics, dc, request);
}

// Records the set into an enhanced metafile with the drawing at the origin;
// a null frame is computed from what was drawn.
void Record(CEmfRecorderDC* rec, CKavoDoc& doc, int which, const CRect& rect, const RECT* frame,
            bool throughGraphics, int mode = kExportModeMetafile)
{
    if (frame) {
        // The drawing fills the frame: its units map onto the reference's
        // pixels at the frame's scale, so that every reader sizes it alike.
        const CDeviceCaps& caps = rec->DeviceCaps();
        auto pixels = [](LONG hundredthsMm, int res, int sizeMm) {
            return std::max(1, MulDiv(hundredthsMm, res, std::max(sizeMm, 1) * 100));
        };
        rec->SetMapMode(MM_ANISOTROPIC);
        rec->SetWindowExt(std::max(rect.Width(), 1), std::max(rect.Height(), 1));
        rec->SetViewportOrg(0, 0);
        rec->SetViewportExt(pixels(frame->right - frame->left, caps.horzRes, caps.horzSizeMm),
                            pixels(frame->bottom - frame->top, caps.vertRes, caps.vertSizeMm));
    }
    rec->SetWindowOrg(rect.left, rect.top);
    ExportDrawRequest request;
    request.which = which;
    request.mode = mode;
    request.exportRect = rect;
    if (throughGraphics) {
        CGraphics graphics(rec);
        Draw(doc, &graphics, nullptr, request);
    } else {
        Draw(doc, nullptr, rec, request);
    }
}

// The frame of the diagram's own size (256 units an inch) in 0.01 mm, as
// the Windows metafile export declares it, not the size its units have as
// pixels of the screen the recording refers to.
RECT DiagramFrame(const CRect& rect)
{
    return RECT{0, 0, LONG(qint64(rect.Width()) * 2540 / 256), LONG(qint64(rect.Height()) * 2540 / 256)};
}

} // namespace

void SetExportDrawer(ExportDrawFn drawer)
{
    Drawer() = std::move(drawer);
}

void DrawForExport(CKavoDoc& doc, CGraphics* graphics, CDC* dc, const ExportDrawRequest& request)
{
    Draw(doc, graphics, dc, request);
}

CRect ExportRectFromObjSetRect(const CRect& objSetRect, SIZE* himetric, bool atOrigin)
{
    CRect rect = objSetRect;
    rect.right += 2;
    rect.bottom += 2;
    if (himetric) {
        himetric->cx = LONG(qint64(rect.Width()) * 2540 / 256);
        himetric->cy = LONG(qint64(rect.Height()) * 2540 / 256);
    }
    if (atOrigin)
        rect.OffsetRect(-rect.left, -rect.top);
    return rect;
}

CRect GetExportRect(const CKavoDoc& doc, int which, SIZE* himetric, bool atOrigin)
{
    return ExportRectFromObjSetRect(doc.GetObjSetRect(which, 1, 16, nullptr, false), himetric, atOrigin);
}

std::unique_ptr<CBitmap> RenderToDDB(CKavoDoc& doc, int which, const CRect& rect, int height, int width,
                                     COLORREF background, int smoothing, int supersampling)
{
    if (width <= 0 || height <= 0 || qint64(width) * height > kMaxRenderPixels || rect.IsRectEmpty())
        return nullptr;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        DiagPrintf("Couldn't render to DIB, failed to create compat dc\n");
        return nullptr;
    }
    image.fill(QColor(GetRValue(background), GetGValue(background), GetBValue(background)));
    {
        CPainterDC dc(&image);
        dc.SetSupersampling(supersampling);
        CRect target(0, 0, width, height);
        FitSizeCenteredInRect(target, rect.Width(), rect.Height());
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetViewportOrg(target.left, target.top);
        dc.SetViewportExt(target.Width(), target.Height());
        dc.SetWindowOrg(rect.left, rect.top);
        dc.SetWindowExt(rect.Width(), rect.Height());
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        CGraphics graphics(&dc);
        ExportDrawRequest request;
        request.which = which;
        request.mode = kExportModeBitmap;
        request.exportRect = rect;
        request.client = SIZE{target.Width(), target.Height()};
        request.smoothing = smoothing;
        Draw(doc, &graphics, &dc, request);
    }
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->Attach(image))
        return nullptr;
    return bitmap;
}

std::unique_ptr<CBitmap> RenderToBitmap(CKavoDoc& doc, int which, const CRect& rect, int bits, int height,
                                        int width, COLORREF background, bool antialias, int smoothing)
{
    if (width <= 0 || height <= 0 || qint64(width) * height > kMaxRenderPixels || rect.IsRectEmpty())
        return nullptr;
    BandedRequest request;
    request.which = which;
    request.rect = rect;
    request.width = width;
    request.height = height;
    request.background = background;
    request.smoothing = smoothing;
    for (int factor : {4, 2, 1}) {
        if (factor > 1 && (!antialias || bits < 24))
            continue;
        request.factor = factor;
        const QImage image = RenderBandedImage(doc, request);
        auto bitmap = std::make_unique<CBitmap>();
        if (!image.isNull() && bitmap->Attach(image))
            return bitmap;
    }
    return nullptr;
}

HGLOBAL RenderToPackedDIB(CKavoDoc& doc, int which, const CRect& rect, int bits, int height, int width,
                          COLORREF background, bool antialias, int smoothing)
{
    const std::unique_ptr<CBitmap> bitmap =
        RenderToBitmap(doc, which, rect, bits, height, width, background, antialias, smoothing);
    return bitmap ? BitmapToDIB(bitmap.get(), bits, true) : nullptr;
}

HENHMETAFILE RenderToEnhMetafile(CKavoDoc& doc, int which, const CRect& rect, const std::string& appTitle,
                                 const std::string& docTitle)
{
    std::string description = appTitle;
    description += '\0';
    description += docTitle;
    description.append(2, '\0');
    CEmfRecorderDC rec(nullptr, description);
    Record(&rec, doc, which, rect, nullptr, false);
    return rec.Close();
}

HENHMETAFILE RenderForWindowsMetafile(CKavoDoc& doc, int which, const CRect& rect)
{
    CEmfRecorderDC rec;
    Record(&rec, doc, which, rect, nullptr, true, kExportModeWmf);
    return rec.Close();
}

std::vector<BYTE> RenderToEmfBytes(CKavoDoc& doc, int which, const CRect& rect)
{
    const RECT frame = DiagramFrame(rect);
    CEmfRecorderDC rec(&frame);
    Record(&rec, doc, which, rect, &frame, true);
    HENHMETAFILE emf = rec.Close();
    if (!emf)
        return {};
    const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<BYTE> bytes(size);
    const bool got = size > 0 && GetEnhMetaFileBits(emf, size, bytes.data()) == size;
    DeleteEnhMetaFile(emf);
    if (!got)
        bytes.clear();
    return bytes;
}

bool RenderToEmfFile(CKavoDoc& doc, int which, const CRect& rect, const QString& path)
{
    // The records go to the file as they are made (a large diagram's
    // metafile is never held whole), into a temporary beside it that
    // replaces it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const RECT frame = DiagramFrame(rect);
    bool ok = false;
    {
        CEmfRecorderDC rec(&file, &frame);
        Record(&rec, doc, which, rect, &frame, true);
        ok = rec.Finish();
    }
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
