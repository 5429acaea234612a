#pragma once
// The repaint of one logical area of the view as the view paints it: the
// page background, then the objects through the drawing pass.
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/CZoomMapping.h"
#include "render/DocDrawObjects.h"
#include "render/ViewPaint.h"

#include <QImage>

#include <benchmark/benchmark.h>

inline void PaintViewArea(CKavoDoc& doc, const CZoomMapping& m, QImage& surface, const CRect& clip)
{
    CPainterDC dc(&surface);
    m.PrepareDC(dc);
    CDiagObjDrawCtx ctx;
    FillScreenDrawCtx(ctx, m, clip);
    DrawPageBackground(dc, doc, clip, ctx.handleSize, UnitsPerPixel(m));
    CGraphics graphics(&dc);
    DrawDocObjects(doc, &graphics, &dc, ctx);
    dc.Flush();
    benchmark::DoNotOptimize(surface.constBits());
}
