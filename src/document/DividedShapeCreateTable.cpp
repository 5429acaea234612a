#include "document/DividedShapeCreateTable.h"

#include "document/CKavoDoc.h"
#include "document/DividedShapeFigureLink.h"
#include "shapes/CFigSymbol.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeSetup.h"

namespace {

void SetUpForMargins(CKavoDoc& doc, CFigure& fig)
{
    int left = 0, right = 0, top = 0, bottom = 0;
    doc.GetFigMargins(left, right, top, bottom);
    CSpecialFigureLink link(doc, &fig);
    InitSpecialShapeFig(link, left, right, top, bottom);
}

const SpecialShapeCreateRow kMarginsRow{-1, &SetUpForMargins};

const SpecialShapeCreateRow* BuiltInLookup(int shapeKind)
{
    return shapeKind > 0 && shapeKind <= kMaxSpecialKind ? &kMarginsRow : nullptr;
}

SpecialShapeCreateLookup g_lookup = nullptr;

} // namespace

int FigShapeKind(const CFigure& fig)
{
    const CFigSymbol* symbol = fig.GetSymbol();
    return symbol ? symbol->Reshape : 0;
}

const SpecialShapeCreateRow* FindSpecialShapeCreateRow(int shapeKind)
{
    return g_lookup ? g_lookup(shapeKind) : BuiltInLookup(shapeKind);
}

void SetSpecialShapeCreateLookup(SpecialShapeCreateLookup lookup)
{
    g_lookup = lookup;
}
