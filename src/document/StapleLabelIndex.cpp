#include "document/StapleLabelIndex.h"

#include "document/CObjList.h"
#include "document/CStaple.h"

#include <atomic>

namespace {
// One epoch for every document: a staple knows no list, and relinking is
// rare enough that rebuilding every document's table costs nothing.
std::atomic<uint64_t> g_stapleLinkEpoch{1};
const std::vector<const CStaple*> kNoLabels;
} // namespace

void NoteStapleLinksChanged()
{
    g_stapleLinkEpoch.fetch_add(1, std::memory_order_relaxed);
}

void StapleLabelIndex::Refresh(const CObjList& staples)
{
    if (!m_bBuilt || m_pList != &staples || m_nListStamp != staples.GetStamp() ||
        m_nLinkEpoch != g_stapleLinkEpoch.load(std::memory_order_relaxed))
        Rebuild(staples);
}

const std::vector<const CStaple*>& StapleLabelIndex::LabelsOf(const CObjList& staples, const CFigure* fig)
{
    Refresh(staples);
    const auto it = m_byFig.find(fig);
    return it == m_byFig.end() ? kNoLabels : it->second;
}

const std::vector<const CStaple*>& StapleLabelIndex::LinksOf(const CObjList& staples, const CFigure* fig)
{
    Refresh(staples);
    const auto it = m_linksByFig.find(fig);
    return it == m_linksByFig.end() ? kNoLabels : it->second;
}

void StapleLabelIndex::Rebuild(const CObjList& staples)
{
    m_byFig.clear();
    m_linksByFig.clear();
    for (const CDiagObj* o : staples) {
        const auto* st = static_cast<const CStaple*>(o);
        if (!st->m_pFig1 || !st->m_pFig2)
            continue;
        if (st->m_nType == kStapleFigLabel)
            m_byFig[st->m_pFig1].push_back(st);
        else if (st->m_nType == kStapleFigLink) {
            m_linksByFig[st->m_pFig1].push_back(st);
            if (st->m_pFig2 != st->m_pFig1)
                m_linksByFig[st->m_pFig2].push_back(st);
        }
    }
    m_pList = &staples;
    m_nListStamp = staples.GetStamp();
    m_nLinkEpoch = g_stapleLinkEpoch.load(std::memory_order_relaxed);
    m_bBuilt = true;
}
