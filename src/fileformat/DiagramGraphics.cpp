// Graphic records (shared pictures) and the rebuild of the document's
// graphics list after a load.
#include "document/CKavoDoc.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/BlockPacking.h"
#include "keyword/KeywordHooks.h"

#include <unordered_set>

namespace {
// Largest GraphicData block, packed, on both sides: the reader allocates the
// block before its data lines arrive, and the writer refuses a larger one,
// so that every picture saved can be read back.
constexpr int kMaxGraphicData = 64 * 1024 * 1024;
constexpr int kMaxPictureKind = 9;
} // namespace

int CDiagramLoadObj::HandleGraphicLine(const char* p)
{
    if (*p == '}') {
        SetBlockType(ParentBlockType(BT_GRAPHIC));
        // A picture without data is no picture: figures that name it keep
        // their style's picture.
        if (!m_hGraphic || GlobalSize(m_hGraphic) == 0 || m_nGraphicType == 0) {
            if (m_hGraphic)
                GlobalFree(m_hGraphic);
            m_hGraphic = nullptr;
            return KWR_DONE;
        }
        const CGraphic record = CGraphic::Loaded(m_nGraphicType, m_hGraphic, m_nGraphicId);
        if (!m_pDoc->m_graphics.AddLoaded(&record))
            return KWR_STOP;
        m_hGraphic = nullptr; // the list holds the block now
        return KWR_DONE;
    }
    int v;
    if (MatchKeyword(p, KW_Type)) {
        if (!ParseShortAsInt(p, v, 1, kMaxPictureKind))
            return KWR_FAILED;
        m_nGraphicType = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_Compression)) {
        if (!ParseShortAsInt(p, v, 0, 2))
            return KWR_FAILED;
        m_nCompression = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_GraphicData)) {
        if (!ParseIntInRange(p, v, 0, kMaxGraphicData))
            return KWR_SKIP_BLOCK;
        return BeginBinaryData(BT_GRAPHIC_DATA, size_t(v)) ? KWR_DONE : KWR_STOP;
    }
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

BOOL WriteGraphic(CKeywordWriter& w, CGraphic& g, uint32_t id)
{
    g.Id = id;
    if (!g.Handle || GlobalSize(g.Handle) == 0)
        return TRUE;
    HGLOBAL packed = PackBlocks(g.Handle);
    HGLOBAL data = packed ? packed : g.Handle;
    const size_t size = GlobalSize(data);
    BOOL ok = FALSE;
    if (size > size_t(kMaxGraphicData)) {
        if (g_pfnKwTrace)
            g_pfnKwTrace("ERROR picture too large for save, packed len=%u\n", unsigned(size));
    } else {
        CGlobalLock lock(data);
        ok = lock.data() && w.OpenIdBlock(KW_Graphic, LONG(id)) && w.WriteShort(KW_Type, g.Type) &&
             w.WriteShort(KW_Compression, packed ? PACK_BLOCKS : PACK_NONE) &&
             w.WriteRawData(KW_GraphicData, lock.data(), size) && w.CloseBlock();
    }
    if (packed)
        GlobalFree(packed);
    return ok;
}

// Pictures are numbered 1, 2 ... in list order: the number is the id that
// figures and styles write as their "Graphic" reference.
BOOL WriteGraphicsSection(CKeywordWriter& w, CKavoDoc& doc, const DiagramWriteOptions& opt)
{
    CGraphicList& list = doc.m_graphics;
    list.ClearIds();
    if (!w.WriteText(KW_TEXT_SECTION_GRAPHICS))
        return FALSE;
    uint32_t next = 1;
    for (int i = 0; i < list.GetCount(); ++i) {
        CGraphic& g = *list.GetAt(i);
        if (opt.markedOnly && !opt.allDefs && !g.InSelection)
            continue;
        if (!WriteGraphic(w, g, next++))
            return FALSE;
    }
    return TRUE;
}

void FlagSelectedPictures(CKavoDoc& doc)
{
    doc.m_graphics.ClearSelectionFlags();
    doc.ForEachFigure([&](const CFigure* f) {
        if (!f->m_bSelected || !f->m_props.HasGraphic())
            return;
        if (CGraphic* g = doc.m_graphics.FindByHandle(f->m_props.m_nGraphicType, f->m_props.Graphic))
            g->InSelection = 1;
    });
}

// After a load: blocks of loaded records that no style or figure took are
// freed; then every use is counted again without merging, and byte-identical
// pictures are moved onto their earliest record (the later blocks are freed).
void CKavoDoc::ReconstructGraphicsList()
{
    auto trace = [](const char* text) {
        if (g_pfnKwTrace)
            g_pfnKwTrace("%s", text);
    };
    trace("SMEM  CKavoDoc::ReconstructGraphicsList() Begun\n");
    std::unordered_set<HGLOBAL> used;
    for (int i = 0; i < m_figStyles.GetCount(); ++i)
        if (m_figStyles.GetAt(i)->m_props.HasGraphic())
            used.insert(m_figStyles.GetAt(i)->m_props.Graphic);
    ForEachFigure([&](CFigure* f) {
        if (f->m_props.HasGraphic())
            used.insert(f->m_props.Graphic);
    });
    for (int i = 0; i < m_graphics.GetCount(); ++i) {
        CGraphic* g = m_graphics.GetAt(i);
        if (!used.count(g->Handle))
            GlobalFree(g->Handle);
    }
    m_graphics.DeleteAll();
    auto walk = [&](auto&& visit) {
        for (int i = 0; i < m_figStyles.GetCount(); ++i) {
            CFigProps& p = m_figStyles.GetAt(i)->m_props;
            if (p.HasGraphic())
                visit(p);
        }
        ForEachFigure([&](CFigure* f) {
            if (f->m_props.HasGraphic())
                visit(f->m_props);
        });
    };
    walk([&](CFigProps& p) { m_graphics.RegisterAlloc(p.m_nGraphicType, &p.Graphic, true); });
    walk([&](CFigProps& p) { m_graphics.Reshare(p.m_nGraphicType, &p.Graphic); });
    trace("SMEM  CKavoDoc::ReconstructGraphicsList() Complete\n");
}
