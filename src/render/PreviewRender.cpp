#include "render/PreviewRender.h"

#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "render/DiagramExport.h"

namespace {
constexpr int kPreviewWidth = 124;
constexpr int kPreviewHeight = 112;
} // namespace

HGLOBAL RenderDocPreview(CKavoDoc& doc)
{
    CRect objects;
    if (!GetObjectsBoundRect(doc, objects) || objects.IsRectEmpty())
        return nullptr;
    CRect rect = ExportRectFromObjSetRect(objects, nullptr, false);
    // A margin of a twentieth around the drawing, in the picture's proportions.
    rect.InflateRect(rect.Width() / 20, rect.Height() / 20 * kPreviewHeight / kPreviewWidth);
    return RenderToPackedDIB(doc, kExportAll, rect, 24, kPreviewHeight, kPreviewWidth, 0xFFFFFF, false);
}
