#include "fileformat/CPasteLoadObj.h"

#include "core/StringHelpers.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "fileformat/DocFileHooks.h"
#include "keyword/KeywordStreams.h"

#include <unordered_set>

CPasteLoadObj::CPasteLoadObj(CKavoDoc* doc, int objIdBase, int stpIdBase, int groupIdBase, int symSuffixBase,
                             int offsetX, int offsetY)
    : CDiagramLoadObj(doc), m_nObjIdBase(objIdBase), m_nStpIdBase(stpIdBase), m_nGroupIdBase(groupIdBase),
      m_nSymSuffixBase(symSuffixBase), m_nOffsetX(offsetX), m_nOffsetY(offsetY)
{
}

int CPasteLoadObj::HandleTopLevelLine(const char* p)
{
    if (m_nLineNo <= 2) {
        const int result = HandleHeaderLine(p);
        // A newer version is refused outright: no question in a paste.
        return result == KWR_DONE_ASK ? KWR_STOP : result;
    }
    switch (LeadingKeyword(p)) {
    case KW_Figure:
    case KW_Connector: {
        const char* q = p;
        int id = 0;
        MatchKeyword(q, LeadingKeyword(p));
        if (!ParseShortAsInt(q, id, 0, 32767)) {
            m_nErrorCode = KWE_OUT_OF_RANGE;
            return KWR_STOP;
        }
        break;
    }
    case KW_Graphic:
    case KW_FigureSymbol:
    case KW_EndSymbol:
    case KW_FigureStyle:
    case KW_ConnectorStyle:
    case KW_Staple:
    case KW_Group: break;
    default: return KWR_DONE; // Globals keys, fonts, printer blocks, layouts
    }
    bool matched = false;
    const int result = OpenTopLevelBlock(p, &matched);
    // A bad symbol name or object id stops the paste; a bad picture id
    // loses only that picture.
    if (result == KWR_SKIP_BLOCK && LeadingKeyword(p) != KW_Graphic)
        return KWR_STOP;
    return result;
}

BOOL CPasteLoadObj::Load(IKeywordSource& source)
{
    const BOOL loaded = CDiagramLoadObj::Load(source);
    return loaded && GetBlockType() == BT_TOP ? TRUE : FALSE;
}

void CPasteLoadObj::RenameSymbol(std::string& name) const
{
    const int n = GetColonSuffixNumber(name);
    if (n != 0)
        SetColonSuffixNumber(name, n + m_nSymSuffixBase);
}

void CPasteLoadObj::OnFigureSymbolName(std::string& name)
{
    RenameSymbol(name);
}

int CPasteLoadObj::BeginNamedRecord(int blockType, const std::string& name)
{
    // No duplicate-name check: a symbol or style of a known name is read
    // and dropped at its end, so that the document's own one is used.
    return BeginNamedRecordAnyName(blockType, name);
}

int CPasteLoadObj::EndFigureSymbol()
{
    CFigSymbol& s = BuiltFigSymbol();
    std::string name = s.m_strName;
    RenameSymbol(name);
    s.SetName(name);
    if (m_pDoc->m_figSymbols.FindByName(name) >= 0)
        return KWR_DONE;
    return CDiagramLoadObj::EndFigureSymbol();
}

int CPasteLoadObj::EndEndSymbol()
{
    // A known end symbol is the document's own: the pasted one is dropped,
    // so the library never holds a name twice.
    if (m_pDoc->m_endSymbols.FindByName(BuiltEndSymbol().m_strName) >= 0)
        return KWR_DONE;
    return CDiagramLoadObj::EndEndSymbol();
}

int CPasteLoadObj::EndFigure()
{
    if (!m_pFig)
        return KWR_STOP;
    if (m_pFig->m_nId != -1)
        m_pFig->m_nId += m_nObjIdBase;
    m_pFig->m_rect.OffsetRect(m_nOffsetX, m_nOffsetY);
    m_pFig->SetSelectedFlag();
    return CDiagramLoadObj::EndFigure();
}

int CPasteLoadObj::EndConnector()
{
    if (!m_pCon)
        return KWR_STOP;
    m_pCon->EndPoint1.Offset(m_nOffsetX, m_nOffsetY);
    m_pCon->EndPoint2.Offset(m_nOffsetX, m_nOffsetY);
    m_pCon->OffsetIds(m_nObjIdBase);
    m_pCon->SetSelectedFlag();
    return CDiagramLoadObj::EndConnector();
}

