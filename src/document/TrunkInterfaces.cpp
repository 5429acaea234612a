// The "To Interface" command and the interface re-attach of trunk diagrams.
#include "document/TrunkInterfaces.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/Trunks.h"
#include "document/UndoRecordsStaple.h"

#include <algorithm>

namespace {
// Set while an interface connector is re-routed, so that the staple pass the
// re-route may start does not re-attach the same interface again.
bool g_bReattaching = false;

// The end point and attach code of a connector end meeting `target` at `meet`:
// the centre code when the point is the centre, else a fixed point.
int32_t AttachCodeAt(const CFigure* target, const POINT& meet)
{
    return CPoint(meet) == target->GetCenter() ? kConPtCentre : kConPtFixed;
}

// A point on the node's rectangle as staple positions 0..255.
void PositionsOn(const CFigure* node, const POINT& meet, int32_t& posX, int32_t& posY)
{
    const int w = node->m_rect.Width(), h = node->m_rect.Height();
    posX = w > 0 ? std::clamp(int((meet.x - node->m_rect.left) * kStaplePosMax / w), 0, kStaplePosMax) : 0;
    posY = h > 0 ? std::clamp(int((meet.y - node->m_rect.top) * kStaplePosMax / h), 0, kStaplePosMax) : 0;
}

// The views are told that the selection's objects changed place.
void RefreshAfterReattach(CKavoDoc& doc)
{
    doc.UpdateAllViews(nullptr, 0, nullptr);
}

CConnector* ConnectorBetween(CKavoDoc& doc, const CFigure* a, const CFigure* b)
{
    for (CDiagObj* o : *doc.m_pObjList) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        if ((c->m_pFig1 == a && c->m_pFig2 == b) || (c->m_pFig1 == b && c->m_pFig2 == a))
            return c;
    }
    return nullptr;
}

// Creates the interface connector from the figure's centre to `targetPt` on
// `target` (the creation logs its own record); null on failure.
CConnector* CreateInterfaceCon(CKavoDoc& doc, CFigure* fig, CFigure* target, const POINT& targetPt, int style)
{
    const CConProps* props = doc.m_conStyles.GetProps(style);
    if (!props)
        return nullptr;
    CConnector* con = doc.CreateCon(fig, target, kConPtCentre, AttachCodeAt(target, targetPt), fig->GetCenter(),
                                    targetPt, style, *props);
    if (!con)
        return nullptr;
    con->RecalcRoute();
    return con;
}


// The connector and the figure link as one step. A failure leaves nothing
// behind: the step is undone when it was recorded, else the connector made
// so far is deleted.
int MakeInterface(CKavoDoc& doc, CFigure* fig, CFigure* target, const POINT& pt, int style)
{
    CUndoLog& log = doc.UndoLogRef();
    doc.UndoBeginStep(UDMAC_CREATEINTERFACE);
    CConnector* con = CreateInterfaceCon(doc, fig, target, pt, style);
    // Adding the figure link logs its creation.
    const bool ok = con && doc.LinkInterface(fig, target, pt);
    const bool recorded = !log.m_bUndoHeld && log.InUndoStep();
    doc.UndoEndStep();
    if (ok)
        return 1;
    // A step the user abandoned was taken back by the log already.
    if (log.IsUndoStepAbandoned())
        return 0;
    if (recorded && log.GetLastUndoStepCode() == UDMAC_CREATEINTERFACE)
        doc.UndoLastStep();
    else if (con)
        doc.DeleteCon(con, true, true, false);
    return 0;
}
} // namespace

bool FindInterfacePoint(const CFigure* fig, const CFigure* node, POINT& meet, int& side)
{
    return IsTrunkDiagrams() && fig && node && InterfacePointOnRect(fig->GetCenter(), node->m_rect, meet, side);
}

