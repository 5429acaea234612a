#pragma once
// A change stamp. Styles take a new stamp whenever they change; previews and
// caches remember the stamp they were built from and rebuild when it is older.
// Stamps come from one program-wide counter; 0 means never assigned.
#include "platform/WinTypes.h"

class CSerialStamp {
public:
    CSerialStamp() { AssignNext(); }

    // Takes the next stamp of the program-wide counter and returns it.
    DWORD AssignNext();
    void Reset() { m_dwStamp = 0; }
    bool IsOlderThan(const CSerialStamp& other) const { return m_dwStamp < other.m_dwStamp; }
    void Set(const CSerialStamp& other) { m_dwStamp = other.m_dwStamp; }
    DWORD Get() const { return m_dwStamp; }

private:
    DWORD m_dwStamp = 0;
};

// Sets the program-wide stamp counter back to 0 (program start).
void ResetSerialStampCounter();
