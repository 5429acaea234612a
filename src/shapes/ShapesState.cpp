#include "shapes/ShapesState.h"

#include "shapes/CFigSymbol.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/DividedShapeKinds.h"

void ResetShapesState()
{
    ResetFigSymbolState();
    ResetSpecialShapeState();
    ResetShapeLibraryState();
}
