#include "shapes/FigStyleShapeFit.h"

#include "platform/CRect.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigSymbol.h"
#include "shapes/SymbolLibrary.h"

bool FitSpecialShape(const CFigStyle& style, SymbolLibrary& symbols, int left, int right, int top, int bottom)
{
    CFigSymbol* symbol = symbols.GetAt(style.m_props.Symbol);
    if (!symbol || style.m_props.HasGraphic() || symbol->Reshape == 0)
        return false;
    const CRect rect(0, 0, style.Width, style.Height);
    for (int box = 0; box < symbol->m_nTextBoxes; ++box)
        symbol->FitTextBoxToMargins(box, rect, left, right, top, bottom);
    return true;
}
