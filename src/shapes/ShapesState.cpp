#include "shapes/ShapesState.h"

#include "shapes/CFigSymbol.h"

void ResetShapesState()
{
    ResetFigSymbolState();
}
