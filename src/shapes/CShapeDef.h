#pragma once
// An end symbol or stamp shape: an outline program of two sub-programs (area,
// closed by opcode 1; line, closed by opcode 2) in a 4096-byte area, with the
// rules for turning it along the line it ends. Positions are byte offsets
// into the area (-1 absent).
#include "shapes/OutlineProgram.h"
#include "shapes/StockNameKind.h"

#include <array>
#include <string>

class CShapeDef : public StockNameKind {
public:
    static constexpr int kProgramSize = kShapeDefProgramSize;

    int32_t m_nUseFlag = 0;
    std::string m_strName;
    int32_t m_nAreaPos = -1;      // "Fill" block
    int32_t m_nLinePos = -1;      // "Outline" block
    int32_t Rotatable = 1;        // turns with the line
    int32_t LineTo = 0;           // percent: where the connector line stops inside the shape
    int32_t Centered = 0;         // set for the shapes that do not turn
    int32_t Magnify = 100;        // percent
    int32_t Silhouette = 0;       // drawn solid
    int32_t m_nProgramLength = 0;
    std::array<BYTE, kProgramSize> m_program{};

    CShapeDef() = default;
    CShapeDef(const CShapeDef& o) : StockNameKind() { CopyFrom(o); }
    CShapeDef& operator=(const CShapeDef& o) { CopyFrom(o); return *this; }

    void Clear();
    void CopyFrom(const CShapeDef& o);
    void SetName(const std::string& name);

    // Replaces the program after checking it (opcodes 3 to 11 only); false and
    // unchanged for a malformed program.
    bool SetProgram(const BYTE* bytes, int length, int32_t areaPos, int32_t linePos);
    bool IsProgramValid() const;

    // Transforms the program in place for drawing at a connector end: turned
    // about the pivot (symbol units) by the line's direction when Rotatable,
    // scaled into the target rectangle (divisors width - 1 and height - 1) and
    // moved to its top-left. Callers transform a copy, never the library
    // entry. False (nothing changed) for an invalid program.
    bool OrientToLine(const RECT& target, const POINT& lineStart, const POINT& lineEnd, const CFltPoint& pivot);
    // The angle OrientToLine turns by: atan2(dy, dx) with the axis directions
    // exact; 0 when not rotatable or the points coincide.
    double LineAngle(const POINT& lineStart, const POINT& lineEnd) const;

protected:
    int Classify() const override { return ClassifyEndShapeName(m_strName); }
};
