#include "core/Settings.h"

BOOL Metric = TRUE;

void ResetSettings()
{
    Metric = TRUE;
}
