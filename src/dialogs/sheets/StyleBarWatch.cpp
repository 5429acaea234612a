#include "dialogs/sheets/StyleBarWatch.h"

#include "controls/StyleChoiceSeams.h"
#include "document/CKavoDoc.h"

CStyleBarWatch::CStyleBarWatch(const CKavoDoc* doc) : m_pDoc(doc), m_seen(Layouts()) {}

std::array<CStyleMenuLayout, 3> CStyleBarWatch::Layouts() const
{
    if (!m_pDoc)
        return {};
    return {m_pDoc->m_lblButtons, m_pDoc->m_figButtons, m_pDoc->m_conButtons};
}

void CStyleBarWatch::Check()
{
    const std::array<CStyleMenuLayout, 3> now = Layouts();
    if (now == m_seen)
        return;
    m_seen = now;
    if (const auto& rebuild = GetStyleChoiceSeams().rebuildStyleBar)
        rebuild();
}
