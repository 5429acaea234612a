// Making staples of each kind and telling their kinds apart.
#include "document/CStaple.h"

#include "document/CConnector.h"
#include "document/CFigure.h"

void CStaple::PinObjects()
{
    for (CDiagObj* o : {static_cast<CDiagObj*>(m_pCon), static_cast<CDiagObj*>(m_pFig1),
                        static_cast<CDiagObj*>(m_pFig2)})
        if (o)
            o->m_pStaple = this;
    StoreIds();
    TakeSnapshots();
    // The makers set the kind after this; nothing asks in between.
    NoteStapleLinksChanged();
}

void CStaple::MakeConLbl(CConnector* con, const POINT& pt, CFigure* label, int fig1PosX, int fig1PosY)
{
    m_pCon = con;
    m_pFig1 = label;
    Fig1PosX = fig1PosX;
    Fig1PosY = fig1PosY;
    m_pFig2 = nullptr;
    m_nFig2Id = -1;
    Fig2PosX = Fig2PosY = 0;
    ConPos = ConPosOfPoint(pt);
    PinObjects();
    m_nType = kStapleConLabel;
}

void CStaple::MakeFigLbl(CFigure* fig, int fig1PosX, int fig1PosY, CFigure* label, int fig2PosX, int fig2PosY,
                         int offsetX, int offsetY)
{
    m_pCon = nullptr;
    m_nConId = -1;
    ConPos = 0;
    m_pFig1 = fig;
    Fig1PosX = fig1PosX;
    Fig1PosY = fig1PosY;
    m_pFig2 = label;
    Fig2PosX = fig2PosX;
    Fig2PosY = fig2PosY;
    OffsetX = offsetX;
    OffsetY = offsetY;
    PinObjects();
    m_nType = kStapleFigLabel;
}

void CStaple::MakeFlowLbl(CFigure* fig, CFigure* label, CConnector* con, int flowSide)
{
    m_pFig1 = fig;
    m_pFig2 = label;
    m_pCon = con;
    FlowSide = flowSide;
    PinObjects();
    m_nType = kStapleFlowLabel;
}

void CStaple::MakeFigLink(CFigure* fig, int fig1PosX, int fig1PosY, CFigure* linked, int fig2PosX, int fig2PosY,
                          int offsetX, int offsetY)
{
    MakeFigLbl(fig, fig1PosX, fig1PosY, linked, fig2PosX, fig2PosY, offsetX, offsetY);
    m_nType = kStapleFigLink;
}

void CStaple::MakeLatLbl(CConnector* con, const POINT& pt, CFigure* label, int lateralOffset, int consistency)
{
    m_pCon = con;
    m_pFig1 = label;
    Fig1PosX = Fig1PosY = kStaplePosMid;
    m_pFig2 = nullptr;
    m_nFig2Id = -1;
    Fig2PosX = Fig2PosY = 0;
    LateralOffset = lateralOffset;
    LateralConsistency = consistency;
    ConPos = ConPosOfPoint(pt);
    PinObjects();
    m_nType = kStapleLatLabel;
}

bool CStaple::IsConLbl(bool strict)
{
    if (m_nType == kStapleConLabel)
        return !strict || (m_pCon && m_pFig1);
    if (m_nType == 0 && m_pCon && m_pFig1) {
        m_nType = kStapleConLabel;
        NoteStapleLinksChanged();
        return true;
    }
    return false;
}

bool CStaple::IsLatLbl(bool strict)
{
    if (m_nType == kStapleLatLabel)
        return !strict || (m_pCon && m_pFig1);
    if (m_nType == 0 && m_pCon && m_pFig1) {
        // Only a real side distance makes it a lateral label for good.
        if (LateralOffset != 0) {
            m_nType = kStapleLatLabel;
            NoteStapleLinksChanged();
        }
        return true;
    }
    return false;
}

bool CStaple::IsFigLbl(bool strict)
{
    if (m_nType == kStapleFigLabel)
        return !strict || (m_pFig1 && m_pFig2);
    if (m_nType == 0 && !m_pCon && m_pFig1 && m_pFig2) {
        m_nType = kStapleFigLabel;
        NoteStapleLinksChanged();
        return true;
    }
    return false;
}

bool CStaple::IsFlowLbl(bool strict) const
{
    return m_nType == kStapleFlowLabel && (!strict || (m_pCon && m_pFig1 && m_pFig2));
}

bool CStaple::IsFigLink(bool strict) const
{
    return m_nType == kStapleFigLink && (!strict || (m_pFig1 && m_pFig2));
}

bool CStaple::IsValid()
{
    return IsConLbl(true) || IsLatLbl(true) || IsFigLbl(true) || IsFlowLbl(true) || IsFigLink(true);
}

void CStaple::InferType()
{
    if (m_nType != 0)
        return;
    NoteStapleLinksChanged();
    if (m_nConId != -1 && m_nFig1Id != -1)
        m_nType = kStapleConLabel;
    else if (m_nConId == -1 && m_nFig1Id != -1 && m_nFig2Id != -1)
        m_nType = kStapleFigLabel;
}

bool CStaple::LinksFig(const CDiagObj* obj) const
{
    return m_nType == kStapleFigLink && PinType > 0 && obj && (obj == m_pFig1 || obj == m_pFig2);
}

bool CStaple::IsAnyPinnedMarked() const
{
    auto marked = [](const CDiagObj* o) { return o && o->m_bVisited; };
    switch (m_nType) {
    case kStapleConLabel:
    case kStapleLatLabel:
        return marked(m_pFig1) || marked(m_pCon);
    case kStapleFigLabel:
    case kStapleFigLink:
        return marked(m_pFig1) || marked(m_pFig2);
    case kStapleFlowLabel:
        return marked(m_pCon) || marked(m_pFig1) || marked(m_pFig2);
    default:
        return false;
    }
}
