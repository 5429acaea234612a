#pragma once
// Saves a device context's state for the length of a scope: drawing routines
// that select their own pens and brushes or change the raster operation leave
// the context exactly as they found it, including a context that had no
// object of a kind selected before.
#include "platform/CDC.h"

class CDCSave {
public:
    explicit CDCSave(CDC& dc) : m_dc(dc), m_level(dc.SaveDC()) {}
    ~CDCSave() { m_dc.RestoreDC(m_level); }
    CDCSave(const CDCSave&) = delete;
    CDCSave& operator=(const CDCSave&) = delete;

private:
    CDC& m_dc;
    int m_level;
};
