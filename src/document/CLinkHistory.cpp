#include "document/CLinkHistory.h"

#include "core/Trace.h"

void CLinkHistory::Clear()
{
    *this = CLinkHistory{};
}

int CLinkHistory::Step(int& slot, int delta) const
{
    slot += delta;
    if (slot >= kCapacity)
        slot -= kCapacity;
    else if (slot < 0)
        slot = kCapacity - 1;
    return slot;
}

int CLinkHistory::LastSlot() const
{
    int slot = m_head;
    if (m_count > 0)
        slot = (m_head + m_count - 1) % kCapacity;
    return slot;
}

int CLinkHistory::Offset(int slot) const
{
    if (m_count == 0)
        return 0;
    return slot < m_head ? slot + kCapacity - m_head : slot - m_head;
}

bool CLinkHistory::IsValidSlot(int slot) const
{
    if (slot < 0 || slot >= kCapacity || m_count == 0)
        return false;
    return Offset(slot) < m_count;
}

int CLinkHistory::RemoveAt(int s)
{
    if (!IsValidSlot(s))
        return 0;
    const int last = LastSlot();
    if (s != last) {
        // Later entries move one slot toward s.
        for (int at = s, next = s; at != last; at = next) {
            Step(next, 1);
            m_slots[size_t(at)] = m_slots[size_t(next)];
        }
        m_slots[size_t(last)].clear();
        if (IsBefore(s, m_current))
            Step(m_current, -1);
    } else {
        m_slots[size_t(s)].clear();
        if (s == m_current && m_count > 1)
            Step(m_current, -1);
    }
    if (--m_count == 0)
        m_head = m_current = 0;
    return 1;
}

int CLinkHistory::RemoveAll(const std::string& text)
{
    int removed = 0;
    int slot = m_head;
    const int entries = m_count;
    for (int i = 0; i < entries; ++i) {
        if (m_slots[size_t(slot)] == text && IsValidSlot(slot)) {
            RemoveAt(slot);
            ++removed;
        } else {
            Step(slot, 1);
        }
    }
    return removed;
}

bool CLinkHistory::GetForwardLink(std::string& out, bool move)
{
    if (m_count == 0 || m_current == LastSlot())
        return false;
    int next = m_current;
    Step(next, 1);
    out = m_slots[size_t(next)];
    if (move) {
        m_current = next;
        DiagPrintf("STAT  GetForwardLink(%s)\n", out.c_str());
    }
    return true;
}

bool CLinkHistory::GetBackLink(std::string& out, bool move)
{
    if (m_count == 0 || m_current == m_head)
        return false;
    int prev = m_current;
    Step(prev, -1);
    out = m_slots[size_t(prev)];
    if (move) {
        m_current = prev;
        DiagPrintf("STAT  GetBackLink(%s)\n", out.c_str());
    }
    return true;
}

void CLinkHistory::SetVisitedLink(const std::string& text)
{
    DiagPrintf("STAT  SetVisitedLink(%s)\n", text.c_str());
    if (text.empty())
        return;
    if (m_count == 0) {
        m_slots[size_t(m_current)] = text;
        m_head = m_current;
        m_count = 1;
        return;
    }
    if (m_slots[size_t(m_current)] == text)
        return;
    Step(m_current, 1);
    if (m_current == m_head)
        Step(m_head, 1);  // full: the oldest entry goes
    m_slots[size_t(m_current)] = text;
    m_count = Offset(m_current) + 1;
}

CLinkHistory& LinkHistory()
{
    static CLinkHistory history;
    return history;
}
