#include "shapes/EndShapeDraw.h"

#include "graphics/CDCSave.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "shapes/CShapeDef.h"
#include "shapes/OutlineDraw.h"

namespace {

// The pivot of the symbol space: the tip of the line.
constexpr float kPivot = 1024.0f;

bool HasProgram(const CShapeDef* shape)
{
    return shape && shape->m_nProgramLength > 0 && (shape->m_nAreaPos >= 0 || shape->m_nLinePos >= 0);
}

// A copy turned from the tip toward the line (the shapes are drawn with the
// line leaving the tip along +x in symbol space), scaled into the
// square (tip - size .. tip + size); the divisors width - 1 make 2048 units
// span 2 x size exactly.
bool OrientCopy(const CShapeDef& shape, const POINT& tip, const POINT& toward, int size, CShapeDef& out)
{
    out = shape;
    const RECT target{tip.x - size, tip.y - size, tip.x + size + 1, tip.y + size + 1};
    return out.OrientToLine(target, tip, toward, CFltPoint(kPivot, kPivot));
}

// Calls draw(op, cursor, end) for each operation of the sub-program at pos up
// to its end byte; a malformed operation ends the walk.
template <class Draw>
void WalkOriented(const CShapeDef& s, int pos, BYTE endByte, Draw&& draw)
{
    const int length = s.m_nProgramLength;
    if (pos < 0 || pos >= length || length > CShapeDef::kProgramSize)
        return;
    const BYTE* cursor = s.m_program.data() + pos;
    const BYTE* end = s.m_program.data() + length;
    while (cursor < end) {
        const BYTE op = *cursor++;
        if (op == endByte || !draw(op, cursor, end))
            return;
    }
}

} // namespace

int EndShapeInset(const CShapeDef* shape, int size)
{
    if (!shape || size <= 1)
        return 0;
    return MulDiv(size, shape->LineTo, 100);
}

void DrawEndShape(CDC* dc, const CShapeDef* shape, const POINT& tip, const POINT& toward, int size,
                  int borderWidth, COLORREF borderColor, COLORREF fillColor, int mode)
{
    if (!dc || !HasProgram(shape) || size <= 0)
        return;
    CShapeDef oriented;
    if (!OrientCopy(*shape, tip, toward, size, oriented))
        return;
    const auto drawOp = [dc](BYTE op, const BYTE*& cursor, const BYTE* end) {
        return DrawOutlineOpGdi(op, cursor, end, *dc, 0);
    };
    CDCSave save(*dc);
    if (mode == kEndShapeFill || mode == kEndShapeFillOutline) {
        CBrush brush(fillColor);
        dc->SelectObject(&brush);
        dc->SelectStockObject(NULL_PEN);
        dc->SetPolyFillMode(WINDING);
        WalkOriented(oriented, oriented.m_nAreaPos, kOpEndFill, drawOp);
    }
    if (mode == kEndShapeOutline || mode == kEndShapeTracking || mode == kEndShapeFillOutline) {
        CPen pen;
        if (borderWidth > 0 && pen.CreatePen(PS_SOLID, borderWidth, borderColor))
            dc->SelectObject(&pen);
        else
            dc->SelectStockObject(NULL_PEN);
        dc->SelectStockObject(HOLLOW_BRUSH);
        if (mode == kEndShapeTracking)
            dc->SetROP2(R2_NOT);
        WalkOriented(oriented, oriented.m_nLinePos, kOpEndOutline, drawOp);
    }
}

void DrawEndSymbolGdip(CGraphics* graphics, const CShapeDef* shape, const POINT& tip,
                       const POINT& toward, int size, int lineWidth, COLORREF lineColor,
                       COLORREF fillColor, int style, bool antiAlias)
{
    if (!graphics || !HasProgram(shape) || size <= 0)
        return;
    CShapeDef oriented;
    if (!OrientCopy(*shape, tip, toward, size, oriented))
        return;
    const GpSmoothingMode oldSmoothing = graphics->GetSmoothingMode();
    graphics->SetSmoothingMode(antiAlias ? GpSmoothingMode::HighQuality : GpSmoothingMode::HighSpeed);
    if (style == kEndShapeFill || style == kEndShapeFillOutline) {
        CGpBrush brush;
        brush.color = ColorRefToARGB(fillColor);
        WalkOriented(oriented, oriented.m_nAreaPos, kOpEndFill,
                     [&](BYTE op, const BYTE*& cursor, const BYTE* end) {
                         return FillSymbolOutline(op, cursor, end, *graphics, brush);
                     });
    }
    if ((style == kEndShapeOutline || style == kEndShapeTracking || style == kEndShapeFillOutline) &&
        lineWidth > 0) {
        CGpPen pen;
        pen.color = ColorRefToARGB(lineColor);
        pen.width = float(lineWidth);
        WalkOriented(oriented, oriented.m_nLinePos, kOpEndOutline,
                     [&](BYTE op, const BYTE*& cursor, const BYTE* end) {
                         return DrawSymbolOutline(op, cursor, end, *graphics, pen, 0);
                     });
    }
    graphics->SetSmoothingMode(oldSmoothing);
}