int CPasteLoadObj::EndFigureStyle()
{
    // The document's own style of the name is used: the record goes, with a
    // picture read inside it.
    if (m_pDoc->m_figStyles.FindByName(m_figStyle.m_strName) >= 0) {
        DiscardRecord(BT_FIGURE_STYLE);
        return KWR_DONE;
    }
    if (m_figStyle.HasButton)
        m_bStyleBarFlag = 1;
    return CDiagramLoadObj::EndFigureStyle();
}

int CPasteLoadObj::EndConnectorStyle()
{
    if (m_pDoc->m_conStyles.FindByName(m_conStyle.m_strName) >= 0)
        return KWR_DONE;
    if (m_conStyle.HasButton)
        m_bStyleBarFlag = 1;
    return CDiagramLoadObj::EndConnectorStyle();
}

int CPasteLoadObj::EndStaple()
{
    if (!m_pStaple)
        return KWR_STOP;
    m_pStaple->OffsetIds(m_nStpIdBase, m_nObjIdBase);
    m_pStaple->SetSelectedFlag();
    return CDiagramLoadObj::EndStaple();
}

int CPasteLoadObj::EndGroup()
{
    if (!m_pGroup)
        return KWR_STOP;
    m_pGroup->m_nId += m_nGroupIdBase;
    m_pGroup->OffsetMemberIds(m_nObjIdBase);
    m_pGroup->SetSelectedFlag();
    return CDiagramLoadObj::EndGroup();
}

// ---- the paste around the reader

namespace {
int LargestSymbolSuffix(const CKavoDoc& doc)
{
    int largest = 0;
    for (int i = 0; i < doc.m_figSymbols.GetCount(); ++i)
        largest = std::max(largest, GetColonSuffixNumber(doc.m_figSymbols.GetAt(i)->m_strName));
    return largest;
}

// What the document held before the paste: everything beyond is pasted.
struct PasteMark {
    int objects, staples, groups, figStyles, conStyles, figSymbols, endSymbols;
    int nextId, nextStpId, nextGrpId;
};

PasteMark MarkDocument(const CKavoDoc& doc)
{
    return {doc.m_pObjList->GetCount(), doc.m_pStapleList->GetCount(), int(doc.m_groupList.size()),
            doc.m_figStyles.GetCount(), doc.m_conStyles.GetCount(), doc.m_figSymbols.GetCount(),
            doc.m_endSymbols.GetCount(), doc.m_nNextId, doc.m_nNextStpId, doc.m_nNextGrpId};
}

// A picture read inside a pasted figure or style record (old files' inline
// picture data) that the graphics list does not hold: nothing else frees it.
void NoteLoosePicture(const CKavoDoc& doc, const CFigProps& props, std::unordered_set<HGLOBAL>& loose)
{
    if (props.HasGraphic() && props.Graphic && !doc.m_graphics.FindByHandle(props.m_nGraphicType, props.Graphic))
        loose.insert(props.Graphic);
}

// Frees the loose pictures that nothing the document kept uses.
void FreeLoosePictures(CKavoDoc& doc, std::unordered_set<HGLOBAL>& loose)
{
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i)
        loose.erase(doc.m_figStyles.GetAt(i)->m_props.Graphic);
    doc.ForEachFigure([&](const CFigure* f) { loose.erase(f->m_props.Graphic); });
    for (HGLOBAL h : loose)
        GlobalFree(h);
    loose.clear();
}

