#include "render/PrintDocument.h"

#include "core/MsgBox.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/Prompt.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/CZoomMapping.h"
#include "render/DocDrawObjects.h"
#include "render/ViewPaint.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

#include <algorithm>

void ApplyDocPageLayout(const CKavoDoc& doc, QPagedPaintDevice* device)
{
    if (!device || doc.m_nPaperWidth <= 0 || doc.m_nPaperLength <= 0)
        return;
    const QPageSize size(QSizeF(doc.m_nPaperWidth / 10.0, doc.m_nPaperLength / 10.0), QPageSize::Millimeter);
    const QPageLayout layout(size, doc.m_nOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0));
    device->setPageLayout(layout);
}

int PrintDocumentPages(CKavoDoc& doc, QPagedPaintDevice* device, int fromPage, int toPage)
{
    if (!device)
        return 0;
    if (doc.m_nPaperWidth < 1 || doc.m_nPaperLength < 1) {
        MsgBoxPrintf(MB_ICONEXCLAMATION,
                     "Cannot print, custom paper size has no dimensions.  Fix in Print Set-up or Page Set-up.");
        return 0;
    }
    const int pages = std::max(1, int(doc.m_nPosterRows)) * std::max(1, int(doc.m_nPosterCols));
    fromPage = std::clamp(fromPage, 1, pages);
    toPage = std::clamp(toPage, fromPage, pages);
    CPainterDC dc(device);
    int printed = 0;
    for (int page = fromPage; page <= toPage; ++page) {
        if (page > fromPage && !dc.NewPage())
            break;
        CDiagObjDrawCtx ctx;
        ctx.mode = kDrawModePrint;
        ctx.pageIndex = page;
        ctx.printSize = CSize(device->width(), device->height());
        ctx.clientWidth = device->width();
        ctx.clientHeight = device->height();
        const int saved = dc.SaveDC();
        PreparePrintMapping(dc, ctx, kDrawModePrint, doc, CZoomMapping());
        CGraphics graphics(&dc);
        DrawDocObjects(doc, &graphics, &dc, ctx);
        dc.RestoreDC(saved);
        ++printed;
    }
    return printed;
}