bool InterfacePointOnRect(const POINT& centre, const RECT& node, POINT& meet, int& side)
{
    const CRect rc(node);
    const CPoint c(centre);
    int second = 0;
    const int facing = FacingSide(rc, c, second);
    const int clampedX = std::clamp(int(c.x), int(rc.left), int(rc.right));
    const int clampedY = std::clamp(int(c.y), int(rc.top), int(rc.bottom));
    if (facing < 1 || facing > 4)
        return false;
    // Side 1 top, 2 right, 3 bottom, 4 left as the staple side codes.
    static constexpr int kSideCodes[5] = {0, 2, 5, 8, 11};
    const bool horizontal = facing == 1 || facing == 3;
    const int edge = facing == 1 ? rc.top : facing == 2 ? rc.right : facing == 3 ? rc.bottom : rc.left;
    meet = horizontal ? CPoint(clampedX, edge) : CPoint(edge, clampedY);
    side = kSideCodes[facing];
    return true;
}

int CreateInterface(CKavoDoc& doc, CFigure* fig, int* side, InterfacePreview* preview)
{
    if (!IsTrunkDiagrams() || !fig || !fig->IsTrunkObj())
        return 0;
    CFigure* node = doc.FindTrunkNodeFor(fig);
    const int style = doc.m_conStyles.FindByName(kInterfaceStyleName);
    if (!node || style < 0)
        return 0;
    const CPoint centre = fig->GetCenter();
    CFigure* jct = doc.FindLinkedJunction(fig, node);
    const bool jctIsTarget = jct && IsTrunkFigKind(jct, 61) && !IsTrunkFigKind(jct, 11);
    CFigure* target = jctIsTarget ? jct : node;
    POINT meet{};
    int code = 0;
    if (!FindInterfacePoint(fig, target, meet, code))
        return 0;
    if (side)
        *side = code;
    const CSize none(0, 0);
    if (!jct || jctIsTarget) {
        if (preview) {
            preview->end = meet;
            preview->start = fig->ClipConnectorEnd(kConPtCentre, meet, none, nullptr, false);
            return 1;
        }
        return MakeInterface(doc, fig, target, meet, style);
    }
    // A junction of kind 11: the connector runs centre to centre.
    const CPoint jctCentre = jct->GetCenter();
    if (preview) {
        preview->start = fig->ClipConnectorEnd(kConPtCentre, jctCentre, none, nullptr, false);
        preview->end = jct->ClipConnectorEnd(kConPtCentre, centre, none, nullptr, false);
        return 1;
    }
    return MakeInterface(doc, fig, jct, jctCentre, style);
}

bool ReattachInterface(CKavoDoc& doc, CFigure* iface, CFigure* node)
{
    if (!IsTrunkDiagrams() || g_bReattaching || !iface || !node)
        return false;
    CConnector* con = ConnectorBetween(doc, iface, node);
    CStaple* link = doc.FindFigLink(iface, node);
    POINT meet{};
    int side = 0;
    if (!con || !FindInterfacePoint(iface, node, meet, side))
        return false;
    if (!doc.LogConnectorEnds(UDOC_CONMOVE, con) || (link && !LogStapleState(doc, link)))
        return false;
    g_bReattaching = true;
    doc.InvalidateObj(con);
    const int end = con->m_pFig1 == node ? 1 : 2;
    (end == 1 ? con->m_nConPtId1 : con->m_nConPtId2) = AttachCodeAt(node, meet);
    (end == 1 ? con->EndPoint1 : con->EndPoint2) = meet;
    con->RecalcRoute();
    doc.InvalidateObj(con);
    g_bReattaching = false;
    RefreshAfterReattach(doc);
    if (link) {
        PositionsOn(node, meet, link->Fig1PosX, link->Fig1PosY);
        link->ClearSnapshots();
    }
    // The interface's labels go to the side facing away from the node: the
    // side code where the connector meets the node is that label position.
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->IsFigLbl(true) && s->m_pFig1 == iface && !s->m_pFig2->IsInGroup() && doc.PlaceFigLblAt(s, side) < 0)
            return false;
    }
    return true;
}
