// Which connectors are attached to a figure. The count follows every attach
// and detach of a connector end; the two slots keep the first two connectors
// for the junction and flow code.
#include "document/CConnector.h"
#include "document/CFigure.h"

#include "core/Trace.h"

namespace {
int IdOf(const CDiagObj* o)
{
    return o ? o->m_nId : -1;
}
} // namespace

void CFigure::AttachCon(CConnector* con)
{
    if (!con) {
        DiagPrintf("ACDC: Fig %d, tried to attach NULL con\n", m_nId);
        return;
    }
    ++m_nConnected;
    DiagPrintf("ACDC: Fig %d, attaching con %d\n", m_nId, con->m_nId);
    if (m_pAttachedCon1 == con || m_pAttachedCon2 == con)
        return;
    if (!m_pAttachedCon1) {
        DiagPrintf("ACDC:   Attaching to m_pAttachedCon1\n");
        m_pAttachedCon1 = con;
    } else if (!m_pAttachedCon2) {
        DiagPrintf("ACDC:   Attaching to m_pAttachedCon2\n");
        m_pAttachedCon2 = con;
    } else {
        DiagPrintf("ACDC:   Attached fields occupied\n");
    }
}

void CFigure::DetachCon(CConnector* con)
{
    if (!con) {
        DiagPrintf("ACDC: Fig %d, tried to detach NULL con\n", m_nId);
        return;
    }
    // An end that was never registered (resolved but not attached yet) must
    // not drive the count negative: a negative count reads as "connected".
    if (m_nConnected > 0)
        --m_nConnected;
    if (AssociationIndicator && (m_nConnected == 0 || m_pIndicatorCon == con)) {
        m_pIndicatorCon = nullptr;
        m_dIndicatorAngle = 0;
    }
    DiagPrintf("ACDC: Fig %d, detaching con %d\n", m_nId, con->m_nId);
    if (m_pAttachedCon1 == con) {
        DiagPrintf("ACDC:   Clearing m_pAttachedCon1\n");
        m_pAttachedCon1 = nullptr;
        if (m_pAttachedCon2) {
            DiagPrintf("ACDC:   Moving %d from m_pAttachedCon2 to 1\n", IdOf(m_pAttachedCon2));
            m_pAttachedCon1 = m_pAttachedCon2;
            m_pAttachedCon2 = nullptr;
        }
    } else if (m_pAttachedCon2 == con) {
        DiagPrintf("ACDC:   Clearing m_pAttachedCon2\n");
        m_pAttachedCon2 = nullptr;
    }
}

void CFigure::UpdateAttached(CConnector* con)
{
    if (!con) {
        DiagPrintf("ACDC: Fig %d, tried to UpdateAttached NULL con\n", m_nId);
        return;
    }
    DiagPrintf("ACDC: Fig %d, update attach to con %d\n", m_nId, con->m_nId);
    if (m_pAttachedCon1 == con || m_pAttachedCon2 == con) {
        DiagPrintf("ACDC:   Already attached on m_pAttachedCon1 or 2\n");
    } else if (!m_pAttachedCon1) {
        DiagPrintf("ACDC:   Attach to m_pAttachedCon1\n");
        m_pAttachedCon1 = con;
    } else if (!m_pAttachedCon2) {
        DiagPrintf("ACDC:   Attach to m_pAttachedCon2\n");
        m_pAttachedCon2 = con;
    }
}

void CFigure::ClearAttached()
{
    DiagPrintf("ACDC: Fig %d, clear attached\n", m_nId);
    m_nConnected = 0;
    m_pAttachedCon1 = nullptr;
    m_pAttachedCon2 = nullptr;
}

CConnector* CFigure::OtherAttachedCon(const CConnector* con) const
{
    if (!con || !m_pAttachedCon1 || !m_pAttachedCon2)
        return nullptr;
    if (m_pAttachedCon1 == con)
        return m_pAttachedCon2;
    if (m_pAttachedCon2 == con)
        return m_pAttachedCon1;
    return nullptr;
}

int CFigure::GetConPtPos(int32_t id, const RECT& rect, CFltPoint& out) const
{
    if (id == -1 || id == -2) {
        const CPoint c = CRect(rect).CenterPoint();
        out = CFltPoint(static_cast<float>(c.x), static_cast<float>(c.y));
        return 1;
    }
    // Low flag 0x80000 switches the figure's own connection points off.
    if (!m_pConPts || HasFlags(0x80000, 0))
        return 0;
    return m_pConPts->GetConPtPos(id, rect, out);
}
