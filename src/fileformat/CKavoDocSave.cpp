// The document's side of the diagram text: the whole save, the choice of
// loader, the fix-ups after a load and the renumbering of ids before a save.
#include "document/CKavoDoc.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/CStaple.h"
#include "document/PageLayout.h"
#include "document/StyleLibRef.h"
#include "shapes/DividedShapeSetup.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/SymbolLibrary.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/CPasteLoadObj.h"
#include "fileformat/CStyleImportLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "fileformat/DocFileHooks.h"
#include "keyword/CKeywordWriter.h"
#include "keyword/KeywordStreams.h"
#include "platform/Prompt.h"

namespace {
// The Preview block: the handle set beforehand, else a fresh rendering; the
// handle is consumed either way. No renderer and no handle: nothing written.
BOOL WritePreviewBlock(CKeywordWriter& w, CKavoDoc& doc)
{
    HGLOBAL h = doc.m_hPreview;
    doc.m_hPreview = nullptr;
    if (!h && GetDocFileHooks().renderPreview)
        h = GetDocFileHooks().renderPreview(doc);
    if (!h)
        return TRUE;
    const BOOL ok = w.WritePackedData(KW_Preview, h, 1, 1);
    GlobalFree(h);
    return ok;
}
} // namespace

void RelinkDocument(CKavoDoc& doc, bool keepUnresolvedEnds)
{
    doc.m_pObjList->RelinkAll(*doc.m_pObjList, keepUnresolvedEnds);
    doc.m_pObjList->BuildIdIndex();
    for (CDiagObj* s : *doc.m_pStapleList)
        s->Relink(*doc.m_pObjList);
    doc.m_pObjList->DropIdIndex();
    for (CGroup* g : doc.m_groupList) {
        g->ResolveMembers(*doc.m_pObjList);
        for (const CGroup::Member& m : g->m_members)
            if (m.obj && !m.obj->m_pGroup)
                m.obj->m_pGroup = g;
    }
}

BOOL CKavoDoc::Save(CKeywordWriter& w, bool saveAllDefs, bool saveAllObjs)
{
    DiagPrintf("STAT  CKavoDoc::Save() enter\n");
    w.SetDepth(0);
    DiagramWriteOptions opt;
    opt.markedOnly = !saveAllObjs;
    opt.allDefs = saveAllDefs;
    // A preview file carries the two header lines too, so that the preview
    // loader (which checks them) can read it back.
    if (!w.WriteHeader())
        return FALSE;
    if (!m_bPreviewOnly && !WriteGlobals(w, *this))
        return FALSE;
    if ((PreviewSave || m_bPreviewOnly) && !WritePreviewBlock(w, *this))
        return FALSE;
    if (m_bPreviewOnly)
        return TRUE;
    // Every section writer's failure fails the save: a file reported as
    // saved is whole.
    if (!WriteStyleLayouts(w, *this) || !WriteGraphicsSection(w, *this, opt) || !WriteSymbolSections(w, *this, opt) ||
        !WriteStyleSections(w, *this, opt) || !WriteObjectSections(w, *this, opt))
        return FALSE;
    DiagPrintf("STAT  CKavoDoc::Save() exit\n");
    return TRUE;
}

namespace {
// What a merged file brought that nothing uses goes. With nothing to undo the
// libraries are tidied whole (numbered duplicates merged, every unused entry
// removed); otherwise only the entries the merge appended go, since the undo
// log's records hold indexes of the entries that were there before.
void PurgeAfterMerge(CKavoDoc& doc, int symbolsBefore, int endsBefore)
{
    if (!doc.CanUndo() && !doc.InUndoStep())
        PurgeUnusedLibraryEntries(doc, doc.m_figSymbols, doc.m_endSymbols);
    else
        PurgeUnusedEntriesFrom(doc, doc.m_figSymbols, doc.m_endSymbols, symbolsBefore, endsBefore);
}
} // namespace

