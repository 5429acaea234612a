#pragma once
// The fill and border passes of a symbol figure, through GDI or the
// anti-aliased graphics: the combined first part, the fill sub-program and the
// outline sub-program with its pen styles.
#include "platform/CRect.h"

class CDC;
class CGraphics;
struct ShapeDrawAttrs;

class FigShapePasses {
public:
    FigShapePasses(CGraphics* graphics, CDC* dc, const CRect& rect, const ShapeDrawAttrs& attrs,
                   bool small, int lineWidth);
    // Saves the GDI state and runs the combined, fill and border passes.
    void Run();
    // Restores the GDI state saved by Run.
    void Finish();

    // The outline rectangle inset for a wide pen: w / 2 left and top,
    // (w - 1) / 2 right and bottom, for w of 2 or more.
    static CRect InsetForPen(const CRect& rect, int width);

private:
    bool CombinedPassApplies() const;
    void CombinedPass();
    void FillPass();
    void BorderPass();
    int PenStyleOf(unsigned char op, const unsigned char* payload) const;

    CGraphics* m_g;
    CDC* m_dc;
    CRect m_rect;
    CRect m_outline;
    const ShapeDrawAttrs& m_a;
    bool m_small;
    int m_lineWidth;
    int m_saved = 0;
    bool m_firstDrawn = false;
};
