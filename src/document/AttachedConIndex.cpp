#include "document/AttachedConIndex.h"

#include "document/CKavoDoc.h"

const std::vector<CConnector*>& AttachedConIndex::Of(const CFigure* fig)
{
    if (!m_built) {
        m_doc.ForEachConnector([this](CConnector* c) {
            for (const CFigure* end : {c->m_pFig1, c->m_pFig2})
                if (end)
                    m_cons[end].push_back(c);
        });
        m_built = true;
    }
    static const std::vector<CConnector*> kNone;
    const auto it = m_cons.find(fig);
    return it == m_cons.end() ? kNone : it->second;
}