bool CKavoDoc::Serialize(IKeywordSink* sink, IKeywordSource* source)
{
    if (sink) {
        DiagPrintf("STAT  CKavoDoc::Serialize() save\n");
        CKeywordWriter w(*sink);
        return Save(w, m_bSaveAllDefs != 0, m_bSaveAllObjs != 0) != 0;
    }
    if (!source)
        return false;
    DiagPrintf("STAT  CKavoDoc::Serialize() load\n");
    const bool importing = m_bImportStyles != 0, variant = !importing && m_bApplyVariant != 0;
    const bool pasting = !importing && !variant && m_bPasteMerge != 0;
    if (importing || variant) {
        const int symbolsBefore = m_figSymbols.GetCount(), endsBefore = m_endSymbols.GetCount();
        std::unique_ptr<CDiagramLoadObj> loader;
        if (importing)
            loader = std::make_unique<CStyleCopyLoadObj>(this);
        else
            loader = std::make_unique<CVariantLoadObj>(this);
        if (!loader->Load(*source))
            return false;
        loader.reset();
        PostLoad();
        // The figures follow the document's special-shape values again,
        // which the loaded styles may have changed.
        ApplySpecialShapeSettings(*this, m_nFigMarginLeft, m_nFigMarginRight, m_nFigMarginTop, m_nFigMarginBottom,
                                  false);
        if (variant)
            PurgeAfterMerge(*this, symbolsBefore, endsBefore);
    } else if (pasting) {
        // Relinks, renumbers, runs PostLoad and drops the pasted styles that
        // nothing uses.
        if (!LoadPastedObjects(*this, *source))
            return false;
    } else {
        double version = 0;
        {
            CDiagramLoadObj loader(this);
            loader.SetStylesOnly(m_bLoadingTemplate != 0);
            const bool ok = loader.Load(*source) != 0;
            version = loader.GetFileVersion();
            if (!ok)
                return false;
        }
        if (version != 0 && version < 5 && GetDocFileHooks().recomputeHotZones)
            GetDocFileHooks().recomputeHotZones(*this);
        PostLoad();
    }
    ValidateCons();
    // The style bar and menus are filled from the layouts: they follow the
    // libraries as they now are.
    if (pasting || importing)
        UpdateStyleMenusAndButtons(nullptr);
    else if (variant)
        m_lblMenu.RebuildFromLibrary(StyleLibRef(m_figStyles));
    else
        InitStyleMenus();
    return true;
}

void CKavoDoc::PostLoad()
{
    DiagPrintf("STAT  CKavoDoc::PostLoad()\n");
    RelinkDocument(*this, true);
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (!s->IsValid())
            InvalidateStapled(s);
    }
    // The page settings read hold over the stored printer settings.
    CopyPageSettingsToPrinter(*this);
    ReconstructGraphicsList();
    ValidateCons();
    // The page tiling and page area follow the paper read.
    UpdatePageLayout(*this);
    RefreshSelection();
    SetModifiedFlag(false);
    UpdateAllStaples(0);
    int result = 0, v1 = 0, v2 = 0, v3 = 0;
    if (!Validate(&result, &v1, &v2, &v3) && g_bDiagnostics)
        MsgBoxPrintf(MB_ICONEXCLAMATION,
                     "The diagram has been repaired. Check for changes.\nIf it was saved by an earlier "
                     "version, simply ignore and re-save.\nOtherwise please report it and make a copy of "
                     "the file before re-saving.\nERROR: %d (%d,%d,%d)",
                     result, v1, v2, v3);
    DiagPrintf("STAT  CKavoDoc::PostLoad() exit\n");
}

bool CKavoDoc::RenumberIDs(int keepExisting)
{
    DiagPrintf("CKavoDoc::RenumberIDs(%d)\n", keepExisting);
    if (!keepExisting) {
        UndoLogRef().ReleaseAllUndoHolds();
        DiagPrintf("CKavoDoc::RenumberIDs() clears Undo buffers\n");
        ResetUndoLog();
        DiagPrintf("CKavoDoc::RenumberIDs() clears Undo buffers ret\n");
        // With the log empty no record holds a library index any more: the
        // symbols and line ends nothing uses (copies left by undone pastes,
        // say) can go.
        PurgeUnusedLibraryEntries(*this, m_figSymbols, m_endSymbols);
    }
    RelinkDocument(*this);
    // Automatic connection points that no connector uses any more go.
    PurgeAutoConPts();

    int32_t obj = keepExisting ? m_nNextId : 1, stp = keepExisting ? m_nNextStpId : 1;
    int32_t grp = keepExisting ? m_nNextGrpId : 1;
    const int32_t objLimit = keepExisting ? obj : 0, stpLimit = keepExisting ? stp : 0;
    const int32_t grpLimit = keepExisting ? grp : 0;
    DiagPrintf("CKavoDoc::RenumberIDs() m_pObjList->Renumber(%d, %d)\n", obj, objLimit);
    m_pObjList->RenumberIds(obj, objLimit);
    DiagPrintf("CKavoDoc::RenumberIDs() m_pStapleList->Renumber(%d, %d)\n", stp, stpLimit);
    m_pStapleList->RenumberIds(stp, stpLimit);
    DiagPrintf("CKavoDoc::RenumberIDs() m_pGroupList->Renumber(%d, %d)\n", grp, grpLimit);
    for (CGroup* g : m_groupList) {
        if (grpLimit != 0 && g->m_nId >= 0 && g->m_nId < grpLimit)
            continue;
        g->m_nId = grp++;
    }
    m_nNextId = obj;
    m_nNextStpId = stp;
    m_nNextGrpId = grp;

    m_pObjList->StoreAllIds();
    m_pStapleList->StoreAllIds();
    for (CGroup* g : m_groupList)
        for (CGroup::Member& m : g->m_members)
            m.StoreId();
    for (CGroup::Member& m : m_lastUngroup.m_members)
        m.StoreId();
    return Validate();
}
