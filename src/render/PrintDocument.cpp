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
    // The device's page is the printable tile: each printed page shows one
    // tile at its own size, and the tiles meet edge to edge.
    const CRect& paper = doc.m_rcPage;
    const CRect tile = PrintTileRect(doc);
    constexpr double kMmPerUnit = 25.4 / 256.0;
    const auto mm = [](int units) { return std::max(0, units) * kMmPerUnit; };
    const QMarginsF border(mm(tile.left - paper.left), mm(tile.top - paper.top), mm(paper.right - tile.right),
                           mm(paper.bottom - tile.bottom));
    const QPageLayout layout(size, doc.m_nOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                             border, QPageLayout::Millimeter);
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
        PrintOnePage(doc, dc, page, CSize(device->width(), device->height()));
        ++printed;
    }
    return printed;
}

void PrintOnePage(CKavoDoc& doc, CDC& dc, int page, CSize printSize)
{
    CDiagObjDrawCtx ctx;
    ctx.mode = kDrawModePrint;
    ctx.pageIndex = page;
    ctx.printSize = printSize;
    ctx.clientWidth = printSize.cx;
    ctx.clientHeight = printSize.cy;
    const int saved = dc.SaveDC();
    PreparePrintMapping(dc, ctx, kDrawModePrint, doc, CZoomMapping());
    {
        CGraphics graphics(&dc);
        DrawDocObjects(doc, &graphics, &dc, ctx);
    }
    DrawPrintCropMarks(dc, doc, page);
    dc.RestoreDC(saved);
}
