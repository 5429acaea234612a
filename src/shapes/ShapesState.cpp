#include "shapes/ShapesState.h"

#include "shapes/CFigSymbol.h"
#include "shapes/ShapeLibrary.h"

void ResetShapesState()
{
    ResetFigSymbolState();
    ResetShapeLibraryState();
}
