// The "Export Graphic" roads: metafiles recorded and written, raster types
// rendered to a DIB and saved by the image library, true-colour PNG streamed
// band by band. Every
// file is written beside its target and moved over it only when complete.
#include "render/DiagramExport.h"

#include "core/CGraphicExportData.h"
#include "core/FileHelpers.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Units.h"
#include "graphics/ImageLibrary.h"
#include "graphics/MetafileHelpers.h"
#include "graphics/PngBandWriter.h"
#include "platform/GdiObjects.h"
#include "platform/Prompt.h"
#include "render/BandedRender.h"
#include "render/ExportFormats.h"
#include "render/PictureColours.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace {

constexpr UINT IDS_EXPORT_TOO_LARGE = 683;

// A free name beside the target for the file being written.
QString SiblingTemporary(const QString& path)
{
    QTemporaryFile probe(QFileInfo(path).absolutePath() + "/.kavo-export-XXXXXX");
    probe.setAutoRemove(true);
    if (!probe.open())
        return {};
    return probe.fileName() + ".part";
}

// Writes through a sibling temporary; the target changes only on success.
template <class Write>
bool WriteReplacing(const QString& path, Write write)
{
    const QString temp = SiblingTemporary(path);
    if (temp.isEmpty())
        return false;
    const bool ok = write(temp) && MoveFileReplacing(temp, path);
    if (!ok)
        QFile::remove(temp);
    return ok;
}

bool ExportWmf(CKavoDoc& doc, int which, const CRect& objSetRect, const QString& path)
{
    SIZE himetric{};
    const CRect box = ExportRectFromObjSetRect(objSetRect, &himetric, true);
    const CRect rect = ExportRectFromObjSetRect(objSetRect, nullptr, false);
    HENHMETAFILE emf = RenderForWindowsMetafile(doc, which, rect);
    if (!emf)
        return false;
    HMETAFILE wmf = EnhToWinMetafile(emf);
    DeleteEnhMetaFile(emf);
    if (!wmf)
        return false;
    const bool ok = WriteReplacing(path, [&](const QString& temp) {
        return WritePlaceableMetafile(wmf, temp, box, himetric.cx) != FALSE;
    });
    DeleteMetaFile(wmf);
    return ok;
}

bool AntialiasOffered(int type)
{
    return type == EXPORT_JPEG || type == EXPORT_PNG || type == EXPORT_TIFF || type == EXPORT_PCX;
}

// The options dialog's answers, stored back into the settings.
struct RasterChoice {
    int width = 0, height = 0, quality = 100;
    bool antialias = false, transparent = false;
    COLORREF background = 0xFFFFFF;
};

// False: cancelled (result true, nothing written) or refused sizes.
bool AskOptions(int type, const CRect& rect, const ExportOptionsFn& options, RasterChoice& c, ExportResult& r)
{
    CGraphicExportData data;
    data.m_nOrigWidth = LogicalToScreenPixels(rect.Width());
    data.m_nOrigHeight = LogicalToScreenPixels(rect.Height());
    data.m_nScale = ExpPct;
    data.InitSizes();
    data.m_bAntialiasAllowed = AntialiasOffered(type);
    data.m_bAntialias = data.m_bAntialiasAllowed && ExpAntialias;
    data.m_bQualityEnabled = type == EXPORT_JPEG;
    data.m_nQuality = HtmlQuality;
    data.m_bTransparentAllowed = type == EXPORT_GIF;
    data.m_bTransparent = FALSE;
    data.m_crBackground = BitmapBackgroundColor;
    if (!options || !options(data)) {
        r.ok = true;
        r.reported = true;
        return false;
    }
    if (data.m_nWidth <= 0 || data.m_nHeight <= 0)
        return false;
    if (type == EXPORT_GIF)
        ExpTransp = data.m_bTransparent ? 1 : 0;
    ExpPct = data.m_nScale;
    if (data.m_bAntialiasAllowed)
        ExpAntialias = data.m_bAntialias ? 1 : 0;
    if (type == EXPORT_JPEG)
        HtmlQuality = data.m_nQuality;
    BitmapBackgroundColor = data.m_crBackground;
    c.width = data.m_nWidth;
    c.height = data.m_nHeight;
    c.quality = type == EXPORT_JPEG ? data.m_nQuality : 100;
    c.transparent = data.m_bTransparent != FALSE;
    c.antialias = ExpAntialias && data.m_bAntialiasAllowed && !c.transparent;
    c.background = data.m_crBackground;
    return true;
}

// Told why; no page or caller may take the image as written.
ExportResult& ReportTooLarge(ExportResult& r)
{
    MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_EXPORT_TOO_LARGE);
    r.reported = true;
    return r;
}

