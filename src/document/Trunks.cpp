// Trunk diagrams: interfaces joined to trunk nodes, the trunk connector of
// each interface and the association direction indicator. Everything here
// answers 0 or does nothing while the program-wide trunk switch is off.
#include "document/Trunks.h"

#include "core/AppGlobals.h"
#include "geometry/IntGeometry.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/UndoRecordsStaple.h"

#include <cmath>
#include <memory>

namespace {

bool ConStyleIsKind(const CConnector* con, int kind)
{
    if (!IsTrunkDiagrams() || !con || !con->m_pDoc)
        return false;
    const CConStyle* style = con->m_pDoc->m_conStyles.GetAt(con->m_nStyle);
    return style && style->IsKind(kind);
}

// The figure at the other end of the connector from `fig`.
CFigure* OtherEnd(const CConnector* con, const CFigure* fig)
{
    return con->m_pFig1 == fig ? con->m_pFig2 : con->m_pFig1;
}

int RoundedDistance(const CPoint& a, const CPoint& b)
{
    return static_cast<int>(std::hypot(double(a.x - b.x), double(a.y - b.y)) + 0.5);
}
} // namespace

bool IsTrunkDiagrams()
{
    return g_bUmlFilesPresent;
}

void SetTrunkDiagramsForTest(bool on)
{
    g_bUmlFilesPresent = on;
}

bool IsTrunkFigKind(const CFigure* fig, int test)
{
    if (!IsTrunkDiagrams() || !fig || fig->m_bLabel || fig->IsInvisible())
        return false;
    switch (test) {
    case 2:
        return fig->IsStockKind(2) || fig->IsStockKind(26);
    case 3:
        return fig->IsStockKind(3) || fig->IsStockKind(4);
    default:
        return fig->IsStockKind(test) != 0;
    }
}

bool IsInterfaceCon(const CConnector* con)
{
    return ConStyleIsKind(con, 16);
}

bool IsAssociationCon(const CConnector* con)
{
    return ConStyleIsKind(con, 28);
}

bool IsConEndKind(const CConnector* con, int end, int kind)
{
    return IsTrunkDiagrams() && con && con->EndShapeIsKind(end, kind);
}

bool CKavoDoc::IsEndPairKinds(int a, int b) const
{
    if (!IsTrunkDiagrams())
        return false;
    const CShapeDef* sa = m_endSymbols.GetAt(a);
    const CShapeDef* sb = m_endSymbols.GetAt(b);
    return sa && sb && ((sa->IsKind(14) && sb->IsKind(15)) || (sa->IsKind(15) && sb->IsKind(14)));
}

bool CFigure::IsTrunkObj() const
{
    return IsTrunkFigKind(this, 12) || IsTrunkFigKind(this, 9);
}

bool CFigure::IsTrunkNode() const
{
    return IsTrunkFigKind(this, 3) || IsTrunkFigKind(this, 1) || IsTrunkFigKind(this, 2);
}

bool CFigure::IsTrunkLatLabel() const
{
    if (!IsTrunkDiagrams() || !m_bLabel || !m_pDoc)
        return false;
    const CStaple* s = m_pDoc->FindLatLblStapleOfLabel(this);
    return s && IsAssociationCon(s->m_pCon);
}

int TrunkConScore(const CFigure* fig, const CConnector* con)
{
    int score = 0;
    const CFigure* other = OtherEnd(con, fig);
    if (other && (other->IsTrunkNode() || IsTrunkFigKind(other, 61))) {
        const bool linked = fig->m_pDoc && fig->m_pDoc->AreFigsLinked(fig, other);
        score = (linked ? 9 : 7) + (IsInterfaceCon(con) ? 1 : 0);
    } else {
        score = IsInterfaceCon(con) ? 5 : 0;
    }
    if (IsConEndKind(con, con->m_pFig1 == fig ? 1 : 2, 14))
        score -= 4;
    return score;
}

int CKavoDoc::UpdateTrunks(int redraw)
{
    if (!IsTrunkDiagrams())
        return 0;
    for (CDiagObj* o : *m_pObjList) {
        if (o->GetType() != kObjFigure)
            continue;
        auto* fig = static_cast<CFigure*>(o);
        fig->m_pIndicatorCon = nullptr;
        if (!IsTrunkFigKind(fig, 9))
            continue;
        // Best strictly above the best so far: equal scores keep the first.
        int best = -1;
        CConnector* bestCon = nullptr;
        for (CDiagObj* c : *m_pObjList) {
            auto* con = c->GetType() == kObjConnector ? static_cast<CConnector*>(c) : nullptr;
            if (!con || (con->m_pFig1 != fig && con->m_pFig2 != fig))
                continue;
            const int score = TrunkConScore(fig, con);
            if (score > best) {
                best = score;
                bestCon = con;
                if (score == 10)
                    break;
            }
        }
        if (bestCon) {
            if (redraw)
                InvalidateObj(fig);
            fig->m_pIndicatorCon = bestCon;
        }
    }
    return 1;
}

