#pragma once
// Program-wide settings, each named after its profile key. They are loaded at
// start-up and written back whole; the values here are the defaults a first
// start sees.
#include "platform/WinTypes.h"

// "Options" "Metric": lengths are shown in centimetres (1 unit = 0.1 mm)
// instead of inches (1 unit = 1/256 inch). The default is metric: the system's
// measurement setting reads as 0 (metric) when nothing says otherwise.
extern BOOL Metric;

// Restores the defaults above.
void ResetSettings();