// A true-colour PNG drawn and written band by band; anti-aliased 4 times,
// else (memory short) 2 times, else plainly. NoMemory when no band could be made.
BandedResult ExportPngBanded(CKavoDoc& doc, int which, const CRect& rect, const RasterChoice& c, const QString& path)
{
    BandedRequest request;
    request.which = which;
    request.rect = rect;
    request.width = c.width;
    request.height = c.height;
    request.background = c.background;
    request.smoothing = c.antialias;
    BandedResult result = BandedResult::NoMemory;
    for (int factor : {4, 2, 1}) {
        if (factor > 1 && !c.antialias)
            continue;
        request.factor = factor;
        QSaveFile file(path);
        CPngBandWriter writer(&file, c.width, c.height);
        if (!file.open(QIODevice::WriteOnly) || !writer.Begin())
            return BandedResult::Stopped;
        // Rows go Up-filtered: diagrams repeat rows far more than they
        // repeat pixels, and the filter costs one subtraction a byte.
        result = RenderBanded(
            doc, request,
            [](RenderedBand& band) {
                band.png = DeflatePngBand(band.rows, PngRowFilter::Up, band.last);
                band.rows = QImage();
            },
            [&](RenderedBand& band) { return writer.Append(band.png); });
        if (result == BandedResult::Done)
            return writer.Finish() && file.commit() ? result : BandedResult::Stopped;
        file.cancelWriting();
        if (result == BandedResult::Stopped)
            return result;
    }
    return result;
}

bool SaveRaster(int type, HGLOBAL dib, const QString& path, int quality, bool transparent)
{
    if (type == EXPORT_PNG)
        return SaveBitmapBlockWithEncoder(type, dib, path) == 1;
    const int flags = type == EXPORT_JPEG ? quality : 100;
    const COLORREF key = kTransparentKey;
    return WriteReplacing(path, [&](const QString& temp) {
        return SaveImageFile(ExportTypeToImageFormat(type), dib, temp, flags,
                             transparent && type == EXPORT_GIF ? &key : nullptr);
    });
}

} // namespace

ExportResult ExportGraphic(CKavoDoc& doc, int which, const CRect& objSetRect, int type, const QString& path,
                           int width, int height, int quality, int bits, bool allowAntialias,
                           const ExportOptionsFn& options)
{
    ExportResult r;
    if (path.isEmpty())
        return r;
    if (objSetRect.IsRectEmpty()) {
        // No picture can be made of nothing: say so rather than "failed".
        MsgBoxPrintf(MB_ICONEXCLAMATION, "There is nothing to export: the diagram is empty.");
        r.reported = true;
        return r;
    }
    // The image library cannot write PCX: refused here, not tried.
    if (type == EXPORT_PCX)
        return r;
    if (type == EXPORT_WMF) {
        r.ok = ExportWmf(doc, which, objSetRect, path);
        return r;
    }
    const CRect rect = ExportRectFromObjSetRect(objSetRect, nullptr, false);
    if (type != EXPORT_BMP && type != EXPORT_JPEG && type != EXPORT_PNG && type != EXPORT_TIFF &&
        type != EXPORT_GIF) {
        r.ok = RenderToEmfFile(doc, which, rect, path);
        return r;
    }
    RasterChoice c;
    c.background = BitmapBackgroundColor;
    if (width <= 0 || height <= 0) {
        if (!AskOptions(type, rect, options, c, r))
            return r;
        bits = 24;
    } else {
        c.width = width;
        c.height = height;
        c.quality = quality;
        c.antialias = allowAntialias && (type == EXPORT_JPEG || type == EXPORT_PNG || type == EXPORT_TIFF);
    }
    if (type == EXPORT_JPEG || bits <= 0)
        bits = 24;
    if (type == EXPORT_PNG && bits >= 24) {
        // True-colour PNG streams from the drawing to the file: the picture
        // is never held whole.
        const BandedResult result = ExportPngBanded(doc, which, rect, c, path);
        if (result == BandedResult::NoMemory)
            return ReportTooLarge(r);
        r.ok = result == BandedResult::Done;
        return r;
    }
    // The file is smoothed as its own option says, whatever the display does.
    HGLOBAL dib = RenderToPackedDIB(doc, which, rect, bits, c.height, c.width,
                                    c.transparent ? kTransparentKey : c.background, c.antialias, c.antialias);
    if (!dib)
        return ReportTooLarge(r);
    r.ok = SaveRaster(type, dib, path, c.quality, c.transparent);
    GlobalFree(dib);
    return r;
}
