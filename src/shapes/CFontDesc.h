#pragma once
// The font of a figure's text: one LOGFONT.
#include "platform/LogFont.h"

class CFontDesc {
public:
    LOGFONT m_lf;

    CFontDesc() { InitDefault(); }
    explicit CFontDesc(const LOGFONT& lf) : m_lf(lf) {}

    // Every field 0, height -8, face "Arial".
    void InitDefault();
    void SetLogFont(const LOGFONT& lf) { m_lf = lf; }
    void CopyFrom(const CFontDesc& other) { m_lf = other.m_lf; }
    // Every LOGFONT field; face names compared exactly (case counts, bytes
    // after the terminating zero do not).
    bool IsEqual(const CFontDesc& other) const;
};
