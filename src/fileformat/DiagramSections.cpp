// The sections of a diagram text after the Globals, in the order in which
// every referred record comes before its referrers.
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "fileformat/DiagramRecordWriter.h"
#include "shapes/SymbolRecordWriter.h"

namespace {
// The first two figure symbols and the first end symbol are built in and
// never written.
constexpr int kBuiltinFigSymbols = 2;
constexpr int kBuiltinEndSymbolsWritten = 1;

bool IsEndSymbolUsed(const CKavoDoc& doc, int index)
{
    for (int i = 0; i < doc.m_conStyles.GetCount(); ++i) {
        const CConProps& p = doc.m_conStyles.GetAt(i)->m_props;
        if (p.End1 == index || p.End2 == index)
            return true;
    }
    bool used = false;
    doc.ForEachConnector([&](const CConnector* c) {
        used = used || c->m_props.End1 == index || c->m_props.End2 == index;
    });
    return used;
}

bool IsWritten(const CDiagObj* obj, const DiagramWriteOptions& opt)
{
    return !opt.markedOnly || obj->m_bSelected;
}
} // namespace

BOOL WriteSymbolSections(CKeywordWriter& w, const CKavoDoc& doc, const DiagramWriteOptions& opt)
{
    BOOL ok = w.WriteText(KW_TEXT_SECTION_FIGURE_SYMBOLS);
    for (int i = kBuiltinFigSymbols; ok && i < doc.m_figSymbols.GetCount(); ++i) {
        const CFigSymbol& s = *doc.m_figSymbols.GetAt(i);
        if (!opt.markedOnly || opt.allDefs || s.m_nUseFlag)
            ok = WriteFigureSymbolRecord(w, s);
    }
    ok = ok && w.WriteText(KW_TEXT_SECTION_END_SYMBOLS);
    for (int i = kBuiltinEndSymbolsWritten; ok && i < doc.m_endSymbols.GetCount(); ++i) {
        const CShapeDef& s = *doc.m_endSymbols.GetAt(i);
        if (IsEndSymbolUsed(doc, i) && (!opt.markedOnly || opt.allDefs || s.m_nUseFlag))
            ok = WriteEndSymbolRecord(w, s);
    }
    return ok;
}

BOOL WriteObjectSections(CKeywordWriter& w, CKavoDoc& doc, const DiagramWriteOptions& opt)
{
    BOOL ok = w.WriteText(KW_TEXT_SECTION_OBJECTS);
    for (CDiagObj* obj : *doc.m_pObjList) {
        if (!ok)
            break;
        if (!IsWritten(obj, opt))
            continue;
        if (obj->GetType() == kObjFigure) {
            auto* fig = static_cast<CFigure*>(obj);
            // A label goes with its owner.
            const CStaple* st = fig->m_pStaple;
            if (opt.markedOnly && fig->m_bLabel && st) {
                const CDiagObj* owner = st->m_pCon ? static_cast<const CDiagObj*>(st->m_pCon)
                                                   : static_cast<const CDiagObj*>(st->m_pFig1);
                if (owner && owner != fig && !IsWritten(owner, opt))
                    continue;
            }
            ok = WriteFigure(w, doc, *fig);
        } else if (obj->GetType() == kObjConnector) {
            ok = WriteConnector(w, doc, *static_cast<CConnector*>(obj), opt.markedOnly);
        }
    }
    ok = ok && w.WriteText(KW_TEXT_SECTION_STAPLES);
    for (CDiagObj* obj : *doc.m_pStapleList)
        if (ok && IsWritten(obj, opt))
            ok = WriteStaple(w, *static_cast<CStaple*>(obj));
    ok = ok && w.WriteText(KW_TEXT_SECTION_GROUPS);
    for (const CGroup* g : doc.m_groupList)
        if (ok && (!opt.markedOnly || g->m_bSelected))
            ok = WriteGroup(w, *g);
    return ok;
}

BOOL WriteDiagramText(CKeywordWriter& w, CKavoDoc& doc, const DiagramWriteOptions& opt)
{
    w.SetDepth(0);
    return w.WriteHeader() && WriteGlobals(w, doc) && WriteStyleLayouts(w, doc) && WriteGraphicsSection(w, doc, opt) &&
           WriteSymbolSections(w, doc, opt) && WriteStyleSections(w, doc, opt) &&
           WriteObjectSections(w, doc, opt);
}
