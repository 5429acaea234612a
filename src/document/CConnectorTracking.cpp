// Drag feedback of a connector: the inverted line and the end points it
// would take with its figures moved.
#include "document/CConnector.h"

#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/Trunks.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "shapes/EndShapeDraw.h"

void CConnector::Draw(CDC* dc, int x1, int y1, int x2, int y2, bool withEnds) const
{
    if (!dc)
        return;
    CPen pen(PS_SOLID, 0, m_props.Color);
    CPen* oldPen = dc->SelectObject(&pen);
    const int oldRop = dc->SetROP2(R2_NOT);
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
    dc->SetROP2(oldRop);
    dc->SelectObject(oldPen);
    // Anchor connectors show no end shapes, not even while dragged.
    if (!withEnds || !m_pDoc || GetStockKind() == 39)
        return;
    const POINT p1{x1, y1}, p2{x2, y2};
    const ShapeLibrary& shapes = m_pDoc->m_endSymbols;
    if (m_props.End1 >= 0 && !SuppressEnd1)
        DrawEndShape(dc, shapes.GetAt(m_props.End1), p1, p2, m_props.End1Length, m_props.EndBorderWidth,
                     m_props.Color, m_props.End1FillColor, kEndShapeTracking);
    if (m_props.End2 >= 0 && !SuppressEnd2)
        DrawEndShape(dc, shapes.GetAt(m_props.End2), p2, p1, m_props.End2Length, m_props.EndBorderWidth,
                     m_props.Color, m_props.End2FillColor, kEndShapeTracking);
}

void CConnector::DrawTracking(CDC* dc, const ConEndOffsets& offsets, bool withEnds, bool computeOnly, CPoint& p1,
                              CPoint& p2)
{
    // The interface moves, its node stays: the node's end is chosen again.
    if (IsTrunkDiagrams() && m_pFig1 && m_pFig2 && GetStockKind() == 16 && m_pDoc &&
        m_pDoc->AreFigsLinked(m_pFig1, m_pFig2) && m_pFig1->IsTrunkObj() != m_pFig2->IsTrunkObj()) {
        const bool moves1 = offsets.fig1 != CSize(0, 0), moves2 = offsets.fig2 != CSize(0, 0);
        if (moves1 && !moves2)
            m_nConPtId2 = kConPtAuto;
        else if (moves2 && !moves1)
            m_nConPtId1 = kConPtAuto;
    }
    ComputeEndPoints(&offsets, p1, p2);
    if (!computeOnly)
        Draw(dc, p1.x, p1.y, p2.x, p2.y, withEnds);
}
