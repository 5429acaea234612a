#include "render/PreviewRender.h"

#include "document/CKavoDoc.h"
#include "render/DiagramExport.h"

namespace {
constexpr int kPreviewWidth = 124;
constexpr int kPreviewHeight = 112;
} // namespace

HGLOBAL RenderDocPreview(CKavoDoc& doc)
{
    CRect objects;
    bool any = false;
    for (CDiagObj* obj : *doc.m_pObjList) {
        CRect r;
        obj->GetBoundRect(r, 1, 0);
        if (any)
            objects |= r;
        else
            objects = r;
        any = true;
    }
    if (!any || objects.IsRectEmpty())
        return nullptr;
    CRect rect = ExportRectFromObjSetRect(objects, nullptr, false);
    // A margin of a twentieth around the drawing, in the picture's proportions.
    rect.InflateRect(rect.Width() / 20, rect.Height() / 20 * kPreviewHeight / kPreviewWidth);
    return RenderToPackedDIB(doc, kExportAll, rect, 24, kPreviewHeight, kPreviewWidth, 0xFFFFFF, false);
}
