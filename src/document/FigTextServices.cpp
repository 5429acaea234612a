#include "document/FigTextServices.h"

FigTextServices& GetFigTextServices()
{
    static FigTextServices services;
    return services;
}
