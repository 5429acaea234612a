#include "fileformat/SaveNormalization.h"

#include "document/CKavoDoc.h"

namespace {
FigTextNormalizer g_pfnNormalizeFigText = nullptr;

void NormalizeEnd(const CFigure* fig, int32_t& conPt)
{
    if (!fig || conPt <= 0)
        return;
    const int at = fig->m_pConPts ? fig->m_pConPts->IndexFromId(conPt) : -1;
    conPt = at >= 0 ? at + 1 : -1;
}
} // namespace

void NormalizeConPtIds(CKavoDoc& doc)
{
    doc.ForEachConnector([](CConnector* c) {
        NormalizeEnd(c->m_pFig1, c->m_nConPtId1);
        NormalizeEnd(c->m_pFig2, c->m_nConPtId2);
    });
    doc.ForEachFigure([](CFigure* f) {
        if (f->m_pConPts)
            f->m_pConPts->RenumberIds();
    });
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i)
        doc.m_figStyles.GetAt(i)->m_conPts.RenumberIds();
}

void SetFigTextNormalizer(FigTextNormalizer normalizer)
{
    g_pfnNormalizeFigText = normalizer;
}

void NormalizeFigTexts(CKavoDoc& doc)
{
    if (!g_pfnNormalizeFigText)
        return;
    doc.ForEachFigure([](CFigure* f) {
        if (f->m_strText.empty())
            return;
        std::string text = f->m_strText;
        if (g_pfnNormalizeFigText(*f, text) && text.size() <= CFigure::kMaxText)
            f->m_strText = text;
    });
}