// Takes back what a failed paste added. The pasted records were never
// linked to anything, so they are simply unhooked and freed; pictures of the
// graphics list go with its rebuild, loose ones are freed here.
void RollBack(CKavoDoc& doc, const PasteMark& mark)
{
    std::unordered_set<HGLOBAL> loose;
    while (doc.m_pObjList->GetCount() > mark.objects) {
        CDiagObj* o = doc.m_pObjList->GetAt(doc.m_pObjList->GetCount() - 1);
        doc.m_pObjList->Remove(o);
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            NoteLoosePicture(doc, f->m_props, loose);
            f->m_props.Graphic = nullptr;
            f->m_props.m_nGraphicType = 0;
        }
        delete o;
    }
    while (doc.m_pStapleList->GetCount() > mark.staples) {
        CDiagObj* s = doc.m_pStapleList->GetAt(doc.m_pStapleList->GetCount() - 1);
        doc.m_pStapleList->Remove(s);
        delete s;
    }
    while (int(doc.m_groupList.size()) > mark.groups) {
        delete doc.m_groupList.back();
        doc.m_groupList.pop_back();
    }
    for (int i = doc.m_figStyles.GetCount() - 1; i >= mark.figStyles; --i) {
        NoteLoosePicture(doc, doc.m_figStyles.GetAt(i)->m_props, loose);
        doc.m_figStyles.Delete(i);
    }
    FreeLoosePictures(doc, loose);
    for (int i = doc.m_conStyles.GetCount() - 1; i >= mark.conStyles; --i)
        doc.m_conStyles.Delete(i);
    for (int i = doc.m_figSymbols.GetCount() - 1; i >= mark.figSymbols; --i)
        doc.m_figSymbols.Delete(i);
    for (int i = doc.m_endSymbols.GetCount() - 1; i >= mark.endSymbols; --i)
        doc.m_endSymbols.Delete(i);
    doc.m_nNextId = mark.nextId;
    doc.m_nNextStpId = mark.nextStpId;
    doc.m_nNextGrpId = mark.nextGrpId;
    doc.ReconstructGraphicsList();
}
} // namespace

void BeginPasteMode(CKavoDoc& doc, int offsetX, int offsetY)
{
    doc.ResetLoadSaveModes();
    doc.m_bPasteMerge = 1;
    doc.m_nObjIdPasteBase = doc.m_nNextId;
    doc.m_nStpIdPasteBase = doc.m_nNextStpId;
    doc.m_nGroupIdPasteBase = doc.m_nNextGrpId;
    const int largest = LargestSymbolSuffix(doc);
    doc.m_nSymSuffixPasteBase = largest > 0 ? largest + 1 : 0;
    doc.m_nPasteOffsetX = offsetX;
    doc.m_nPasteOffsetY = offsetY;
}

bool LoadPastedObjects(CKavoDoc& doc, IKeywordSource& source)
{
    const PasteMark mark = MarkDocument(doc);
    bool ok = false;
    {
        CPasteLoadObj loader(&doc, doc.m_nObjIdPasteBase, doc.m_nStpIdPasteBase, doc.m_nGroupIdPasteBase,
                             doc.m_nSymSuffixPasteBase, doc.m_nPasteOffsetX, doc.m_nPasteOffsetY);
        doc.m_bPasteDone = 0;
        ok = loader.Load(source) != 0;
        doc.m_bPasteDone = 1;
    }
    // Text without a single figure or connector (damaged data) pastes
    // nothing, not even the symbols or pins it carried.
    if (!ok || doc.m_pObjList->GetCount() == mark.objects) {
        RollBack(doc, mark);
        return false;
    }
    RelinkDocument(doc);
    doc.m_nNextId = doc.m_nObjIdPasteBase;
    doc.m_nNextStpId = doc.m_nStpIdPasteBase;
    doc.m_nNextGrpId = doc.m_nGroupIdPasteBase;
    doc.RenumberIDs(1);
    doc.PostLoad();
    // Pasted styles that no object uses are not kept.
    for (int i = doc.m_figStyles.GetCount() - 1; i >= mark.figStyles; --i)
        if (!doc.IsFigStyleUsed(i))
            doc.m_figStyles.RemoveWithUsers(i);
    for (int i = doc.m_conStyles.GetCount() - 1; i >= mark.conStyles; --i)
        if (!doc.IsConStyleUsed(i))
            doc.m_conStyles.RemoveWithUsers(i);
    return true;
}

std::string CopySelectionText(CKavoDoc& doc)
{
    doc.ResetLoadSaveModes();
    doc.m_bSaveAllObjs = 0;
    CStringKeywordSink sink;
    const bool ok = doc.Serialize(&sink, nullptr);
    doc.ResetLoadSaveModes();
    return ok ? sink.text : std::string();
}

bool PasteDiagramText(CKavoDoc& doc, const std::string& text)
{
    // Only this program's text: anything else is refused before a line of
    // it is read (no error report for another program's clipboard).
    if (text.rfind("KAVO", 0) != 0)
        return false;
    BeginPasteMode(doc, doc.m_nPasteOffsetX, doc.m_nPasteOffsetY);
    CMemoryKeywordSource source(text);
    const bool ok = doc.Serialize(nullptr, &source);
    doc.ResetLoadSaveModes();
    if (ok)
        doc.SetModifiedFlag(true);
    return ok;
}
