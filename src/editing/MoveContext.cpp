#include "editing/MoveContext.h"

#include "document/Trunks.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {
constexpr uint8_t kFigFixed = 3, kConFixed = 60;

// The bits of one axis: a figure's held bit, the connector's end bits and
// the slide test of that axis.
struct Axis {
    uint8_t figBit;
    uint8_t end1Bit;
    uint8_t end2Bit;
    bool vertical;

    uint8_t EndBit(int end) const { return end == 1 ? end1Bit : end2Bit; }
    bool Slides(const CConnector* c, int end) const { return vertical ? c->EndSlidesVert(end) : c->EndSlidesHorz(end); }
    uint8_t& Pending(CConnector* c) const { return vertical ? c->m_bPendingH : c->m_bPendingV; }
};

constexpr Axis kVertical{1, 4, 16, true};
constexpr Axis kHorizontal{2, 8, 32, false};

bool EndFixedOn(const CConnector* c, int end, const Axis& axis)
{
    const CFigure* f = c->GetEndFig(end);
    return !f || (f->m_nFixedAxes & axis.figBit);
}

// One propagation pass. The scan restarts from the head after every change;
// since a change only frees one figure, the first connector a restart can
// act on is the earliest pending one attached to that figure, so the scan
// resumes there instead of walking the untouched head again.
void Propagate(const std::vector<CConnector*>& cons, const Axis& axis)
{
    std::unordered_map<const CFigure*, std::vector<size_t>> attached;
    for (size_t i = 0; i < cons.size(); ++i)
        for (const CFigure* f : {cons[i]->m_pFig1, cons[i]->m_pFig2})
            if (f)
                attached[f].push_back(i);
    for (size_t i = 0; i < cons.size();) {
        CConnector* c = cons[i];
        if (!axis.Pending(c) || (EndFixedOn(c, 1, axis) && EndFixedOn(c, 2, axis))) {
            ++i;
            continue;
        }
        axis.Pending(c) = 0;
        for (int end = 1; end <= 2; ++end)
            if (!c->GetEndFig(end))
                c->m_nFixedAxes &= uint8_t(~axis.EndBit(end));
        size_t next = i + 1;
        for (int end = 1; end <= 2; ++end) {
            CFigure* f = c->GetEndFig(end);
            if (!f || !(f->m_nFixedAxes & axis.figBit))
                continue;
            // A sliding end leaves its figure in place; otherwise the figure
            // comes along on this axis.
            if (!axis.Slides(c, end)) {
                f->m_nFixedAxes &= uint8_t(~axis.figBit);
                for (size_t k : attached[f])
                    if (k < next && axis.Pending(cons[k]))
                        next = k;
            }
            break;
        }
        i = next;
    }
}

// A sliding end keeps at least one unit inside its figure's side.
void LimitSlide(CKavoDoc& doc, CConnector* c, int end, const Axis& axis)
{
    CFigure* f = c->GetEndFig(end);
    const uint8_t bit = axis.EndBit(end);
    if (!f || !(c->m_nFixedAxes & bit) || !(f->m_nFixedAxes & axis.figBit) || !axis.Slides(c, end))
        return;
    c->m_nFixedAxes &= uint8_t(~bit);
    const CPoint p = end == 1 ? c->EndPoint1 : c->EndPoint2;
    CMoveSet& m = doc.m_moveSet;
    // Never below 0: an end on the very side gives no room, not a forced move.
    auto lower = [](int32_t& limit, long long room) { limit = int32_t(std::max(0LL, std::min<long long>(limit, room))); };
    if (axis.vertical) {
        lower(m.m_nUp, (long long)p.y - f->m_rect.top - 1);
        lower(m.m_nDown, (long long)f->m_rect.bottom - p.y - 1);
    } else {
        lower(m.m_nRight, (long long)f->m_rect.right - p.x - 1);
        lower(m.m_nLeft, (long long)p.x - f->m_rect.left - 1);
    }
    const int other = 3 - end;
    if (!c->GetEndFig(other))
        c->m_nFixedAxes &= uint8_t(~axis.EndBit(other));
}

bool IsCarriedLabel(const CDiagObj* o)
{
    if (o->GetType() != kObjFigure)
        return false;
    const auto* f = static_cast<const CFigure*>(o);
    return f->IsConLabel() || f->IsFlowLabel();
}

// Among the straight connectors that follow: the one y all horizontal ones
// share, the one x all vertical ones share.
bool BuildGuides(CKavoDoc& doc)
{
    CMoveSet& m = doc.m_moveSet;
    m.ClearGuides();
    bool anyH = false, sharedY = true, anyV = false, sharedX = true;
    int y = 0, x = 0;
    for (CDiagObj* o : *m.GetList()) {
        if (o->GetType() != kObjConnector)
            continue;
        const auto* c = static_cast<const CConnector*>(o);
        if (c->IsHorizontalLock()) {
            sharedY = sharedY && (!anyH || c->EndPoint1.y == y);
            y = c->EndPoint1.y;
            anyH = true;
        } else if (c->IsVerticalLock()) {
            sharedX = sharedX && (!anyV || c->EndPoint1.x == x);
            x = c->EndPoint1.x;
            anyV = true;
        }
    }
    if (anyH && sharedY)
        m.m_yGuides[m.m_nYGuides++] = y;
    if (anyV && sharedX)
        m.m_xGuides[m.m_nXGuides++] = x;
    return m.m_nXGuides + m.m_nYGuides > 0;
}
} // namespace

