#include "graphics/MetafilePlay.h"

#include "platform/metafile/CEmfRecorderDC.h"

namespace {
HENHMETAFILE g_probe = nullptr;

HENHMETAFILE RecordProbe()
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg(0, 0);
    dc->SetWindowExt(100, 100);
    dc->SetViewportExt(100, 100);
    dc->Rectangle(0, 0, 100, 100);
    return CloseEnhMetaFile(dc.get());
}
}  // namespace

int ScaleMetaRecord(CWmfPlayer& player, std::vector<BYTE>& record, CMetaScaleContext& ctx)
{
    if (ScaleMetaRecordBytes(ctx, record))
        player.PlayRecord(record);
    return 1;
}

BOOL PlayMetafileInRect(CDC* dc, HMETAFILE metafile, const RECT& dest, const RECT& src)
{
    if (!dc || !metafile)
        return FALSE;
    const int saved = dc->SaveDC();
    CMetaScaleContext ctx = MakeMetaScaleContext(dest, src);
    const int result = EnumMetaFile(dc, metafile, [&](CWmfPlayer& player, std::vector<BYTE>& record) {
        return ScaleMetaRecord(player, record, ctx);
    });
    dc->RestoreDC(saved);
    return result ? TRUE : FALSE;
}

BOOL PlayEnhMetafileRecoloured(CDC* dc, HENHMETAFILE metafile, const RECT& rect, COLORREF tint)
{
    if (!IsRealColor(tint))
        return PlayEnhMetaFile(dc, metafile, &rect) ? TRUE : FALSE;
    CMetaRecolourContext ctx{tint, FALSE, NO_COLOR};
    ScanEnhMetaColours(metafile, ctx);
    // Each record is a copy: the picture keeps its own colours for the next play.
    return EnumEnhMetaFile(dc, metafile, &rect, [&](CEmfPlayer& player, std::vector<BYTE>& record) {
               RecolourEnhRecord(record, ctx);
               player.PlayRecord(record);
               return 1;
           }) ? TRUE : FALSE;
}

BOOL PlayProbeEnhMetafile(CDC* dc)
{
    if (!g_probe)
        g_probe = RecordProbe();
    if (!g_probe || !dc)
        return FALSE;
    const int saved = dc->SaveDC();
    const RECT rect{0, 0, 100, 100};
    const bool ok = PlayEnhMetaFile(dc, g_probe, &rect);
    dc->RestoreDC(saved);
    return ok ? TRUE : FALSE;
}

void FreeProbeEnhMetafile()
{
    DeleteEnhMetaFile(g_probe);
    g_probe = nullptr;
}
