#include "document/ArrangeUnits.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"

#include <set>

namespace {
bool LabelCounts(const CFigure& label, bool takeLooseConLabels)
{
    if (label.IsFigLabel() || label.IsFlowLabel())
        return false;
    if (label.IsConLabel() || label.IsLatLabel()) {
        const CConnector* con = label.m_pStaple ? label.m_pStaple->m_pCon : nullptr;
        return takeLooseConLabels && con && !con->m_bSelected;
    }
    return true;
}
} // namespace

int CountArrangeUnits(const CKavoDoc& doc, bool takeLabels, bool takeLooseConLabels)
{
    int units = 0;
    std::set<const CGroup*> groups;
    for (const CDiagObj* o : *doc.m_pSelList) {
        if (o->m_pGroup) {
            groups.insert(o->m_pGroup);
            continue;
        }
        if (o->GetType() == kObjConnector) {
            units += static_cast<const CConnector*>(o)->IsFree() ? 1 : 0;
        } else if (o->GetType() == kObjFigure) {
            const auto* fig = static_cast<const CFigure*>(o);
            if (!fig->m_bLabel)
                ++units;
            else if (takeLabels && LabelCounts(*fig, takeLooseConLabels))
                ++units;
        }
    }
    return units + int(groups.size());
}
