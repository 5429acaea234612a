#include "shapes/OutlineProgram.h"

#include <cstring>

int OutlineFixedPayload(BYTE op)
{
    switch (op) {
    case kOpEndFill:
    case kOpEndOutline:
        return 0;
    case kOpRect:
    case kOpEllipse:
    case kOpLine:
        return 32;
    case kOpRoundRect:
        return 48;
    case kOpArc:
    case kOpChord:
    case kOpPie:
        return 64;
    case kOpCircle:
        return 24;
    default:
        return -1;
    }
}

int OutlineOpSize(const BYTE* program, int length, int pos)
{
    if (pos < 0 || pos >= length)
        return -1;
    const BYTE op = program[pos];
    const int avail = length - pos - 1;
    int payload = OutlineFixedPayload(op);
    if (op == kOpPolyline || op == kOpPolygon || op == kOpHot) {
        if (avail < 4)
            return -1;
        const int32_t n = ReadOutlineInt(program + pos + 1);
        if (n < 0 || n > (avail - 4) / kOutlinePointBytes)
            return -1;
        payload = 4 + n * kOutlinePointBytes;
    }
    if (payload < 0 || payload > avail)
        return -1;
    return 1 + payload;
}

bool IsOutlineOpAllowed(BYTE op, OutlineOpSet set)
{
    if (op >= kOpRect && op <= kOpLine)
        return true;
    return op == kOpCircle && set == OutlineOpSet::FigureSymbol;
}

static bool ValidateSubProgram(const BYTE* program, int length, const OutlineSubProgram& sub,
                               OutlineOpSet ops)
{
    int pos = sub.pos;
    while (pos < length) {
        const BYTE op = program[pos];
        if (op == sub.endByte)
            return true;
        if (!IsOutlineOpAllowed(op, ops))
            return false;
        const int size = OutlineOpSize(program, length, pos);
        if (size < 0)
            return false;
        pos += size;
    }
    return false;   // ran off the end without its end byte
}

bool ValidateOutlineProgram(const BYTE* program, int length, int areaSize,
                            const OutlineSubProgram* subPrograms, int subCount, OutlineOpSet ops,
                            int32_t textBoxPos, int32_t textBoxCount)
{
    if (!program || length < 0 || length > areaSize)
        return false;
    for (int i = 0; i < subCount; ++i) {
        const OutlineSubProgram& sub = subPrograms[i];
        if (sub.pos < 0)
            continue;
        if (sub.pos >= length || !ValidateSubProgram(program, length, sub, ops))
            return false;
    }
    if (textBoxCount < 0 || textBoxCount > kMaxTextBoxes)
        return false;
    if (textBoxPos >= 0) {
        if (textBoxPos > length || textBoxCount * kOutlineRectBytes > length - textBoxPos)
            return false;
    } else if (textBoxCount != 0) {
        return false;
    }
    return true;
}

const BYTE* StepOverOutlineOp(BYTE op, const BYTE*& cursor, const BYTE* end)
{
    const BYTE* payload = cursor;
    const BYTE* start = cursor - 1;   // the opcode byte before the payload
    const int size = (cursor <= end) ? OutlineOpSize(start, static_cast<int>(end - start), 0) : -1;
    if (size < 1 || start[0] != op) {
        cursor = end;
        return nullptr;
    }
    cursor = start + size;
    return payload;
}

int32_t ReadOutlineInt(const BYTE* p)
{
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

float ReadOutlineFloat(const BYTE* p)
{
    float v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

CFltPoint ReadOutlinePoint(const BYTE* p)
{
    CFltPoint pt;
    std::memcpy(&pt, p, sizeof pt);
    return pt;
}

CFltRect ReadOutlineRect(const BYTE* p)
{
    CFltRect r;
    std::memcpy(&r, p, sizeof r);
    return r;
}

void WriteOutlineInt(BYTE* p, int32_t v) { std::memcpy(p, &v, sizeof v); }
void WriteOutlineFloat(BYTE* p, float v) { std::memcpy(p, &v, sizeof v); }
void WriteOutlinePoint(BYTE* p, const CFltPoint& pt) { std::memcpy(p, &pt, sizeof pt); }
void WriteOutlineRect(BYTE* p, const CFltRect& r) { std::memcpy(p, &r, sizeof r); }
