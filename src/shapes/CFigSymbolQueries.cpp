// Questions the drawing asks of a symbol's program.
#include "shapes/CFigSymbol.h"

#include <cstring>

int CFigSymbol::OutlineIsPolygonal() const
{
    if (m_nOutlinePos < 0 || !IsProgramValid())
        return 0;
    bool polygonal = true;
    WalkSubProgram(m_program.data(), m_nProgramLength, m_nOutlinePos, kOpEndOutline,
                   [&](BYTE op, const BYTE*) {
                       if (op != kOpRect && op != kOpPolyline && op != kOpLine)
                           polygonal = false;
                   });
    return polygonal ? 1 : 0;
}

// The first operation of a sub-program: opcode and payload; 0 when it starts
// with its end byte.
static BYTE FirstOp(const BYTE* program, int length, int32_t pos, BYTE endByte, const BYTE*& payload,
                    int& size)
{
    payload = nullptr;
    size = 0;
    if (pos < 0 || pos >= length || program[pos] == endByte)
        return 0;
    size = OutlineOpSize(program, length, pos);
    if (size < 1)
        return 0;
    payload = program + pos + 1;
    return program[pos];
}

int CFigSymbol::OutlineSameAsFill() const
{
    if (!IsProgramValid())
        return 0;
    const BYTE* prog = m_program.data();
    const BYTE* fill;
    const BYTE* line;
    int fillSize, lineSize;
    const BYTE fillOp = FirstOp(prog, m_nProgramLength, m_nFillPos, kOpEndFill, fill, fillSize);
    if (!fillOp || prog[m_nFillPos + fillSize] != kOpEndFill)
        return 0;   // the fill must be exactly one operation
    const BYTE lineOp = FirstOp(prog, m_nProgramLength, m_nOutlinePos, kOpEndOutline, line, lineSize);
    if (!lineOp)
        return 0;
    switch (fillOp) {
    case kOpRect:
    case kOpEllipse:
        return lineOp == fillOp && std::memcmp(fill, line, kOutlineRectBytes) == 0;
    case kOpCircle:
        return lineOp == kOpCircle && std::memcmp(fill, line, 20) == 0;
    case kOpPolygon:
        return (lineOp == kOpPolyline || lineOp == kOpPolygon) && fillSize == lineSize &&
               std::memcmp(fill, line, static_cast<size_t>(fillSize - 1)) == 0;
    default:
        return 0;
    }
}

int CFigSymbol::HotZoneIsOutline(int skip) const
{
    if (skip || !m_hotZone.HasPoints() || !IsProgramValid())
        return 0;
    const BYTE* line;
    int size;
    if (FirstOp(m_program.data(), m_nProgramLength, m_nOutlinePos, kOpEndOutline, line, size) != kOpPolyline)
        return 0;
    const int n = ReadOutlineInt(line);
    if (n != m_hotZone.GetCount())
        return 0;
    for (int i = 0; i < n; ++i) {
        const CFltPoint p = ReadOutlinePoint(line + 4 + 16 * i);
        const CFltPoint& h = m_hotZone.GetPoints()[i];
        if (p.x != h.x || p.y != h.y)
            return 0;
    }
    return 1;
}