int FacingSide(const RECT& rc, const POINT& pt, int& second)
{
    second = 0;
    int first = 0;
    auto add = [&](bool cond, int side) {
        if (!cond)
            return;
        (first ? second : first) = side;
    };
    add(pt.y < rc.top, 1);
    add(pt.x > rc.right, 2);
    add(pt.y > rc.bottom, 3);
    add(pt.x < rc.left, 4);
    return first;
}

CFigure* CKavoDoc::FindTrunkNodeFor(const CFigure* fig) const
{
    if (!fig || !fig->IsTrunkObj())
        return nullptr;
    CFigure* best = nullptr;
    int bestDist = 0;
    for (CDiagObj* o : *m_pObjList) {
        auto* node = o->GetType() == kObjFigure ? static_cast<CFigure*>(o) : nullptr;
        if (!node || node == fig || !node->IsTrunkNode())
            continue;
        CRect both;
        both.IntersectRect(node->m_rect, fig->m_rect);
        if (both == fig->m_rect)
            continue;
        const int d = PtRectOutlineDistance(fig->GetCenter(), node->m_rect);
        if (!best || d < bestDist) {
            best = node;
            bestDist = d;
        }
    }
    return best;
}

CFigure* CKavoDoc::FindLinkedJunction(const CFigure* fig, const CFigure* node) const
{
    if (!fig || !node || !fig->IsTrunkObj())
        return nullptr;
    int figSecond = 0;
    const int figSide = FacingSide(node->m_rect, fig->GetCenter(), figSecond);
    CFigure* best = nullptr;
    int bestDist = 0;
    for (CDiagObj* o : *m_pObjList) {
        auto* jct = o->GetType() == kObjFigure ? static_cast<CFigure*>(o) : nullptr;
        if (!jct || !IsTrunkFigKind(jct, 61) || !AreFigsLinked(jct, node))
            continue;
        int second = 0;
        const int side = FacingSide(node->m_rect, jct->GetCenter(), second);
        if (side != figSide && second != figSide)
            continue;
        const int d = RoundedDistance(jct->GetCenter(), fig->GetCenter());
        if (!best || d < bestDist) {
            best = jct;
            bestDist = d;
        }
    }
    return best;
}

bool CKavoDoc::LinkInterface(CFigure* fig, CFigure* node, const POINT& meet)
{
    if (!IsTrunkDiagrams() || !fig || !node)
        return false;
    auto staple = std::make_unique<CStaple>(this);
    const int w = node->m_rect.Width(), h = node->m_rect.Height();
    const int posX = w > 0 ? (meet.x - node->m_rect.left) * kStaplePosMax / w : 0;
    const int posY = h > 0 ? (meet.y - node->m_rect.top) * kStaplePosMax / h : 0;
    const CPoint ref = fig->GetCenter();
    CStaple* const pinned[2] = {node->m_pStaple, fig->m_pStaple};
    staple->MakeFigLink(node, posX, posY, fig, kStaplePosMid, kStaplePosMid, ref.x - meet.x, ref.y - meet.y);
    if (!AddStapleWithId(staple.get())) {
        // The figures must not keep pointing at the staple about to be
        // freed: they point where they did before.
        node->m_pStaple = pinned[0];
        fig->m_pStaple = pinned[1];
        return false;
    }
    staple.release();
    return true;
}

int CKavoDoc::OnAssociationDirection(int command)
{
    if (!IsTrunkDiagrams() || command < kCmdAssocDirNone || command > kCmdAssocDirBackward ||
        m_pSelList->GetCount() != 1)
        return 0;
    CDiagObj* o = m_pSelList->GetAt(0);
    auto* label = o->GetType() == kObjFigure ? static_cast<CFigure*>(o) : nullptr;
    if (!label || !label->IsTrunkLatLabel())
        return 0;
    const int value = command - kCmdAssocDirNone;
    if (label->AssociationIndicator == value)
        return 0;
    UndoBeginStep(UDMAC_SETASSIND);
    InvalidateObj(label);
    if (LogFigAssInd(label))
        label->AssociationIndicator = value;
    InvalidateObj(label);
    UndoEndStep();
    SetModifiedFlag(true);
    return 1;
}

int SwapDirectionCode(int code)
{
    switch (code) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 5;
    case 5: return 3;
    case 4: return 6;
    case 6: return 4;
    default: return code;
    }
}

bool CFigure::IsTrunkIfLabel(CConnector** con, CStaple** staple) const
{
    if (!IsTrunkDiagrams() || !m_bLabel || !AssociationIndicator || !m_pDoc)
        return false;
    CStaple* s = m_pDoc->FindLatLblStapleOfLabel(this);
    if (!s || !IsInterfaceCon(s->m_pCon))
        return false;
    if (con)
        *con = s->m_pCon;
    if (staple)
        *staple = s;
    return true;
}
