#pragma once
// Drawing the diagram anywhere but the screen: into bitmaps (with
// supersampled anti-aliasing), packed DIBs, enhanced metafiles in memory or in
// a file, and the "Export Graphic" command that writes WMF, EMF, BMP, JPG, PNG,
// TIF or GIF files.
#include "platform/CRect.h"
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"
#include "platform/metafile/MetaFileHandles.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include <vector>

class CBitmap;
class CDC;
class CDiagObj;
class CGraphics;
class CGraphicExportData;
class CKavoDoc;

// Object sets: all objects, the selected ones, the marked ones.
constexpr int kExportAll = 0;
constexpr int kExportSelected = 1;
constexpr int kExportMarked = 2;

// Drawing modes of off-screen drawing.
constexpr int kExportModeWmf = 3;  // a metafile that holds no alpha and no paths
constexpr int kExportModeMetafile = 4;
constexpr int kExportModeBitmap = 5;

// What the object drawing is asked to draw: the set, the mode, the export
// rectangle (also the clip) and the target's size in pixels (0 x 0 for
// metafiles).
struct ExportDrawRequest {
    int which = kExportAll;
    int mode = kExportModeBitmap;
    CRect exportRect;
    SIZE client{0, 0};
    int handleSize = 1;
    // Anti-aliased drawing: 1 on, 0 off, -1 as the display draws (the
    // export's own option decides for the files it writes).
    int smoothing = -1;
    // A band of a picture drawn in parts: a smaller clip (empty: the export
    // rectangle) and, when given, the objects that can reach it, in the
    // list's order.
    CRect clip;
    const std::vector<CDiagObj*>* objects = nullptr;
};
// The document's object drawing, installed by the layer that owns it; the
// device context is mapped so that the export rectangle fills the target.
using ExportDrawFn = std::function<void(CKavoDoc& doc, CGraphics* graphics, CDC* dc, const ExportDrawRequest& request)>;
void SetExportDrawer(ExportDrawFn drawer);
// Draws through the installed drawing (nothing when none is installed).
void DrawForExport(CKavoDoc& doc, CGraphics* graphics, CDC* dc, const ExportDrawRequest& request);

// The bounding rectangle of the set grown by 2 more units to the right and
// below; with atOrigin moved to (0, 0); the HIMETRIC size when asked.
CRect ExportRectFromObjSetRect(const CRect& objSetRect, SIZE* himetric, bool atOrigin);

// The export rectangle of a set of the document: the set's bounds (with the
// objects' shadows, grown by 1) then 2 more units to the right and below.
CRect GetExportRect(const CKavoDoc& doc, int which, SIZE* himetric, bool atOrigin);

// The drawing in a bitmap of width x height filled with the background, the
// export rectangle fitted to it keeping its aspect and centred. Null when
// the bitmap cannot be made. A bitmap drawn `supersampling` times as large
// as the picture it is shrunk to draws lines thinner than that picture's
// pixel one such pixel wide (CPainterDC::SetSupersampling).
std::unique_ptr<CBitmap> RenderToDDB(CKavoDoc& doc, int which, const CRect& rect, int height, int width,
                                     COLORREF background, int smoothing = -1, int supersampling = 1);
// With anti-aliasing (24 bits or more) drawn 4 times as large, else 2 times
// (when memory is short), else plainly, and scaled down bicubically; drawn in
// bands, so only the final picture is held whole. smoothing as in
// ExportDrawRequest.
std::unique_ptr<CBitmap> RenderToBitmap(CKavoDoc& doc, int which, const CRect& rect, int bits, int height,
                                        int width, COLORREF background, bool antialias, int smoothing = -1);
// A BMP file image (file header and packed DIB) of that bit depth; null on failure.
HGLOBAL RenderToPackedDIB(CKavoDoc& doc, int which, const CRect& rect, int bits, int height, int width,
                          COLORREF background, bool antialias, int smoothing = -1);
// An enhanced metafile of the set at the origin, with the description
// "<app>\0<document>\0\0"; null when it cannot be recorded.
HENHMETAFILE RenderToEnhMetafile(CKavoDoc& doc, int which, const CRect& rect, const std::string& appTitle,
                                 const std::string& docTitle);
// The set recorded for conversion to a Windows metafile: drawn as that
// format can hold it (shadows as opaque shapes, gradients as one colour,
// dashed lines as dashed pens).
HENHMETAFILE RenderForWindowsMetafile(CKavoDoc& doc, int which, const CRect& rect);
// The set's enhanced metafile as bytes; empty when it cannot be recorded.
std::vector<BYTE> RenderToEmfBytes(CKavoDoc& doc, int which, const CRect& rect);
// Writes the set's enhanced metafile to path; false when it could not be
// recorded or written (the old file, if any, then stays).
bool RenderToEmfFile(CKavoDoc& doc, int which, const CRect& rect, const QString& path);

// The options dialog of a raster export: false for Cancel.
using ExportOptionsFn = std::function<bool(CGraphicExportData& data)>;

// Results of ExportGraphic beyond true and false.
struct ExportResult {
    bool ok = false;
    bool reported = false;  // the user was already told why (no "Export failed.")
};
// Writes the set as the export type to path (see ExportFormats.h for the
// types). Width or height 0 asks the options dialog. Nothing is left behind
// at path when the export fails.
ExportResult ExportGraphic(CKavoDoc& doc, int which, const CRect& objSetRect, int type, const QString& path,
                           int width, int height, int quality, int bits, bool allowAntialias,
                           const ExportOptionsFn& options);
