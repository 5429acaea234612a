#include "document/ConPtKeepTable.h"

#include "document/CKavoDoc.h"
#include "document/CStaple.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Figures whose points are left to scale with the rectangle.
constexpr DWORD kNoKeepFlag = 0x10000000;

// 0..255 along a side; outside the rectangle the offset takes the rest.
int StaplePos(int v, int lo, int extent)
{
    return extent > 0 ? std::clamp((v - lo) * kStaplePosMax / extent, 0, kStaplePosMax) : kStaplePosMid;
}

} // namespace

bool ConPtKeepTable::FindLoop(CFigure* fig, CConnector* con, int end, std::vector<CFigure*>& between) const
{
    CConnector* cur = con;
    int from = end;
    // Each step passes one junction; a chain cannot be longer than the list.
    for (int steps = 0; steps <= m_doc.GetObjCount(); ++steps) {
        CFigure* other = from == 1 ? cur->m_pFig2 : cur->m_pFig1;
        if (!other)
            return false;
        if (other == fig || m_doc.AreFigsLinked(fig, other))
            return true;
        if (!other->IsRedundantJct())
            return false;
        CConnector* next = other->OtherAttachedCon(cur);
        if (!next || next == cur)
            return false;
        between.push_back(other);
        from = next->m_pFig1 == other ? 1 : 2;
        cur = next;
    }
    return false;
}

void ConPtKeepTable::Pin(CDiagObj* obj)
{
    for (const auto& [o, s] : m_pins)
        if (o == obj)
            return;
    m_pins.emplace_back(obj, obj->m_pStaple);
}

bool ConPtKeepTable::TieToFig(CFigure* fig, CFigure* junction)
{
    for (CStaple* s : m_staples)
        if (s->m_pFig2 == junction)
            return true;
    if (m_doc.FindFigLinkBetween(fig, junction))
        return true;
    Pin(fig);
    Pin(junction);
    auto* staple = new CStaple(&m_doc);
    const CPoint c = junction->GetCenter();
    const CRect& r = fig->m_rect;
    staple->MakeFigLink(fig, StaplePos(c.x, r.left, r.Width()), StaplePos(c.y, r.top, r.Height()), junction,
                        kStaplePosMid, kStaplePosMid, 0, 0);
    staple->RecordOffset(nullptr);
    staple->TakeSnapshots();
    m_doc.HoldUndoLog();
    const bool added = m_doc.AddStapleWithId(staple);
    m_doc.ReleaseUndoLog();
    if (!added) {
        delete staple;
        return false;
    }
    m_staples.push_back(staple);
    return true;
}

void ConPtKeepTable::Fill(CFigure* fig)
{
    RemoveStaples();
    m_entries.clear();
    m_pFig = fig;
    m_nSavedNextStpId = m_doc.m_nNextStpId;
    if (!fig || fig->m_bLabel || fig->IsInvisible() || (fig->m_props.Behavior.low & kNoKeepFlag))
        return;
    const CRect r = fig->m_rect;
    // Positions are kept as fractions of the width and height.
    if (r.Width() <= 0 || r.Height() <= 0 || !fig->m_pConPts)
        return;
    const int magnitude = m_doc.m_nSelfReferenceRadius * 6 / 13;
    const CConPtList& points = *fig->m_pConPts;
    for (int i = 0; i < points.GetCount() && int(m_entries.size()) < kMaxEntries; ++i) {
        const int32_t id = points.GetIdAt(i);
        std::vector<CFigure*> between;
        bool loops = false;
        m_doc.ForEachConnector([&](CConnector* c) {
            for (int end = 1; end <= 2 && !loops; ++end) {
                const bool here = end == 1 ? (c->m_pFig1 == fig && c->m_nConPtId1 == id)
                                           : (c->m_pFig2 == fig && c->m_nConPtId2 == id);
                if (!here)
                    continue;
                between.clear();
                loops = FindLoop(fig, c, end, between);
            }
        });
        CFltPoint pos;
        if (!loops || !points.GetConPtPos(id, r, pos))
            continue;
        for (CFigure* j : between)
            if (!TieToFig(fig, j)) {
                // Without every staple the loops cannot be kept: none is.
                RemoveStaples();
                m_entries.clear();
                return;
            }
        // A loop's point sits a fixed inset in from the nearest side (both
        // sides near a corner, when the two distances differ by less than a
        // sixth of the smaller): the fraction is taken of the point on the
        // side, so that the inset stays the same whatever the new size.
        const double dl = pos.x - r.left, dr = r.right - pos.x, dt = pos.y - r.top, db = r.bottom - pos.y;
        const double h = std::min(dl, dr), v = std::min(dt, db);
        const bool both = std::fabs(h - v) < std::min(h, v) / 6;
        Entry e{id, 0, 0, 0, 0};
        if (both || h <= v)
            e.offX = dl <= dr ? magnitude : -magnitude;
        if (both || v < h)
            e.offY = dt <= db ? magnitude : -magnitude;
        e.fx = (pos.x - e.offX - r.left) / r.Width();
        e.fy = (pos.y - e.offY - r.top) / r.Height();
        m_entries.push_back(e);
    }
}

bool ConPtKeepTable::Apply()
{
    if (!m_pFig || m_entries.empty()) {
        RemoveStaples();
        return true;
    }
    CFigure* fig = m_pFig;
    const CRect r = fig->m_rect;
    const int cap = std::min(r.Width(), r.Height()) * 8 / 20;
    bool logged = false;
    for (const Entry& e : m_entries) {
        CPoint now;
        if (!fig->m_pConPts || !fig->m_pConPts->GetConPtPoint(e.conPtId, r, now))
            continue;
        const int x = int(r.left + r.Width() * e.fx + 0.5) + std::clamp(e.offX, -cap, cap);
        const int y = int(r.top + r.Height() * e.fy + 0.5) + std::clamp(e.offY, -cap, cap);
        if (x == now.x && y == now.y)
            continue;
        if (!logged && !m_doc.LogFigConPts(fig))
            return false;
        logged = true;
        fig->m_pConPts->MoveConPt(e.conPtId, r, x - now.x, y - now.y);
    }
    m_entries.clear();
    // The junctions follow the figure (their moves logged), then the
    // scaffolding goes.
    if (!m_staples.empty())
        m_doc.UpdateAllStaples(1);
    RemoveStaples();
    return true;
}

void ConPtKeepTable::RemoveStaples()
{
    if (m_staples.empty() && m_pins.empty())
        return;
    for (CStaple* s : m_staples)
        m_doc.DeleteStaple(s);
    m_staples.clear();
    for (auto it = m_pins.rbegin(); it != m_pins.rend(); ++it)
        it->first->m_pStaple = it->second;
    m_pins.clear();
    m_doc.m_nNextStpId = m_nSavedNextStpId;
}
