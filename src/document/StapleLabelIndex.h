#pragma once
// The figure-label staples of each labelled figure, in staple-list order.
// Connector ends clip against a figure's labels, and the staple pass asks
// that for every connector end: a scan of the whole staple list per end
// would make the pass quadratic. The table is rebuilt on the first question
// after the staple list changed (its stamp) or any staple took other objects
// or another kind (NoteStapleLinksChanged, CStaple.h).
#include <cstdint>
#include <unordered_map>
#include <vector>

class CFigure;
class CObjList;
class CStaple;

class StapleLabelIndex {
public:
    // The staples of the list that label `fig` (kind figure label, with both
    // figures), in list order.
    const std::vector<const CStaple*>& LabelsOf(const CObjList& staples, const CFigure* fig);

private:
    void Rebuild(const CObjList& staples);
    const CObjList* m_pList = nullptr;
    uint64_t m_nListStamp = 0;
    uint64_t m_nLinkEpoch = 0;
    bool m_bBuilt = false;
    std::unordered_map<const CFigure*, std::vector<const CStaple*>> m_byFig;
};
