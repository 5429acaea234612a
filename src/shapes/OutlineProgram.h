#pragma once
// Outline programs: the byte code in which figure symbols and end symbols keep
// their drawing. Each operation is one opcode byte and its payload, packed
// without padding; a sub-program is a run of operations closed by its end
// byte (1 for the fill sub-program, 2 for outline sub-programs). Coordinates
// are symbol-space floats: an outline point is a CFltPoint (16 bytes), an
// outline rectangle a CFltRect (32 bytes).
//
// Programs come from files, so nothing walks one before it has been checked by
// ValidateOutlineProgram, and every walk is bounded by the program length.
#include "platform/WinTypes.h"
#include "geometry/CFltRect.h"

#include <cstdint>
#include <vector>

enum : BYTE {
    kOpEndFill = 1,
    kOpEndOutline = 2,
    kOpRect = 3,
    kOpPolyline = 4,
    kOpPolygon = 5,
    kOpEllipse = 6,
    kOpRoundRect = 7,
    kOpArc = 8,
    kOpChord = 9,
    kOpPie = 10,
    kOpLine = 11,
    kOpHot = 12,     // only in files: the hot-zone polygon, never inside a program
    kOpCircle = 13,
};

constexpr int kOutlinePointBytes = 16;
constexpr int kOutlineRectBytes = 32;
constexpr int kFigSymbolProgramSize = 16384;
constexpr int kShapeDefProgramSize = 4096;
constexpr int kMaxTextBoxes = 32;

// Payload bytes of an operation with a fixed payload (0 for the end bytes);
// -1 for the counted operations (4, 5, 12) and for unknown opcodes.
int OutlineFixedPayload(BYTE op);
// Bytes of the operation at pos, opcode included: 1 for an end byte, the
// documented payload size otherwise. -1 when the opcode is not one of
// 1..13, a count is negative, or the operation does not fit before length.
int OutlineOpSize(const BYTE* program, int length, int pos);

// Which drawing opcodes a program may hold.
enum class OutlineOpSet {
    FigureSymbol,   // 3..11 and 13
    EndSymbol,      // 3..11
};
bool IsOutlineOpAllowed(BYTE op, OutlineOpSet set);

// One sub-program of a program to be checked: where it starts (-1 absent) and
// the end byte that must close it.
struct OutlineSubProgram {
    int32_t pos = -1;
    BYTE endByte = kOpEndOutline;
};

// A program is accepted as a whole or refused: its length lies within the
// area, every present sub-program starts inside it, holds only allowed
// opcodes whose payloads lie inside the length, and ends with its own end
// byte; the text boxes (at most kMaxTextBoxes rectangles) lie inside the length.
bool ValidateOutlineProgram(const BYTE* program, int length, int areaSize,
                            const OutlineSubProgram* subPrograms, int subCount, OutlineOpSet ops,
                            int32_t textBoxPos = -1, int32_t textBoxCount = 0);

// Unaligned access to program bytes.
int32_t ReadOutlineInt(const BYTE* p);
float ReadOutlineFloat(const BYTE* p);
CFltPoint ReadOutlinePoint(const BYTE* p);
CFltRect ReadOutlineRect(const BYTE* p);
void WriteOutlineInt(BYTE* p, int32_t v);
void WriteOutlineFloat(BYTE* p, float v);
void WriteOutlinePoint(BYTE* p, const CFltPoint& pt);
void WriteOutlineRect(BYTE* p, const CFltRect& r);

// For callers that walk a prepared program operation by operation: the
// cursor points at the payload of `op` (just after its opcode byte) and is
// moved past it; returns the payload, or null (cursor at end) when the
// operation does not fit before end.
const BYTE* StepOverOutlineOp(BYTE op, const BYTE*& cursor, const BYTE* end);

// Calls visit(op, payload) for each operation of the sub-program that starts
// at pos, stopping at its end byte. Returns false (after visiting what came
// before) when the walk meets a malformed operation or the program ends
// first; a validated program never does.
template <class Byte, class Visit>
bool WalkSubProgram(Byte* program, int length, int pos, BYTE endByte, Visit&& visit)
{
    if (pos < 0)
        return true;
    while (pos < length) {
        const BYTE op = program[pos];
        if (op == endByte)
            return true;
        const int size = OutlineOpSize(program, length, pos);
        if (size <= 1)
            return false;
        visit(op, program + pos + 1);
        pos += size;
    }
    return false;
}
