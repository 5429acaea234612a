#pragma once
// The figure-label staples of each labelled figure, and the figure links at
// each linked figure, in staple-list order. Connector ends clip against a
// figure's labels, and the staple pass asks that for every connector end; a
// figure's redraw and shadow follow its links: a scan of the whole staple
// list each time would make those passes quadratic. The table is rebuilt on the first question
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
    // The figure links (kind figure link, with both figures) that have `fig`
    // at either end, in list order. Their rows can change without a relink,
    // so callers test the row themselves.
    const std::vector<const CStaple*>& LinksOf(const CObjList& staples, const CFigure* fig);

private:
    void Refresh(const CObjList& staples);
    void Rebuild(const CObjList& staples);
    const CObjList* m_pList = nullptr;
    uint64_t m_nListStamp = 0;
    uint64_t m_nLinkEpoch = 0;
    bool m_bBuilt = false;
    std::unordered_map<const CFigure*, std::vector<const CStaple*>> m_byFig;
    std::unordered_map<const CFigure*, std::vector<const CStaple*>> m_linksByFig;
};
