#pragma once
// The program-wide table of the font last realised by a markup scanner: the
// A, B and C widths of the 256 character codes and the font's metrics, in the
// logical units of the device context it was realised in. Valid until the
// next realisation; the line layout reads it.
#include "platform/AbcWidths.h"
#include "platform/GdiTypes.h"

class CDC;

const ABC* MarkupCharWidths();
const TEXTMETRIC& MarkupTextMetrics();
// Refills the table from the DC's selected font unless it already holds that
// font at that mapping. Whether it was refilled.
bool RefreshMarkupCharWidths(CDC* dc);
// How many refills have happened (for tests of the refresh rule).
int MarkupCharWidthRefills();
void ResetMarkupCharWidths();