int BuildMoveContextFor(CKavoDoc& doc, const CObjList* moving, const CObjList* objects, int mode)
{
    CMoveSet& m = doc.m_moveSet;
    CObjList* follow = m.GetList();
    if (!follow || !moving || !objects)
        return 0;
    follow->RemoveAll();
    for (CGroup* g : doc.m_groupList)
        g->m_bMoved = 0;
    for (CDiagObj* o : *objects) {
        o->m_bPendingH = o->m_bPendingV = o->m_bFollow = 0;
        o->m_nFixedAxes = o->GetType() == kObjConnector ? kConFixed : kFigFixed;
    }
    std::unordered_set<const CDiagObj*> inMoving;
    for (CDiagObj* o : *moving) {
        inMoving.insert(o);
        if (o->m_pGroup)
            o->m_pGroup->m_bMoved = 1;
        if (o->GetType() == kObjConnector) {
            o->m_bPendingH = o->m_bPendingV = 1;
        } else if (!IsCarriedLabel(o)) {
            o->m_nFixedAxes = 0;
            o->m_bPendingH = o->m_bPendingV = 1;
        }
    }
    m.ResetLimits();
    // Containers moved by a command take their contents along.
    if (mode != 0) {
        doc.BeginMarkPass();
        bool carried = false;
        for (CDiagObj* o : *moving)
            if (o->GetType() == kObjFigure && o->HasFlags(0x20000000, 0)) {
                doc.FindObjsInsideFig(static_cast<CFigure*>(o), 2);
                carried = true;
            }
        if (carried)
            for (CDiagObj* o : *objects)
                if (o->m_bVisited && !inMoving.count(o))
                    o->m_nFixedAxes = 0;
        doc.EndMarkPass(2);
    }
    for (CDiagObj* o : *moving) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        c->m_nFixedAxes = 0;
        CFigure* only = c->m_pFig1 && !c->m_pFig2 ? c->m_pFig1 : (!c->m_pFig1 && c->m_pFig2 ? c->m_pFig2 : nullptr);
        if (only && only->m_nFixedAxes != 0)
            c->m_nFixedAxes = kConFixed;
    }
    std::vector<CConnector*> cons;
    for (CDiagObj* o : *objects) {
        if (o->m_pGroup && o->m_pGroup->m_bMoved && !IsCarriedLabel(o))
            o->m_nFixedAxes = 0;
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            c->m_bPendingH = c->IsHorizontalLock() ? 1 : 0;
            c->m_bPendingV = c->IsVerticalLock() ? 1 : 0;
            cons.push_back(c);
        }
    }
    for (CDiagObj* o : *moving) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        if (c->EndSlidesVert(1) || c->EndSlidesVert(2))
            c->m_bPendingH = 1;
        else if (c->EndSlidesHorz(1) || c->EndSlidesHorz(2))
            c->m_bPendingV = 1;
    }
    Propagate(cons, kVertical);
    Propagate(cons, kHorizontal);
    for (CConnector* c : cons) {
        uint8_t bits = c->m_nFixedAxes;
        if (const CFigure* f = c->m_pFig1)
            bits = uint8_t((bits & ~(4 | 8)) | ((f->m_nFixedAxes & 1) ? 4 : 0) | ((f->m_nFixedAxes & 2) ? 8 : 0));
        if (const CFigure* f = c->m_pFig2)
            bits = uint8_t((bits & ~(16 | 32)) | ((f->m_nFixedAxes & 1) ? 16 : 0) | ((f->m_nFixedAxes & 2) ? 32 : 0));
        c->m_nFixedAxes = bits;
    }
    for (CDiagObj* o : *moving) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        for (int end = 1; end <= 2; ++end) {
            LimitSlide(doc, c, end, kVertical);
            LimitSlide(doc, c, end, kHorizontal);
        }
    }
    for (CDiagObj* o : *objects) {
        o->m_bPendingH = o->m_bPendingV = 0;
        const bool fixed = o->GetType() == kObjConnector ? o->m_nFixedAxes == kConFixed : o->m_nFixedAxes == kFigFixed;
        if (!fixed && follow->AddTail(o))
            o->m_bFollow = 1;
    }
    doc.UpdateTrunks(1);
    m.m_bSnap = doc.m_bAlignToGrid;
    return BuildGuides(doc) ? 1 : 0;
}

void InstallMoveContext()
{
    CKavoDoc::SetMoveContextBuilder(&BuildMoveContextFor);
}
